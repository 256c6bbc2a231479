// The string grid on its own, in a plain window: rows and selection, the view's rows, keys, and drag and
// drop between two grids driven by mouse messages.

#include "MainWindowFixture.h"

#include "ui/FlatButton.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A window that passes its grids' notifications back to them, as the program's windows do.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (ui::StringGrid* grid = ui::StringGrid::FromHandle(header->hwndFrom)) {
            if (grid->HandleNotify(header, result)) {
                return result;
            }
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class StringGridTest : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "StringGridTestHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "StringGridTestHost", "grids", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50,
                               50, 600, 400, nullptr, nullptr, wc.hInstance, nullptr);
        font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        left.Create(host, 1, 10, 10, 250, 17 * 10 + 30, font, {{"Name", 120}, {"Count", 60}});
        left.SetTextOf(
            [](const int& n, int col) { return col == 0 ? "row " + std::to_string(n) : std::to_string(n); });
        right.Create(host, 2, 300, 10, 250, 300, font, {{"Name", 200}});
        ShowWindow(host, SW_SHOWNORMAL);
        Pump();
    }
    void TearDown() override { DestroyWindow(host); }

    // Rows "row 1", "row 2", ... with their numbers in the second column.
    void FillLeft(int rows) {
        numbers.resize(static_cast<size_t>(rows));
        std::vector<int*> shown;
        for (int r = 1; r <= rows; ++r) {
            numbers[static_cast<size_t>(r - 1)] = r;
            shown.push_back(&numbers[static_cast<size_t>(r - 1)]);
        }
        left.Refill(shown);
        Pump();
    }

    // Where a point of one grid lies in another's client coordinates.
    static POINT Translate(ui::StringGrid& from, ui::StringGrid& to, POINT p) {
        MapWindowPoints(from.Handle(), to.Handle(), &p, 1);
        return p;
    }

    HWND host = nullptr;
    HFONT font = nullptr;
    std::vector<int> numbers; // the records of the left grid's rows
    ui::RecordGrid<int> left, right;
};

} // namespace

