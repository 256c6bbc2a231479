// The About box and the history through the real main window: the tabs the text files beside the
// program give, the typed-word game, the links and the history handed to the shell. The box is modal;
// each sequence runs from inside its loop and closes it as Escape does.

#include "MainWindowFixture.h"
#include "ShellRecorder.h"

#include "forms/About.h"
#include "platform/Application.h"
#include "platform/Picture.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

using namespace std::string_literals;

namespace {

Texts Tabs(HWND box) {
    HWND tabs = GetDlgItem(box, IDC_PAGECONTROL1);
    Texts captions;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

std::string ActiveTab(HWND box) {
    const auto active = SendDlgItemMessageA(box, IDC_PAGECONTROL1, TCM_GETCURSEL, 0, 0);
    const Texts tabs = Tabs(box);
    return active >= 0 && static_cast<size_t>(active) < tabs.size() ? tabs[static_cast<size_t>(active)] : "";
}

// The colour the box gives a control's text, as the control asks for it when it paints.
COLORREF TextColour(HWND box, int id) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

LOGFONTA FontOf(HWND box, int id) {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(box, id, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

bool NameBold(HWND box) {
    return FontOf(box, IDC_LABEL7).lfWeight >= FW_BOLD;
}

bool NameVisible(HWND box) {
    return IsWindowVisible(GetDlgItem(box, IDC_LABEL7)) != FALSE;
}

// Types the characters into the control that has the keyboard, as the keyboard's layout gives them.
void Type(const std::string& keys) {
    for (char c : keys) {
        SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

// A click on a tab (0 is the first).
void ClickTab(HWND box, int tab) {
    HWND tabs = GetDlgItem(box, IDC_PAGECONTROL1);
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Post(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(tabs, WM_LBUTTONUP, 0, at);
    Pump();
}

void Ticks(HWND box, int count) {
    for (int i = 0; i < count; ++i) {
        SendMessageA(box, WM_TIMER, 1, 0);
    }
}

// Handles messages until the name's visibility changes or the time is up; true when it changed.
bool NameBlinks(HWND box, DWORD timeoutMs) {
    const bool before = NameVisible(box);
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        Pump();
        if (NameVisible(box) != before) {
            return true;
        }
    }
    return false;
}

const COLORREF kWindowText = GetSysColor(COLOR_WINDOWTEXT);

} // namespace

class AboutTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        RemoveTexts();
        MainWindowFixture::SetUp();
        TypedKeys.clear();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        RemoveTexts();
    }

    static std::string Beside(const char* name) { return Application::ExeFolder() + name; }
    static void RemoveTexts() {
        DeleteFileA(Beside("history.txt").c_str());
        DeleteFileA(Beside("license.txt").c_str());
    }

    // A new run of the program: a new main window with its editor, and so a new About box.
    void Restart() {
        editor.reset();
        form.reset();
        form = std::make_unique<TForm1>(folder.File("veshchehran.ini"));
        editor = std::make_unique<TForm2>(form->Handle());
        form->SetEditDialog(editor.get());
        form->Show(SW_SHOWNORMAL);
        Pump();
    }

    // Opens the About box, runs `sequence` inside it, and closes it with Escape's command.
    void WithAboutBox(const std::function<void(HWND)>& sequence) {
        ModalAnswerer answerer;
        answerer.Then([&](HWND box) {
            sequence(box);
            ClickDialogButton(box, IDCANCEL);
        });
        RunCommand(IDM_ABOUT);
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u) << "the About box did not appear";
        EXPECT_EQ(answerer.Unexpected(), 0);
    }
};

TEST_F(AboutTest, TabsFollowTheTextFilesFoundAtTheFirstOpeningAndTheHistoryOpensFromTheMenu) {
    WithAboutBox([](HWND box) {
        EXPECT_EQ(WindowText(box), "О программе");
        EXPECT_EQ(Tabs(box), (Texts{"Общее", "Автор"}));
        EXPECT_EQ(ActiveTab(box), "Общее");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDC_IMAGE1)));
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_PRODUCTNAME)), "Вещехран");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_VERSION)), "Версия 1.41");
        EXPECT_EQ(
            WindowText(GetDlgItem(box, IDC_COMMENTS)),
            "Отдали книгу, компакт диск с фильмом или программой, еще что либо? Забыли кому?\r"
            "Запишите здесь и всегда будете знать, где (у кого) Ваши вещи!\rВозможно описать любой предмет!");
    });

    // Files that appear later in the run are not read: the box was made at the first opening.
    WriteWholeFile(Beside("history.txt"), "1.41\r\n- строка\nвторая\rтретья\0конец\r\n"s);
    WriteWholeFile(Beside("license.txt"), "Свободная программа.");
    WithAboutBox([](HWND box) { EXPECT_EQ(Tabs(box).size(), 2u); });

    Restart();
    WithAboutBox([](HWND box) {
        EXPECT_EQ(Tabs(box), (Texts{"Общее", "Автор", "Версии", "Лицензия"}));
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MEMO1)), "1.41\r\n- строка\r\nвторая\r\nтретья конец\r\n");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MEMO2)), "Свободная программа.");
        ClickTab(box, 2);
        EXPECT_EQ(ActiveTab(box), "Версии");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDC_MEMO1)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, IDC_LABEL7)));
    });
    WithAboutBox([](HWND box) { EXPECT_EQ(ActiveTab(box), "Версии"); });

    ShellRecorder shell({".txt"}, folder.File("opened.txt"));
    RunCommand(IDM_HISTORY);
    EXPECT_EQ(shell.Lines(1), Texts{Beside("history.txt")});
}

