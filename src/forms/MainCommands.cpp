// The debtor and item commands, each through the editor dialog, and lending and returning. Every route to
// lending and returning (the buttons, a double click, a drop) ends in Lend, Return or ReturnAll, which make
// their own checks: a double click or a drop runs them whatever state the buttons are in.

#include "forms/MainCommands.h"

#include "catalog/Lending.h"
#include "catalog/Steps.h"
#include "forms/EditUnit.h"
#include "forms/MainDocument.h"
#include "forms/MainTables.h"
#include "platform/MsgBox.h"
#include "settings/Settings.h"

#include <stdexcept>

MainCommands::MainCommands(const Window& window, MainDocument& document, MainTables& tables, NowClock now)
    : window_(window), document_(document), tables_(tables), now_(std::move(now)) {}

// The editor dialog, for a command that fills it: while it is up (the command posted to the window), the
// error that it is open comes before a field is touched, and what the user typed there stays.
TForm2& MainCommands::EditDialog() {
    if (!Form2) {
        throw std::logic_error("The editor dialog was not created");
    }
    Form2->CheckNotShown();
    return *Form2;
}

// ---- Debtors -------------------------------------------------------------------------------------------

void MainCommands::NewDebtor() {
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = true;
    dialog.IsUserRecord = true;
    if (!dialog.ShowModal()) {
        return;
    }
    const std::string name = dialog.ComboBox1Text();
    if (document_.Data().users.FindByName(name)) {
        WarningBox(Owner(), "Запись о пользователе существует!\nДобавление невозможно!");
        return;
    }
    document_.Do(MakeNewDebtor(document_.Data(), name, dialog.Edit1Text(), now_()));
}

void MainCommands::EditDebtor() {
    if (document_.Data().users.Empty()) {
        return;
    }
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = false;
    dialog.IsUserRecord = true;
    const TUserRec* debtor = tables_.SelectedDebtor();
    if (!debtor) {
        return;
    }
    dialog.SetComboBox1Text(debtor->Name);
    dialog.SetEdit1Text(debtor->EMail);
    if (!dialog.ShowModal()) {
        return;
    }
    // No duplicate check: the Id and the item count stay, so the debtor keeps his items.
    document_.Do(
        MakeEditDebtor(document_.Data(), *debtor, dialog.ComboBox1Text(), dialog.Edit1Text(), now_()));
}

void MainCommands::DeleteDebtor() {
    if (document_.Data().users.Empty()) {
        return;
    }
    if (!ConfirmBox(Owner(), "Удалить пользователя?")) {
        return;
    }
    const TUserRec* debtor = tables_.SelectedDebtor();
    if (!debtor) {
        return;
    }
    if (debtor->ItemCount > 0 && !ConfirmBox(Owner(), "За ним числятся предметы.\nПодтвердите удаление.")) {
        return;
    }
    document_.Do(MakeDeleteDebtor(document_.Data(), *debtor, now_()));
}

// ---- Items ---------------------------------------------------------------------------------------------

namespace {

// The middle line of the warning about an existing description: who holds that item.
std::string HolderLine(const UserList& users, const TItemRec& item) {
    const TUserRec* holder = HolderOf(users, item);
    return holder ? "Предмет числится за: " + holder->Name : std::string("Ни за кем не числится!");
}

} // namespace

void MainCommands::NewItem() {
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = true;
    dialog.IsUserRecord = false;
    dialog.SetTypeList(document_.Data().types.Entries());
    if (!dialog.ShowModal()) {
        return;
    }
    const std::string type = dialog.ComboBox1Text();
    const std::string description = dialog.Edit1Text();
    // Lent items count too. With QRegistr the check ignores letter case, by the same table as the type
    // list.
    const Catalog& catalog = document_.Data();
    if (const TItemRec* existing = FindSameDescription(catalog.items, description, Settings.QRegistr)) {
        WarningBox(Owner(), "Запись существует!\n" + HolderLine(catalog.users, *existing) +
                                "\nДобавление невозможно!");
        return;
    }
    document_.Do(MakeNewItem(catalog, description, type, now_()));
}

void MainCommands::EditItem() {
    if (document_.Data().items.Empty()) {
        return;
    }
    TForm2& dialog = EditDialog();
    dialog.IsNewRecord = false;
    dialog.IsUserRecord = false;
    const TItemRec* item = tables_.SelectedFreeItem();
    if (!item) {
        return;
    }
    dialog.SetComboBox1Text(item->ItemType);
    dialog.SetEdit1Text(item->Description);
    dialog.SetTypeList(document_.Data().types.Entries());
    if (!dialog.ShowModal()) {
        return;
    }
    // No duplicate check; the Id, the date and the holder stay.
    document_.Do(MakeEditItem(document_.Data(), *item, dialog.Edit1Text(), dialog.ComboBox1Text(), now_()));
}

void MainCommands::DeleteItem() {
    if (document_.Data().items.Empty()) {
        return;
    }
    if (!ConfirmBox(Owner(), "Удалить описание предмета?")) {
        return;
    }
    const TItemRec* item = tables_.SelectedFreeItem();
    if (!item) {
        return;
    }
    document_.Do(MakeDeleteItem(document_.Data(), *item, now_()));
}

// ---- Lending and returning -------------------------------------------------------------------------------

void MainCommands::Lend() {
    const Catalog& catalog = document_.Data();
    if (catalog.users.Empty() || catalog.items.Empty()) {
        return;
    }
    if (Settings.QOut && !ConfirmBox(Owner(), "Передать предмет?")) {
        return;
    }
    const TUserRec* debtor = tables_.SelectedDebtor();
    if (!debtor) {
        return;
    }
    // Holder 0 marks a free item: what he was given would simply stay free.
    if (!CanHold(*debtor)) {
        WarningBox(Owner(), "Этому должнику нельзя передать предмет: в файле базы у него номер 0, "
                            "а номер 0 означает, что предмет свободен.");
        return;
    }
    // Only a free item can be lent: a row that stands for an item somebody holds lends nothing.
    const TItemRec* item = tables_.SelectedFreeItem();
    if (!item) {
        return;
    }
    if (auto step = MakeLend(catalog, *debtor, *item, now_())) {
        document_.Do(std::move(step));
    }
}

// A catalogue with debtors and items, the user's yes when the settings ask for it, and a selected debtor
// who holds something.
const TUserRec* MainCommands::DebtorReturning(bool ask, const char* question) {
    if (document_.Data().users.Empty() || document_.Data().items.Empty()) {
        return nullptr;
    }
    if (ask && !ConfirmBox(Owner(), question)) {
        return nullptr;
    }
    if (!tables_.DebtorHoldsShownItems()) {
        return nullptr;
    }
    return tables_.SelectedDebtor();
}

void MainCommands::Return() {
    const TUserRec* debtor = DebtorReturning(Settings.QIn, "Вернуть предмет?");
    if (!debtor) {
        return;
    }
    // Only an item the selected debtor holds comes back from him: freeing another debtor's item, or
    // "returning" a free one, would leave the counts wrong.
    const TItemRec* item = tables_.SelectedLentItem();
    if (!item) {
        return;
    }
    if (auto step = MakeReturn(document_.Data(), *debtor, *item, now_())) {
        document_.Do(std::move(step));
    }
}

void MainCommands::ReturnAll() {
    const TUserRec* debtor = DebtorReturning(Settings.QAllIn, "Вернуть ВСЕ предметы?");
    if (!debtor) {
        return;
    }
    if (auto step = MakeReturnAll(document_.Data(), *debtor, now_())) {
        document_.Do(std::move(step));
    }
}
