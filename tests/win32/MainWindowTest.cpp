// The main window with catalogues put into its lists by the test: what the three tables show, which
// rows they select, which commands are enabled, the type filter, the check boxes, the keys of the
// tables, Tab through the controls, and the splitters' limits. Everything goes through the real window
// and its controls.

#include "MainWindowFixture.h"

#include "platform/Application.h"

#include <string>

namespace {

using MainWindowTest = MainWindowFixture;

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// BM_CLICK clicks a check box as the mouse does: its mark changes and its parent hears of the click.
void Click(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    Pump();
}

} // namespace

// As the program starts with nothing to open, and again after New.
TEST_F(MainWindowTest, EmptyCatalogueShowsHeadersAndOneEmptyRowWithTheSevenCommandsDisabled) {
    for (ui::StringGrid* grid : {&Debtors(), &FreeItems(), &LentItems()}) {
        EXPECT_EQ(ColumnOf(*grid, 0), Texts{""});
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_EQ(ListViewRow(*grid), 1);
    }
    EXPECT_EQ(Debtors().Cell(0, 0), "Имя должника");
    EXPECT_EQ(Debtors().Cell(1, 0), "Кол-во");
    EXPECT_EQ(FreeItems().Cell(0, 0), "Описание предмета");
    EXPECT_EQ(FreeItems().Cell(1, 0), "Тип");
    EXPECT_EQ(LentItems().Cell(0, 0), "Дата");
    EXPECT_EQ(LentItems().Cell(1, 0), "Описание предмета");
    EXPECT_EQ(LentItems().Cell(2, 0), "Тип");

    auto expectSevenDisabled = [&] {
        EXPECT_FALSE(IsWindowEnabled(OutButton()));
        EXPECT_FALSE(IsWindowEnabled(InButton()));
        EXPECT_FALSE(IsWindowEnabled(AllInButton()));
        HMENU menu = GetMenu(form->Handle());
        for (int id : {IDM_EDITU, IDM_DELU, IDM_EDITI, IDM_DELI}) {
            EXPECT_FALSE(CommandEnabled(id)) << id;
            EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) << id;
            EXPECT_FALSE(SendMessageA(ToolBar(), TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0)) << id;
        }
    };
    expectSevenDisabled();
    for (int id : {IDM_NEW, IDM_OPEN, IDM_SAVE, IDM_NEWU, IDM_NEWI, IDM_MAIL, IDM_EXPORT, IDM_SETS, IDM_ABOUT,
                   IDM_EXIT}) {
        EXPECT_TRUE(CommandEnabled(id)) << id;
    }
    EXPECT_FALSE(IsWindowEnabled(FilterComboBox()));
    EXPECT_FALSE(IsWindowEnabled(FilterCheckBox()));
    // The keys go to the debtors table from the start.
    EXPECT_EQ(GetFocus(), Debtors().Handle());

    AddDebtor("Анна", 1);
    AddItem("Атлас", "Книга", 1);
    AddItem("Вальс");
    FillAll();
    ASSERT_TRUE(IsWindowEnabled(InButton()));
    RunCommand(IDM_NEW);
    Pump();
    expectSevenDisabled();
}

