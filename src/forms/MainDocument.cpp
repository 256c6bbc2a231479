// The catalogue as a document: New, Open, Save, autosave, the close query, the Modified mark, and the
// settings file.

#include "forms/Main.h"

void TForm1::PrepareDocument() {}

void TForm1::OpenAtStart() {}

void TForm1::NewActExecute() {}

void TForm1::OpenActExecute() {}

void TForm1::SaveActExecute() {}

void TForm1::Timer1Timer() {}

bool TForm1::FormCloseQuery() { return true; }

void TForm1::N1Click() {}

void TForm1::SetModified(bool value) {
    if (value == Modified) {
        return;
    }
    Modified = value;
    SetStatusText(1, value ? "База изменена" : "");
}

void TForm1::LoadSaveSettings(bool) {}