TEST_F(StringGridTest, RowsAre17PixelsHighAndTheViewReportsItsRows) {
    FillLeft(100);
    RECT first{}, second{};
    first.left = second.left = LVIR_BOUNDS;
    SendMessageA(left.Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(left.Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(first.bottom - first.top, 17);
    EXPECT_EQ(second.top - first.top, 17);

    // The grid's view is 10 rows plus its header and frame high: fewer than 10 rows are wholly in view.
    const int visible = left.VisibleRowCount();
    EXPECT_GE(visible, 7);
    EXPECT_LE(visible, 10);
    EXPECT_EQ(left.TopRow(), 1);
    left.SetTopRow(40);
    EXPECT_EQ(left.TopRow(), 40);
    left.SetTopRow(1);
    EXPECT_EQ(left.TopRow(), 1);
    // Selecting a row out of view brings it into view.
    left.SetRow(60);
    EXPECT_LE(left.TopRow(), 60);
    EXPECT_GT(left.TopRow() + visible, 60);
}

TEST_F(StringGridTest, ASelectedDataRowAlwaysExistsAndShrinkingMovesItUp) {
    EXPECT_EQ(left.RowCount(), 2);
    EXPECT_EQ(left.Row(), 1);
    left.SetRow(0); // the header cannot be selected
    left.SetRow(5); // nor a row that is not there
    EXPECT_EQ(left.Row(), 1);

    FillLeft(10);
    left.SetRow(8);
    left.SetRowCount(5);
    EXPECT_EQ(left.Row(), 4);
    EXPECT_EQ(left.Cell(0, 4), "row 4");
    EXPECT_EQ(left.Cell(0, 5), ""); // beyond the rows
    left.SetRowCount(1);
    EXPECT_EQ(left.RowCount(), 2);
}

TEST_F(StringGridTest, ArrowPageHomeAndEndKeysMoveTheSelection) {
    FillLeft(50);
    SetFocus(left.Handle());
    auto press = [&](WORD key) { SendMessageA(left.Handle(), WM_KEYDOWN, key, 1); };
    press(VK_DOWN);
    press(VK_DOWN);
    EXPECT_EQ(left.Row(), 3);
    press(VK_UP);
    EXPECT_EQ(left.Row(), 2);
    press(VK_END);
    EXPECT_EQ(left.Row(), 50);
    press(VK_DOWN);
    EXPECT_EQ(left.Row(), 50);
    press(VK_PRIOR);
    EXPECT_LT(left.Row(), 50);
    EXPECT_GT(left.Row(), 40);
    press(VK_HOME);
    EXPECT_EQ(left.Row(), 1);
    press(VK_UP);
    EXPECT_EQ(left.Row(), 1);
}

// Whoever chooses a row, the list view reports it as its one selected and focused item: that is what a
// screen reader announces and what another program reads back. A choice by another program counts as a
// click; the program's own choices are not reported back to it.
TEST_F(StringGridTest, TheSelectedRowIsTheListViewsSelectedAndFocusedItemWhoeverChoseIt) {
    FillLeft(50);
    std::vector<int> chosen;
    left.OnSelectRow = [&](int row) { chosen.push_back(row); };
    std::vector<int> shown;
    auto show = [&] {
        Pump();
        shown.push_back(left.Row());
        EXPECT_EQ(ListViewRow(left), left.Row());
        EXPECT_EQ(ListViewRow(left, LVNI_FOCUSED), left.Row());
        EXPECT_EQ(SendMessageA(left.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
    };
    show();
    ClickRow(left, 3);
    show();
    PressKey(left.Handle(), VK_DOWN);
    show();
    left.SetRow(40);
    show();
    left.SetRowCount(11); // a refill that shrank the table
    show();
    SelectFromOutside(left, 2);
    EXPECT_EQ(left.Row(), 2) << "at once, before any paint";
    show();
    // Only one of the two states from outside is still a choice of the row.
    LVITEMA state{};
    state.stateMask = state.state = LVIS_FOCUSED;
    SendMessageA(left.Handle(), LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&state));
    show();
    state.stateMask = state.state = LVIS_SELECTED;
    SendMessageA(left.Handle(), LVM_SETITEMSTATE, 6, reinterpret_cast<LPARAM>(&state));
    show();
    // Taking the selection away leaves the table with its selected row.
    state.state = 0;
    SendMessageA(left.Handle(), LVM_SETITEMSTATE, 6, reinterpret_cast<LPARAM>(&state));
    show();
    SendMessageA(left.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    show();
    // An item past the last row is refused.
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    EXPECT_FALSE(SendMessageA(left.Handle(), LVM_SETITEMSTATE, 10, reinterpret_cast<LPARAM>(&state)));
    show();
    // Nor does a change the list makes by itself (its own window procedure, past the grid).
    const auto listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(left.Handle(), GCLP_WNDPROC));
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    CallWindowProcW(listProc, left.Handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    show();

    EXPECT_EQ(shown, (std::vector<int>{1, 3, 4, 40, 10, 2, 5, 7, 7, 7, 7, 7}));
    EXPECT_EQ(chosen, (std::vector<int>{3, 4, 2, 5, 7}));
}

TEST_F(StringGridTest, KeysAndClicksArriveAsTheGridsEvents) {
    FillLeft(5);
    std::string keys;
    std::vector<WORD> released;
    int doubleClicks = 0;
    std::vector<ui::MouseButton> presses;
    left.OnKeyPress = [&](char& key) { keys += key; };
    left.OnKeyUp = [&](WORD key) { released.push_back(key); };
    left.OnDblClick = [&] { ++doubleClicks; };
    left.OnMouseDown = [&](ui::MouseButton button, int, int) { presses.push_back(button); };

    SendMessageA(left.Handle(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>('\xE0')), 1);
    SendMessageA(left.Handle(), WM_CHAR, '\r', 1);
    SendMessageA(left.Handle(), WM_KEYUP, VK_DELETE, 0xC0000001);
    const POINT p = RowPoint(left, 3);
    SendMessageA(left.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(left.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    const POINT q = RowPoint(left, 4);
    SendMessageA(left.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(q.x, q.y));

    EXPECT_EQ(keys, "\xE0\r");
    EXPECT_EQ(released, std::vector<WORD>{VK_DELETE});
    EXPECT_EQ(doubleClicks, 1);
    // The double click's second press is a press too.
    EXPECT_EQ(presses, (std::vector<ui::MouseButton>{ui::MouseButton::Left, ui::MouseButton::Left,
                                                     ui::MouseButton::Right}));
    EXPECT_EQ(left.Row(), 4);
    EXPECT_EQ(GetFocus(), left.Handle());
}

TEST_F(StringGridTest, CellPaintingReportsTheSelectedAndTheFocusedCell) {
    FillLeft(3);
    left.SetRow(2);
    std::vector<std::pair<int, ui::GridDrawState>> row2;
    left.OnDrawCell = [&](int col, int row, const ui::GridDrawState& state) {
        EXPECT_FALSE(state.fixed);
        EXPECT_EQ(state.selected, row == 2);
        if (row == 2) {
            row2.emplace_back(col, state);
        }
    };
    SetFocus(right.Handle());
    RedrawWindow(left.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(row2.size(), 2u);
    EXPECT_EQ(row2[0].second, (ui::GridDrawState{true, false, false}));
    EXPECT_EQ(row2[1].second, (ui::GridDrawState{true, false, false}));

    row2.clear();
    SetFocus(left.Handle());
    RedrawWindow(left.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(row2.size(), 2u);
    EXPECT_EQ(row2[0].second, (ui::GridDrawState{true, true, false})); // the current cell
    EXPECT_EQ(row2[1].second, (ui::GridDrawState{true, false, false}));
}

TEST_F(StringGridTest, ADragPastTheThresholdDropsOnAGridThatAcceptsIt) {
    FillLeft(5);
    std::vector<std::string> events;
    left.OnMouseDown = [&](ui::MouseButton button, int, int) {
        if (button == ui::MouseButton::Left) {
            left.BeginDrag();
        }
    };
    right.OnDragOver = [&](ui::StringGrid& source, int, int) {
        events.push_back("over");
        return &source == &left;
    };
    right.OnDragDrop = [&](ui::StringGrid& source, int x, int y) {
        EXPECT_EQ(&source, &left);
        events.push_back("drop at " + std::to_string(x) + "," + std::to_string(y));
    };
    left.OnDragOver = [&](ui::StringGrid&, int, int) {
        events.push_back("over self");
        return false;
    };

    // Released before the threshold: a plain click.
    const POINT start = RowPoint(left, 2);
    SendMessageA(left.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageA(left.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 3, start.y + 3));
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(start.x + 3, start.y + 3));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(left.Row(), 2);

    // Over itself it is refused; over the other grid accepted and dropped where the button is released.
    const POINT target = Translate(right, left, POINT{40, 60});
    SendMessageA(left.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    EXPECT_EQ(GetCapture(), left.Handle());
    SendMessageA(left.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x, start.y + 5));
    EXPECT_TRUE(left.Dragging());
    SendMessageA(left.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    EXPECT_FALSE(left.Dragging());
    EXPECT_NE(GetCapture(), left.Handle());
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front(), "over self");
    EXPECT_EQ(events.back(), "drop at 40,60");

    // Released over itself, or cancelled with Escape: no drop.
    events.clear();
    SendMessageA(left.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageA(left.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 10, start.y));
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(start.x + 10, start.y));
    SendMessageA(left.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageA(left.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    SendMessageA(left.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageA(left.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    for (const std::string& e : events) {
        EXPECT_EQ(e.find("drop"), std::string::npos) << e;
    }
}

// An error raised by a handler of the grid's events ends that event in the general error box; the grid
// and the program go on.
TEST_F(StringGridTest, AnErrorInAnEventHandlerIsShownAndTheGridGoesOn) {
    FillLeft(3);
    left.OnKeyUp = [](WORD) { throw std::runtime_error("Сбой при удалении"); };
    ModalAnswerer answers;
    answers.Press(IDOK);
    SendMessageA(left.Handle(), WM_KEYUP, VK_DELETE, 0xC0000001);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, "Сбой при удалении.");
    SendMessageA(left.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(left.Row(), 2);
}

// A grid is found from its list view and from no other window: not from the list's header, a button the
// program extends the same way, or a list view whose user data holds something else, nor from the
// handle of a grid whose window is gone.
TEST_F(StringGridTest, OnlyAGridsOwnListViewLeadsToTheGrid) {
    EXPECT_EQ(ui::StringGrid::FromHandle(left.Handle()), &left);
    EXPECT_EQ(ui::StringGrid::FromHandle(right.Handle()), &right);
    EXPECT_EQ(ui::StringGrid::FromHandle(nullptr), nullptr);
    EXPECT_EQ(ui::StringGrid::FromHandle(host), nullptr);
    EXPECT_EQ(
        ui::StringGrid::FromHandle(reinterpret_cast<HWND>(SendMessageA(left.Handle(), LVM_GETHEADER, 0, 0))),
        nullptr);

    ui::FlatButton button;
    button.Create(host, 3, "OK", 10, 320, 60, 22, font, nullptr, 0);
    EXPECT_EQ(ui::StringGrid::FromHandle(button.Handle()), nullptr);
    const HWND plain = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 100, 320, 100, 40, host,
                                       reinterpret_cast<HMENU>(4), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    SetWindowLongPtrA(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&left));
    EXPECT_EQ(ui::StringGrid::FromHandle(plain), nullptr);

    ui::RecordGrid<int> gone;
    gone.Create(host, 5, 300, 320, 100, 40, font, {{"Name", 80}});
    const HWND old = gone.Handle();
    ASSERT_EQ(ui::StringGrid::FromHandle(old), &gone);
    DestroyWindow(old);
    EXPECT_EQ(ui::StringGrid::FromHandle(old), nullptr);
}