// The history and the licence as the release ships them (copied beside the tests by the build): no line
// runs past the right edge of its field, which does not wrap.
TEST_F(AboutTest, TheShippedHistoryAndLicenceFitTheWidthOfTheirFields) {
    for (const char* name : {"history.txt", "license.txt"}) {
        ASSERT_TRUE(
            CopyFileA((Application::ExeFolder() + "shipped\\" + name).c_str(), Beside(name).c_str(), FALSE));
    }
    Restart();
    WithAboutBox([](HWND box) {
        for (int id : {IDC_MEMO1, IDC_MEMO2}) {
            HWND memo = GetDlgItem(box, id);
            RECT area{};
            SendMessageA(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
            HDC dc = GetDC(memo);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)));
            const int lines = static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
            EXPECT_GT(lines, 20);
            for (int line = 0; line < lines; ++line) {
                char text[512] = {};
                *reinterpret_cast<WORD*>(text) = sizeof text - 1;
                const int length =
                    static_cast<int>(SendMessageA(memo, EM_GETLINE, line, reinterpret_cast<LPARAM>(text)));
                SIZE size{};
                GetTextExtentPoint32A(dc, text, length, &size);
                EXPECT_LE(size.cx, area.right - area.left) << std::string(text, static_cast<size_t>(length));
            }
            SelectObject(dc, old);
            ReleaseDC(memo, dc);
        }
    });
}

