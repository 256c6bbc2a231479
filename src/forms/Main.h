#pragma once
// The main window: the whole working surface of the program. A tool bar and a main menu run the
// commands; three tables show the catalogue from three sides (debtors, free items, the items the
// selected debtor holds); two splitters, a type filter and a status bar.
//
// The window asks and shows; three objects do the work behind its handlers:
//   MainDocument   the catalogue as a document (file, changed mark, New, Open, Save, autosave, close
//                  query, settings file) and the one door through which the records change
//   MainTables     the three tables, the records of their selected rows, the type filter, the colours
//   MainCommands   the commands that change the catalogue: each makes a step and hands it to the document
// Its own code: Main.cpp (creation, dispatch, handlers), MainLayout.cpp (controls, layout, scale, shape),
// MainMenus.cpp, MainSearch.cpp, MainReports.cpp (settings, reports, mail, About, both histories).

#include "forms/MainCommands.h"
#include "forms/MainDocument.h"
#include "forms/MainTables.h"
#include "platform/Dpi.h"
#include "platform/FindDialog.h"
#include "platform/Handles.h"
#include "ui/Action.h"
#include "ui/FlatButton.h"
#include "ui/GroupBox.h"
#include "ui/Hints.h"
#include "ui/Splitter.h"
#include "ui/ToolBar.h"

#include <memory>
#include <string>
#include <string_view>

class TAboutBox;
class TExportForm;
class TLoansForm;
class TSetsForm;
class TStatForm;

// The settings file beside the executable: its path with the extension replaced by ".ini".
std::string DefaultSettingsPath();

class TForm1 : public Window, private DocumentHost {
  public:
    // Creates the main window hidden; Show() makes it visible. Tests pass a settings file of their own,
    // and a clock of their own for the moments that lending, returning and new items are stamped with.
    explicit TForm1(std::string settingsPath = DefaultSettingsPath(), NowClock now = LocalNow);
    ~TForm1() override;

    void Show(int cmdShow);
    // Asks the window to close, as the user's close box does (the close query runs).
    void Close();

    // The catalogue the tables show. Tests and the benchmarks put records in here and look at what the
    // commands made of them, without a file between; after putting records in, they call the refresh
    // routines, and RegisterType or SyncTypeFilter for the type filter list.
    Catalog& GetCatalog() { return document_.Data(); }
    const Catalog& GetCatalog() const { return document_.Data(); }
    void SetEditDialog(TForm2* dialog) { commands_.SetEditDialog(dialog); }
    // Whether the autosave timer runs: a timer cannot be seen from outside the program.
    bool Timer1Enabled() const { return timer1Enabled_; }

