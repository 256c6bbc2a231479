// Lending and returning through the real main window: the three buttons, double clicks and drag and
// drop, all driven by mouse messages posted to the controls as a person's clicks would deliver them. The
// clock is fixed so that the date the lent items table shows can be checked.

#include "MainWindowFixture.h"

#include <string>
#include <vector>

namespace {

// A point in the lower part of a window's client area, below the rows of a short table.
POINT LowPoint(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return POINT{r.right / 2, r.bottom - 10};
}

// The same place in another window's client coordinates.
POINT Map(HWND from, HWND to, POINT p) {
    MapWindowPoints(from, to, &p, 1);
    return p;
}

bool CursorIsNo() {
    return GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO));
}

class LendingTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Settings.QOut = Settings.QIn = Settings.QAllIn = true;
    }

    // A double click as the system delivers it: press, release, double-click, release.
    void DoubleClick(ui::StringGrid& grid, int row) {
        const POINT p = RowPoint(grid, row);
        Post(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
        Post(grid.Handle(), WM_LBUTTONUP, 0, p);
        Post(grid.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, p);
        Post(grid.Handle(), WM_LBUTTONUP, 0, p);
        Pump();
    }

    // A double click on a row, then a move past the drag threshold with the button held, and the release
    // over another table.
    void DoubleClickAndMoveOn(ui::StringGrid& grid, int row, ui::StringGrid& other) {
        const POINT p = RowPoint(grid, row);
        Post(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
        Post(grid.Handle(), WM_LBUTTONUP, 0, p);
        Post(grid.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, p);
        Post(grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, POINT{p.x + 20, p.y + 20});
        Pump();
        EXPECT_FALSE(grid.Dragging());
        EXPECT_NE(GetCapture(), grid.Handle());
        Drop(grid, other.Handle(), LowPoint(other.Handle()));
    }

    // A click with the mouse: the button shows itself pushed while pressed, and the keyboard stays where
    // it was.
    void ClickButton(HWND button) {
        HWND keyboard = GetFocus();
        Post(button, WM_LBUTTONDOWN, MK_LBUTTON, POINT{5, 5});
        Pump();
        EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
        Post(button, WM_LBUTTONUP, 0, POINT{5, 5});
        Pump();
        EXPECT_EQ(GetFocus(), keyboard);
    }

    // Presses the left button on a row and moves past the drag threshold; the drag is under way then.
    void StartDrag(ui::StringGrid& source, int row) {
        const POINT p = RowPoint(source, row);
        Post(source.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
        Post(source.Handle(), WM_MOUSEMOVE, MK_LBUTTON, POINT{p.x + 6, p.y});
        Pump();
    }

    // Moves the dragged row over a point of the target window; mouse messages go to the source table,
    // which holds the capture, in its own coordinates.
    void DragOver(ui::StringGrid& source, HWND target, POINT at) {
        Post(source.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Map(target, source.Handle(), at));
        Pump();
    }

    void Drop(ui::StringGrid& source, HWND target, POINT at) {
        Post(source.Handle(), WM_LBUTTONUP, 0, Map(target, source.Handle(), at));
        Pump();
    }

    void Drag(ui::StringGrid& source, int row, HWND target) {
        StartDrag(source, row);
        DragOver(source, target, LowPoint(target));
        Drop(source, target, LowPoint(target));
    }

    // The dialogs shown so far, as caption and text.
    Texts Asked() const {
        Texts seen;
        for (const SeenDialog& d : dialogs.Seen()) {
            seen.push_back(d.caption + ": " + d.text);
        }
        return seen;
    }

    ModalAnswerer dialogs;
};

const std::string kAskLend = "Confirm: Передать предмет?";
const std::string kAskReturn = "Confirm: Вернуть предмет?";
const std::string kAskReturnAll = "Confirm: Вернуть ВСЕ предметы?";

} // namespace

TEST_F(LendingTest, LendingByTheButtonGivesTheItemToTheDebtorWithTodaysDateAndKeepsTheSelectedRows) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TUserRec& boris = AddDebtor("Борис", 2);
    AddDebtor("Вера", 3);
    AddItem("Гитара");
    TItemRec& drill = AddItem("Дрель", "Инструмент");
    TItemRec& umbrella = AddItem("Зонт");
    FillAll();
    ClickRow(FreeItems(), 2);
    ASSERT_EQ(FreeItems().Cell(0, FreeItems().Row()), "Дрель");
    EXPECT_TRUE(dialogs.Seen().empty()) << "a click is not a drag";

    dialogs.Press(IDOK);
    ClickButton(OutButton());

    EXPECT_EQ(Asked(), Texts{kAskLend});
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Гитара", "Зонт"}));
    EXPECT_EQ(FreeItems().Row(), 2) << "the free items table keeps its row";
    EXPECT_EQ(Debtors().Row(), 1);
    EXPECT_EQ(Debtors().Cell(1, 1), "1");
    EXPECT_EQ(LentItems().RowCount(), 2);
    EXPECT_EQ(LentItems().Cell(0, 1), "15.03.2024");
    EXPECT_EQ(LentItems().Cell(1, 1), "Дрель");
    EXPECT_EQ(LentItems().Cell(2, 1), "Инструмент");
    EXPECT_EQ(StatusNote(), "База изменена");

    // Another debtor, and the last free row: that row is gone afterwards.
    ClickRow(Debtors(), 2);
    dialogs.Press(IDOK);
    ClickButton(OutButton());
    EXPECT_EQ(umbrella.HolderId, boris.Id);
    EXPECT_EQ(Debtors().Row(), 2) << "the debtor's row is selected again";
    EXPECT_EQ(FreeItems().Row(), 1) << "the lent item was the last row";
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Зонт"}) << "the lent items of the selected debtor";
}

