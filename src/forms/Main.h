#pragma once
// The main window: the whole working surface of the program. A tool bar and a main menu run the
// commands; three tables show the catalogue from three sides (debtors, free items, the items the
// selected debtor holds); two splitters, a type filter and a status bar.
//
// The window holds the catalogue as a document for the whole run. Its implementation is split by subject:
//   Main.cpp          creation, dispatch, the window's own messages, settings, the reports, mail, About
//   MainSearch.cpp    the item search (find dialog, Find next) and the tables' quick search
//   MainLayout.cpp    actions, menus, the controls, their layout and the splitters' limits
//   MainTables.cpp    the refresh routines, the records of the selected rows, the tables' own handlers,
//                     the check boxes and the type filter
//   MainDocument.cpp  the catalogue as a document: New, Open, Save, autosave, close query, settings
//   MainCommands.cpp  the debtor and item commands
//   MainLending.cpp   lending and returning: buttons, double clicks, mouse presses, drag and drop

#include "catalog/Catalog.h"
#include "catalog/Document.h"
#include "catalog/LongLoans.h"
#include "platform/FileDialog.h"
#include "platform/Dpi.h"
#include "platform/FindDialog.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/Window.h"
#include "settings/Settings.h"
#include "text/ShortDate.h"
#include "ui/Action.h"
#include "ui/FlatButton.h"
#include "ui/GroupBox.h"
#include "ui/Hints.h"
#include "ui/Splitter.h"
#include "ui/StatusBar.h"
#include "ui/StringGrid.h"
#include "ui/ToolBar.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TAboutBox;
class TExportForm;
class TForm2;
class TSetsForm;
class TStatForm;

// The settings file beside the executable: its path with the extension replaced by ".ini".
std::string DefaultSettingsPath();

class TForm1 : public Window {
  public:
    // Creates the main window hidden; Show() makes it visible. Tests pass a settings file of their own,
    // and a clock of their own for the moments that lending, returning and new items are stamped with.
    explicit TForm1(std::string settingsPath = DefaultSettingsPath(), NowClock now = LocalNow);
    ~TForm1() override;

    void Show(int cmdShow);
    // Asks the window to close, as the user's close box does (the close query runs).
    void Close();

    // The catalogue the tables show. After changing it, call the refresh routines. Tests and the
    // benchmark put records in and look at what the commands made of them here, without a file between.
    Catalog& GetCatalog() { return document_.Data(); }
    const Catalog& GetCatalog() const { return document_.Data(); }
    // The editor dialog, created at start-up after this window and reused by the commands.
    void SetEditDialog(TForm2* dialog) { Form2 = dialog; }
    // Whether the autosave timer runs: a timer cannot be seen from outside the program.
    bool Timer1Enabled() const { return timer1Enabled_; }

    // The refresh routines: every command that changes what the tables show calls them.
    void UpdateCommands();
    void FillFreeItems();
    void FillUsers();
    void FillUserItems();

    // The type filter list (GetCatalog().types, mirrored by FilterCB). RegisterType takes a type in by the
    // list's rule (appended unless an entry equals it ignoring letter case), then enables FilterCB and
    // FilterChB exactly when there is more than one entry and selects the first entry when none is
    // selected. SyncTypeFilter does the same for the entries a catalog file read put into the list.
    // ClearTypeFilter empties it and disables both controls; the check mark stays as it is.
    void RegisterType(std::string_view type);
    void SyncTypeFilter();
    void ClearTypeFilter();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // ---- Main.cpp and MainLayout.cpp: creation, layout, dispatch -------------------------------------
    std::string Caption() const;
    void CreateControls();
    void CreateActions();
    void CreateMenus();
    // At the window's display scale (scale_): the font, the pictures and the sizes of the bars, tables,
    // buttons and splitters; then the boxes' controls at their design places, which the layout step
    // (LayoutControls) fits to the boxes.
    void ApplyScale();
    void PlaceControls();
    void LayoutControls();
    void FitControls();
    void ArrangePanels();
    // The window moved to a monitor of another scale: laid out again at that scale, at the size the
    // system proposes; the sizes the user chose (panels, columns) keep their size in design units.
    void OnDpiChanged(int dpi, const RECT& proposed);
    void FormCreate();
    void FormDestroy();
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(const NMHDR* header);
    void OnActivate(WORD state);
    void OnSetFocus();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnSysCommand(WPARAM command, LPARAM lParam, LRESULT& result);
    void OnMeasureMenuPicture(MEASUREITEMSTRUCT* item);
    void OnDrawItem(const DRAWITEMSTRUCT* item);
    void OnDrawMenuPicture(const DRAWITEMSTRUCT* item);
    void OnInitMenuPopup(HMENU menu);
    void SwitchTimer(UINT_PTR id, UINT interval, bool enabled, bool& running);
    void SetTimer1Enabled(bool enabled);
    // The timer that notices a new day while the warning for things away too long is on.
    void SetTimer2Enabled(bool enabled);
    // The text of a status bar panel: 0 (kLongLoansPanel) counts the things away too long, 1 is the status
    // note, 2 (kProgressPanel) the status progress.
    void SetStatusText(int panel, const std::string& text);
    static constexpr int kLongLoansPanel = 0;
    static constexpr int kProgressPanel = 2;
    // The two menu entries that only the opening of the File menu enables (N1Click).
    void SetFindMenuEnabled(bool enabled);
    void SetStatMenuEnabled(bool enabled);
    bool FindMenuEnabled() const;
    // Size of the lent items box (PanHeight) and of the debtors box (PanWidth).
    void SetPanHeight(int height);
    void SetPanWidth(int width);
    // The lent items table follows the debtors table's selection, keeping its own selected row when a
    // repaint shows the same debtor; the commands follow the rows.
    void FollowSelectedDebtor();
    // Before records leave the lists wholesale, the tables let go of them.
    void EmptyTables();
    // The things away too long, counted again in the whole catalogue for the tables' colours and the status
    // bar: after every change of holders (each refills the debtors table), of the setting, and of the day.
    void CountLongLoans();
    void Timer2Timer();
    // Whether a row of the lent items table or of the debtors table is written in the warning colour.
    bool LentItemWarns(const TItemRec& item) const;
    bool DebtorWarns(const TUserRec& debtor) const;
    // The records the selected rows of the debtors, free items and lent items tables stand for: what
    // every command, and the lent items table, acts on. A row stands for its own record, never for
    // another with the same name or description. nullptr on a row whose first column is empty (the one
    // row of an empty table).
    TUserRec* SelectedDebtor() const;
    TItemRec* SelectedFreeItem() const;
    TItemRec* SelectedLentItem() const;

