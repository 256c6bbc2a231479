// Things away too long, through the real main window and the real settings dialog: the warning turned on,
// a catalogue opened, the rows written in the warning colour and the status bar counting them, a return,
// a new day while the window stays open, the warning turned off again; and the settings file with the
// warning off (as it always was) and on.

#include "../common/SettingsSamples.h"
#include "MainWindowFixture.h"

#include "forms/SetsUnit.h"
#include "platform/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The day timer of the main window, which notices a new day while the warning is on.
constexpr UINT_PTR kTimer2 = 2;

// Анна holds the guitar since 04.02.2024, 40 days before the fixture's clock (15.03.2024); Борис the
// umbrella since 05.03.2024, 10 days before it. The dictionary is free.
const char* const kCatalog = "1\r\nАнна\r\n\r\n2\r\nБорис\r\n\r\n***\r\n"
                             "1\r\nГитара\r\nМузыка\r\n04.02.2024\r\n1\r\n"
                             "2\r\nЗонт\r\nПрочее\r\n05.03.2024\r\n2\r\n"
                             "3\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";

std::string Panel(HWND statusBar, int panel) {
    char text[256] = {};
    SendMessageA(statusBar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
    return text;
}

// The share of light of a pixel (0x00RRGGBB), as the eye weighs its parts.
double Luminance(std::uint32_t pixel) {
    const auto part = [](std::uint32_t value) {
        const double c = (value & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * part(pixel >> 16) + 0.7152 * part(pixel >> 8) + 0.0722 * part(pixel);
}

// How well a data row's red writing reads: the contrast of its clearest red pixel to the row's background
// (its most common colour), from 1 to 21; 0 when nothing in it is written in red. The table is printed
// as it paints itself, and the first column's text is looked at, inside the focus rectangle's dotted
// edges (which invert the background).
double RedWriting(const ui::StringGrid& grid, int row) {
    RECT client{};
    GetClientRect(grid.Handle(), &client);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{
        sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    WindowDC screen(grid.Handle());
    unique_hbitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC memory(screen.get());
    {
        SelectObjectGuard select(memory.get(), bitmap.get());
        SendMessageA(grid.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    }
    GdiFlush();
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(grid.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::map<std::uint32_t, int> colours;
    std::vector<std::uint32_t> reds;
    const int right = std::min<int>(r.left + grid.ColWidth(0), client.right) - 3;
    for (int y = std::max<int>(0, r.top + 2); y < std::min<int>(r.bottom, client.bottom) - 2; ++y) {
        for (int x = std::max<int>(0, r.left + 3); x < right; ++x) {
            const std::uint32_t p = pixels[y * client.right + x] & 0xFFFFFF;
            ++colours[p];
            const int red = p >> 16, green = (p >> 8) & 0xFF, blue = p & 0xFF;
            if (red > green + 40 && red > blue + 40) {
                reds.push_back(p);
            }
        }
    }
    if (reds.empty()) {
        return 0;
    }
    const auto background =
        std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    double clearest = 1;
    for (const std::uint32_t p : reds) {
        const double a = Luminance(p), b = Luminance(background);
        clearest = std::max(clearest, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return clearest;
}

// Red writing that reads about as well as body text should.
constexpr double kReadable = 4;

class LongLoansTest : public MainWindowFixture {
  protected:
    // The settings dialog, answered by `sequence` and closed with OK.
    void Settle(const std::function<void(HWND)>& sequence) {
        ModalAnswerer answerer;
        answerer.Then([&](HWND d) {
            sequence(d);
            PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
        });
        Run(IDM_SETS, answerer);
    }

    std::string LongPanel() const { return Panel(StatusBar(), 0); }

    const std::string ini = folder.File("veshchehran.ini");
};

} // namespace

TEST_F(LongLoansTest, TurnedOnTheLoansPastTheDaysStandOutAndAreCountedUntilReturnedAndANewDayAddsTheNextOne) {
    const std::string catalog = folder.File("вещи.dat");
    WriteWholeFile(catalog, kCatalog);

    // Off, as at every first start: the line shows 30 days, and OK writes the file as it always was.
    Settle([](HWND d) {
        EXPECT_FALSE(SendDlgItemMessageA(d, IDC_SETSCHECKBOX3, BM_GETCHECK, 0, 0));
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_SPINEDIT2)), "30");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SPINEDIT2)));
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_SETSLABEL2)), "дн. назад");
    });
    EXPECT_EQ(ReadWholeFile(ini), kSampleSettings);

    // Turned on; a number out of range is brought to the nearer bound when the field is left.
    Settle([](HWND d) {
        SendDlgItemMessageA(d, IDC_SETSCHECKBOX3, BM_CLICK, 0, 0);
        HWND days = GetDlgItem(d, IDC_SPINEDIT2);
        EXPECT_TRUE(IsWindowEnabled(days));
        SetFocus(days);
        SetWindowTextA(days, "0");
        SetFocus(GetDlgItem(d, IDC_SETSCHECKBOX3));
        EXPECT_EQ(WindowText(days), "1");
        SetWindowTextA(days, "30");
    });
    std::string expected = kSampleSettings;
    expected.insert(expected.find("[Query]"), "Long=1\r\nLongDays=30\r\n");
    EXPECT_EQ(ReadWholeFile(ini), expected);
    EXPECT_EQ(LongPanel(), "");

    {
        ModalAnswerer answerer;
        answerer.TypePath(catalog).Press(IDCANCEL); // not opened automatically at start
        Run(IDM_OPEN, answerer);
    }
    ASSERT_EQ(ColumnOf(Debtors(), 0), (Texts{"Анна", "Борис"}));
    EXPECT_EQ(LongPanel(), "Долго: 1");
    // Анна's row is the selected one of the table with the keyboard, her guitar the selected one of the
    // other: on both selections' colours the red shows.
    SetFocus(Debtors().Handle());
    EXPECT_GE(RedWriting(Debtors(), 1), kReadable);
    EXPECT_EQ(RedWriting(Debtors(), 2), 0);
    EXPECT_GE(RedWriting(LentItems(), 1), kReadable);
    ClickRow(Debtors(), 2);
    ASSERT_EQ(ColumnOf(LentItems(), 1), Texts{"Зонт"});
    EXPECT_EQ(RedWriting(LentItems(), 1), 0);
    EXPECT_GE(RedWriting(Debtors(), 1), kReadable);

    // The guitar comes back.
    ClickRow(Debtors(), 1);
    {
        ModalAnswerer answerer;
        answerer.Press(IDOK); // "Вернуть предмет?"
        PostMessageA(InButton(), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u);
    }
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Гитара", "Словарь"}));
    EXPECT_EQ(LongPanel(), "");
    EXPECT_EQ(RedWriting(Debtors(), 1), 0);

    // The window stays open into 05.04.2024: the umbrella's 31st day stands out at the first tick after
    // midnight.
    timeNow = 45387.0005;
    SendMessageA(form->Handle(), WM_TIMER, kTimer2, 0);
    Pump();
    EXPECT_EQ(LongPanel(), "Долго: 1");
    EXPECT_GE(RedWriting(Debtors(), 2), kReadable);

    // Turned off: nothing stands out, nothing is counted.
    Settle([](HWND d) { SendDlgItemMessageA(d, IDC_SETSCHECKBOX3, BM_CLICK, 0, 0); });
    EXPECT_EQ(LongPanel(), "");
    EXPECT_EQ(RedWriting(Debtors(), 2), 0);
    EXPECT_NE(ReadWholeFile(ini).find("Long=0\r\nLongDays=30\r\n"), std::string::npos);
}
