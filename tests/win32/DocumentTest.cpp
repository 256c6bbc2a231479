// The catalogue as a document, through the real main window, its commands and the real dialogs: New,
// Open, Save, the Modified mark and the title, autosave, the close query, the File menu, the opening
// of the last catalogue at start, and the settings file read at creation and written at destruction.

#include "MainWindowFixture.h"
#include "WindowSearch.h"

#include "files/FileIO.h"

#include <commctrl.h>

#include <functional>

namespace {

using Answer = std::function<void(HWND)>;

Answer Press(int id) {
    return [id](HWND dialog) { ClickDialogButton(dialog, id); };
}

Answer TypePath(const std::string& path) {
    return [path](HWND dialog) {
        SetDlgItemTextA(dialog, 0x47C, path.c_str());
        ClickDialogButton(dialog, IDOK);
    };
}

RECT BoundsOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// Two debtors, three items: the Umbrella lent to Петров, the others free.
const char* const kCatalog = "1\r\nПетров\r\n\r\n2\r\nСидорова\r\nsid@example.ru\r\n***\r\n"
                             "1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1\r\n"
                             "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n"
                             "3\r\nАтлас\r\nкнига\r\n01.02.2024\r\n0\r\n";
// One whole debtor, then a debtor whose identifier is no number.
const char* const kDamaged = "1\r\nПетров\r\n\r\nx\r\nСидорова\r\n\r\n***\r\n";

} // namespace

// The window is made by each test, over the settings file the test writes.
class DocumentTest : public MainWindowFixture {
  protected:
    void SetUp() override { Settings = RecIni{}; }

    // Creates and shows the main window as the program does, with the settings file holding `ini`
    // (none when empty); the answers serve the dialogs of the creation.
    std::vector<SeenDialog> Start(const std::string& ini = {}, std::vector<Answer> answers = {}) {
        if (!ini.empty()) {
            WriteWholeFile(settingsPath, ini);
        }
        ModalAnswerer answerer;
        for (auto& answer : answers) {
            answerer.Then(std::move(answer));
        }
        MainWindowFixture::Start();
        EXPECT_EQ(answerer.Pending(), 0u) << "a dialog the test answers did not appear";
        return answerer.Seen();
    }

    // Destroys the window, which writes the settings file; gives the file.
    std::string Finish() {
        editor.reset();
        form.reset();
        return ReadWholeFile(settingsPath);
    }