    // ---- MainTables.cpp: the tables' own handlers, check boxes; MainLayout.cpp: splitters ------------
    void StringGrid2DrawCell(int col, int row, const ui::GridDrawState& state);
    void StringGrid2KeyUp(WORD key);
    void StringGrid3KeyUp(WORD key);
    bool Splitter1CanResize(int newSize);
    bool Splitter2CanResize(int newSize);
    void ShowDolgChBClick();
    void FilterChBClick();
    void FilterChBKeyPress(char key);
    LRESULT FilterChBCustomDraw(const NMCUSTOMDRAW* draw);

    // The type filter's check box, and the type it lets through: false while the filter lets every
    // type through (unchecked, or no entry chosen).
    bool FilterChecked() const;
    bool ActiveFilterType(std::string& type) const;

    // ---- MainSearch.cpp: the item search and the quick search --------------------------------------
    void miFindClick();
    void OnFindDialogMessage(LPARAM lParam);
    void FindDialog1Find();
    // Selects the item's row: in the free items table, or its holder's row and then its own among his.
    void ShowItem(const TItemRec& item);
    // Selects a data row and scrolls the table to have it in the middle of the view where possible.
    void SelectRowCentered(ui::StringGrid& table, int row);
    void StringGrid2KeyPress(char& key);
    void StringGrid3KeyPress(char& key);
    // Selects the row a typed letter or digit found (centred); false for 0, when it found none.
    bool QuickSearch(ui::StringGrid& table, int row);

    // ---- Main.cpp: settings, export, statistics, mail, About, history ---------------------------------
    void SetsActExecute();
    void ExportActExecute();
    void miStatClick();
    void MailActExecute();
    void AboutActExecute();
    void miHistoryClick();
    void ExitActExecute();

    // ---- MainDocument.cpp: the catalogue as a document, and the settings file ------------------------
    void NewActExecute();
    void OpenActExecute();
    void SaveActExecute();
    void Timer1Timer();
    bool FormCloseQuery();
    void N1Click();
    void SetModified(bool value);
    void LoadSaveSettings(bool read);
    // Creation steps of the document: before the settings are first read (initial folders of the file
    // dialogs), and after the layout (autosave timer, opening the last catalogue at start).
    void PrepareDocument();
    void OpenAtStart();
    // The end of every reading, whether it succeeded or failed: the type filter and the three tables
    // show what was read, and the progress text goes.
    void FinishReading();
    // Title "<file name> - <product name>" for the file now bound to the catalogue.
    void ShowFileTitle();
    // A modal dialog of the program is open (a message box, a file dialog, the editor): an autosave
    // tick must not open another one.
    bool ModalDialogOpen() const;
    // The window's shape as the settings file keeps it, and putting a stored shape back.
    MainGeometry CurrentGeometry() const;
    void ApplyGeometry(const MainGeometry& geometry);
    // Only the outer bounds of a stored shape; the window may take others (CurrentGeometry tells).
    void PlaceBounds(const MainGeometry& geometry);
    // Only the panels' sizes and the columns' widths of a shape.
    void ApplyPanelsAndColumns(const MainGeometry& geometry);

    FileDialog OpenDialog1{FileDialog::Kind::Open};
    FileDialog SaveDialog1{FileDialog::Kind::Save};

