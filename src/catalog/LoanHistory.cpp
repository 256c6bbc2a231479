#include "catalog/LoanHistory.h"

#include "text/IntText.h"
#include "text/Letters.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

// ---- Recording -----------------------------------------------------------------------------------------

void LoanHistory::Clear() {
    loans_.clear();
    open_.clear();
    saved_.clear();
}

void LoanHistory::Remember(std::string bytes) {
    saved_ = std::move(bytes);
    // The title and the column titles, then a line a loan.
    std::size_t at = 0;
    for (int skipped = 0; skipped < 2 && at != std::string::npos; ++skipped) {
        at = saved_.find('\n', at);
        at = at == std::string::npos ? at : at + 1;
    }
    for (Loan& loan : loans_) {
        const std::size_t end = at == std::string::npos ? at : saved_.find('\n', at);
        if (end == std::string::npos || end == at || saved_[end - 1] != '\r') {
            loan.lineLength = 0;
            at = std::string::npos;
            continue;
        }
        loan.line = static_cast<std::uint32_t>(at);
        loan.lineLength = static_cast<std::uint32_t>(end - 1 - at);
        at = end + 1;
    }
}

void LoanHistory::Add(Loan loan) {
    if (!loan.returned && !loan.itemGone) {
        open_[loan.itemId] = loans_.size();
    }
    loans_.push_back(std::move(loan));
}

void LoanHistory::Close(std::size_t position, TDateTime at, HistoryChange& change) {
    Loan& loan = loans_[position];
    loan.returned = true;
    loan.returnedAt = at;
    loan.lineLength = 0;
    open_.erase(loan.itemId);
    change.closed.push_back(position);
}

void LoanHistory::MarkGone(bool debtor, std::int32_t id, const std::string& name, HistoryChange& change) {
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        Loan& loan = loans_[i];
        bool& gone = debtor ? loan.debtorGone : loan.itemGone;
        std::string& text = debtor ? loan.debtorName : loan.itemDescription;
        if (!gone && (debtor ? loan.debtorId : loan.itemId) == id) {
            change.gone.push_back({i, debtor, text});
            gone = true;
            loan.lineLength = 0;
            text = name;
        }
    }
}

HistoryChange LoanHistory::Record(const Step& step) {
    HistoryChange change;
    // The open loan of an item, when the debtor named is its holder in the history.
    const auto closeLoanOf = [&](std::int32_t itemId, std::int32_t debtorId) {
        const auto open = open_.find(itemId);
        if (open != open_.end() && loans_[open->second].debtorId == debtorId) {
            Close(open->second, step.When(), change);
        }
    };
    switch (step.Kind()) {
    case StepKind::Lend: {
        Loan loan;
        loan.lent = step.When();
        loan.debtorId = step.Debtor().id;
        loan.itemId = step.Item().id;
        Add(std::move(loan));
        change.appended = 1;
        break;
    }
    case StepKind::Return: closeLoanOf(step.Item().id, step.Debtor().id); break;
    case StepKind::ReturnAll:
        for (const StepRecord& item : step.Returned()) {
            closeLoanOf(item.id, step.Debtor().id);
        }
        break;
    case StepKind::DeleteDebtor:
        for (const StepRecord& item : step.Returned()) {
            closeLoanOf(item.id, step.Debtor().id);
        }
        MarkGone(true, step.Debtor().id, step.Debtor().text, change);
        break;
    case StepKind::DeleteItem: {
        const auto open = open_.find(step.Item().id);
        if (open != open_.end()) {
            Close(open->second, step.When(), change);
        }
        MarkGone(false, step.Item().id, step.Item().text, change);
        break;
    }
    case StepKind::NewDebtor:
    case StepKind::EditDebtor:
    case StepKind::NewItem:
    case StepKind::EditItem: break;
    }
    return change;
}

void LoanHistory::Undo(const HistoryChange& change) {
    for (auto gone = change.gone.rbegin(); gone != change.gone.rend(); ++gone) {
        Loan& loan = loans_[gone->loan];
        (gone->debtor ? loan.debtorGone : loan.itemGone) = false;
        (gone->debtor ? loan.debtorName : loan.itemDescription) = gone->name;
        loan.lineLength = 0;
    }
    for (auto closed = change.closed.rbegin(); closed != change.closed.rend(); ++closed) {
        Loan& loan = loans_[*closed];
        loan.returned = false;
        loan.returnedAt = 0;
        loan.lineLength = 0;
        open_[loan.itemId] = *closed;
    }
    for (std::size_t i = 0; i < change.appended; ++i) {
        open_.erase(loans_.back().itemId);
        loans_.pop_back();
    }
}

