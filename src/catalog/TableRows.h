#pragma once
// What the main window's three tables show, from the catalogue itself: the records of each table's rows
// in the order shown, and the text of each cell of such a row. A table always shows at least one row:
// with no record to show, its one row stands for none (nullptr) and every cell of it is empty. The tables
// keep only the records of their rows and ask for a cell's text when they paint it or another program
// reads it, so a text is never copied and never out of date.

#include "catalog/Lists.h"
#include "text/ShortDate.h"

#include <string>
#include <vector>

// The debtors table: every debtor, or with `onlyHolders` only those who hold at least one item, in list
// order. Cells: the name, the number of items held.
std::vector<TUserRec*> DebtorRows(const UserList& users, bool onlyHolders);
std::string DebtorCellText(const TUserRec& debtor, int col);

// The free items table: every item nobody holds, in list order; given a type, only the items whose type
// equals it byte for byte, letter case counting. Cells: the description, the type.
std::vector<TItemRec*> FreeItemRows(const ItemList& items, const std::string* type);
std::string FreeItemCellText(const TItemRec& item, int col);

// The lent items table: the items the debtor holds, in list order; nothing without a debtor. Cells: the
// date it was lent, the description, the type.
std::vector<TItemRec*> LentItemRows(const ItemList& items, const TUserRec* debtor);
std::string LentItemCellText(const TItemRec& item, int col, const ShortDateFormat& dates);

// A lent date as the tables and the export show it: the date in the user's short format. A value no
// calendar date has cannot come from the catalog file or the clock; should one appear, its text is empty
// rather than an error at every repaint.
std::string LentDateText(const ShortDateFormat& dates, TDateTime value);