    void UpdateCommands();
    void FillFreeItems() { tables_.FillFreeItems(); }
    void FillUsers() { tables_.FillUsers(); }
    void FillUserItems() { tables_.FillUserItems(); }
    // The type filter list: RegisterType takes a type in by the list's rule (appended unless an entry
    // equals it ignoring letter case); SyncTypeFilter shows the list as it is; ClearTypeFilter empties it.
    void RegisterType(std::string_view type);
    void SyncTypeFilter() { tables_.SyncTypes(); }
    void ClearTypeFilter();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // ---- Creation, layout, dispatch (Main.cpp, MainLayout.cpp, MainMenus.cpp) ------------------------
    void CreateControls();
    void CreateActions();
    void CreateMenus();
    void ConnectTables();
    // At the window's display scale: the font, the pictures and the sizes of the bars, tables, buttons
    // and splitters; then the controls at their design places, which FitControls fits to the boxes.
    void ApplyScale();
    void PlaceControls();
    void FitControls();
    void ArrangePanels();
    void OnDpiChanged(int dpi, const RECT& proposed);
    void FormCreate();
    void FormDestroy();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR* header);
    void OnActivate(WORD state);
    void OnSetFocus();
    void OnSysCommand(WPARAM command, LPARAM lParam, LRESULT& result);
    void OnMeasureMenuPicture(MEASUREITEMSTRUCT* item);
    void OnDrawItem(const DRAWITEMSTRUCT* item);
    void OnDrawMenuPicture(const DRAWITEMSTRUCT* item);
    void SwitchTimer(UINT_PTR id, UINT interval, bool enabled, bool& running);
    void SetTimer1Enabled(bool enabled);
    void SetTimer2Enabled(bool enabled);
    // The two entries of the File menu that only its opening enables (N1Click); the Edit menu's entries.
    void SetFileMenuEntriesEnabled(bool enabled);
    void UpdateUndoMenu();
    bool FindMenuEnabled() const;
    // Size of the lent items box (PanHeight) and of the debtors box (PanWidth).
    void SetPanHeight(int height);
    void SetPanWidth(int width);
    MainGeometry CurrentGeometry() const override;
    void ApplyGeometry(const MainGeometry& geometry) override;
    void PlaceBounds(const MainGeometry& geometry) override;
    bool ModalDialogOpen() const override;
    // Only the panels' sizes and the columns' widths of a shape.
    void ApplyPanelsAndColumns(const MainGeometry& geometry);

    // ---- The handlers -------------------------------------------------------------------------------
    void NewActExecute() { document_.New(); }
    void OpenActExecute() { document_.Open(); }
    void SaveActExecute() { document_.Save(); }
    void Timer1Timer() { document_.AutosaveTick(); }
    void Timer2Timer() { tables_.NewDayTick(); }
    void miUndoClick();
    void miRedoClick();
    void miDebtorLoansClick();
    void miItemLoansClick();
    void N1Click();
    void NewUActExecute() { commands_.NewDebtor(); }
    void EditUActExecute() { commands_.EditDebtor(); }
    void DelUActExecute() { commands_.DeleteDebtor(); }
    void NewIActExecute() { commands_.NewItem(); }
    void EditIActExecute() { commands_.EditItem(); }
    void DelIActExecute() { commands_.DeleteItem(); }
    void OutSpdBtnClick() { commands_.Lend(); }
    void InSpdBtnClick() { commands_.Return(); }
    void AllInSpdBtnClick() { commands_.ReturnAll(); }
    void StringGrid1DblClick();
    void StringGrid3DblClick();
    void StringGrid2DrawCell(int col, int row, const ui::GridDrawState& state);
    void StringGrid2KeyUp(WORD key);
    void StringGrid3KeyUp(WORD key);
    void StringGrid2KeyPress(char& key);
    void StringGrid3KeyPress(char& key);
    bool Splitter1CanResize(int newSize);
    bool Splitter2CanResize(int newSize);
    void ShowDolgChBClick() { tables_.FillUsers(); }
    void FilterChBClick() { tables_.FillFreeItems(); }
    void FilterChBKeyPress(char) { tables_.FillFreeItems(); }
    void miFindClick() { FindDialog1.Show(Handle()); }
    void OnFindDialogMessage(LPARAM lParam);
    void FindDialog1Find();
    void SetsActExecute();
    void ExportActExecute();
    void miStatClick();
    void MailActExecute();
    void AboutActExecute();
    void miHistoryClick();
    void ExitActExecute() { Close(); }

    // ---- State -----------------------------------------------------------------------------------------
    NowClock now_;
    MainDocument document_;
    MainTables tables_;
    MainCommands commands_;
    bool created_ = false; // the creation ran to its end
    bool timer1Enabled_ = false;
    bool timer2Enabled_ = false;
    bool ShowMaximized = false;              // the window appears maximized when first shown (settings)
    int SearchPosition = 0;                  // the item after the last hit of the item search
    std::string lastSearchText_;             // the text the previous item search looked for
    FindDialog FindDialog1;                  // the modeless find dialog, with its text, for the whole run
    std::unique_ptr<TExportForm> ExportForm; // the dialogs, made on first use and kept for the run
    std::unique_ptr<TStatForm> StatForm;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TSetsForm> SetsForm;
    std::unique_ptr<TLoansForm> LoansForm;

    // ---- Controls (children die with the window; the wrappers do not own them) ---------------------
    DisplayScale scale_; // the scale the window is laid out at: its monitor's
    unique_hfont font_;
    unique_himagelist ImageList1;         // 16 x 16: actions, menus, pop-up menus
    unique_himagelist ImageList2;         // 32 x 32: tool bar
    unique_himagelist ImageList2Disabled; // the tool bar's disabled buttons
    unique_himagelist buttonImages_;      // the three flat buttons, two states each
    HMENU N1 = nullptr;                   // File
    HMENU EditMenu = nullptr;
    unique_hmenu UserPupMnu;
    unique_hmenu ItemPupMnu;
    unique_hmenu LentPupMnu;
    unique_haccel accelerators_;
    ui::ActionList ActionList1;
    ui::Action ExitAct, NewAct, OpenAct, SaveAct, AboutAct, SetsAct, NewUAct, EditUAct, DelUAct, NewIAct,
        EditIAct, DelIAct, MailAct, ExportAct;
    ui::ToolBar ToolBar1; // in CoolBar1
    ui::GroupBox GroupBox1, GroupBox2, GroupBox3;
    ui::Splitter Splitter1, Splitter2;
    ui::FlatButton OutSpdBtn, InSpdBtn, AllInSpdBtn;
    ui::StatusBar StatusBar1;
    ui::Hints hints_;
    HWND lastFocus_ = nullptr; // the control that had the keyboard when the window was last left
    int panHeight_ = 0;        // GroupBox1's height, in pixels
    int panWidth_ = 0;         // GroupBox2's width, in pixels
};
