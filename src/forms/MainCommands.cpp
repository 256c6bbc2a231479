// The debtor and item commands: new, edit and delete, each through the editor dialog. They are the only
// places where records enter or leave the lists while the program runs. Each ends the same way: the
// list sorted again, the tables concerned refilled, the catalogue marked as changed.
//
// A table row stands for the record it was filled from. Two debtors may share a name and two items a
// description (the edit commands allow it, and so does the catalog file), so a row is never matched
// back to a record by its text: the second of two equal rows edits or deletes the second record.

#include "forms/Main.h"

#include "catalog/Lending.h"
#include "forms/EditUnit.h"
#include "platform/MsgBox.h"
#include "settings/Settings.h"

#include <stdexcept>

// The editor dialog, for a command that fills it: while it is up (the command posted to the window), the
// error that it is open comes before a field is touched, and what the user typed there stays.
TForm2& TForm1::EditDialog() {
    if (!Form2) {
        throw std::logic_error("The editor dialog was not created");
    }
    Form2->CheckNotShown();
    return *Form2;
}

void TForm1::NewUActExecute() {
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = true;
    dialog.IsUserRecord = true;
    if (!dialog.ShowModal()) {
        return;
    }
    const std::string name = dialog.ComboBox1Text();
    if (GetCatalog().users.FindByName(name)) {
        WarningBox(Handle(), "Запись о пользователе существует!\nДобавление невозможно!");
        return;
    }
    AddDebtor(GetCatalog().users, name, dialog.Edit1Text());
    FillUsers();
    FillUserItems();
    SetModified(true);
}

void TForm1::EditUActExecute() {
    if (GetCatalog().users.Empty()) {
        return;
    }
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = false;
    dialog.IsUserRecord = true;
    TUserRec* debtor = SelectedDebtor();
    if (!debtor) {
        return;
    }
    dialog.SetComboBox1Text(debtor->Name);
    dialog.SetEdit1Text(debtor->EMail);
    if (!dialog.ShowModal()) {
        return;
    }
    // No duplicate check: the Id and the item count stay, so the debtor keeps his items.
    debtor->Name = dialog.ComboBox1Text();
    debtor->EMail = dialog.Edit1Text();
    GetCatalog().users.Sort(CompareUserNames);
    FillUsers();
    FillUserItems();
    SetModified(true);
}

void TForm1::DelUActExecute() {
    if (GetCatalog().users.Empty()) {
        return;
    }
    if (!ConfirmBox(Handle(), "Удалить пользователя?")) {
        return;
    }
    TUserRec* debtor = SelectedDebtor();
    if (!debtor) {
        return;
    }
    if (debtor->ItemCount > 0 && !ConfirmBox(Handle(), "За ним числятся предметы.\nПодтвердите удаление.")) {
        return;
    }
    DeleteDebtor(GetCatalog().users, GetCatalog().items, *debtor);
    FillUsers();
    FillUserItems();
    FillFreeItems();
    SetModified(true);
}

namespace {

// The middle line of the warning about an existing description: who holds that item.
std::string HolderLine(const UserList& users, const TItemRec& item) {
    const TUserRec* holder = HolderOf(users, item);
    return holder ? "Предмет числится за: " + holder->Name : std::string("Ни за кем не числится!");
}

} // namespace

void TForm1::NewIActExecute() {
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = true;
    dialog.IsUserRecord = false;
    dialog.SetTypeList(GetCatalog().types.Entries());
    if (!dialog.ShowModal()) {
        return;
    }
    const std::string type = dialog.ComboBox1Text();
    const std::string description = dialog.Edit1Text();
    // Lent items count too. With QRegistr the check ignores letter case, by the same table as the type
    // list.
    if (const TItemRec* existing = FindSameDescription(GetCatalog().items, description, Settings.QRegistr)) {
        WarningBox(Handle(), "Запись существует!\n" + HolderLine(GetCatalog().users, *existing) +
                                 "\nДобавление невозможно!");
        return;
    }
    RegisterType(type);
    AddItem(GetCatalog().items, description, type, now_());
    FillFreeItems();
    SetModified(true);
}

void TForm1::EditIActExecute() {
    if (GetCatalog().items.Empty()) {
        return;
    }
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = false;
    dialog.IsUserRecord = false;
    TItemRec* item = SelectedFreeItem();
    if (!item) {
        return;
    }
    dialog.SetComboBox1Text(item->ItemType);
    dialog.SetEdit1Text(item->Description);
    dialog.SetTypeList(GetCatalog().types.Entries());
    if (!dialog.ShowModal()) {
        return;
    }
    const std::string type = dialog.ComboBox1Text();
    RegisterType(type);
    // No duplicate check; the Id, the date and the holder stay.
    item->ItemType = type;
    item->Description = dialog.Edit1Text();
    GetCatalog().items.Sort(CompareItemDescriptions);
    FillFreeItems();
    SetModified(true);
}

void TForm1::DelIActExecute() {
    if (GetCatalog().items.Empty()) {
        return;
    }
    if (!ConfirmBox(Handle(), "Удалить описание предмета?")) {
        return;
    }
    TItemRec* item = SelectedFreeItem();
    if (!item) {
        return;
    }
    // Only free items are in the table, so no debtor's item count changes.
    GetCatalog().items.Remove(item);
    GetCatalog().items.Sort(CompareItemDescriptions);
    FillFreeItems();
    SetModified(true);
}
