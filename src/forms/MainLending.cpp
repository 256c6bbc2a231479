// Lending and returning: the three buttons under the free items table, double clicks in the item tables,
// and dragging an item from one item table to the other.

#include "forms/Main.h"

void TForm1::OutSpdBtnClick() {}

void TForm1::InSpdBtnClick() {}

void TForm1::AllInSpdBtnClick() {}

void TForm1::StringGrid3DblClick() {
    OutSpdBtnClick();
    StringGrid3.Tag = 1;
}

void TForm1::StringGrid1DblClick() {
    InSpdBtnClick();
    StringGrid1.Tag = 1;
}

// A left press on a filled row may begin a drag, unless it is the second press of a double click (the
// table's mark is 1 then): a double click never starts a drag.
void TForm1::StringGrid3MouseDown(ui::MouseButton button, int, int) {
    if (!StringGrid3.Cell(0, StringGrid3.Row()).empty() && StringGrid3.Tag != 1 && button == ui::MouseButton::Left) {
        StringGrid3.BeginDrag();
    }
    StringGrid3.Tag = 0;
}

void TForm1::StringGrid1MouseDown(ui::MouseButton button, int, int) {
    if (!StringGrid1.Cell(0, StringGrid1.Row()).empty() && StringGrid1.Tag != 1 && button == ui::MouseButton::Left) {
        StringGrid1.BeginDrag();
    }
    StringGrid1.Tag = 0;
}

// The lent items table takes drags from the free items table only, and the other way round.
bool TForm1::StringGrid1DragOver(ui::StringGrid& source, int, int) { return &source == &StringGrid3; }

bool TForm1::StringGrid3DragOver(ui::StringGrid& source, int, int) { return &source == &StringGrid1; }

void TForm1::StringGrid1DragDrop(ui::StringGrid&, int, int) { OutSpdBtnClick(); }

void TForm1::StringGrid3DragDrop(ui::StringGrid&, int, int) { InSpdBtnClick(); }
