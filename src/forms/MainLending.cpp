// Lending and returning: the three buttons under the free items table, double clicks in the item tables,
// and dragging an item from one item table to the other. Every route ends in one of the three commands,
// which make their own checks: a double click or a drop runs them whatever state the buttons are in.

#include "forms/Main.h"

#include "catalog/Lending.h"
#include "platform/MsgBox.h"
#include "settings/Settings.h"

// After a change of holders: the free items and the debtors are listed again, the debtors table (whose
// refill selects its first row) and the free items table go back to the rows the user had selected when
// those rows still exist, and only then are the items of the selected debtor listed.
void TForm1::RefreshAfterLending(int debtorRow, int freeRow) {
    FillFreeItems();
    FillUsers();
    if (debtorRow < StringGrid2.RowCount()) {
        StringGrid2.SetRow(debtorRow);
    }
    if (freeRow > 0 && freeRow < StringGrid3.RowCount()) {
        StringGrid3.SetRow(freeRow);
    }
    FillUserItems();
    SetModified(true);
}

void TForm1::OutSpdBtnClick() {
    if (GetCatalog().users.Empty() || GetCatalog().items.Empty()) {
        return;
    }
    if (Settings.QOut && !ConfirmBox(Handle(), "Передать предмет?")) {
        return;
    }
    const int debtorRow = StringGrid2.Row();
    const int freeRow = StringGrid3.Row();
    TUserRec* debtor = SelectedDebtor();
    if (!debtor) {
        return;
    }
    // Holder 0 marks a free item: what he was given would simply stay free.
    if (!CanHold(*debtor)) {
        WarningBox(Handle(), "Этому должнику нельзя передать предмет: в файле базы у него номер 0, "
                             "а номер 0 означает, что предмет свободен.");
        return;
    }
    // Only a free item can be lent: a row that stands for an item somebody holds lends nothing.
    TItemRec* item = SelectedFreeItem();
    if (item && Lend(*debtor, *item, now_())) {
        RefreshAfterLending(debtorRow, freeRow);
    }
}

// What returning one item and returning them all check first: a catalogue with debtors and items, the
// user's yes when the settings ask for it, and a selected debtor who holds something. Gives that debtor,
// or nullptr when the command ends there.
TUserRec* TForm1::DebtorReturning(bool ask, const char* question) {
    if (GetCatalog().users.Empty() || GetCatalog().items.Empty()) {
        return nullptr;
    }
    if (ask && !ConfirmBox(Handle(), question)) {
        return nullptr;
    }
    // The selected debtor holds nothing.
    if (StringGrid1.Cell(0, 1).empty()) {
        return nullptr;
    }
    return SelectedDebtor();
}

void TForm1::InSpdBtnClick() {
    TUserRec* debtor = DebtorReturning(Settings.QIn, "Вернуть предмет?");
    if (!debtor) {
        return;
    }
    // Only an item the selected debtor holds comes back from him: freeing another debtor's item, or
    // "returning" a free one, would leave the counts wrong.
    TItemRec* item = SelectedLentItem();
    if (item && Return(*debtor, *item, now_())) {
        RefreshAfterLending(StringGrid2.Row(), 0);
    }
}

void TForm1::AllInSpdBtnClick() {
    TUserRec* debtor = DebtorReturning(Settings.QAllIn, "Вернуть ВСЕ предметы?");
    if (!debtor) {
        return;
    }
    ReturnAll(*debtor, GetCatalog().items, now_());
    RefreshAfterLending(StringGrid2.Row(), 0);
}

// A double click runs the command of its table and marks the table, so that the press which follows the
// double click starts no drag.
void TForm1::StringGrid3DblClick() {
    OutSpdBtnClick();
    StringGrid3.Tag = 1;
}

void TForm1::StringGrid1DblClick() {
    InSpdBtnClick();
    StringGrid1.Tag = 1;
}

// A left press on a filled row arms a drag, which starts once the mouse moves the drag threshold with the
// button held; releasing earlier leaves a plain click. The second press of a double click (the table's
// mark is 1 then) arms nothing. Every press clears the mark.
void TForm1::StringGrid3MouseDown(ui::MouseButton button, int, int) {
    if (!StringGrid3.Cell(0, StringGrid3.Row()).empty() && StringGrid3.Tag != 1 &&
        button == ui::MouseButton::Left) {
        StringGrid3.BeginDrag();
    }
    StringGrid3.Tag = 0;
}

void TForm1::StringGrid1MouseDown(ui::MouseButton button, int, int) {
    if (!StringGrid1.Cell(0, StringGrid1.Row()).empty() && StringGrid1.Tag != 1 &&
        button == ui::MouseButton::Left) {
        StringGrid1.BeginDrag();
    }
    StringGrid1.Tag = 0;
}

// The lent items table takes drags from the free items table only, and the other way round. Where in the
// table the drop lands does not matter: the commands work on the selected rows.
bool TForm1::StringGrid1DragOver(ui::StringGrid& source, int, int) {
    return &source == &StringGrid3;
}

bool TForm1::StringGrid3DragOver(ui::StringGrid& source, int, int) {
    return &source == &StringGrid1;
}

void TForm1::StringGrid1DragDrop(ui::StringGrid&, int, int) {
    OutSpdBtnClick();
}

void TForm1::StringGrid3DragDrop(ui::StringGrid&, int, int) {
    InSpdBtnClick();
}
