#pragma once
// The main window as the tests drive it: a fresh window over a settings file of its own in a test folder,
// the editor dialog created after it as at program start, and a clock the test sets. The helpers put debtors
// and items into its catalogue, find its controls by their ids as another program would, and click, press
// keys and read the tables as a person would.

#include "ModalAnswerer.h"
#include "TestFolder.h"

#include "forms/CommandIds.h"
#include "forms/EditUnit.h"
#include "forms/Main.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// Handles the messages now waiting, paints included.
void Pump();
// The middle of a data row (1 is the first) in the grid's client coordinates.
POINT RowPoint(const ui::StringGrid& grid, int row);
// Posts a mouse message with a point in the window's client coordinates.
void Post(HWND window, UINT msg, WPARAM keys, POINT at);
// A left click on a data row: press and release at one point.
void ClickRow(ui::StringGrid& grid, int row);
void PressKey(HWND control, WORD key);
// A key typed as the user types it: down and up to the control that has the keyboard, through the
// program's own message loop (where Tab and the shortcut keys are taken), with Shift and Ctrl held or not.
void TypeKey(WORD key, bool shift = false, bool control = false);
// Selects a data row as another program does (a screen reader, a test tool): the list view's item state
// LVIS_SELECTED | LVIS_FOCUSED, with no mouse or key involved.
void SelectFromOutside(ui::StringGrid& grid, int row);
// The data row the list view reports as selected, or with LVNI_FOCUSED as focused; 0 for none.
int ListViewRow(const ui::StringGrid& grid, UINT which = LVNI_SELECTED);
// The texts of one column of the data rows.
Texts ColumnOf(const ui::StringGrid& grid, int col);
// The entries of a combo box's list.
Texts ListEntries(HWND combo);
RECT BoundsInParent(HWND hwnd);
// Drags a splitter by steps of `step` pixels, `steps` times, as a held mouse moves it.
void DragSplitter(HWND splitter, bool sideways, int step, int steps);
int WidthOf(HWND hwnd);
int HeightOf(HWND hwnd);

class MainWindowFixture : public testing::Test {
  protected:
    // The clock of every main window test: 15.03.2024 10:30.
    static constexpr TDateTime kNow = 45366.4375;
    // The lent date of the items the tests put in: 15.03.2023.
    static constexpr TDateTime kEarlier = 45000;

    MainWindowFixture() : savedSettings_(Settings) {}
    // Start()s the window; the settings the test began with come back at the end.
    void SetUp() override;
    void TearDown() override;
    // Creates and shows the main window over the test folder's settings file, with the editor dialog
    // created after it, as the program starts.
    void Start();

    Catalog& Data() { return form->GetCatalog(); }

    // The main window's controls by their ids (forms/CommandIds.h), wherever they lie among its children.
    HWND Control(int id) const;
    ui::StringGrid& Debtors() const { return Table(IDC_STRINGGRID2); }
    ui::StringGrid& FreeItems() const { return Table(IDC_STRINGGRID3); }
    ui::StringGrid& LentItems() const { return Table(IDC_STRINGGRID1); }
    HWND ShowDolgCheckBox() const { return Control(IDC_SHOWDOLGCHB); }
    HWND FilterCheckBox() const { return Control(IDC_FILTERCHB); }
    HWND FilterComboBox() const { return Control(IDC_FILTERCB); }
    HWND OutButton() const { return Control(IDC_OUTSPDBTN); }
    HWND InButton() const { return Control(IDC_INSPDBTN); }
    HWND AllInButton() const { return Control(IDC_ALLINSPDBTN); }
    HWND StatusBar() const { return Control(IDC_STATUSBAR1); }
    HWND ToolBar() const { return Control(IDC_TOOLBAR1); }
    HWND DebtorsBox() const { return Control(IDC_GROUPBOX2); }
    HWND FreeItemsBox() const { return Control(IDC_GROUPBOX3); }
    HWND LentItemsBox() const { return Control(IDC_GROUPBOX1); }
    HWND DebtorsSplitter() const { return Control(IDC_SPLITTER2); }
    HWND LentItemsSplitter() const { return Control(IDC_SPLITTER1); }
    // The find dialog while it is open, else nullptr.
    HWND FindDialogWindow() const;
    // Whether the command's menu entry is enabled (an action shows its state in the menus and on the
    // tool bar).
    bool CommandEnabled(int commandId) const;
    // Runs a command as its menu entry or tool bar button does.
    void RunCommand(int commandId) const;
    // The window's title.
    std::string Caption() const;

    // Puts a record into its list in list order, as a file read would; the item's identifier is the
    // list's new count, its type registered, its holder's count raised. The tables are not refilled.
    TUserRec& AddDebtor(const std::string& name, int id, const std::string& mail = {});
    TItemRec& AddItem(const std::string& description, const std::string& type = "Книга", int holderId = 0,
                      TDateTime lent = kEarlier);
    // Gives a free item to a debtor behind the tables' back.
    static void Lend(TItemRec& item, TUserRec& debtor);
    // Refills the three tables, as a file read ends.
    void FillAll();

    // Runs a command; the answers serve the windows it opens, in order. Gives "caption: text" of each.
    Texts Run(int commandId, ModalAnswerer& answerer);

    // The status note: "База изменена" once the catalogue changed.
    std::string StatusNote() const;

    // What the window's clock says; a test may move it on.
    TDateTime timeNow = kNow;

    TestFolder folder{"main-window"};
    std::string settingsPath = folder.File("veshchehran.ini");
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> editor;

  private:
    ui::StringGrid& Table(int id) const;

    RecIni savedSettings_;
};

// The window as the program's main window, as the message loop knows it: its shortcuts and Tab work
// through Application::ProcessMessages.
class ProgramWindowFixture : public MainWindowFixture {
  protected:
    void SetUp() override;
    void TearDown() override;
};
