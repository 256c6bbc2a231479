// The main window and the splash at the display scale the test program was started with (./test runs these
// tests at 100, 125, 150 and 200 %), and the main window moved to a monitor of another scale: every size
// the design fixes is that size times the scale, every control lies whole inside its parent, beside its
// siblings, with its caption whole; the settings file keeps the sizes in design units.

#include "MainWindowFixture.h"
#include "Screenshot.h"

#include "files/FileIO.h"
#include "forms/ZastUnit.h"
#include "platform/Application.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// The settings file a window at its design size writes at 100 %.
const char* const kDesignSettings =
    "[Main]\r\nOpen=0\r\nName=\r\nSave=1\r\nTime=5\r\nLeft=192\r\nTop=107\r\n"
    "Height=480\r\nWidth=698\r\nPanHeight=143\r\nPanWidth=241\r\nMaximized=0\r\n"
    "ColWidth1=161\r\nColWidth2=36\r\nColWidth3=273\r\nColWidth4=131\r\n"
    "ColWidth5=100\r\nColWidth6=365\r\nColWidth7=185\r\n[Query]\r\nQExit=1\r\n"
    "QRegistr=1\r\nQOut=1\r\nQIn=1\r\nQAllIn=1\r\n";

RECT ScreenBounds(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// The width of a control's caption, or of another text, in the control's own font.
int TextWidth(HWND control, std::string text = {}) {
    if (text.empty()) {
        text = WindowText(control);
    }
    WindowDC dc(control);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

// Every visible child of `parent` and of its children lies inside its parent's client area, and no two
// siblings overlap.
void ExpectNestedWhole(HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            children.push_back(child);
        }
    }
    for (HWND child : children) {
        const RECT r = ScreenBounds(child);
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << "control " << GetDlgCtrlID(child) << " of " << GetDlgCtrlID(parent);
        for (HWND other : children) {
            RECT common{};
            const RECT o = ScreenBounds(other);
            EXPECT_TRUE(other == child || !IntersectRect(&common, &r, &o))
                << GetDlgCtrlID(child) << " overlaps " << GetDlgCtrlID(other);
        }
        ExpectNestedWhole(child);
    }
}

class ScaleMainWindow : public MainWindowFixture {
  protected:
    void SetUp() override {}

    std::string Finish() {
        editor.reset();
        form.reset();
        return ReadWholeFile(settingsPath);
    }

    // What the design fixes of the window at this scale: the bars, buttons, filter, check box, rows, font,
    // splitters and smallest size; all of it whole and every caption whole.
    void ExpectLaidOutAt(const DisplayScale& s) {
        EXPECT_NEAR(HeightOf(GetParent(ToolBar())), s(46), 1);
        RECT button{};
        SendMessageA(ToolBar(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
        EXPECT_NEAR(button.right - button.left, s(39), 1);
        EXPECT_NEAR(button.bottom - button.top, s(38), 1);
        RECT separator{};
        SendMessageA(ToolBar(), TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&separator));
        EXPECT_NEAR(separator.right - separator.left, s(8), 1);
        // The pictures of the set drawn for the scale: 32, 40, 48 or 64 pixels.
        int picture = 0, unused = 0;
        ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(ToolBar(), TB_GETIMAGELIST, 0, 0)),
                              &picture, &unused);
        EXPECT_EQ(picture, PictureScale(s)(32));