TEST_F(MainWindowTest, TablesFollowTheListOrder) {
    TUserRec& boris = AddDebtor("Борис", 2);
    TUserRec& anna = AddDebtor("Анна", 1);
    AddItem("Тетрадь", "Канцелярия");
    AddItem("Книга", "Книги", anna.Id, 45658.75);
    AddItem("Альбом", "Канцелярия");
    AddItem("Ваза", "Посуда", boris.Id);
    AddItem("Атлас", "Книги", anna.Id, 45700);
    FillAll();

    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Анна", "Борис"}));
    EXPECT_EQ(ColumnOf(Debtors(), 1), (Texts{"2", "1"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Альбом", "Тетрадь"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 1), (Texts{"Канцелярия", "Канцелярия"}));
    // The first debtor is selected, and the lent items table lists his items with their dates.
    EXPECT_EQ(ColumnOf(LentItems(), 0), (Texts{"12.02.2025", "01.01.2025"}));
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Атлас", "Книга"}));
    EXPECT_EQ(ColumnOf(LentItems(), 2), (Texts{"Книги", "Книги"}));

    // A text reader of the list (another process, a screen reader) gets the same cells.
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Debtors().Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "1");

    EXPECT_TRUE(IsWindowEnabled(OutButton()));
    EXPECT_TRUE(IsWindowEnabled(InButton()));
    EXPECT_TRUE(IsWindowEnabled(AllInButton()));
    for (int id : {IDM_EDITU, IDM_DELU, IDM_EDITI, IDM_DELI}) {
        EXPECT_TRUE(CommandEnabled(id)) << id;
    }
}

TEST_F(MainWindowTest, ARefillSelectsTheFirstDebtorAndKeepsTheFreeItemsRowNumberWhileThatRowExists) {
    TUserRec& debtor = AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    AddDebtor("Вера", 3);
    TItemRec& a = AddItem("А", "Т");
    AddItem("Б", "Т");
    TItemRec& c = AddItem("В", "Т");
    FillAll();

    ClickRow(Debtors(), 3);
    ASSERT_EQ(Debtors().Row(), 3);
    form->FillUsers();
    EXPECT_EQ(Debtors().Row(), 1);
    EXPECT_EQ(Debtors().TopRow(), 1);

    ClickRow(FreeItems(), 2);
    ASSERT_EQ(FreeItems().Row(), 2);
    Lend(a, debtor);
    form->FillFreeItems();
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Б", "В"}));
    EXPECT_EQ(FreeItems().Row(), 2); // the same position, now another item

    a.HolderId = 0;
    form->FillFreeItems();
    ClickRow(FreeItems(), 3);
    ASSERT_EQ(FreeItems().Row(), 3);
    Lend(c, debtor);
    form->FillFreeItems();
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"А", "Б"}));
    EXPECT_EQ(FreeItems().Row(), 1);
}

TEST_F(MainWindowTest, LentItemsTableFollowsTheDebtorSelectedByMouseKeyboardOrAnotherProgram) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TUserRec& boris = AddDebtor("Борис", 2);
    AddItem("Ключи", "Разное", anna.Id);
    AddItem("Молоток", "Инструмент", boris.Id);
    AddItem("Пила", "Инструмент", boris.Id);
    FillAll();
    ASSERT_EQ(ColumnOf(LentItems(), 1), Texts{"Ключи"});

    ClickRow(Debtors(), 2);
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Молоток", "Пила"}));
    EXPECT_EQ(LentItems().Row(), 1);

    PressKey(Debtors().Handle(), VK_UP);
    EXPECT_EQ(Debtors().Row(), 1);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Ключи"});

    // At once, as a screen reader reading the lent items next would find them.
    SelectFromOutside(Debtors(), 2);
    EXPECT_EQ(Debtors().Row(), 2);
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Молоток", "Пила"}));
    EXPECT_EQ(ListViewRow(LentItems()), 1);
    PressKey(Debtors().Handle(), VK_UP);
    EXPECT_EQ(ListViewRow(Debtors()), 1);
    EXPECT_EQ(ListViewRow(Debtors(), LVNI_FOCUSED), 1);

    // After a refill that leaves another debtor on the selected row, the table follows at the next paint.
    anna.Name = "Яна";
    Data().users.Sort(CompareUserNames);
    form->FillUsers();
    Pump();
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Молоток", "Пила"}));
}

