// The program ended at any moment, as a power cut, a log-off or the task manager ends it: a file it was
// writing is afterwards either the old one or the new one, whole, and what an ended save left beside the
// catalogue is gone after the next start.

#include "Driver.h"
#include "TestFolder.h"

#include "forms/CommandIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Whether the program with this process id is making a new version of `path` beside it, or left one.
bool MakesNewFile(const std::string& path, DWORD processId) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".~" + std::to_string(processId) + "-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Polls as fast as it can until `happened`; false when the program ended by itself first.
bool Until(RunningProgram& program, const std::function<bool()>& happened) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (happened()) {
            return true;
        }
        if (WaitForSingleObject(program.Process(), 0) == WAIT_OBJECT_0) {
            return false;
        }
    }
    return false;
}

const char* const kOldSettings = "[Main]\r\nSave=0\r\nTime=9\r\n[Query]\r\nQExit=0\r\n";
const char* const kNewSettings =
    "[Main]\r\nSave=0\r\nTime=9\r\nOpen=0\r\nName=\r\nLeft=192\r\nTop=107\r\nHeight=480\r\nWidth=698\r\n"
    "PanHeight=143\r\nPanWidth=241\r\nMaximized=0\r\nColWidth1=161\r\nColWidth2=36\r\nColWidth3=273\r\n"
    "ColWidth4=131\r\nColWidth5=100\r\nColWidth6=365\r\nColWidth7=185\r\n"
    "[Query]\r\nQExit=0\r\nQRegistr=1\r\nQOut=1\r\nQIn=1\r\nQAllIn=1\r\n";

} // namespace

TEST(Program, EndedWhileWritingItsSettingsLeavesTheOldOrTheNewFileWhole) {
    TestFolder folder("end-at-exit");
    const std::string settings = folder.File("veshchehran.ini");
    int endedWhileWriting = 0;
    for (int attempt = 0; attempt < 12; ++attempt) {
        WriteWholeFile(settings, kOldSettings);
        RunningProgram program(folder.Path());
        HWND main = program.WaitForWindow("Вещехран - new");
        ASSERT_NE(main, nullptr);
        const FILETIME before = LastWrite(settings);
        PostMessageA(main, WM_CLOSE, 0, 0);
        // By turns: the moment new settings are begun beside the file, the moment the file itself
        // changes, or a moment after the close request.
        switch (attempt % 3) {
        case 0:
            endedWhileWriting += Until(program, [&] { return MakesNewFile(settings, program.ProcessId()); });
            break;
        case 1:
            Until(program, [&] {
                const FILETIME now = LastWrite(settings);
                return CompareFileTime(&before, &now) != 0;
            });
            break;
        default: Sleep(static_cast<DWORD>(attempt * 3)); break;
        }
        program.EndNow();
        const std::string after = ReadWholeFile(settings);
        EXPECT_TRUE(after == kOldSettings || after == kNewSettings) << "attempt " << attempt << ":\n"
                                                                    << after;
    }
    EXPECT_GT(endedWhileWriting, 0) << "the program was never ended while it wrote its settings";

    // A run to its end writes the new settings and removes what the ended runs left.
    WriteWholeFile(settings, kOldSettings);
    RunningProgram program(folder.Path());
    HWND main = program.WaitForWindow("Вещехран - new");
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(ReadWholeFile(settings), kNewSettings);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"veshchehran.exe", "veshchehran.ini"}));
}

TEST(Program, ASaveEndedHalfWayKeepsTheCatalogueAndTheNextStartLeavesNothingBeside) {
    TestFolder folder("end-in-save");
    const std::string catalog = folder.File("склад.dat");
    std::string bytes = "1\r\nПетров\r\n\r\n***\r\n";
    for (int i = 1; i <= 20000; ++i) {
        bytes += std::to_string(i) + "\r\nВещь " + std::to_string(100000 + i) +
                 "\r\nПрочее\r\n01.02.2024\r\n0\r\n";
    }
    WriteWholeFile(catalog, bytes);
    WriteWholeFile(folder.File("veshchehran.ini"),
                   "[Main]\r\nOpen=1\r\nName=" + catalog + "\r\nSave=0\r\n[Query]\r\nQOut=0\r\nQExit=0\r\n");

    // Lends the first item to the first debtor and saves.
    auto lendAndSave = [](RunningProgram& program) {
        HWND main = program.WaitForWindow("склад.dat - Вещехран");
        if (!main) {
            return false;
        }
        PostMessageA(GetDlgItem(GetDlgItem(main, IDC_GROUPBOX3), IDC_OUTSPDBTN), BM_CLICK, 0, 0);
        HWND status = GetDlgItem(main, IDC_STATUSBAR1);
        if (!Until(program,
                   [&] { return RemoteStatusText(program.Process(), status, 1) == "База изменена"; })) {
            return false;
        }
        RunCommand(main, IDM_SAVE);
        return true;
    };

    // The save may be done before the end reaches it; then the catalogue is the new one, whole, and the
    // next attempt starts again from the old one.
    bool endedHalfWay = false;
    for (int attempt = 0; attempt < 5 && !endedHalfWay; ++attempt) {
        WriteWholeFile(catalog, bytes);
        RunningProgram program(folder.Path());
        ASSERT_TRUE(lendAndSave(program));
        ASSERT_TRUE(Until(program, [&] { return MakesNewFile(catalog, program.ProcessId()); }));
        program.EndNow();
        endedHalfWay = MakesNewFile(catalog, program.ProcessId());
        if (endedHalfWay) {
            EXPECT_EQ(ReadWholeFile(catalog), bytes);
        } else {
            EXPECT_EQ(ReadWholeFile(catalog).size(), bytes.size()) << "attempt " << attempt;
        }
    }
    ASSERT_TRUE(endedHalfWay) << "no save was ended half-way";

    RunningProgram program(folder.Path());
    ASSERT_TRUE(lendAndSave(program));
    HWND main = program.WaitForWindow("склад.dat - Вещехран");
    EXPECT_TRUE(Until(program, [&] {
        return RemoteStatusText(program.Process(), GetDlgItem(main, IDC_STATUSBAR1), 1).empty();
    }));
    // The catalogue and, since a thing was lent, its loan history; no new file of an ended save.
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"veshchehran.exe", "veshchehran.ini", "склад.dat",
                                                          "склад.dat.loans"}));
    const std::string saved = ReadWholeFile(catalog);
    const std::string start = "1\r\nПетров\r\n\r\n***\r\n1\r\nВещь 100001\r\nПрочее\r\n";
    ASSERT_EQ(saved.substr(0, start.size()), start);
    EXPECT_EQ(saved.substr(start.size() + 10, 5), "\r\n1\r\n") << "the first item is lent, with a date";
    EXPECT_EQ(saved.size(), bytes.size());
}
