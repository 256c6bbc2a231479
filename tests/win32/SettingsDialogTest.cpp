// The settings dialog through the real main window: the fields follow the settings record, OK takes them
// back and writes the settings file at once, Cancel loses them; the shortcut buttons write the program's
// shortcut in their folders whatever the dialog's result. Modal windows are answered from inside their loops.

#include "MainWindowFixture.h"
#include "Shortcut.h"

#include "forms/SetsUnit.h"
#include "platform/Application.h"

#include <commctrl.h>
#include <shlobj.h>

namespace {

// Presses a button as a click does, once the answerer's timer has returned.
void Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Clicks now, for a control whose click opens no window.
void ClickNow(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Text(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

// A mouse click on a control at its top left corner.
void MouseClick(HWND control, POINT at) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void ChooseTab(HWND dialog, int tab) {
    HWND tabs = GetDlgItem(dialog, IDC_SETSPAGECONTROL1);
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
    MouseClick(tabs, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void ClickLabel(HWND dialog) {
    MouseClick(GetDlgItem(dialog, IDC_SETSLABEL1), POINT{4, 4});
}

class SetsTest : public MainWindowFixture {
  protected:
    // Opens the settings dialog; the answers serve it and the windows it opens, in order.
    Texts OpenSettings(ModalAnswerer& answerer) { return Run(IDM_SETS, answerer); }

    // Whether the autosave timer runs: the system says so when asked to stop it, and it is started again.
    bool TimerRuns() {
        constexpr UINT_PTR kTimer1 = 1;
        const bool on = KillTimer(form->Handle(), kTimer1) != FALSE;
        if (on) {
            SetTimer(form->Handle(), kTimer1, 60000, nullptr);
        }
        return on;
    }

    const std::string ini = folder.File("veshchehran.ini");
};

} // namespace

TEST_F(SetsTest, OkTakesTheFieldsInRangeAndWritesTheFileAtOnceCancelLosesThemAndAnUnwritableFileIsReported) {
    const std::string catalog = folder.File("дом.dat");
    WriteWholeFile(catalog, "***\r\n");
    ASSERT_TRUE(TimerRuns()); // autosave is on without a settings file
    // As a file with "Save=0" and "Time=0" leaves the record.
    Settings.AutoSave = false;
    Settings.AutoSaveMinutes = 0;

    // The fields of unchecked boxes are disabled; the minutes show 1, and OK stores 1 and stops the timer.
    {
        ModalAnswerer answerer;
        answerer.Then([](HWND d) {
            EXPECT_FALSE(Checked(d, IDC_SETSCHECKBOX1));
            EXPECT_FALSE(Enabled(d, IDC_SETSEDIT1));
            EXPECT_FALSE(Enabled(d, IDC_SETSBUTTON1));
            EXPECT_FALSE(Checked(d, IDC_SETSCHECKBOX2));
            EXPECT_FALSE(Enabled(d, IDC_SPINEDIT1));
            EXPECT_EQ(Text(d, IDC_SPINEDIT1), "1");
            EXPECT_TRUE(Checked(d, IDC_QREGISTRCHB));
            Click(d, IDOK);
        });
        EXPECT_EQ(OpenSettings(answerer), Texts{"Настройки: "});
    }
    EXPECT_EQ(Settings.AutoSaveMinutes, 1);
    EXPECT_FALSE(TimerRuns());
    EXPECT_EQ(ReadWholeFile(ini).rfind("[Main]\r\nOpen=0\r\nName=\r\nSave=0\r\nTime=1\r\nLeft=", 0), 0u);

    // Every field changed as a user would: the catalogue chosen in the file dialog, 5000 typed with letters
    // and a space among the digits, the long label clicked three times, a confirmation on the third tab.
    {
        ModalAnswerer answerer;
        answerer
            .Then([](HWND d) {
                ClickNow(d, IDC_SETSCHECKBOX1);
                EXPECT_TRUE(Enabled(d, IDC_SETSEDIT1));
                EXPECT_TRUE(Enabled(d, IDC_SETSBUTTON1));
                Click(d, IDC_SETSBUTTON1);
            })
            .TypePath(catalog)
            .Then([&](HWND d) {
                EXPECT_EQ(Text(d, IDC_SETSEDIT1), catalog);
                ClickNow(d, IDC_SETSCHECKBOX2);
                HWND spin = GetDlgItem(d, IDC_SPINEDIT1);
                EXPECT_TRUE(IsWindowEnabled(spin));
                SetFocus(spin);
                SendMessageA(spin, EM_SETSEL, 0, -1);
                for (char c : std::string("5x0ж0 0")) {
                    SendMessageA(spin, WM_CHAR, static_cast<unsigned char>(c), 1);
                }
                EXPECT_EQ(Text(d, IDC_SPINEDIT1), "5000");
                SetFocus(GetDlgItem(d, IDC_QREGISTRCHB));
                EXPECT_EQ(Text(d, IDC_SPINEDIT1), "1000");
                ClickLabel(d);
                ClickLabel(d);
                EXPECT_TRUE(Checked(d, IDC_QREGISTRCHB));
                ClickLabel(d);
                EXPECT_FALSE(Checked(d, IDC_QREGISTRCHB));
                ChooseTab(d, 2);
                EXPECT_FALSE(Visible(d, IDC_SETSCHECKBOX1));
                EXPECT_TRUE(Visible(d, IDC_QOUTCHB));
                ClickNow(d, IDC_QOUTCHB);
                Click(d, IDOK);
            });
        EXPECT_EQ(OpenSettings(answerer).size(), 3u);
    }
    RecIni expected{true, catalog, true, 1000, true, false, false, true, true};
    EXPECT_EQ(Settings, expected);
    EXPECT_TRUE(TimerRuns());
    const std::string written = ReadWholeFile(ini);
    EXPECT_EQ(written.rfind("[Main]\r\nOpen=1\r\nName=" + catalog + "\r\nSave=1\r\nTime=1000\r\n", 0), 0u);
    EXPECT_NE(written.find("[Query]\r\nQExit=1\r\nQRegistr=0\r\nQOut=0\r\nQIn=1\r\nQAllIn=1\r\n"),
              std::string::npos);

    // The next opening is on the first tab again and shows the record; Cancel drops every change.
    {
        ModalAnswerer answerer;
        answerer.Then([&](HWND d) {
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_SETSPAGECONTROL1, TCM_GETCURSEL, 0, 0), 0);
            EXPECT_TRUE(Visible(d, IDC_SETSCHECKBOX1));
            EXPECT_FALSE(Visible(d, IDC_QOUTCHB));
            EXPECT_EQ(Text(d, IDC_SETSEDIT1), catalog);
            EXPECT_EQ(Text(d, IDC_SPINEDIT1), "1000");
            EXPECT_FALSE(Checked(d, IDC_QOUTCHB));
            SetDlgItemTextA(d, IDC_SETSEDIT1, "");
            ClickNow(d, IDC_SETSCHECKBOX2);
            EXPECT_FALSE(Enabled(d, IDC_SPINEDIT1));
            ClickNow(d, IDC_QEXITCHB);
            Click(d, IDCANCEL);
        });
        OpenSettings(answerer);
    }
    EXPECT_EQ(Settings, expected);
    EXPECT_TRUE(TimerRuns());
    EXPECT_EQ(ReadWholeFile(ini), written);

    // A settings file that cannot be written is reported; the record and the timer keep the new values.
    DeleteFileA(ini.c_str());
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    {
        ModalAnswerer answerer;
        answerer.Then([](HWND d) {
            ClickNow(d, IDC_SETSCHECKBOX2);
            Click(d, IDOK);
        });
        answerer.Press(IDOK);
        EXPECT_EQ(OpenSettings(answerer),
                  (Texts{"Настройки: ", Application::Title() + ": Unable to write to " + ini + "."}));
    }
    EXPECT_FALSE(Settings.AutoSave);
    EXPECT_FALSE(TimerRuns());
}

TEST_F(SetsTest, ACatalogueNameLongerThanAnyPathComesBackWholeFromEachRunAndTheDialogShowsAndEditsItWhole) {
    const std::string name = "C:\\" + std::string(3000, 'x') + "\\база.dat";
    const std::string stored = "\r\nName=" + name + "\r\n";
    auto endRun = [this] {
        editor.reset();
        form.reset();
    };
    endRun();
    WriteWholeFile(ini, "[Main]\r\nOpen=0" + stored);

    // A run whose settings dialog is cancelled, then one without it.
    Start();
    {
        ModalAnswerer answerer;
        answerer.Then([&](HWND d) {
            EXPECT_EQ(Text(d, IDC_SETSEDIT1), name);
            Click(d, IDCANCEL);
        });
        OpenSettings(answerer);
    }
    endRun();
    EXPECT_NE(ReadWholeFile(ini).find(stored), std::string::npos);
    Start();
    endRun();
    EXPECT_NE(ReadWholeFile(ini).find(stored), std::string::npos);

    // Typed at its end and confirmed: the file has the whole name with the letter.
    Start();
    {
        ModalAnswerer answerer;
        answerer.Then([&](HWND d) {
            ClickNow(d, IDC_SETSCHECKBOX1);
            HWND edit = GetDlgItem(d, IDC_SETSEDIT1);
            const int end = GetWindowTextLengthA(edit);
            SendMessageA(edit, EM_SETSEL, end, end);
            SendMessageA(edit, WM_CHAR, '2', 1);
            Click(d, IDOK);
        });
        OpenSettings(answerer);
    }
    EXPECT_NE(ReadWholeFile(ini).find("[Main]\r\nOpen=1\r\nName=" + name + "2\r\n"), std::string::npos);
}

TEST_F(SetsTest, ShortcutButtonsPutTheProgramsShortcutInTheirFoldersAtOnceAndReportOneThatCannotBeSaved) {
    const std::string name = "\\" + Application::Title() + ".lnk";
    ShortcutPlace desktop(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + name);
    ShortcutPlace start(SpecialFolder(CSIDL_STARTMENU) + name);
    ShortcutPlace programs(SpecialFolder(CSIDL_PROGRAMS) + name);
    for (const ShortcutPlace* place : {&desktop, &start, &programs}) {
        place->Clear();
    }
    auto press = [](int id) { return [id](HWND d) { Click(d, id); }; };

    Shortcut onDesktop;
    ModalAnswerer answerer;
    answerer
        .Then([](HWND d) {
            ChooseTab(d, 1);
            EXPECT_TRUE(Visible(d, IDC_ADDFOLDER1BTN));
            Click(d, IDC_ADDFOLDER1BTN);
        })
        .Press(IDOK)
        .Then(press(IDC_ADDFOLDER1BTN)) // a second time replaces it
        .Press(IDOK)
        .Then(press(IDC_ADDFOLDER2BTN))
        .Press(IDOK)
        .Then(press(IDC_ADDFOLDER3BTN))
        .Press(IDOK)
        .Then([&](HWND d) {
            // A folder in the shortcut's place cannot be replaced by it.
            onDesktop = ReadShortcut(desktop.Path());
            desktop.Clear();
            CreateDirectoryA(desktop.Path().c_str(), nullptr);
            Click(d, IDC_ADDFOLDER1BTN);
        })
        .Press(IDOK)
        .Then(press(IDCANCEL));
    const Texts seen = OpenSettings(answerer);

    const std::string made = "Information: Ярлык создан.";
    const std::string settings = "Настройки: ";
    ASSERT_EQ(seen.size(), 11u);
    EXPECT_EQ(Texts(seen.begin(), seen.begin() + 9),
              (Texts{settings, made, settings, made, settings, made, settings, made, settings}));
    EXPECT_EQ(seen[9].rfind(Application::Title() + ": Cannot create file \"" + desktop.Path() + "\". ", 0),
              0u)
        << seen[9];
    EXPECT_EQ(seen[10], settings);

    // The dialog was cancelled; the shortcuts stay.
    for (const Shortcut& shortcut : {onDesktop, ReadShortcut(start.Path()), ReadShortcut(programs.Path())}) {
        EXPECT_TRUE(shortcut.loaded);
        EXPECT_EQ(shortcut.target, Application::ExePath());
        EXPECT_EQ(shortcut.workingFolder, Application::ExeFolder());
        EXPECT_EQ(shortcut.workingFolder.back(), '\\');
        EXPECT_EQ(shortcut.description, "Вещехран");
    }
}

// The settings asked for again while the dialog is up (the command posted to the main window, which takes
// no input then) are refused before the record is copied in: what the user typed stays, and OK takes it.
TEST_F(SetsTest, ASecondRequestWhileTheDialogIsUpIsRefusedAndWhatWasTypedStays) {
    const std::string typed = "C:\\Данные\\вещи.dat";
    std::string shown;
    ModalAnswerer answerer;
    answerer
        .Then([&](HWND d) {
            ClickNow(d, IDC_SETSCHECKBOX1);
            SetDlgItemTextA(d, IDC_SETSEDIT1, typed.c_str());
            PostMessageA(form->Handle(), WM_COMMAND, IDM_SETS, 0);
        })
        .Press(IDOK)
        .Then([&](HWND d) {
            shown = Text(d, IDC_SETSEDIT1);
            EXPECT_TRUE(Checked(d, IDC_SETSCHECKBOX1));
            Click(d, IDOK);
        });
    EXPECT_EQ(OpenSettings(answerer),
              (Texts{"Настройки: ", Application::Title() + ": The dialog \"Настройки\" is already open.",
                     "Настройки: "}));
    EXPECT_EQ(shown, typed);
    EXPECT_TRUE(Settings.AutoOpen);
    EXPECT_EQ(Settings.AutoOpenName, typed);
}
