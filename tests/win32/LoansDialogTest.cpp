// The loan history window over the real main window, as a person uses it: opened with a debtor's loans and
// then with an item's, read as a person and a screen reader read it (caption, column titles, rows, the
// list's name), and closed each of the three ways (Escape, "Закрыть", the close box). The list is read
// through the list view's own messages, as another program reads it. Modal windows are answered from
// inside their loops.

#include "MainWindowFixture.h"
#include "WindowSearch.h"

#include "forms/LoansUnit.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string Cell(HWND list, int row, int column, int size = 512) {
    return ListViewCell(list, row, column, size);
}

// The same through LVM_GETITEMTEXTW, as screen readers ask, back in code page 1251.
std::string WideCell(HWND list, int row, int column, int size) {
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = size;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    char ansi[1024] = {};
    WideCharToMultiByte(1251, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// Every row as "name | lent | returned".
Texts Rows(HWND list) {
    Texts rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        rows.push_back(Cell(list, row, 0) + " | " + Cell(list, row, 1) + " | " + Cell(list, row, 2));
    }
    return rows;
}

// The column titles, read from the list's header.
Texts Titles(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    Texts titles;
    for (int i = 0; i < static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)); ++i) {
        char text[128] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
    }
    return titles;
}

// The row the list reports with this state (LVNI_SELECTED, LVNI_FOCUSED); -1 for none.
int RowWith(HWND list, UINT state) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), state));
}

int TopRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
}

const std::vector<LoanRow> kPetrovsLoans{
    {"Мастер и Маргарита", "15.03.2024", ""},
    {"Дрель Bosch", "02.02.2024", "10.02.2024"},
    {"Словарь Ожегова", "11.11.2023", "01.12.2023"},
};

// The window made on first use over the main window, as the main window makes it.
class LoansDialog : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        loans = std::make_unique<TLoansForm>(form->Handle());
    }
    void TearDown() override {
        loans.reset();
        MainWindowFixture::TearDown();
    }
    HWND List() const { return GetDlgItem(loans->Handle(), IDC_LOANSLIST); }

    std::unique_ptr<TLoansForm> loans;
};

} // namespace

TEST_F(LoansDialog, ShowsADebtorsLoansThenAnItemsOnlyAndClosesByEscapeTheButtonAndTheCloseBox) {
    ModalAnswerer debtors;
    debtors.Then([&](HWND dialog) {
        EXPECT_EQ(dialog, loans->Handle());
        EXPECT_EQ(WindowText(dialog), "История выдач: Петров Иван");
        // Over the main window, which waits meanwhile.
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), form->Handle());
        EXPECT_FALSE(IsWindowEnabled(form->Handle()));
        HWND list = List();
        EXPECT_EQ(GetFocus(), list);
        EXPECT_EQ(AccessibleName(list), "История выдач");
        EXPECT_EQ(Titles(list), (Texts{"Предмет", "Выдан", "Возвращён"}));
        EXPECT_EQ(Rows(list),
                  (Texts{"Мастер и Маргарита | 15.03.2024 | ", "Дрель Bosch | 02.02.2024 | 10.02.2024",
                         "Словарь Ожегова | 11.11.2023 | 01.12.2023"}));
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_LOANSCLOSE)), "Закрыть");
        // The newest loan has the keyboard; a typed letter goes to the next row that begins with it.
        EXPECT_EQ(RowWith(list, LVNI_FOCUSED), 0);
        EXPECT_EQ(RowWith(list, LVNI_SELECTED), 0);
        SendMessageA(list, WM_CHAR, static_cast<unsigned char>('с'), 1);
        EXPECT_EQ(RowWith(list, LVNI_SELECTED), 2);
        EXPECT_EQ(RowWith(list, LVNI_FOCUSED), 2);
        PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    loans->ShowLoans("История выдач: Петров Иван", "Предмет", kPetrovsLoans);
    EXPECT_EQ(debtors.Pending(), 0u);
    EXPECT_FALSE(IsWindowVisible(loans->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    ModalAnswerer items;
    items.Then([&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "История выдач: Дрель Bosch");
        EXPECT_EQ(AccessibleName(List()), "История выдач");
        EXPECT_EQ(Titles(List()), (Texts{"Должник", "Выдан", "Возвращён"}));
        EXPECT_EQ(Rows(List()), Texts{"Петров Иван | 02.02.2024 | 10.02.2024"});
        EXPECT_EQ(RowWith(List(), LVNI_SELECTED), 0);
        PostMessageA(GetDlgItem(dialog, IDC_LOANSCLOSE), BM_CLICK, 0, 0);
    });
    loans->ShowLoans("История выдач: Дрель Bosch", "Должник", {{"Петров Иван", "02.02.2024", "10.02.2024"}});
    EXPECT_EQ(items.Pending(), 0u);
    EXPECT_FALSE(IsWindowVisible(loans->Handle()));

    // A thing never lent: no rows, and the close box.
    ModalAnswerer none;
    none.Then([&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "История выдач: Зонт");
        EXPECT_EQ(Rows(List()), Texts{});
        EXPECT_EQ(RowWith(List(), LVNI_SELECTED), -1);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    loans->ShowLoans("История выдач: Зонт", "Должник", {});
    EXPECT_EQ(none.Pending(), 0u);
    EXPECT_FALSE(IsWindowVisible(loans->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

// Ten thousand loans, one with a description far longer than a reader's buffer: every row is there, a
// reader gets the beginning of a text its buffer cannot hold, and the next showing starts at its own top
// row with nothing of the last one's place left.
TEST_F(LoansDialog, ManyRowsAreReadInBuffersOfAnySizeAndTheNextShowingStartsAtTheTop) {
    std::vector<LoanRow> many;
    for (int i = 0; i < 10000; ++i) {
        many.push_back({"Предмет " + std::to_string(i), "01.01.2024", i % 2 ? "05.01.2024" : ""});
    }
    const std::string longName = "Собрание сочинений в тридцати томах " + std::string(400, 'я');
    many[9999].name = longName;

    ModalAnswerer first;
    first.Then([&](HWND) {
        HWND list = List();
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 10000);
        EXPECT_EQ(Cell(list, 5000, 0) + Cell(list, 5000, 1) + Cell(list, 5000, 2), "Предмет 500001.01.2024");
        EXPECT_EQ(Cell(list, 9999, 0, 1024), longName);
        EXPECT_EQ(Cell(list, 9999, 0, 8), "Собрани");
        EXPECT_EQ(WideCell(list, 9999, 0, 8), "Собрани");
        EXPECT_EQ(WideCell(list, 9999, 2, 8), "05.01.2");
        // To the last row, as End takes a person there.
        PressKey(list, VK_END);
        EXPECT_EQ(RowWith(list, LVNI_FOCUSED), 9999);
        EXPECT_GT(TopRow(list), 9000);
        PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    loans->ShowLoans("История выдач: Петров Иван", "Предмет", many);
    EXPECT_EQ(first.Pending(), 0u);

    // Another debtor with as many loans.
    many.resize(9000);
    many[0].name = "Атлас мира";
    ModalAnswerer second;
    second.Then([&](HWND) {
        EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 9000);
        EXPECT_EQ(Cell(List(), 0, 0), "Атлас мира");
        EXPECT_EQ(TopRow(List()), 0);
        EXPECT_EQ(RowWith(List(), LVNI_FOCUSED), 0);
        EXPECT_EQ(RowWith(List(), LVNI_SELECTED), 0);
        PostMessageA(List(), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    loans->ShowLoans("История выдач: Сидоров", "Предмет", many);
    EXPECT_EQ(second.Pending(), 0u);
}