// ---- Bringing it into line with the catalogue ------------------------------------------------------

void LoanHistory::Reconcile(const Catalog& catalog) {
    std::unordered_map<std::int32_t, const TUserRec*> debtors;
    std::unordered_map<std::int32_t, const TItemRec*> items;
    debtors.reserve(static_cast<std::size_t>(catalog.users.Count()));
    items.reserve(static_cast<std::size_t>(catalog.items.Count()));
    for (const auto& debtor : catalog.users) {
        debtors.emplace(debtor->Id, debtor.get());
    }
    for (const auto& item : catalog.items) {
        items.emplace(item->Id, item.get());
    }
    // Loans of records the catalogue does not hold, and open loans the catalogue does not show; the loans
    // kept move up over the ones dropped.
    std::unordered_set<std::int32_t> out; // the items with an open loan kept
    std::size_t kept = 0;
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        Loan& loan = loans_[i];
        const bool debtorGone = loan.debtorGone || !debtors.count(loan.debtorId);
        const bool itemGone = loan.itemGone || !items.count(loan.itemId);
        if (debtorGone != loan.debtorGone || itemGone != loan.itemGone) {
            loan.debtorGone = debtorGone;
            loan.itemGone = itemGone;
            loan.lineLength = 0;
        }
        if (!loan.returned && !loan.itemGone) {
            // The item's date is the day it last changed hands: it came back then, or went out anew.
            const TItemRec& item = *items.at(loan.itemId);
            const bool held = item.HolderId == loan.debtorId && !loan.debtorGone;
            if (!held || std::trunc(item.LentDate) > std::trunc(loan.lent)) {
                if (std::trunc(item.LentDate) < std::trunc(loan.lent)) {
                    continue; // a lend the catalogue never saw
                }
                // Back by the item's date, which keeps no time of day: never before the lend.
                loan.returned = true;
                loan.returnedAt = std::max(item.LentDate, loan.lent);
                loan.lineLength = 0;
            }
            if (!loan.returned && !out.insert(loan.itemId).second) {
                continue; // an item is out once: a second open loan is a lend the catalogue never saw
            }
        }
        if (kept != i) {
            loans_[kept] = std::move(loan);
        }
        ++kept;
    }
    loans_.resize(kept);
    IndexOpenLoans();
    // The lent items without their open loan: none where the history was in line with the catalogue.
    std::vector<const TItemRec*> missing;
    for (const auto& item : catalog.items) {
        if (item->HolderId != 0 && debtors.count(item->HolderId) && !open_.count(item->Id)) {
            missing.push_back(item.get());
        }
    }
    if (missing.empty()) {
        return;
    }
    // The newest loan of each living item.
    std::unordered_map<std::int32_t, std::size_t> newest;
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        if (!loans_[i].itemGone) {
            const auto [at, added] = newest.emplace(loans_[i].itemId, i);
            if (!added && loans_[i].lent >= loans_[at->second].lent) {
                at->second = i;
            }
        }
    }
    // Every lent item has its open loan.
    for (const TItemRec* item : missing) {
        // The loan it came back from in the history, when the catalogue still has it lent since that day.
        const auto last = newest.find(item->Id);
        if (last != newest.end()) {
            Loan& loan = loans_[last->second];
            if (loan.debtorId == item->HolderId && !loan.debtorGone &&
                std::trunc(loan.lent) == std::trunc(item->LentDate)) {
                loan.returned = false;
                loan.returnedAt = 0;
                loan.lineLength = 0;
                open_[item->Id] = last->second;
                continue;
            }
        }
        Loan loan;
        loan.lent = item->LentDate;
        loan.debtorId = item->HolderId;
        loan.itemId = item->Id;
        loan.fromBefore = true;
        Add(std::move(loan));
    }
}

void LoanHistory::IndexOpenLoans() {
    open_.clear();
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        if (!loans_[i].returned && !loans_[i].itemGone) {
            open_[loans_[i].itemId] = i;
        }
    }
}

bool LoanHistory::Eventful() const {
    return std::any_of(loans_.begin(), loans_.end(), [](const Loan& loan) {
        return !loan.fromBefore || loan.returned || loan.debtorGone || loan.itemGone;
    });
}

// ---- Looking it up -------------------------------------------------------------------------------------

std::vector<std::size_t> LoanHistory::NewestFirst(std::vector<std::size_t> positions) const {
    std::stable_sort(positions.begin(), positions.end(), [this](std::size_t a, std::size_t b) {
        return loans_[a].lent > loans_[b].lent || (loans_[a].lent == loans_[b].lent && a > b);
    });
    return positions;
}