TEST_F(AboutTest, TypedWordsMakeTheNameBoldAndBlinkInBothLayoutsAndCasesUntilTheBoxCloses) {
    WithAboutBox([](HWND box) {
        Type("krt");
        EXPECT_TRUE(NameBold(box));
        EXPECT_EQ(ActiveTab(box), "Автор");
        EXPECT_EQ(TypedKeys, "");
        Type("ЛКЕ");
        EXPECT_FALSE(NameBold(box));
        Type("xлке");
        EXPECT_TRUE(NameBold(box));

        // The thank-you words start the blinking; the colour changes every fifth tick, 30 ticks a round.
        Type("ЕРФТЛЫ");
        Ticks(box, 4);
        EXPECT_EQ(TextColour(box, IDC_LABEL7), kWindowText);
        EXPECT_TRUE(NameVisible(box));
        const COLORREF round[] = {RGB(255, 0, 0),   RGB(255, 255, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                  RGB(255, 0, 255), kWindowText,      RGB(255, 0, 0)};
        for (COLORREF colour : round) {
            Ticks(box, 1);
            EXPECT_EQ(TextColour(box, IDC_LABEL7), colour);
            Ticks(box, 4);
        }
        EXPECT_FALSE(NameVisible(box)); // 39 ticks: an odd number of blinks
        Type("cgfcb,j");
        EXPECT_TRUE(NameVisible(box));
        EXPECT_EQ(TextColour(box, IDC_LABEL7), kWindowText);
        EXPECT_TRUE(NameBold(box));

        // The last keys kept: after 21 keys the next drops the 10 oldest.
        Type("abcdefghijklmnopqrstu");
        EXPECT_EQ(TypedKeys, "abcdefghijklmnopqrstu");
        Type("v");
        EXPECT_EQ(TypedKeys, "klmnopqrstuv");
    });

    // Closing reset the name; the colour round goes on from where it stopped (39 ticks: 9 into it).
    WithAboutBox([](HWND box) {
        EXPECT_FALSE(NameBold(box));
        EXPECT_TRUE(NameVisible(box));
        Type("Thanks");
        EXPECT_EQ(ActiveTab(box), "Автор");
        Ticks(box, 1);
        EXPECT_EQ(TextColour(box, IDC_LABEL7), RGB(255, 255, 0));
        EXPECT_TRUE(NameBlinks(box, 3000)) << "the box's timer does not run";
    });

    // Closed while blinking: the blinking stopped.
    WithAboutBox([](HWND box) {
        EXPECT_TRUE(NameVisible(box));
        EXPECT_EQ(TextColour(box, IDC_LABEL7), kWindowText);
        EXPECT_FALSE(NameBlinks(box, 1500));
    });
}

TEST_F(AboutTest, LinksGoToTheShellByDoubleClickEnterAndTheirButtons) {
    ShellRecorder shell({"mailto", "http"}, folder.File("links.txt"));
    WithAboutBox([](HWND box) {
        HWND mail = GetDlgItem(box, IDC_EDIT0);
        HWND home = GetDlgItem(box, IDC_EDIT1);
        HWND page = GetDlgItem(box, IDC_EDIT2);
        EXPECT_EQ(TextColour(box, IDC_EDIT0), RGB(0, 0, 255));
        EXPECT_TRUE(FontOf(box, IDC_EDIT1).lfUnderline);
        SendMessageA(mail, WM_SETCURSOR, reinterpret_cast<WPARAM>(mail), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));

        Post(mail, WM_LBUTTONDBLCLK, MK_LBUTTON, POINT{5, 5});
        Post(mail, WM_LBUTTONUP, 0, POINT{5, 5});
        Pump();
        // Enter in a field goes through the dialog's keyboard handling to the field; other keys open nothing.
        SetFocus(home);
        MSG enter{home, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
        EXPECT_TRUE(IsDialogMessageA(box, &enter));
        Pump();
        EXPECT_TRUE(IsWindowVisible(box)) << "Enter closed the box";
        SetFocus(page);
        Type("x");
        Post(page, WM_LBUTTONDBLCLK, MK_LBUTTON, POINT{5, 5});
        Post(page, WM_LBUTTONUP, 0, POINT{5, 5});
        // The home page's button opens on a double click only, the program page's on a click.
        SendDlgItemMessageA(box, IDC_SPEEDBUTTON1, BM_CLICK, 0, 0);
        Post(GetDlgItem(box, IDC_SPEEDBUTTON1), WM_LBUTTONDBLCLK, MK_LBUTTON, POINT{5, 5});
        Post(GetDlgItem(box, IDC_SPEEDBUTTON1), WM_LBUTTONUP, 0, POINT{5, 5});
        SendDlgItemMessageA(box, IDC_SPEEDBUTTON2, BM_CLICK, 0, 0);
        Pump();
    });
    const Texts expected{"http://example.org/semenov/", "http://example.org/semenov/",
                         "http://example.org/veshchehran/", "http://example.org/veshchehran/",
                         "mailto:veshchehran@example.org"};
    Texts links = shell.Lines(expected.size());
    Sleep(500);
    links = shell.Lines(expected.size());
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links, expected);
}

// The title picture stored in the program decodes to its 400 x 300 pixels; damaged bytes raise an error
// that says so instead of ending the program.
TEST(TitlePicture, DecodesTheStoredPictureAndRefusesDamagedOnes) {
    const Picture title = Picture::FromJpegResource(IDR_TITLE);
    EXPECT_EQ(title.Width(), 400);
    EXPECT_EQ(title.Height(), 300);

    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_TITLE), MAKEINTRESOURCEA(10));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string whole(bytes, SizeofResource(nullptr, found));
    const std::string damaged[] = {whole.substr(0, 100), "not a picture",
                                   whole.substr(0, 2) + std::string(64, '\xFF')};
    for (const std::string& picture : damaged) {
        try {
            Picture::FromJpeg(picture.data(), picture.size());
            ADD_FAILURE() << "a damaged picture was taken";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("The picture cannot be read: ", 0), 0u) << e.what();
        }
    }
}
