// The program started with a settings file that opens the last catalogue: the catalogue is shown under
// its file's name, and closing the program keeps the catalogue as it was and writes the settings back.

#include "Driver.h"
#include "TestFolder.h"

#include "forms/CommandIds.h"

#include <gtest/gtest.h>

namespace {

const char* const kCatalog = "1\r\nПетров\r\n\r\n2\r\nСидорова\r\nsid@example.ru\r\n***\r\n"
                             "1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1\r\n"
                             "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";

std::vector<std::string> Column(HANDLE process, HWND list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < RemoteListViewCount(list); ++row) {
        texts.push_back(RemoteListViewText(process, list, row, column));
    }
    return texts;
}

HWND Table(HWND main, int box, int grid) {
    return GetDlgItem(GetDlgItem(main, box), grid);
}

} // namespace

TEST(Program, OpensTheLastCatalogueAtStartAndWritesItsSettingsAtExit) {
    TestFolder folder("автооткрытие");
    const std::string catalog = folder.File("дом.dat");
    WriteWholeFile(catalog, kCatalog);
    const std::string settings = folder.File("veshchehran.ini");
    WriteWholeFile(settings, "[Main]\r\nOpen=1\r\nName=" + catalog +
                                 "\r\nTime=7\r\nLeft=150\r\nTop=90\r\n"
                                 "[Query]\r\nQOut=0\r\n");

    RunningProgram program(folder.Path());
    ASSERT_EQ(program.SettingsPath(), settings);
    HWND main = program.WaitForWindow("дом.dat - Вещехран");
    ASSERT_NE(main, nullptr) << "the catalogue was not opened at start";
    EXPECT_FALSE(program.HasDialog());

    HANDLE process = program.Process();
    HWND debtors = Table(main, IDC_GROUPBOX2, IDC_STRINGGRID2);
    EXPECT_EQ(Column(process, debtors, 0), (std::vector<std::string>{"Петров", "Сидорова"}));
    EXPECT_EQ(Column(process, debtors, 1), (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(Column(process, Table(main, IDC_GROUPBOX3, IDC_STRINGGRID3), 0),
              std::vector<std::string>{"Словарь"});
    HWND lentItems = Table(main, IDC_GROUPBOX1, IDC_STRINGGRID1);
    EXPECT_EQ(Column(process, lentItems, 1), std::vector<std::string>{"Зонт"});
    // A screen reader selects the other debtor: the list reports him, and his (empty) list of items shows.
    EXPECT_EQ(RemoteSelectedListViewRow(debtors), 0);
    RemoteSelectListViewRow(process, debtors, 1);
    EXPECT_EQ(RemoteSelectedListViewRow(debtors), 1);
    EXPECT_EQ(Column(process, lentItems, 1), std::vector<std::string>{""});
    RemoteSelectListViewRow(process, debtors, 0);
    EXPECT_EQ(Column(process, lentItems, 1), std::vector<std::string>{"Зонт"});
    EXPECT_EQ(RemoteStatusText(process, GetDlgItem(main, IDC_STATUSBAR1), 1), "");

    // Nothing was changed, so the only question is the one before exit.
    PostMessageA(main, WM_CLOSE, 0, 0);
    RemoteDialog question = program.WaitForDialog();
    ASSERT_NE(question.hwnd, nullptr);
    EXPECT_EQ(question.caption, "Confirm");
    EXPECT_EQ(question.text, "Выйти из программы?");
    PressButton(question.hwnd, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0);

    EXPECT_EQ(ReadWholeFile(catalog), kCatalog);
    EXPECT_EQ(
        ReadWholeFile(settings),
        "[Main]\r\nOpen=1\r\nName=" + catalog +
            "\r\nTime=7\r\nLeft=150\r\nTop=90\r\nSave=1\r\n"
            "Height=480\r\nWidth=698\r\nPanHeight=143\r\nPanWidth=241\r\nMaximized=0\r\nColWidth1=161\r\n"
            "ColWidth2=36\r\nColWidth3=273\r\nColWidth4=131\r\nColWidth5=100\r\nColWidth6=365\r\n"
            "ColWidth7=185\r\n[Query]\r\nQOut=0\r\nQExit=1\r\nQRegistr=1\r\nQIn=1\r\nQAllIn=1\r\n");
}