    // ---- MainCommands.cpp: debtor and item commands ---------------------------------------------------
    void NewUActExecute();
    void EditUActExecute();
    void DelUActExecute();
    void NewIActExecute();
    void EditIActExecute();
    void DelIActExecute();
    // The editor dialog given at start-up; an error when there is none.
    TForm2& EditDialog();

    // ---- MainLending.cpp: lending and returning ---------------------------------------------------
    void OutSpdBtnClick();
    void InSpdBtnClick();
    void AllInSpdBtnClick();
    void StringGrid1DblClick();
    void StringGrid3DblClick();
    void StringGrid1MouseDown(ui::MouseButton button, int x, int y);
    void StringGrid3MouseDown(ui::MouseButton button, int x, int y);
    bool StringGrid1DragOver(ui::StringGrid& source, int x, int y);
    bool StringGrid3DragOver(ui::StringGrid& source, int x, int y);
    void StringGrid1DragDrop(ui::StringGrid& source, int x, int y);
    void StringGrid3DragDrop(ui::StringGrid& source, int x, int y);
    void RefreshAfterLending(int debtorRow, int freeRow);
    TUserRec* DebtorReturning(bool ask, const char* question);

    // ---- State of the window ---------------------------------------------------------------------
    // The catalogue (UserList, ItemList, the type filter list), its file, the changed mark and the busy
    // flag of a running save or opening.
    CatalogDocument document_;
    NowClock now_;
    std::string settingsPath_;
    std::string BaseCaption;
    bool OpeningAtStart = false;
    bool created_ = false;          // the creation ran to its end
    std::int32_t AutoSaveTicks = 0; // ticks of Timer1, never reset
    bool autoSaving_ = false;       // the running Save is Timer1's: it leaves a file changed elsewhere alone
    std::int32_t SearchPosition = 0;
    std::string lastSearchText_; // the text the previous item search looked for
    FindDialog FindDialog1;      // the modeless find dialog, with its text, for the whole run
    TForm2* Form2 = nullptr;     // the editor dialog (not owned)
    bool timer1Enabled_ = false;
    bool timer2Enabled_ = false;
    // The things away too long as last counted, with what they were counted at: the colours of the rows
    // follow the same moment and number of days, so that they always agree with the count. Nothing is
    // counted while the setting is off.
    LongLoans longLoans_;
    bool longLoansOn_ = false;
    TDateTime longLoansNow_ = 0;
    std::int32_t longLoansDays_ = 0;
    bool ShowMaximized = false; // the window appears maximized when first shown (settings)
    ShortDateFormat dates_;     // the user's short date format: lent dates, the catalog file

    // The export dialog, the statistics window and the settings dialog, made on first use and kept for
    // the run.
    std::unique_ptr<TExportForm> ExportForm;
    std::unique_ptr<TStatForm> StatForm;
    std::unique_ptr<TAboutBox> AboutBox; // the About box, made on first use and kept for the run
    std::unique_ptr<TSetsForm> SetsForm;

    // ---- Controls (children die with the window; the wrappers do not own them) ---------------------
    // The display scale the window is laid out at: its monitor's, or the system's on systems without a
    // scale per monitor. Every design size and position goes through it.
    DisplayScale scale_;
    unique_hfont font_;
    unique_himagelist ImageList1;         // 16 x 16: actions, menus, pop-up menus
    unique_himagelist ImageList2;         // 32 x 32: tool bar
    unique_himagelist ImageList2Disabled; // the tool bar's disabled buttons
    unique_himagelist buttonImages_;      // the three flat buttons, two states each
    unique_hmenu MainMenu1Owner_;         // owned until it is given to the window
    HMENU MainMenu1 = nullptr;
    HMENU N1 = nullptr;  // File
    HMENU N16 = nullptr; // File / Search
    unique_hmenu UserPupMnu;
    unique_hmenu ItemPupMnu;
    unique_haccel accelerators_;
    ui::ActionList ActionList1;
    ui::Action ExitAct, NewAct, OpenAct, SaveAct, AboutAct, SetsAct, NewUAct, EditUAct, DelUAct, NewIAct,
        EditIAct, DelIAct, MailAct, ExportAct;
    ui::ToolBar ToolBar1; // in CoolBar1
    ui::GroupBox GroupBox1, GroupBox2, GroupBox3;
    ui::Splitter Splitter1, Splitter2;
    ui::RecordGrid<TItemRec> StringGrid1; // lent items
    ui::RecordGrid<TUserRec> StringGrid2; // debtors
    ui::RecordGrid<TItemRec> StringGrid3; // free items
    HWND ShowDolgChB = nullptr;
    HWND FilterChB = nullptr;
    HWND FilterCB = nullptr;
    ui::FlatButton OutSpdBtn, InSpdBtn, AllInSpdBtn;
    ui::StatusBar StatusBar1;
    ui::Hints hints_;
    HWND lastFocus_ = nullptr; // the control that had the keyboard when the window was last left
    int panHeight_ = 0;        // GroupBox1's height, in pixels
    int panWidth_ = 0;         // GroupBox2's width, in pixels
};