TEST_F(MainWindowTest, TwoDebtorsOfOneNameEachShowTheirOwnItems) {
    AddDebtor("Анна", 1);
    AddDebtor("Анна", 2);
    AddItem("Ключи", "Разное", 1);
    AddItem("Пила", "Инструмент", 2);
    FillAll();
    ClickRow(Debtors(), 2);
    const Texts second = ColumnOf(LentItems(), 1);
    ClickRow(Debtors(), 1);
    const Texts first = ColumnOf(LentItems(), 1);
    EXPECT_TRUE((first == Texts{"Ключи"} && second == Texts{"Пила"}) ||
                (first == Texts{"Пила"} && second == Texts{"Ключи"}))
        << first[0] << ", " << second[0];
}

// A repaint of the debtors table (the focus moving to the lent items table, a box shown over it) must not
// move the lent item the user chose back to the first row: a return would then take another item.
TEST_F(MainWindowTest, ARepaintOfTheDebtorsTableKeepsTheChosenLentItem) {
    TUserRec& anna = AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    AddItem("Ключи", "Разное", anna.Id);
    AddItem("Пила", "Инструмент", anna.Id);
    TItemRec& drill = AddItem("Дрель", "Инструмент");
    FillAll();
    ClickRow(Debtors(), 1);
    ClickRow(LentItems(), 2);
    EXPECT_EQ(LentItems().Row(), 2);
    RedrawWindow(Debtors().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(LentItems().Row(), 2);
    EXPECT_EQ(LentItems().Cell(1, 2), "Пила");

    // What changed behind the tables shows at the next paint of the selected debtor.
    Lend(drill, anna);
    RedrawWindow(Debtors().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Дрель", "Ключи", "Пила"}));
    EXPECT_EQ(LentItems().Row(), 1);
}

TEST_F(MainWindowTest, ShowDolgCheckBoxHidesDebtorsHoldingNothing) {
    TUserRec& anna = AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    TUserRec& vera = AddDebtor("Вера", 3);
    TItemRec& saw = AddItem("Пила", "Инструмент", vera.Id);
    AddItem("Ключи", "Разное", anna.Id);
    FillAll();

    Click(ShowDolgCheckBox());
    ASSERT_TRUE(IsChecked(ShowDolgCheckBox()));
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Анна", "Вера"}));
    Click(ShowDolgCheckBox());
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Анна", "Борис", "Вера"}));

    // Nobody holds anything: one empty row, no lent items, nothing to edit, nobody to lend to.
    Data().items.Clear();
    saw.HolderId = 0; // already destroyed with the list; the counts are what matter
    anna.ItemCount = 0;
    vera.ItemCount = 0;
    AddItem("Дрель", "Инструмент");
    form->FillFreeItems();
    Click(ShowDolgCheckBox());
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{""});
    EXPECT_EQ(ColumnOf(LentItems(), 0), Texts{""});
    EXPECT_FALSE(CommandEnabled(IDM_EDITU));
    EXPECT_FALSE(CommandEnabled(IDM_DELU));
    EXPECT_FALSE(IsWindowEnabled(OutButton()));
    EXPECT_TRUE(CommandEnabled(IDM_EDITI));
}

TEST_F(MainWindowTest, TypeFilterShowsOnlyTheChosenTypeWithItsExactLetterCase) {
    AddItem("Атлас", "Книга");
    AddItem("Букварь", "книга"); // the list already has Книга: no entry of its own
    AddItem("Вальс", "Диск");
    FillAll();
    HWND combo = FilterComboBox();
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    ASSERT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);

    Click(FilterCheckBox());
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Атлас"});

    // Choosing an entry counts once the drop-down list closes.
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Атлас"});
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Вальс"});

    // ... or at the next character key in the filter's controls.
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Вальс"});
    SendMessageA(combo, WM_CHAR, '1', 1);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Атлас"});

    Click(FilterCheckBox());
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Атлас", "Букварь", "Вальс"}));
}

