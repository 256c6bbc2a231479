#pragma once
// The loan history window: the loans of one debtor or of one item, one row each, newest first as the main
// window gives them. A report list of three columns (the other side of the loan, the day it was lent, the
// day it came back) and "Закрыть". The list is owner data: the rows stay in a vector here, and the list
// asks for the texts it shows, so ten thousand loans open as quickly as ten. Typed letters move to the
// next row whose first column begins with them. Created on first use and kept for the run.

#include "platform/Dialog.h"

#include <string>
#include <vector>

// One row of the window: the other side of the loan (an item's description in a debtor's window, a
// debtor's name in an item's window), the day it was lent and the day it came back ("" while held),
// both already as text.
struct LoanRow {
    std::string name;
    std::string lent;
    std::string returned;
};

constexpr int IDC_LOANSLIST = 101;   // the owner-data list view
constexpr int IDC_LOANSCLOSE = IDOK; // "Закрыть"; Escape and the close box end the window as well

class TLoansForm : public Dialog {
  public:
    // Creates the window hidden, owned by `owner` (the main window).
    explicit TLoansForm(HWND owner);

    // Shows the window modally until Esc or a close button ends it. `caption` is the whole window caption
    // (e.g. "История выдач: Петров"); `nameColumn` the first column's title ("Предмет" in a debtor's window,
    // "Должник" in an item's); the rows in the order given (the caller gives newest first).
    void ShowLoans(const std::string& caption, const std::string& nameColumn,
                   const std::vector<LoanRow>& rows);

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    void FormCreate();
    // The list's notifications: true for one answered here, with its result in `result`.
    bool ListView1Notify(const NMHDR* header, LRESULT& result);
    // The text of a cell: column 0 the name, 1 the lent day, 2 the day it came back.
    const std::string& CellText(int row, int column) const;

    HWND ListView1 = nullptr;
    HWND CloseBtn = nullptr;
    std::vector<LoanRow> rows_;
};
