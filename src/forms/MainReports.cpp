// The main window's reports and information: the settings dialog, export, statistics, mail to a debtor,
// the About box, the program's history, and a debtor's or an item's loan history.

#include "forms/Main.h"

#include "catalog/TableRows.h"
#include "files/FileIO.h"
#include "forms/About.h"
#include "forms/ExportUnit.h"
#include "forms/LoansUnit.h"
#include "forms/SetsUnit.h"
#include "forms/StatUnit.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"

// ---- Settings, the reports, mail, About and history ------------------------------------------------

// The dialog edits copies; only OK changes the record. The timer then follows the autosave option (a
// running interval goes on, the count of minutes stays), and the file is written at once, with the
// window's shape of this moment.
void TForm1::SetsActExecute() {
    if (!SetsForm) {
        SetsForm = std::make_unique<TSetsForm>(Handle());
    }
    SetsForm->CopyIn(Settings);
    if (!SetsForm->ShowModal()) {
        return;
    }
    SetsForm->CopyBack(Settings);
    SetTimer1Enabled(Settings.AutoSave);
    tables_.CountLongLoans();
    document_.LoadSaveSettings(false);
}

void TForm1::ExportActExecute() {
    if (!ExportForm) {
        ExportForm = std::make_unique<TExportForm>(Handle(), now_);
    }
    ExportForm->Execute(GetCatalog(), document_.Dates());
}

// The size is that of the file as last saved. It is asked without opening the file, so a read-only
// catalogue, or one another program holds open, shows its statistics too.
void TForm1::miStatClick() {
    if (document_.FileName().empty()) {
        WarningBox(Handle(), "Необходимо создать базу!");
        return;
    }
    std::int64_t size = 0;
    {
        ui::ProgressText progress(StatusBar1, MainDocument::kProgressPanel, "Сбор статистики... Ждите...");
        if (!StatForm) {
            StatForm = std::make_unique<TStatForm>(Handle());
        }
        size = FileSize(document_.FileName());
    }
    StatForm->ShowStatistics(document_.FileName(), size,
                             CountCatalog(GetCatalog().users, GetCatalog().items));
}

// The address goes to the mail program exactly as stored: an empty one opens a message without a
// recipient.
void TForm1::MailActExecute() {
    const TUserRec* debtor = tables_.SelectedDebtor();
    if (GetCatalog().users.Empty() || !debtor) {
        return;
    }
    ShellOpen(Handle(), "mailto:" + debtor->EMail);
}

void TForm1::AboutActExecute() {
    if (!AboutBox) {
        AboutBox = std::make_unique<TAboutBox>(Handle());
    }
    AboutBox->Execute();
}

// The history opens in the program the system has for text files; whether the file is there is the
// shell's business.
void TForm1::miHistoryClick() {
    ShellOpen(Handle(), Application::ExeFolder() + "history.txt");
}

// ---- The loan history ------------------------------------------------------------------------------------

namespace {

std::vector<LoanRow> RowsOf(const std::vector<LoanLine>& lines, const ShortDateFormat& dates) {
    std::vector<LoanRow> rows;
    rows.reserve(lines.size());
    for (const LoanLine& line : lines) {
        rows.push_back({line.name, LentDateText(dates, line.lent),
                        line.returned ? LentDateText(dates, line.returnedAt) : std::string()});
    }
    return rows;
}

} // namespace

void TForm1::miDebtorLoansClick() {
    const TUserRec* debtor = tables_.SelectedDebtor();
    if (!debtor) {
        return;
    }
    if (!LoansForm) {
        LoansForm = std::make_unique<TLoansForm>(Handle());
    }
    LoansForm->ShowLoans(
        "История выдач: " + debtor->Name, "Предмет",
        RowsOf(LoansOfDebtor(document_.History(), GetCatalog(), *debtor), document_.Dates()));
}

// The item of the lent items table when that table has the keyboard, else the free items table's.
void TForm1::miItemLoansClick() {
    const TItemRec* item =
        GetFocus() == tables_.StringGrid1.Handle() ? tables_.SelectedLentItem() : tables_.SelectedFreeItem();
    if (!item) {
        return;
    }
    if (!LoansForm) {
        LoansForm = std::make_unique<TLoansForm>(Handle());
    }
    LoansForm->ShowLoans("История выдач: " + item->Description, "Должник",
                         RowsOf(LoansOfItem(document_.History(), GetCatalog(), *item), document_.Dates()));
}
