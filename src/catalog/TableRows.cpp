#include "catalog/TableRows.h"

#include "text/IntText.h"

namespace {

// A table with nothing to show has its one empty row.
template <typename Record> std::vector<Record*> AtLeastOneRow(std::vector<Record*> rows) {
    if (rows.empty()) {
        rows.push_back(nullptr);
    }
    return rows;
}

} // namespace

std::vector<TUserRec*> DebtorRows(const UserList& users, bool onlyHolders) {
    std::vector<TUserRec*> rows;
    rows.reserve(static_cast<std::size_t>(users.Count()));
    for (const auto& user : users) {
        if (!onlyHolders || user->ItemCount != 0) {
            rows.push_back(user.get());
        }
    }
    return AtLeastOneRow(std::move(rows));
}

std::string DebtorCellText(const TUserRec& debtor, int col) {
    switch (col) {
    case 0: return debtor.Name;
    case 1: return IntToStr(debtor.ItemCount);
    }
    return {};
}

std::vector<TItemRec*> FreeItemRows(const ItemList& items, const std::string* type) {
    std::vector<TItemRec*> rows;
    for (const auto& item : items) {
        if (item->HolderId == 0 && (!type || item->ItemType == *type)) {
            rows.push_back(item.get());
        }
    }
    return AtLeastOneRow(std::move(rows));
}

std::string FreeItemCellText(const TItemRec& item, int col) {
    switch (col) {
    case 0: return item.Description;
    case 1: return item.ItemType;
    }
    return {};
}

std::vector<TItemRec*> LentItemRows(const ItemList& items, const TUserRec* debtor) {
    std::vector<TItemRec*> rows;
    if (debtor) {
        for (const auto& item : items) {
            if (Holds(*debtor, *item)) {
                rows.push_back(item.get());
            }
        }
    }
    return AtLeastOneRow(std::move(rows));
}

std::string LentItemCellText(const TItemRec& item, int col, const ShortDateFormat& dates) {
    switch (col) {
    case 0: return LentDateText(dates, item.LentDate);
    case 1: return item.Description;
    case 2: return item.ItemType;
    }
    return {};
}

std::string LentDateText(const ShortDateFormat& dates, TDateTime value) {
    CivilDate date;
    return TryDecodeDate(value, date) ? dates.Format(value) : std::string();
}
