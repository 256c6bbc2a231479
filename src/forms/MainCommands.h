#pragma once
// The main window's commands that change the catalogue: new, edited and deleted debtors and items, lending
// and returning. Each asks what the settings and the selected rows call for, makes one step of it and
// hands the step to the document, which applies it and shows it.
//
// A table row stands for the record it was filled from. Two debtors may share a name and two items a
// description (the edit commands allow it, and so does the catalog file), so a row is never matched
// back to a record by its text: the second of two equal rows edits or deletes the second record.

#include "catalog/Records.h"
#include "platform/Locale.h"
#include "platform/Window.h"

class MainDocument;
class MainTables;
class TForm2;

class MainCommands {
  public:
    MainCommands(const Window& window, MainDocument& document, MainTables& tables, NowClock now);

    // The editor dialog, created at start-up after the window and reused by the commands.
    void SetEditDialog(TForm2* dialog) { Form2 = dialog; }

    void NewDebtor();
    void EditDebtor();
    void DeleteDebtor();
    void NewItem();
    void EditItem();
    void DeleteItem();
    void Lend();
    void Return();
    void ReturnAll();

  private:
    // The editor dialog given at start-up; an error when there is none.
    TForm2& EditDialog();
    // What returning one item and returning them all check first; the debtor, or nullptr when the
    // command ends there.
    const TUserRec* DebtorReturning(bool ask, const char* question);
    HWND Owner() const { return window_.Handle(); }

    const Window& window_;
    MainDocument& document_;
    MainTables& tables_;
    NowClock now_;
    TForm2* Form2 = nullptr; // not owned
};
