// The two searches of the main window: the item search through the find dialog and Find next, and the
// quick search that jumps to a table row by the letter typed.

#include "forms/Main.h"

#include "catalog/Lending.h"
#include "catalog/Search.h"
#include "platform/MsgBox.h"
#include "text/Letters.h"

namespace {

// The data row a record was filled into, or 0.
template <typename Record> int RowOfRecord(const ui::RecordGrid<Record>& table, const Record* record) {
    for (int row = 1; row < table.RowCount(); ++row) {
        if (table.RecordOf(row) == record) {
            return row;
        }
    }
    return 0;
}

// The first data row whose key text the typed key (from QuickSearchKey) lands on, or 0; a key that
// searches for nothing finds nothing. Every key starts afresh from the first row: typed letters are not
// collected into a word.
template <typename Record>
int QuickSearchRow(const ui::RecordGrid<Record>& table, char key, std::string Record::*text) {
    if (key == 0) {
        return 0;
    }
    for (int row = 1; row < table.RowCount(); ++row) {
        const Record* record = table.RecordOf(row);
        if (record && QuickSearchLandsOn(key, record->*text)) {
            return row;
        }
    }
    return 0;
}

} // namespace

void TForm1::miFindClick() {
    FindDialog1.Show(Handle());
}

// The find dialog stays usable while a modal dialog of the program (the editor, a message box) holds the
// window; its Find next does nothing until that dialog is done, so that the tables do not move under it.
void TForm1::OnFindDialogMessage(LPARAM lParam) {
    if (FindDialog1.Notice(lParam) == FindDialog::Event::FindNext && IsWindowEnabled(Handle())) {
        FindDialog1Find();
    }
}

// Searches the items from the one after the last hit; the first search with a new text starts from the
// first item. A run that finds nothing says so and the next one starts from the first item again.
void TForm1::FindDialog1Find() {
    const std::string text = FindDialog1.Text();
    FindDialog1.Close();
    if (text != lastSearchText_) {
        lastSearchText_ = text;
        SearchPosition = 0;
    }
    std::string type;
    const bool filtered = ActiveFilterType(type);
    const int hit =
        FindItemFrom(GetCatalog().items, UpperCase(text), SearchPosition, filtered ? &type : nullptr);
    if (hit < 0) {
        SearchPosition = 0;
        std::string message = "Не удается найти \"" + text + "\"!";
        if (FilterChecked()) {
            message += "\nПопробуйте отключить фильтр.";
        }
        WarningBox(Handle(), message);
        return;
    }
    SearchPosition = hit + 1;
    ShowItem(GetCatalog().items[hit]);
}

// A free item is shown in the free items table; a lent one through its holder: his row in the debtors
// table, then the item's row among his. The rows are those filled from the records themselves, so an
// item or a debtor that shares its text with another is shown, not the other. A record without a row
// leaves that table's selection as it was.
void TForm1::ShowItem(const TItemRec& item) {
    if (item.HolderId == 0) {
        if (const int row = RowOfRecord(StringGrid3, &item)) {
            SelectRowCentered(StringGrid3, row);
        }
        UpdateCommands();
        return;
    }
    const TUserRec* holder = HolderOf(GetCatalog().users, item);
    if (!holder) {
        return;
    }
    if (const int row = RowOfRecord(StringGrid2, holder)) {
        SelectRowCentered(StringGrid2, row);
    }
    FillUserItems();
    if (const int row = RowOfRecord(StringGrid1, &item)) {
        SelectRowCentered(StringGrid1, row);
    }
    UpdateCommands();
}

// The row goes to the middle of the view where the table's length allows: near either end the view
// stays at that end.
void TForm1::SelectRowCentered(ui::StringGrid& table, int row) {
    table.SetRow(row);
    const int visible = table.VisibleRowCount();
    const int half = visible / 2;
    const int count = table.RowCount();
    int top = row - half;
    if (row <= half) {
        top = 1;
    } else if (row >= count - half) {
        top = count - visible;
    }
    table.SetTopRow(top);
}

// Enter edits the selected debtor; a letter or digit selects the first debtor from that letter on.
void TForm1::StringGrid2KeyPress(char& key) {
    if (key == '\r') {
        EditUAct.Execute();
        return;
    }
    if (QuickSearch(StringGrid2, QuickSearchRow(StringGrid2, QuickSearchKey(key), &TUserRec::Name))) {
        FollowSelectedDebtor();
    }
}

void TForm1::StringGrid3KeyPress(char& key) {
    if (key == '\r') {
        EditIAct.Execute();
        return;
    }
    if (QuickSearch(StringGrid3, QuickSearchRow(StringGrid3, QuickSearchKey(key), &TItemRec::Description))) {
        UpdateCommands();
    }
}

bool TForm1::QuickSearch(ui::StringGrid& table, int row) {
    if (row == 0) {
        return false;
    }
    SelectRowCentered(table, row);
    return true;
}