std::vector<std::size_t> LoanHistory::OfDebtor(std::int32_t id) const {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        if (loans_[i].debtorId == id && !loans_[i].debtorGone) {
            positions.push_back(i);
        }
    }
    return NewestFirst(std::move(positions));
}

std::vector<std::size_t> LoanHistory::OfItem(std::int32_t id) const {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < loans_.size(); ++i) {
        if (loans_[i].itemId == id && !loans_[i].itemGone) {
            positions.push_back(i);
        }
    }
    return NewestFirst(std::move(positions));
}

namespace {

// The living records by Id (the first of a shared Id, as the catalogue finds them), and a loan's line
// with the other side's name: today's while it lives, else the one the loan keeps.
template <typename Record>
std::unordered_map<std::int32_t, const Record*> ById(const RecordList<Record>& list) {
    std::unordered_map<std::int32_t, const Record*> byId;
    byId.reserve(static_cast<std::size_t>(list.Count()));
    for (const auto& record : list) {
        byId.emplace(record->Id, record.get());
    }
    return byId;
}

LoanLine LineOf(const Loan& loan, std::string name) {
    return {std::move(name), loan.lent, loan.returned, loan.returnedAt};
}

} // namespace

std::vector<LoanLine> LoansOfDebtor(const LoanHistory& history, const Catalog& catalog,
                                    const TUserRec& debtor) {
    const auto items = ById(catalog.items);
    std::vector<LoanLine> lines;
    for (std::size_t position : history.OfDebtor(debtor.Id)) {
        const Loan& loan = history.Loans()[position];
        const auto item = loan.itemGone ? items.end() : items.find(loan.itemId);
        lines.push_back(LineOf(loan, item != items.end() ? item->second->Description : loan.itemDescription));
    }
    return lines;
}

std::vector<LoanLine> LoansOfItem(const LoanHistory& history, const Catalog& catalog, const TItemRec& item) {
    const auto debtors = ById(catalog.users);
    std::vector<LoanLine> lines;
    for (std::size_t position : history.OfItem(item.Id)) {
        const Loan& loan = history.Loans()[position];
        const auto debtor = loan.debtorGone ? debtors.end() : debtors.find(loan.debtorId);
        lines.push_back(LineOf(loan, debtor != debtors.end() ? debtor->second->Name : loan.debtorName));
    }
    return lines;
}

// ---- The file ------------------------------------------------------------------------------------------

std::string HistoryPath(const std::string& catalogPath) {
    return catalogPath + ".loans";
}