TEST_F(MainWindowTest, TypeListTakesEachTypeOnceAndEnablesTheFilterFromTwoEntries) {
    HWND combo = FilterComboBox();
    form->RegisterType("Книга");
    form->RegisterType("КНИГА");
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(combo));
    EXPECT_FALSE(IsWindowEnabled(FilterCheckBox()));
    form->RegisterType("");
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_TRUE(IsWindowEnabled(combo));
    EXPECT_TRUE(IsWindowEnabled(FilterCheckBox()));
    EXPECT_EQ(Data().types.Count(), 2);

    // Emptied (the New command): both disabled, the check mark left as it was, and nothing filtered while
    // no entry is chosen.
    Click(FilterCheckBox());
    form->ClearTypeFilter();
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(combo));
    EXPECT_FALSE(IsWindowEnabled(FilterCheckBox()));
    EXPECT_TRUE(IsChecked(FilterCheckBox()));
    Data().items.AppendNew() = TItemRec{1, "Атлас", "Книга", 45000, 0};
    Data().items.AppendNew() = TItemRec{2, "Вальс", "Диск", 45000, 0};
    form->FillFreeItems();
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Атлас", "Вальс"}));

    // A file read fills the list: its first type is chosen and filters at once, though one type leaves
    // both controls disabled.
    Data().types.Add("Диск");
    form->SyncTypeFilter();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(combo));
    form->FillFreeItems();
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Вальс"});
}

// Each key's action shows itself by the dialog it opens, answered with Cancel; a disabled action opens
// none (an answerer fails the test on a dialog it does not expect). The editor is one window for the
// run, so each of its showings gets an answerer of its own.
TEST_F(MainWindowTest, InsertAndDeleteKeysRunTheTablesActionsOnlyWhileEnabled) {
    FillAll();
    auto editorCaptionAfter = [](HWND table, WORD key) {
        ModalAnswerer answerer;
        answerer.Press(IDCANCEL);
        PressKey(table, key);
        EXPECT_EQ(answerer.Pending(), 0u);
        return answerer.Seen().empty() ? std::string() : answerer.Seen()[0].caption;
    };
    EXPECT_EQ(editorCaptionAfter(Debtors().Handle(), VK_INSERT), "Информация о должнике");
    EXPECT_EQ(editorCaptionAfter(FreeItems().Handle(), VK_INSERT), "Описание предмета");
    {
        ModalAnswerer none;
        PressKey(Debtors().Handle(), VK_DELETE); // the empty rows: DelUAct and DelIAct are disabled
        PressKey(FreeItems().Handle(), VK_DELETE);
        RunCommand(IDM_DELI); // the menu's way
        Pump();
    }

    AddDebtor("Анна", 1);
    AddItem("Атлас", "Книга");
    FillAll();
    ModalAnswerer answerer;
    answerer.Press(IDCANCEL).Press(IDCANCEL);
    PressKey(Debtors().Handle(), VK_DELETE);
    PressKey(FreeItems().Handle(), VK_DELETE);
    PressKey(FreeItems().Handle(), VK_RETURN); // other keys run nothing here
    PressKey(LentItems().Handle(), VK_INSERT);
    Pump();
    EXPECT_EQ(answerer.Pending(), 0u);
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[0].text, "Удалить пользователя?");
    EXPECT_EQ(answerer.Seen()[1].text, "Удалить описание предмета?");
}

// The keyboard tests run with the window as the program's main window, as the message loop knows it.
using MainWindowKeyboardTest = ProgramWindowFixture;

std::vector<HWND> FocusAfterEachKey(WORD key, bool shift, int times) {
    std::vector<HWND> visited;
    for (int i = 0; i < times; ++i) {
        TypeKey(key, shift);
        visited.push_back(GetFocus());
    }
    return visited;
}

