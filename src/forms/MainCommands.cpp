// The debtor and item commands: new, edit and delete, each through the editor dialog.

#include "forms/Main.h"

void TForm1::NewUActExecute() {}

void TForm1::EditUActExecute() {}

void TForm1::DelUActExecute() {}

void TForm1::NewIActExecute() {}

void TForm1::EditIActExecute() {}

void TForm1::DelIActExecute() {}