        EXPECT_NEAR(HeightOf(StatusBar()), s(19), 1);
        int edges[3] = {};
        SendMessageA(StatusBar(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        const int designEdges[3] = {50, 150, 200};
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(edges[i], s(designEdges[i]), 2) << i;
        }
        EXPECT_NEAR(WidthOf(FilterCheckBox()), s(17), 1);
        EXPECT_NEAR(HeightOf(FilterCheckBox()), s(17), 1);
        EXPECT_NEAR(WidthOf(FilterComboBox()), s(217), 1);
        EXPECT_NEAR(HeightOf(ShowDolgCheckBox()), s(17), 1);
        EXPECT_NEAR(WidthOf(DebtorsSplitter()), s(3), 1);
        EXPECT_NEAR(HeightOf(LentItemsSplitter()), s(3), 1);
        for (ui::StringGrid* table : {&Debtors(), &FreeItems(), &LentItems()}) {
            RECT row{};
            row.left = LVIR_BOUNDS;
            SendMessageA(table->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
            EXPECT_NEAR(row.bottom - row.top, s(17), 1);
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(table->Handle(), WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_NEAR(-font.lfHeight, s(11), 1);
        }
        MINMAXINFO limits{};
        SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_NEAR(limits.ptMinTrackSize.x, s(696), 1);
        EXPECT_NEAR(limits.ptMinTrackSize.y, s(480), 1);

        ExpectNestedWhole(form->Handle());
        for (HWND box : {DebtorsBox(), FreeItemsBox(), LentItemsBox()}) {
            EXPECT_LE(s(8) + TextWidth(box), WidthOf(box)) << GetDlgCtrlID(box);
        }
        EXPECT_LE(TextWidth(ShowDolgCheckBox()) + SystemMetricAt(SM_CXMENUCHECK, s),
                  WidthOf(ShowDolgCheckBox()));
        for (HWND flat : {OutButton(), InButton(), AllInButton()}) {
            EXPECT_NEAR(HeightOf(flat), s(22), 1);
            EXPECT_LE(PictureScale(s)(16) + s(4) + TextWidth(flat), WidthOf(flat)) << GetDlgCtrlID(flat);
        }
    }

    // The panels' and the columns' sizes in pixels.
    std::vector<int> Sizes() {
        std::vector<int> sizes{HeightOf(LentItemsBox()), WidthOf(DebtorsBox())};
        for (ui::StringGrid* table : {&Debtors(), &FreeItems(), &LentItems()}) {
            for (int col = 0; col < table->ColCount(); ++col) {
                sizes.push_back(table->ColWidth(col));
            }
        }
        return sizes;
    }
    static std::vector<int> Scaled(const DisplayScale& s, const std::vector<int>& design) {
        std::vector<int> sizes;
        for (int size : design) {
            sizes.push_back(s(size));
        }
        return sizes;
    }
};

} // namespace

TEST_F(ScaleMainWindow, EverySizeOfTheDesignIsTimesTheScaleAndNothingIsCut) {
    Start();
    TUserRec& debtor = AddDebtor("Иванов Пётр", 1);
    AddItem("Мастер и Маргарита", "Книга", debtor.Id);
    AddItem("Палатка трёхместная", "Туризм");
    FillAll();
    const DisplayScale s = DisplayScale::Of(form->Handle());
    const RECT window = ScreenBounds(form->Handle());
    EXPECT_NEAR(window.right - window.left, s(698), 1);
    EXPECT_NEAR(window.bottom - window.top, s(480), 1);
    EXPECT_EQ(Sizes(), Scaled(s, {143, 241, 161, 36, 273, 131, 100, 365, 185}));
    ExpectLaidOutAt(s);
    if (!ScreenshotFolder().empty()) {
        SetFocus(Debtors().Handle());
        Pump();
        SaveWindowBitmap(form->Handle(), ScreenshotFolder() + "main-window.bmp");
    }
    // A window nobody moved writes what it writes at 100 %.
    EXPECT_EQ(Finish(), kDesignSettings);
}

// A file gives the same window at every scale: its sizes are design units. The window goes to a monitor of
// another scale and back, as the system tells it with WM_DPICHANGED and the size it proposes: laid out again
// at each scale, with the panels and columns as the file and the user made them.
TEST_F(ScaleMainWindow, StoredSizesAreDesignUnitsAndAMoveToAnotherScaleKeepsThem) {
    // An empty catalogue: the commands on a debtor or an item are disabled, and their buttons.
    WriteWholeFile(settingsPath, "[Main]\r\nLeft=40\r\nTop=30\r\nHeight=560\r\nWidth=760\r\nPanHeight=200\r\n"
                                 "PanWidth=300\r\nColWidth1=150\r\nColWidth7=120\r\n");
    Start();
    const DisplayScale here = DisplayScale::Of(form->Handle());
    const DisplayScale there(here.Dpi() == 144 ? 96 : 144);
    const RECT window = ScreenBounds(form->Handle());
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    EXPECT_NEAR(window.right - window.left, here(760), 1);
    EXPECT_NEAR(window.bottom - window.top, here(560), 1);
    // The user makes the debtors box wider.
    DragSplitter(DebtorsSplitter(), true, here(20), 1);
    const std::vector<int> chosen{200, 320, 150, 36, 273, 131, 100, 365, 120};
    ASSERT_EQ(Sizes(), Scaled(here, chosen));

    const auto move = [&](const DisplayScale& from, const DisplayScale& to) {
        const RECT r = ScreenBounds(form->Handle());
        RECT proposed{r.left, r.top, r.left + to(from.Design(r.right - r.left)),
                      r.top + to(from.Design(r.bottom - r.top))};
        SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(to.Dpi(), to.Dpi()),
                     reinterpret_cast<LPARAM>(&proposed));
        Pump();
        const RECT now = ScreenBounds(form->Handle());
        EXPECT_TRUE(EqualRect(&now, &proposed));
    };
    move(here, there);
    ExpectLaidOutAt(there);
    EXPECT_EQ(Sizes(), Scaled(there, chosen));
    EXPECT_FALSE(SendMessageA(ToolBar(), TB_ISBUTTONENABLED, IDM_EDITU, 0));
    EXPECT_TRUE(SendMessageA(ToolBar(), TB_ISBUTTONENABLED, IDM_NEWU, 0));
    move(there, here);
    ExpectLaidOutAt(here);
    EXPECT_EQ(Sizes(), Scaled(here, chosen));