TEST_F(LendingTest, ReturningOneByTheButtonFreesTheSelectedItemAndStampsTheReturn) {
    AddDebtor("Анна", 1);
    TUserRec& boris = AddDebtor("Борис", 2);
    TItemRec& drill = AddItem("Дрель", "Книга", 2);
    AddItem("Палатка", "Книга", 2);
    AddItem("Гитара");
    FillAll();
    ClickRow(Debtors(), 2);
    ASSERT_EQ(ColumnOf(LentItems(), 1), (Texts{"Дрель", "Палатка"}));
    ClickRow(LentItems(), 1);

    dialogs.Press(IDOK);
    ClickButton(InButton());

    EXPECT_EQ(Asked(), Texts{kAskReturn});
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(boris.ItemCount, 1);
    EXPECT_EQ(Debtors().Row(), 2);
    EXPECT_EQ(Debtors().Cell(1, 2), "1");
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Палатка"});
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Гитара", "Дрель"}));
    EXPECT_EQ(StatusNote(), "База изменена");
}

TEST_F(LendingTest, ReturningAllFreesTheSelectedDebtorsItems) {
    AddDebtor("Анна", 1);
    TUserRec& boris = AddDebtor("Борис", 2);
    TItemRec& drill = AddItem("Дрель", "Книга", 2);
    AddItem("Палатка", "Книга", 2);
    AddItem("Гитара", "Книга", 1);
    FillAll();
    ClickRow(Debtors(), 2);

    dialogs.Press(IDOK);
    ClickButton(AllInButton());

    EXPECT_EQ(Asked(), Texts{kAskReturnAll});
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(boris.ItemCount, 0);
    EXPECT_EQ(Debtors().Row(), 2);
    EXPECT_EQ(Debtors().Cell(1, 2), "0");
    EXPECT_EQ(ColumnOf(LentItems(), 0), Texts{""});
    EXPECT_FALSE(IsWindowEnabled(InButton()));
    EXPECT_FALSE(IsWindowEnabled(AllInButton()));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель", "Палатка"}));
}