TEST_F(MainWindowKeyboardTest, TabAndShiftTabMoveTheKeyboardThroughTheControlsAndAround) {
    AddDebtor("Анна", 1);
    AddItem("Атлас", "Книга", 1);
    AddItem("Вальс", "Ноты");
    FillAll();
    ASSERT_TRUE(IsWindowEnabled(FilterComboBox()));
    ASSERT_TRUE(IsWindowEnabled(OutButton()));
    ASSERT_TRUE(IsWindowEnabled(InButton()));
    SetFocus(Debtors().Handle());

    const std::vector<HWND> forwards{ShowDolgCheckBox(),   FilterCheckBox(),     FilterComboBox(),
                                     FreeItems().Handle(), OutButton(),          InButton(),
                                     AllInButton(),        LentItems().Handle(), Debtors().Handle()};
    EXPECT_EQ(FocusAfterEachKey(VK_TAB, false, 9), forwards);
    const std::vector<HWND> backwards(forwards.rbegin() + 1, forwards.rend());
    EXPECT_EQ(FocusAfterEachKey(VK_TAB, true, 8), backwards);
    TypeKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Debtors().Handle());
}

TEST_F(MainWindowKeyboardTest, TabPassesDisabledControlsAndAButtonDisabledUnderTheKeyboardPassesItOn) {
    FillAll(); // empty: the type filter and the three buttons are disabled
    SetFocus(Debtors().Handle());
    EXPECT_EQ(FocusAfterEachKey(VK_TAB, false, 4),
              (std::vector<HWND>{ShowDolgCheckBox(), FreeItems().Handle(), LentItems().Handle(),
                                 Debtors().Handle()}));

    Settings.QOut = false;
    AddDebtor("Анна", 1);
    AddItem("Атлас", "Книга");
    FillAll();
    SetFocus(FreeItems().Handle());
    TypeKey(VK_TAB);
    ASSERT_EQ(GetFocus(), OutButton());
    TypeKey(VK_RETURN); // as Space does, Enter presses it: lends the only free item, which disables it
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Атлас"});
    EXPECT_FALSE(IsWindowEnabled(OutButton()));
    EXPECT_TRUE(IsChild(form->Handle(), GetFocus()));
    EXPECT_TRUE(IsWindowEnabled(GetFocus()));
}

// Enter opens the editor for the debtor (answered with Cancel), F2 then has nothing to save, and Tab
// moves on without opening anything.
TEST_F(MainWindowKeyboardTest, EnterTypedInTheDebtorsTableStillEditsAndTabTypesNothingIntoIt) {
    AddDebtor("Анна", 1);
    FillAll();
    SetFocus(Debtors().Handle());
    ModalAnswerer answerer;
    std::string name;
    answerer.Then([&](HWND dialog) {
        name = WindowText(editor->ComboBox1());
        ClickDialogButton(dialog, IDCANCEL);
    });
    TypeKey(VK_RETURN);
    EXPECT_EQ(answerer.Pending(), 0u);
    EXPECT_EQ(name, "Анна");
    EXPECT_EQ(GetFocus(), Debtors().Handle());
    TypeKey(VK_F2);
    TypeKey(VK_TAB);
    EXPECT_EQ(GetFocus(), ShowDolgCheckBox());
    EXPECT_EQ(answerer.Seen().size(), 1u);
}

// The debtors box grows only while the free items box keeps about 360 pixels, and shrinks to 50; the lent
// items box shrinks only while its splitter stays 100 pixels above the status bar, and always grows.
TEST_F(MainWindowTest, SplittersStopAtTheirLimits) {
    DragSplitter(DebtorsSplitter(), true, 10, 60);
    const int freeBox = WidthOf(FreeItemsBox());
    EXPECT_GE(freeBox, 350);
    EXPECT_LT(freeBox, 360 + 10); // the last step may pass the limit by less than a step
    DragSplitter(DebtorsSplitter(), true, -10, 80);
    EXPECT_EQ(WidthOf(DebtorsBox()), 50);
    EXPECT_EQ(BoundsInParent(DebtorsSplitter()).left, 50);

    RECT client{};
    GetClientRect(form->Handle(), &client);
    const int lowest = client.bottom - 100 - HeightOf(StatusBar());
    DragSplitter(LentItemsSplitter(), false, 10, 40);
    const int top = BoundsInParent(LentItemsSplitter()).top;
    EXPECT_GE(top, lowest);
    EXPECT_LT(top, lowest + 10);
    const int before = HeightOf(LentItemsBox());
    DragSplitter(LentItemsSplitter(), false, -10, 5);
    EXPECT_EQ(HeightOf(LentItemsBox()), before + 50);
}