    const std::string written = Finish();
    for (const char* line : {"Left=40", "Top=30", "Height=560", "Width=760", "PanHeight=200", "PanWidth=320",
                             "ColWidth1=150", "ColWidth2=36", "ColWidth7=120"}) {
        EXPECT_NE(written.find(std::string("\n") + line + "\r\n"), std::string::npos) << line << " in\n"
                                                                                      << written;
    }
}

// The note that autosave left a file another program wrote alone is longer than its panel's design width:
// the panel widens to show it whole, and the progress panel moves on.
TEST_F(ScaleMainWindow, AStatusNoteWiderThanItsPanelWidensIt) {
    const std::string home = folder.File("home.dat");
    WriteWholeFile(home, "1\r\nПетров\r\n\r\n***\r\n1\r\nЗонт\r\nПрочее\r\n01.02.2024\r\n0\r\n");
    WriteWholeFile(settingsPath, "[Main]\r\nOpen=1\r\nName=" + home + "\r\nTime=0\r\n[Query]\r\nQOut=0\r\n");
    Start();
    const DisplayScale s = DisplayScale::Of(form->Handle());
    SendMessageA(OutButton(), BM_CLICK, 0, 0);
    WriteWholeFile(home, "1\r\nСидоров\r\n\r\n***\r\n");
    SendMessageA(form->Handle(), WM_TIMER, 1, 0); // Timer1: the autosave
    Pump();
    ASSERT_EQ(StatusNote(), "Файл базы изменён другой программой");
    RECT note{};
    SendMessageA(StatusBar(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&note));
    EXPECT_GT(note.right - note.left, TextWidth(StatusBar(), StatusNote()));
    EXPECT_GT(note.right - note.left, s(100));
    int edges[3] = {};
    SendMessageA(StatusBar(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_NEAR(edges[2] - edges[1], s(50), 1);
}

TEST(ScaleSplash, CoversTheCentreOfTheScreenAtItsScale) {
    TForm3 splash(Application::Handle());
    Pump();
    const DisplayScale s = DisplayScale::Of(splash.Handle());
    RECT client{};
    GetClientRect(splash.Handle(), &client);
    EXPECT_EQ(client.right, s(400));
    EXPECT_EQ(client.bottom, s(300));
    const RECT r = ScreenBounds(splash.Handle());
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - s(400)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - s(300)) / 2);
    if (!ScreenshotFolder().empty()) {
        SaveWindowBitmap(splash.Handle(), ScreenshotFolder() + "splash.bmp");
    }
}