TEST_F(LendingTest, EachQuestionCanBeTurnedOff) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TItemRec& drill = AddItem("Дрель");
    TItemRec& umbrella = AddItem("Зонт", "Книга", 1);
    TItemRec& tent = AddItem("Палатка", "Книга", 1);
    FillAll();
    Settings.QOut = Settings.QIn = Settings.QAllIn = false;

    ClickButton(OutButton());
    EXPECT_EQ(drill.HolderId, 1);
    ClickButton(InButton()); // the first lent row: Дрель
    EXPECT_EQ(drill.HolderId, 0);
    ClickButton(AllInButton());
    EXPECT_EQ(umbrella.HolderId, 0);
    EXPECT_EQ(tent.HolderId, 0);
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(LendingTest, CancelLeavesEverythingAsItWas) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TItemRec& drill = AddItem("Дрель");
    TItemRec& tent = AddItem("Палатка", "Книга", 1);
    FillAll();

    dialogs.Press(IDCANCEL).Press(IDCANCEL).Press(IDCANCEL);
    ClickButton(OutButton());
    ClickButton(InButton());
    ClickButton(AllInButton());

    EXPECT_EQ(Asked(), (Texts{kAskLend, kAskReturn, kAskReturnAll}));
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(tent.HolderId, 1);
    EXPECT_EQ(tent.LentDate, kEarlier);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(StatusNote(), "");
}

TEST_F(LendingTest, ADebtorShownOnlyAsAHolderLeavesTheTableWithHisLastItem) {
    AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    TUserRec& vera = AddDebtor("Вера", 3);
    AddItem("Гитара", "Книга", 1);
    TItemRec& tent = AddItem("Палатка", "Книга", 3);
    FillAll();
    SendMessageA(ShowDolgCheckBox(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(ColumnOf(Debtors(), 0), (Texts{"Анна", "Вера"}));
    ClickRow(Debtors(), 2);

    dialogs.Press(IDOK);
    DoubleClick(LentItems(), 1);

    EXPECT_EQ(tent.HolderId, 0);
    EXPECT_EQ(vera.ItemCount, 0);
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{"Анна"});
    EXPECT_EQ(Debtors().Row(), 1);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Гитара"}) << "the first row's debtor";
    EXPECT_EQ(StatusNote(), "База изменена");
}

// Double clicks and drops run the commands whatever state the buttons are in; the commands still ask
// first and then find nothing to do.
TEST_F(LendingTest, NothingChangesWhenThereIsNoDebtorOrNothingToReturn) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TItemRec& drill = AddItem("Дрель");
    FillAll();

    dialogs.Press(IDOK);
    DoubleClick(LentItems(), 1);
    EXPECT_EQ(Asked(), Texts{kAskReturn});

    // Nobody holds anything, so no debtor is shown.
    SendMessageA(ShowDolgCheckBox(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(ColumnOf(Debtors(), 0), Texts{""});
    dialogs.Press(IDOK);
    DoubleClick(FreeItems(), 1);
    EXPECT_EQ(Asked(), (Texts{kAskReturn, kAskLend}));

    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kEarlier);
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_EQ(StatusNote(), "");
}

// After the double click the mouse moves on with the button held and is released over the other item
// table: a drag would run the command a second time there. The questions are off: closing a message
// box makes Wine send a mouse move without the button, which would end a drag before the test moves.
TEST_F(LendingTest, ADoubleClickLendsOrReturnsTheClickedRowAndStartsNoDrag) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TItemRec& guitar = AddItem("Гитара");
    AddItem("Дрель");
    TItemRec& umbrella = AddItem("Зонт");
    TItemRec& tent = AddItem("Палатка", "Книга", 1);
    FillAll();
    Settings.QOut = Settings.QIn = false;

    DoubleClickAndMoveOn(FreeItems(), 3, LentItems());
    EXPECT_EQ(umbrella.HolderId, 1);
    EXPECT_EQ(umbrella.LentDate, kNow);
    EXPECT_EQ(guitar.HolderId, 0);
    EXPECT_EQ(anna.ItemCount, 2);
    EXPECT_EQ(FreeItems().Tag, 0) << "the press after the double click cleared the mark";

    ASSERT_EQ(ColumnOf(LentItems(), 1), (Texts{"Зонт", "Палатка"}));
    DoubleClickAndMoveOn(LentItems(), 1, FreeItems());
    EXPECT_EQ(umbrella.HolderId, 0);
    EXPECT_EQ(tent.HolderId, 1);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(LentItems().Tag, 0);
}