TEST_F(MainWindowTest, TablesFillTheirBoxesAndFollowTheWindowsSize) {
    HWND lentBox = LentItemsBox();
    HWND debtorsBox = DebtorsBox();
    HWND freeBox = FreeItemsBox();
    EXPECT_EQ(HeightOf(lentBox), 143);
    EXPECT_EQ(WidthOf(debtorsBox), 241);
    EXPECT_EQ(BoundsInParent(DebtorsSplitter()).left, 241);
    // The buttons and the filter 8 pixels in from the free items box's edges, the filter's check box
    // right before its list.
    EXPECT_EQ(BoundsInParent(OutButton()).bottom, HeightOf(freeBox) - 8);
    EXPECT_EQ(BoundsInParent(AllInButton()).right, WidthOf(freeBox) - 8);
    EXPECT_EQ(BoundsInParent(FilterComboBox()).right, WidthOf(freeBox) - 8);
    EXPECT_EQ(BoundsInParent(FilterCheckBox()).right, BoundsInParent(FilterComboBox()).left);
    // Each table lies inside its box, above the controls below it.
    const std::pair<ui::StringGrid*, HWND> tables[] = {
        {&LentItems(), lentBox}, {&Debtors(), debtorsBox}, {&FreeItems(), freeBox}};
    for (const auto& [table, box] : tables) {
        const RECT r = BoundsInParent(table->Handle());
        EXPECT_TRUE(r.left > 0 && r.top > 0 && r.right < WidthOf(box) && r.bottom < HeightOf(box));
    }
    EXPECT_LT(BoundsInParent(Debtors().Handle()).bottom, BoundsInParent(ShowDolgCheckBox()).top);
    EXPECT_LT(BoundsInParent(FreeItems().Handle()).bottom, BoundsInParent(OutButton()).top);
    // The status bar at the bottom, the lent items box right above it, its splitter above that.
    EXPECT_EQ(HeightOf(StatusBar()), 19);
    EXPECT_EQ(HeightOf(GetParent(ToolBar())), 46);
    EXPECT_EQ(BoundsInParent(lentBox).bottom, BoundsInParent(StatusBar()).top);
    EXPECT_EQ(BoundsInParent(LentItemsSplitter()).bottom, BoundsInParent(lentBox).top);

    const int freeWidth = WidthOf(FreeItems().Handle());
    const int freeHeight = HeightOf(FreeItems().Handle());
    const int debtorsWidth = WidthOf(Debtors().Handle());
    const int lentHeight = HeightOf(LentItems().Handle());
    const RECT allIn = BoundsInParent(AllInButton());
    const RECT out = BoundsInParent(OutButton());
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    SetWindowPos(form->Handle(), nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 80, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(WidthOf(FreeItems().Handle()), freeWidth + 100);
    EXPECT_EQ(HeightOf(FreeItems().Handle()), freeHeight + 80);
    EXPECT_EQ(WidthOf(Debtors().Handle()), debtorsWidth);
    EXPECT_EQ(HeightOf(LentItems().Handle()), lentHeight);
    EXPECT_EQ(BoundsInParent(AllInButton()).left, allIn.left + 100);
    EXPECT_EQ(BoundsInParent(AllInButton()).top, allIn.top + 80);
    EXPECT_EQ(BoundsInParent(OutButton()).left, out.left);
    EXPECT_EQ(BoundsInParent(FilterComboBox()).right, WidthOf(freeBox) - 8);
}