    std::vector<SeenDialog> Answered(std::function<void()> action, std::vector<Answer> answers) {
        ModalAnswerer answerer;
        for (auto& answer : answers) {
            answerer.Then(std::move(answer));
        }
        action();
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u) << "a dialog the test answers did not appear";
        return answerer.Seen();
    }

    std::vector<SeenDialog> Run(int commandId, std::vector<Answer> answers = {}) {
        return Answered([&] { RunCommand(commandId); }, std::move(answers));
    }

    // One tick of Timer1, as the system delivers it.
    std::vector<SeenDialog> Tick(std::vector<Answer> answers = {}) {
        return Answered([&] { SendTick(); }, std::move(answers));
    }
    void SendTick() { SendMessageA(form->Handle(), WM_TIMER, kTimer1, 0); }

    std::vector<SeenDialog> Close(std::vector<Answer> answers) {
        return Answered([&] { SendMessageA(form->Handle(), WM_CLOSE, 0, 0); }, std::move(answers));
    }

    // A change to the catalogue: a new debtor through the real command and editor dialog.
    void Change(const std::string& name) {
        Run(IDM_NEWU, {[this, name](HWND dialog) {
                SetWindowTextA(editor->ComboBox1(), name.c_str());
                ClickDialogButton(dialog, IDOK);
            }});
    }

    std::string Title() { return Caption(); }
    std::string Panel(int panel) {
        char text[512] = {};
        SendMessageA(StatusBar(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool TimerOn() { return form->Timer1Enabled(); }

    static constexpr UINT_PTR kTimer1 = 1; // Timer1's id in the main window
    std::string home = folder.File("home.dat");
};

TEST_F(DocumentTest, FirstStartTakesTheDefaultsAndLeavesTheSampleSettingsFile) {
    Start();
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_EQ(Panel(1), "");
    EXPECT_TRUE(Settings.AutoSave);
    EXPECT_EQ(Settings.AutoSaveMinutes, 5);
    EXPECT_TRUE(Settings.QExit && Settings.QRegistr && Settings.QOut && Settings.QIn && Settings.QAllIn);
    EXPECT_FALSE(Settings.AutoOpen);
    EXPECT_TRUE(TimerOn());
    EXPECT_EQ(Finish(), "[Main]\r\nOpen=0\r\nName=\r\nSave=1\r\nTime=5\r\nLeft=192\r\nTop=107\r\n"
                        "Height=480\r\nWidth=698\r\nPanHeight=143\r\nPanWidth=241\r\nMaximized=0\r\n"
                        "ColWidth1=161\r\nColWidth2=36\r\nColWidth3=273\r\nColWidth4=131\r\n"
                        "ColWidth5=100\r\nColWidth6=365\r\nColWidth7=185\r\n[Query]\r\nQExit=1\r\n"
                        "QRegistr=1\r\nQOut=1\r\nQIn=1\r\nQAllIn=1\r\n");
}

TEST_F(DocumentTest, StoredShapeIsPutBackWithinItsLimitsAndWrittenAgain) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    Start("[Main]\r\nSave=0\r\nLeft=-20\r\nTop=30\r\nHeight=600\r\nWidth=800\r\nPanHeight=299\r\n"
          "PanWidth=699\r\nColWidth3=5\r\nColWidth4=6\r\nColWidth7=240\r\n");
    EXPECT_FALSE(TimerOn());
    const RECT r = BoundsOf(form->Handle());
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(BoundsOf(LentItemsBox()).bottom - BoundsOf(LentItemsBox()).top, 299);
    EXPECT_EQ(BoundsOf(DebtorsBox()).right - BoundsOf(DebtorsBox()).left, 699);
    EXPECT_EQ(FreeItems().ColWidth(0), 273);
    EXPECT_EQ(FreeItems().ColWidth(1), 6);
    EXPECT_EQ(LentItems().ColWidth(2), 240);
    const std::string written = Finish();
    EXPECT_NE(
        written.find("Left=-20\r\nTop=30\r\nHeight=600\r\nWidth=800\r\nPanHeight=299\r\nPanWidth=699\r\n"),
        std::string::npos)
        << written;

    // Values at the limits are not applied.
    Start("[Main]\r\nLeft=" + std::to_string(screenWidth) +
          "\r\nHeight=480\r\nWidth=696\r\nPanHeight=240\r\n"
          "PanWidth=598\r\n");
    const RECT design = BoundsOf(form->Handle());
    EXPECT_EQ(design.left, 192);
    EXPECT_EQ(design.right - design.left, 698);
    EXPECT_EQ(design.bottom - design.top, 480);
    EXPECT_EQ(BoundsOf(LentItemsBox()).bottom - BoundsOf(LentItemsBox()).top, 143);
    EXPECT_EQ(BoundsOf(DebtorsBox()).right - BoundsOf(DebtorsBox()).left, 241);
}

// The system keeps a window near the screen's size, so the panels must fit the window it really is, and
// a column no wider than the screen is wide enough; what is written back is what was shown.
TEST_F(DocumentTest, StoredSizesBeyondTheScreenGiveAWindowAndColumnsTheScreenHolds) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    Start("[Main]\r\nHeight=40000\r\nWidth=40000\r\nPanHeight=19999\r\nPanWidth=19999\r\n"
          "ColWidth1=2147483647\r\nColWidth6=40000\r\n");
    const RECT r = BoundsOf(form->Handle());
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    EXPECT_LT(height, 40000);
    EXPECT_EQ(BoundsOf(LentItemsBox()).bottom - BoundsOf(LentItemsBox()).top, 143);
    EXPECT_EQ(BoundsOf(DebtorsBox()).right - BoundsOf(DebtorsBox()).left, 241);
    for (ui::StringGrid* table : {&Debtors(), &FreeItems(), &LentItems()}) {
        const RECT t = BoundsOf(table->Handle());
        EXPECT_GT(t.bottom - t.top, 100);
        EXPECT_GT(t.right - t.left, 100);
    }
    EXPECT_EQ(Debtors().ColWidth(0), screenWidth);
    EXPECT_EQ(LentItems().ColWidth(1), screenWidth);
    const std::string written = Finish();
    EXPECT_NE(written.find("Height=" + std::to_string(height) + "\r\nWidth=" + std::to_string(width) +
                           "\r\nPanHeight=143\r\nPanWidth=241\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("ColWidth1=" + std::to_string(screenWidth) + "\r\n"), std::string::npos)
        << written;
    EXPECT_NE(written.find("ColWidth6=" + std::to_string(screenWidth) + "\r\n"), std::string::npos)
        << written;
}

TEST_F(DocumentTest, MaximizedWindowKeepsItsNormalBoundsInTheFile) {
    Start("[Main]\r\nLeft=100\r\nTop=50\r\nHeight=500\r\nWidth=700\r\nMaximized=1\r\n");
    EXPECT_TRUE(IsZoomed(form->Handle()));
    std::string written = Finish();
    EXPECT_NE(written.find("Left=100\r\nTop=50\r\nHeight=500\r\nWidth=700\r\n"), std::string::npos)
        << written;
    EXPECT_NE(written.find("Maximized=1\r\n"), std::string::npos);

    // Restored by the user, the window writes its normal state and bounds.
    Start();
    EXPECT_TRUE(IsZoomed(form->Handle()));
    ShowWindow(form->Handle(), SW_RESTORE);
    Pump();
    EXPECT_EQ(BoundsOf(form->Handle()).left, 100);
    written = Finish();
    EXPECT_NE(written.find("Maximized=0\r\n"), std::string::npos) << written;

    Start();
    EXPECT_FALSE(IsZoomed(form->Handle()));
}

// Holder 0 marks a free item; a debtor the file numbers 0 ("-0" reads so) must not seem to hold them all.
TEST_F(DocumentTest, ADebtorNumberedZeroHoldsNothingAndIsGivenNothing) {
    WriteWholeFile(home,
                   "-0\r\nНоль\r\n\r\n01\r\nПетров\r\n\r\n***\r\n"
                   "1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n0\r\n2\r\nАтлас\r\nКнига\r\n15.03.2024\r\n+1\r\n");
    EXPECT_TRUE(Start("[Main]\r\nOpen=1\r\nName=" + home + "\r\n[Query]\r\nQOut=0\r\n").empty());
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Ноль", "Петров"}));
    EXPECT_EQ(ColumnOf(Debtors(), 1), (Texts{"0", "1"}));
    ASSERT_EQ(Debtors().Row(), 1);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{""});
    EXPECT_FALSE(IsWindowEnabled(InButton()));

    const std::vector<SeenDialog> seen =
        Answered([&] { SendMessageA(OutButton(), BM_CLICK, 0, 0); }, {Press(IDOK)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Warning");
    EXPECT_EQ(seen[0].text, "Этому должнику нельзя передать предмет: в файле базы у него номер 0, а номер 0 "
                            "означает, что предмет свободен.");
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Зонт"});
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{""});
    EXPECT_EQ(Panel(1), "");
}

TEST_F(DocumentTest, SaveOpenAndNewFollowTheStateTable) {
    Start("[Main]\r\nName=" + folder.File("other.dat") + "\r\n");
    // Nothing changed: Save does nothing at all.
    EXPECT_TRUE(Run(IDM_SAVE).empty());
    EXPECT_FALSE(FileExists(home));

    // An edit marks the catalogue, and the first save asks for a file.
    Change("Петров");
    EXPECT_EQ(Panel(1), "База изменена");
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_EQ(Run(IDM_SAVE, {TypePath(folder.File("home"))}).size(), 1u);
    EXPECT_EQ(ReadWholeFile(home), "1\r\nПетров\r\n\r\n***\r\n");
    EXPECT_EQ(Title(), "home.dat - Вещехран");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "");

    // The next save goes to the same file without a dialog.
    Change("Сидорова");
    EXPECT_TRUE(Run(IDM_SAVE).empty());
    EXPECT_EQ(ReadWholeFile(home), "1\r\nПетров\r\n\r\n2\r\nСидорова\r\n\r\n***\r\n");

    // New after a change answered with Cancel: an empty catalogue, still marked as changed.
    Change("Иванов");
    std::vector<SeenDialog> seen = Run(IDM_NEW, {Press(IDCANCEL)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Confirm");
    EXPECT_EQ(seen[0].text, "Сохранить?");
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_EQ(Panel(1), "База изменена");
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{""});
    EXPECT_EQ(ReadWholeFile(home), "1\r\nПетров\r\n\r\n2\r\nСидорова\r\n\r\n***\r\n");

    // Open: the file's catalogue, its title, no change mark; AutoOpenName is set, so no question.
    WriteWholeFile(home, kCatalog);
    seen = Run(IDM_OPEN, {TypePath(home), Press(IDCANCEL)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "Сохранить?");
    EXPECT_EQ(Title(), "home.dat - Вещехран");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Петров", "Сидорова"}));
    EXPECT_EQ(ColumnOf(Debtors(), 1), (Texts{"1", "0"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Атлас", "Словарь"}));
    EXPECT_TRUE(IsWindowEnabled(FilterComboBox()));

    // New after a save: the file is kept, the window is bound to nothing.
    EXPECT_TRUE(Run(IDM_NEW).empty());
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_FALSE(IsWindowEnabled(FilterComboBox()));
    Change("Петров");
    EXPECT_EQ(Run(IDM_SAVE, {TypePath(folder.File("second.dat"))}).size(), 1u);
    EXPECT_EQ(ReadWholeFile(home), kCatalog);
}

TEST_F(DocumentTest, SuccessfulOpenAsksForAutomaticOpeningUntilANameIsStored) {
    Start();
    WriteWholeFile(home, kCatalog);
    std::vector<SeenDialog> seen = Run(IDM_OPEN, {TypePath(home), Press(IDCANCEL)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Confirm");
    EXPECT_EQ(seen[1].text, "Открывать эту базу автоматически при старте программы?");
    EXPECT_EQ(Settings.AutoOpenName, "");

    Run(IDM_OPEN, {TypePath(home), Press(IDOK)});
    EXPECT_EQ(Settings.AutoOpenName, home);
    EXPECT_TRUE(Settings.AutoOpen);
    EXPECT_EQ(Run(IDM_OPEN, {TypePath(home)}).size(), 1u);

    const std::string written = Finish();
    EXPECT_NE(written.find("Open=1\r\nName=" + home + "\r\n"), std::string::npos) << written;
}

TEST_F(DocumentTest, CancelledDialogs) {
    Start("[Main]\r\nName=x\r\n");
    Change("Петров");
    // Open cancelled: nothing at all changes, not even the question about saving comes.
    EXPECT_EQ(Run(IDM_OPEN, {Press(IDCANCEL)}).size(), 1u);
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{"Петров"});
    EXPECT_EQ(Panel(1), "База изменена");

    // Save cancelled: a warning, nothing written, still marked.
    std::vector<SeenDialog> seen = Run(IDM_SAVE, {Press(IDCANCEL), Press(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Warning");
    EXPECT_EQ(seen[1].text, "Сохранение не произведено!");
    EXPECT_EQ(Panel(1), "База изменена");
    EXPECT_EQ(Title(), "Вещехран - new");
}

TEST_F(DocumentTest, FailedReadShowsThePartialCatalogueAndKeepsACopyBeforeTheFileIsReplaced) {
    Start("[Main]\r\nName=x\r\n");
    WriteWholeFile(home, kDamaged);
    std::vector<SeenDialog> seen = Run(IDM_OPEN, {TypePath(home), Press(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Вещехран");
    EXPECT_EQ(seen[1].text, "'x' is not a valid integer value.");
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{"Петров"});

    // The catalogue stays bound to the file: a save replaces it, after keeping what it held.
    Change("Иванов");
    EXPECT_TRUE(Run(IDM_SAVE).empty());
    EXPECT_EQ(ReadWholeFile(home), "2\r\nИванов\r\n\r\n1\r\nПетров\r\n\r\n***\r\n");
    EXPECT_EQ(ReadWholeFile(home + ".bak"), kDamaged);
    EXPECT_EQ(Title(), "home.dat - Вещехран");
}

TEST_F(DocumentTest, FailedSaveKeepsTheMarkTheTitleAndTheChosenFile) {
    Start("[Main]\r\nName=x\r\n");
    WriteWholeFile(home, kCatalog);
    Run(IDM_OPEN, {TypePath(home)});
    SetFileAttributesA(home.c_str(), FILE_ATTRIBUTE_READONLY);
    Change("Иванов");
    std::vector<SeenDialog> seen = Run(IDM_SAVE, {Press(IDOK)});
    SetFileAttributesA(home.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "File access denied.");
    EXPECT_EQ(Panel(1), "База изменена");
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(Title(), "home.dat - Вещехран");
    EXPECT_EQ(ReadWholeFile(home), kCatalog);

    // The same file again, now writable, without a dialog.
    EXPECT_TRUE(Run(IDM_SAVE).empty());
    EXPECT_NE(ReadWholeFile(home).find("Иванов"), std::string::npos);
}

TEST_F(DocumentTest, AutosaveEveryTickFromTheFifthOn) {
    Start("[Main]\r\nName=x\r\nTime=5\r\n");
    Change("Петров");
    Run(IDM_SAVE, {TypePath(home)});
    Change("Сидорова");
    for (int tick = 1; tick <= 4; ++tick) {
        EXPECT_TRUE(Tick().empty());
    }
    EXPECT_EQ(ReadWholeFile(home), "1\r\nПетров\r\n\r\n***\r\n");
    EXPECT_TRUE(Tick().empty());
    EXPECT_EQ(Panel(1), "");
    EXPECT_NE(ReadWholeFile(home).find("Сидорова"), std::string::npos);

    // The counter is not reset: the next tick after a change saves again.
    Change("Иванов");
    Tick();
    EXPECT_NE(ReadWholeFile(home).find("Иванов"), std::string::npos);
    EXPECT_EQ(Panel(1), "");
}

TEST_F(DocumentTest, AutosaveWithZeroMinutesAsksAtEveryTickButNeverStacksDialogs) {
    Start("[Main]\r\nName=x\r\nTime=0\r\n");
    EXPECT_TRUE(Tick().empty()); // nothing changed: nothing to save
    Change("Петров");

    // Ticks that come while the save dialog, or the warning after it, is open only count.
    int dialogsDuringTicks = 0;
    auto tickInside = [&](int button) {
        return [&, button](HWND dialog) {
            ModalAnswerer inner; // any dialog the ticks opened would show up here
            SendTick();
            SendTick();
            Pump();
            dialogsDuringTicks += static_cast<int>(inner.Seen().size());
            ClickDialogButton(dialog, button);
        };
    };
    std::vector<SeenDialog> seen = Tick({tickInside(IDCANCEL), tickInside(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "Сохранение не произведено!");
    EXPECT_EQ(dialogsDuringTicks, 0);

    // Nor while the editor dialog is open.
    Run(IDM_NEWU, {tickInside(IDCANCEL)});
    EXPECT_EQ(dialogsDuringTicks, 0);

    // The next tick asks again, and this time the catalogue is saved.
    EXPECT_EQ(Tick({TypePath(home)}).size(), 1u);
    EXPECT_EQ(ReadWholeFile(home), "1\r\nПетров\r\n\r\n***\r\n");
}

TEST_F(DocumentTest, CloseQuerySavesOnRequestAndAsksBeforeExit) {
    Start("[Main]\r\nName=x\r\n");
    Change("Петров");
    // Cancel at the first question closes without saving; Cancel at the second keeps the window.
    std::vector<SeenDialog> seen = Close({Press(IDCANCEL), Press(IDCANCEL)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Сохранить изменения?");
    EXPECT_EQ(seen[1].text, "Выйти из программы?");
    ASSERT_TRUE(IsWindow(form->Handle()));

    // A save that did not take place does not keep the window open.
    seen = Close({Press(IDOK), Press(IDCANCEL), Press(IDOK), Press(IDOK)});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2].text, "Сохранение не произведено!");
    EXPECT_FALSE(IsWindow(form->Handle()));
    Finish();

    // A save that fails keeps it open, with the error shown.
    WriteWholeFile(home, kCatalog);
    Start("[Main]\r\nName=x\r\n[Query]\r\nQExit=0\r\n");
    Run(IDM_OPEN, {TypePath(home)});
    Change("Иванов");
    SetFileAttributesA(home.c_str(), FILE_ATTRIBUTE_READONLY);
    seen = Close({Press(IDOK), Press(IDOK)});
    SetFileAttributesA(home.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "File access denied.");
    ASSERT_TRUE(IsWindow(form->Handle()));

    // Saved, and without the exit question, it closes at once.
    seen = Close({Press(IDOK)});
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_NE(ReadWholeFile(home).find("Иванов"), std::string::npos);
}

// Two copies of the program on one catalogue, as a second start from the shortcut gives: two main windows
// over one settings file, each opening the last catalogue at start.
TEST_F(DocumentTest, NoSaveReplacesWhatAnotherCopySavedUnasked) {
    const std::string shared = "1\r\nПетров\r\n\r\n***\r\n1\r\nЗонт\r\nПрочее\r\n01.02.2024\r\n0\r\n"
                               "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";
    WriteWholeFile(home, shared);
    Start("[Main]\r\nOpen=1\r\nName=" + home + "\r\nTime=0\r\n[Query]\r\nQOut=0\r\nQExit=0\r\n");
    TForm1 second(settingsPath, [] { return kNow; });
    second.Show(SW_SHOWNORMAL);
    Pump();
    ASSERT_EQ(WindowText(second.Handle()), "home.dat - Вещехран");
    auto lend = [](TForm1& copy, int freeRow) {
        SelectFromOutside(*ui::StringGrid::FromHandle(ChildById(copy.Handle(), IDC_STRINGGRID3)), freeRow);
        SendMessageA(ChildById(copy.Handle(), IDC_OUTSPDBTN), BM_CLICK, 0, 0);
        Pump();
    };
    auto note = [](TForm1& copy) {
        char text[256] = {};
        SendMessageA(ChildById(copy.Handle(), IDC_STATUSBAR1), SB_GETTEXTA, 1,
                     reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };

    // The first copy lends the dictionary and saves. The file was touched meanwhile, its bytes unchanged:
    // nothing to ask.
    lend(*form, 2);
    HANDLE file = CreateFileA(home.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME later{};
    GetSystemTimeAsFileTime(&later);
    later.dwHighDateTime += 1; // some seven minutes on
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &later));
    CloseHandle(file);
    EXPECT_TRUE(Run(IDM_SAVE).empty());
    const std::string firstSaved = "1\r\nПетров\r\n\r\n***\r\n1\r\nЗонт\r\nПрочее\r\n01.02.2024\r\n0\r\n"
                                   "2\r\nСловарь\r\nКнига\r\n15.03.2024\r\n1\r\n";
    ASSERT_EQ(ReadWholeFile(home), firstSaved);

    // The second copy, which read the file before that save, lends the umbrella. Its autosave writes
    // nothing and says why; the changed mark stays.
    lend(second, 1);
    EXPECT_TRUE(Answered([&] { SendMessageA(second.Handle(), WM_TIMER, kTimer1, 0); }, {}).empty());
    EXPECT_EQ(ReadWholeFile(home), firstSaved);
    EXPECT_EQ(note(second), "Файл базы изменён другой программой");

    // Its Save asks before any byte is written; Cancel writes nothing, as a cancelled save dialog.
    std::vector<SeenDialog> seen = Answered([&] { SendMessageA(second.Handle(), WM_COMMAND, IDM_SAVE, 0); },
                                            {Press(IDCANCEL), Press(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "Confirm");
    EXPECT_EQ(seen[0].text, "Файл базы изменён другой программой после открытия. Заменить его?");
    EXPECT_EQ(seen[1].caption, "Warning");
    EXPECT_EQ(seen[1].text, "Сохранение не произведено!");
    EXPECT_EQ(ReadWholeFile(home), firstSaved);
    EXPECT_EQ(note(second), "Файл базы изменён другой программой");

    // Closing it: the save asked for at the close asks the same, and OK replaces the file.
    seen = Answered([&] { SendMessageA(second.Handle(), WM_CLOSE, 0, 0); }, {Press(IDOK), Press(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Сохранить изменения?");
    EXPECT_EQ(seen[1].text, "Файл базы изменён другой программой после открытия. Заменить его?");
    EXPECT_FALSE(IsWindow(second.Handle()));
    const std::string secondSaved = "1\r\nПетров\r\n\r\n***\r\n1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1\r\n"
                                    "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";
    EXPECT_EQ(ReadWholeFile(home), secondSaved);

    // Now the first copy's save before New asks in its turn.
    Change("Иванов");
    seen = Run(IDM_NEW, {Press(IDOK), Press(IDCANCEL), Press(IDOK)});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "Сохранить?");
    EXPECT_EQ(seen[1].text, "Файл базы изменён другой программой после открытия. Заменить его?");
    EXPECT_EQ(seen[2].text, "Сохранение не произведено!");
    EXPECT_EQ(ReadWholeFile(home), secondSaved);
    EXPECT_EQ(Panel(1), "База изменена");
}

TEST_F(DocumentTest, FileMenuEnablesSearchAndStatisticsOnlyWithDebtorsAndItems) {
    Start();
    HMENU file = GetSubMenu(GetMenu(form->Handle()), 0);
    auto enabled = [&](UINT position) {
        SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        return !(GetMenuState(file, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    };
    EXPECT_FALSE(enabled(4)); // По&иск
    EXPECT_FALSE(enabled(5)); // С&татистика...
    Change("Петров");
    EXPECT_FALSE(enabled(4));
    WriteWholeFile(home, kCatalog);
    Run(IDM_OPEN, {TypePath(home), Press(IDCANCEL), Press(IDCANCEL)});
    EXPECT_TRUE(enabled(4));
    EXPECT_TRUE(enabled(5));
}

TEST_F(DocumentTest, LastCatalogueOpensAtStart) {
    WriteWholeFile(home, kCatalog);
    EXPECT_TRUE(Start("[Main]\r\nOpen=1\r\nName=" + home + "\r\n").empty());
    EXPECT_EQ(Title(), "home.dat - Вещехран");
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Петров", "Сидорова"}));
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Зонт"});
    EXPECT_EQ(Panel(1), "");
    Finish();

    // Gone: no word, a new catalogue, and the name forgotten while AutoOpen stays on.
    DeleteFileA(home.c_str());
    EXPECT_TRUE(Start().empty());
    EXPECT_EQ(Title(), "Вещехран - new");
    const std::string written = Finish();
    EXPECT_NE(written.find("Open=1\r\nName=\r\n"), std::string::npos) << written;

    // Damaged: the error box, what was read before the fault, and a later Open shows its dialog.
    WriteWholeFile(home, kDamaged);
    std::vector<SeenDialog> seen = Start("[Main]\r\nOpen=1\r\nName=" + home + "\r\n", {Press(IDOK)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "'x' is not a valid integer value.");
    EXPECT_EQ(Title(), "Вещехран - new");
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{"Петров"});
    EXPECT_EQ(Run(IDM_OPEN, {Press(IDCANCEL)}).size(), 1u);
}