TEST_F(LendingTest, DraggingBetweenTheItemTablesLendsAndReturns) {
    TUserRec& anna = AddDebtor("Анна", 1);
    AddItem("Гитара");
    TItemRec& drill = AddItem("Дрель");
    FillAll();

    // Four pixels are not yet a drag; five are.
    const POINT p = RowPoint(FreeItems(), 2);
    Post(FreeItems().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
    Post(FreeItems().Handle(), WM_MOUSEMOVE, MK_LBUTTON, POINT{p.x, p.y + 4});
    Pump();
    EXPECT_FALSE(FreeItems().Dragging());
    Post(FreeItems().Handle(), WM_MOUSEMOVE, MK_LBUTTON, POINT{p.x - 5, p.y});
    Pump();
    EXPECT_TRUE(FreeItems().Dragging());
    DragOver(FreeItems(), LentItems().Handle(), LowPoint(LentItems().Handle()));
    EXPECT_FALSE(CursorIsNo()) << "the lent items table accepts the drop";
    dialogs.Press(IDOK);
    Drop(FreeItems(), LentItems().Handle(), LowPoint(LentItems().Handle()));

    EXPECT_FALSE(FreeItems().Dragging());
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Дрель"});

    dialogs.Press(IDOK);
    Drag(LentItems(), 1, FreeItems().Handle());
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_EQ(Asked(), (Texts{kAskLend, kAskReturn}));
}

// Confirmations stay on: a drop that ran a command would show its question, which no answer awaits.
TEST_F(LendingTest, DropsOutsideTheOtherItemTableAreRefused) {
    TUserRec& anna = AddDebtor("Анна", 1);
    TItemRec& guitar = AddItem("Гитара", "Книга", 1);
    TItemRec& drill = AddItem("Дрель");
    FillAll();

    StartDrag(FreeItems(), 1);
    DragOver(FreeItems(), FreeItems().Handle(), LowPoint(FreeItems().Handle()));
    EXPECT_TRUE(CursorIsNo());
    Drop(FreeItems(), FreeItems().Handle(), LowPoint(FreeItems().Handle()));

    StartDrag(FreeItems(), 1);
    DragOver(FreeItems(), Debtors().Handle(), LowPoint(Debtors().Handle()));
    EXPECT_TRUE(CursorIsNo());
    Drop(FreeItems(), Debtors().Handle(), LowPoint(Debtors().Handle()));

    StartDrag(LentItems(), 1);
    DragOver(LentItems(), LentItems().Handle(), LowPoint(LentItems().Handle()));
    EXPECT_TRUE(CursorIsNo());
    Drop(LentItems(), LentItems().Handle(), LowPoint(LentItems().Handle()));

    EXPECT_TRUE(dialogs.Seen().empty());
    EXPECT_EQ(guitar.HolderId, 1);
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(StatusNote(), "");
}

TEST_F(LendingTest, ARightPressOrAPressOnAnEmptyRowStartsNoDrag) {
    AddDebtor("Анна", 1);
    AddItem("Дрель");
    FillAll();

    const POINT p = RowPoint(FreeItems(), 1);
    Post(FreeItems().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, p);
    Post(FreeItems().Handle(), WM_MOUSEMOVE, MK_RBUTTON | MK_LBUTTON, POINT{p.x + 20, p.y + 20});
    Pump();
    EXPECT_FALSE(FreeItems().Dragging());
    EXPECT_NE(GetCapture(), FreeItems().Handle());

    ASSERT_EQ(LentItems().Cell(0, 1), "") << "Анна holds nothing";
    StartDrag(LentItems(), 1);
    EXPECT_FALSE(LentItems().Dragging());
    EXPECT_NE(GetCapture(), LentItems().Handle());
    Drop(LentItems(), FreeItems().Handle(), LowPoint(FreeItems().Handle()));
    EXPECT_TRUE(dialogs.Seen().empty());
}

// Another program (a screen reader, a test tool) chooses the rows through the list views' item states and
// presses the buttons with BM_CLICK. The second of two debtors of one name gets and gives back his own
// items, not the first one's.
TEST_F(LendingTest, TheSecondOfTwoDebtorsOfOneNameChosenByAnotherProgramLendsAndReturnsHisOwnItems) {
    TUserRec& first = AddDebtor("Иванов", 1);
    TUserRec& second = AddDebtor("Иванов", 2);
    TItemRec& keys = AddItem("Ключи", "Разное", 1);
    TItemRec& saw = AddItem("Пила", "Инструмент", 2);
    TItemRec& drill = AddItem("Дрель", "Инструмент");
    AddItem("Зонт");
    FillAll();
    Settings.QOut = Settings.QIn = Settings.QAllIn = false;
    // Which of the two rows is the second Иванов's: his are the saw's.
    SelectFromOutside(Debtors(), 2);
    const int secondRow = ColumnOf(LentItems(), 1) == Texts{"Пила"} ? 2 : 1;
    char buttonClass[16] = {};
    GetClassNameA(OutButton(), buttonClass, sizeof buttonClass);
    EXPECT_STREQ(buttonClass, "Button");

    SelectFromOutside(Debtors(), secondRow);
    SelectFromOutside(FreeItems(), 1);
    ASSERT_EQ(ColumnOf(LentItems(), 1), Texts{"Пила"});
    SendMessageA(OutButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(drill.HolderId, 2);
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Дрель", "Пила"}));
    EXPECT_EQ(ListViewRow(Debtors()), secondRow);

    SelectFromOutside(LentItems(), 2);
    SendMessageA(InButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(saw.HolderId, 0);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Дрель"});

    SendMessageA(AllInButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(second.ItemCount, 0);
    EXPECT_EQ(keys.HolderId, 1);
    EXPECT_EQ(first.ItemCount, 1);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель", "Зонт", "Пила"}));
}

// Two items may share a description after an edit. Only the item of the row the user chose changes hands:
// the free one when lending, the selected debtor's own one when returning.
TEST_F(LendingTest, OnlyTheItemOfTheChosenRowChangesHandsNotAnotherWithTheSameDescription) {
    struct Case {
        const char* name;
        bool lending;    // a free item to Анна, or one of hers back
        int otherHolder; // who holds the other "Дюна", listed first
    };
    for (const Case& c : {Case{"lending beside Борис's", true, 2}, Case{"returning beside Борис's", false, 2},
                          Case{"returning beside a free one", false, 0}}) {
        SCOPED_TRACE(c.name);
        Data().items.Clear();
        Data().users.Clear();
        TUserRec& anna = AddDebtor("Анна", 1);
        TUserRec& boris = AddDebtor("Борис", 2);
        TItemRec& other = AddItem("Дюна", "Книга", c.otherHolder);
        TItemRec& chosen = AddItem("Дюна", "Книга", c.lending ? 0 : 1);
        FillAll();
        Settings.QOut = Settings.QIn = false;

        DoubleClick(c.lending ? FreeItems() : LentItems(), 1);

        EXPECT_EQ(chosen.HolderId, c.lending ? 1 : 0);
        EXPECT_EQ(chosen.LentDate, kNow);
        EXPECT_EQ(other.HolderId, c.otherHolder);
        EXPECT_EQ(other.LentDate, kEarlier);
        EXPECT_EQ(anna.ItemCount, c.lending ? 1 : 0);
        EXPECT_EQ(boris.ItemCount, c.otherHolder == 2 ? 1 : 0);
    }
}