namespace {

// "Вещехран: история выдач базы "
const std::string_view kTitle =
    "\xC2\xE5\xF9\xE5\xF5\xF0\xE0\xED: \xE8\xF1\xF2\xEE\xF0\xE8\xFF \xE2\xFB\xE4\xE0\xF7 \xE1\xE0\xE7\xFB ";
// "Выдан\tВозвращён\tДолжник\tПредмет\tИмя должника\tОписание предмета"
const std::string_view kColumns =
    "\xC2\xFB\xE4\xE0\xED\t\xC2\xEE\xE7\xE2\xF0\xE0\xF9\xB8\xED\t\xC4\xEE\xEB\xE6\xED\xE8\xEA\t\xCF\xF0\xE5"
    "\xE4\xEC\xE5\xF2\t\xC8\xEC\xFF \xE4\xEE\xEB\xE6\xED\xE8\xEA\xE0\t\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5 "
    "\xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0"
    // " (* после номера: запись удалена)"
    " (* \xEF\xEE\xF1\xEB\xE5 \xED\xEE\xEC\xE5\xF0\xE0: \xE7\xE0\xEF\xE8\xF1\xFC "
    "\xF3\xE4\xE0\xEB\xE5\xED\xE0)";
// "Выдач: "
const std::string_view kCount = "\xC2\xFB\xE4\xE0\xF7: ";

void AppendDigits(std::string& out, int value, int width) {
    char digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

// "yyyy-MM-dd HH:mm:ss"; a value no calendar holds is written as the first day of the count.
void AppendMoment(std::string& out, TDateTime value) {
    CivilDate date;
    if (!TryDecodeDate(value, date)) {
        value = 0;
        TryDecodeDate(value, date);
    }
    const ClockTime time = DecodeTime(value);
    AppendDigits(out, date.year, 4);
    out += '-';
    AppendDigits(out, date.month, 2);
    out += '-';
    AppendDigits(out, date.day, 2);
    out += ' ';
    AppendDigits(out, time.hour, 2);
    out += ':';
    AppendDigits(out, time.minute, 2);
    out += ':';
    AppendDigits(out, time.second, 2);
}

void AppendText(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
}

bool ParseDigits(std::string_view text, std::size_t at, int width, int& value) {
    value = 0;
    for (int i = 0; i < width; ++i) {
        const char c = text[at + static_cast<std::size_t>(i)];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

bool ParseMoment(std::string_view text, TDateTime& value) {
    CivilDate date;
    ClockTime time;
    return text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
           text[16] == ':' && ParseDigits(text, 0, 4, date.year) && ParseDigits(text, 5, 2, date.month) &&
           ParseDigits(text, 8, 2, date.day) && ParseDigits(text, 11, 2, time.hour) &&
           ParseDigits(text, 14, 2, time.minute) && ParseDigits(text, 17, 2, time.second) && time.hour < 24 &&
           time.minute < 60 && time.second < 60 && TryEncodeDateTime(date, time, value);
}

bool ParseText(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
        } else if (i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == 't')) {
            out += text[++i] == 't' ? '\t' : '\\';
        } else {
            return false;
        }
    }
    return true;
}

// An Id, with "*" after it when its record was deleted.
bool ParseId(std::string_view text, std::int32_t& id, bool& gone) {
    gone = !text.empty() && text.back() == '*';
    if (gone) {
        text.remove_suffix(1);
    }
    return TryStrToInt(text, id);
}

bool ParseLoan(std::string_view line, Loan& loan) {
    std::string_view fields[6];
    for (int i = 0; i < 5; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            return false;
        }
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    fields[5] = line;
    loan.returned = !fields[1].empty();
    return ParseMoment(fields[0], loan.lent) && (!loan.returned || ParseMoment(fields[1], loan.returnedAt)) &&
           ParseId(fields[2], loan.debtorId, loan.debtorGone) &&
           ParseId(fields[3], loan.itemId, loan.itemGone) && ParseText(fields[4], loan.debtorName) &&
           ParseText(fields[5], loan.itemDescription);
}

} // namespace

std::string SerializeHistory(const LoanHistory& history, std::string_view catalogName) {
    std::string out;
    out.reserve(history.Loans().size() * 64 + 256);
    out.append(kTitle).append(catalogName).append("\r\n").append(kColumns).append("\r\n");
    const std::string& saved = history.Remembered();
    for (const Loan& loan : history.Loans()) {
        if (loan.lineLength > 0 && std::size_t{loan.line} + loan.lineLength <= saved.size()) {
            out.append(saved, loan.line, loan.lineLength).append("\r\n");
            continue;
        }
        AppendMoment(out, loan.lent);
        out += '\t';
        if (loan.returned) {
            AppendMoment(out, loan.returnedAt);
        }
        out.append("\t").append(IntToStr(loan.debtorId)).append(loan.debtorGone ? "*\t" : "\t");
        out.append(IntToStr(loan.itemId)).append(loan.itemGone ? "*\t" : "\t");
        AppendText(out, loan.debtorName);
        out += '\t';
        AppendText(out, loan.itemDescription);
        out += "\r\n";
    }
    out.append(kCount).append(IntToStr(static_cast<std::int32_t>(history.Loans().size()))).append("\r\n");
    return out;
}

bool ParseHistory(std::string_view bytes, std::string_view catalogName, LoanHistory& history) {
    std::size_t at = 0;
    const auto nextLine = [&](std::string_view& line) {
        if (at >= bytes.size()) {
            return false;
        }
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    };
    std::string_view line;
    // Another catalogue's history has nothing to tell of this one.
    if (!nextLine(line) || line.substr(0, kTitle.size()) != kTitle ||
        !SameText(line.substr(kTitle.size()), catalogName) || !nextLine(line)) {
        return false;
    }
    bool whole = line == kColumns;
    if (at < bytes.size()) {
        history.Reserve(static_cast<std::size_t>(
            std::count(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\n')));
    }
    while (nextLine(line)) {
        if (line.substr(0, kCount.size()) == kCount) {
            std::int32_t count = 0;
            return whole && TryStrToInt(line.substr(kCount.size()), count) &&
                   count == static_cast<std::int32_t>(history.Loans().size()) &&
                   bytes.find_first_not_of("\r\n", at) == std::string_view::npos;
        }
        Loan loan;
        if (ParseLoan(line, loan)) {
            history.Add(std::move(loan));
        } else {
            whole = false;
        }
    }
    return false; // cut short before its count
}
