// The loan history through the real main window: things lent and returned, a debtor renamed, another
// deleted and his Id given to a new one, the catalogue saved, the window closed and the catalogue opened
// again; each history window read as a person reads it.

#include "MainWindowFixture.h"
#include "WindowSearch.h"

#include "files/FileIO.h"

#include <commctrl.h>

namespace {

// Петров holds the umbrella since 15.03.2023; Сидорова holds nothing; the dictionary is free.
const char* const kCatalog = "1\r\nПетров\r\n\r\n2\r\nСидорова\r\n\r\n***\r\n"
                             "1\r\nЗонт\r\nПрочее\r\n15.03.2023\r\n1\r\n"
                             "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";

struct Shown {
    std::string caption;
    std::vector<Texts> rows; // name, lent, returned
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    out << shown.caption << ':';
    for (const Texts& row : shown.rows) {
        out << " [" << row[0] << ' ' << row[1] << ' ' << row[2] << ']';
    }
    return out;
}

// What the history window shows: its caption and its rows, read from its list as another program reads it.
Shown Read(HWND dialog) {
    Shown shown;
    char text[512] = {};
    GetWindowTextA(dialog, text, sizeof text);
    shown.caption = text;
    HWND list = FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr);
    const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        const Texts cells{ListViewCell(list, row, 0), ListViewCell(list, row, 1), ListViewCell(list, row, 2)};
        shown.rows.push_back(cells);
    }
    return shown;
}

class LoanHistoryTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Settings.QOut = Settings.QIn = Settings.QAllIn = false;
        WriteWholeFile(home, kCatalog);
        Open();
    }

    void Open() {
        ModalAnswerer open;
        open.Then([this](HWND dialog) {
                SetDlgItemTextA(dialog, 0x47C, home.c_str());
                ClickDialogButton(dialog, IDOK);
            })
            .Then([](HWND box) { ClickDialogButton(box, IDCANCEL); }); // not opened at every start
        Run(IDM_OPEN, open);
    }

    // Opens a history window by its command, reads it and closes it with Esc.
    Shown History(int commandId) {
        Shown shown;
        ModalAnswerer answerer;
        answerer.Then([&shown](HWND dialog) {
            shown = Read(dialog);
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Run(commandId, answerer);
        EXPECT_EQ(answerer.Pending(), 0u) << "no history window";
        return shown;
    }
    Shown DebtorHistory(int row) {
        ClickRow(Debtors(), row);
        return History(IDM_DEBTORLOANS);
    }
    Shown FreeItemHistory(int row) {
        ClickRow(FreeItems(), row);
        return History(IDM_ITEMLOANS);
    }
    void Edit(int commandId, const char* text) {
        ModalAnswerer answerer;
        answerer.Then([this, text](HWND dialog) {
            SetWindowTextA(editor->ComboBox1(), text);
            ClickDialogButton(dialog, IDOK);
        });
        Run(commandId, answerer);
    }
    void DeleteDebtor(int row) {
        ClickRow(Debtors(), row);
        ModalAnswerer answerer;
        answerer.Then([](HWND box) { ClickDialogButton(box, IDOK); });
        Run(IDM_DELU, answerer);
    }

    std::string home = folder.File("home.dat");
};

} // namespace

TEST_F(LoanHistoryTest, LoansAreKeptThroughRenamesDeletionsAndASaveAndShownNewestFirst) {
    // No lend or return yet: the umbrella counts as lent since its date; nothing is written beside the file.
    EXPECT_EQ(DebtorHistory(1), (Shown{"История выдач: Петров", {{"Зонт", "15.03.2023", ""}}}));

    // Сидорова borrows the dictionary on the 15th and brings it back on the 16th; Петров borrows it on the
    // 17th.
    ClickRow(Debtors(), 2);
    ClickRow(FreeItems(), 1);
    RunCommand(IDC_OUTSPDBTN);
    timeNow = kNow + 1;
    RunCommand(IDC_INSPDBTN);
    timeNow = kNow + 2;
    ClickRow(Debtors(), 1);
    ClickRow(FreeItems(), 1);
    RunCommand(IDC_OUTSPDBTN);
    // Taken back and done again: the history holds the lend once.
    RunCommand(IDM_UNDO);
    RunCommand(IDM_REDO);
    Pump();

    // The lent items table has the keyboard: its item's history.
    ClickRow(Debtors(), 1);
    ClickRow(LentItems(), 2);
    SetFocus(LentItems().Handle());
    EXPECT_EQ(History(IDM_ITEMLOANS),
              (Shown{"История выдач: Словарь",
                     {{"Петров", "17.03.2024", ""}, {"Сидорова", "15.03.2024", "16.03.2024"}}}));

    // Петров renamed; Сидорова deleted, and her Id given to a new debtor, who has no history of hers.
    ClickRow(Debtors(), 1);
    Edit(IDM_EDITU, "Петров Иван");
    DeleteDebtor(2);
    Edit(IDM_NEWU, "Орлов");
    EXPECT_EQ(Data().users.FindByName("Орлов")->Id, 2);

    const auto check = [this](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(DebtorHistory(1), (Shown{"История выдач: Орлов", {}}));
        EXPECT_EQ(DebtorHistory(2), (Shown{"История выдач: Петров Иван",
                                           {{"Словарь", "17.03.2024", ""}, {"Зонт", "15.03.2023", ""}}}));
        ClickRow(Debtors(), 2);
        ClickRow(LentItems(), 2);
        SetFocus(LentItems().Handle());
        EXPECT_EQ(History(IDM_ITEMLOANS),
                  (Shown{"История выдач: Словарь",
                         {{"Петров Иван", "17.03.2024", ""}, {"Сидорова", "15.03.2024", "16.03.2024"}}}));
    };
    check("before the save");
    ModalAnswerer none;
    Run(IDM_SAVE, none);
    EXPECT_TRUE(FileExists(home + ".loans"));

    // Closed and started again.
    editor.reset();
    form.reset();
    Start();
    Open();
    check("after the catalogue was read again");
}
