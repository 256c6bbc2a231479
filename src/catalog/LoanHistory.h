#pragma once
// The loan history: who had each thing, from when to when. Every lend and return (also those of a return
// of all and of a debtor's deletion) is recorded with its moment from the step that made it, and taken
// back with that step. The history follows a record by its Id while the record lives, so a rename changes
// nothing; a deleted record's loans are marked as gone with the name it had, so that a new record given
// the same Id starts with a history of its own.
//
// It is kept in a text file of its own beside the catalog file (HistoryPath), written with the catalogue.
// The catalog file is the truth: a history read is brought into line with it (Reconcile), and the items
// lent in a catalogue with no history count as loans since their lent date.

#include "catalog/Catalog.h"
#include "catalog/Steps.h"
#include "text/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Loan {
    TDateTime lent = 0;
    bool returned = false;
    TDateTime returnedAt = 0;
    std::int32_t debtorId = 0;
    std::int32_t itemId = 0;
    // The name a deleted record had when it was deleted (a living record's is looked up by its Id).
    std::string debtorName;
    std::string itemDescription;
    bool debtorGone = false;
    bool itemGone = false;
    // Made from a lent item of a catalogue whose history lacked it: no lend the history saw.
    bool fromBefore = false;
    // Where its line stands in the bytes the history was last read from or written as, so that a save
    // copies the lines of the loans that did not change; a length of 0 once it changed (or never was).
    std::uint32_t line = 0;
    std::uint32_t lineLength = 0;
};

// What recording one step changed in the history, so that taking the step back takes exactly that back.
struct HistoryChange {
    std::size_t appended = 0;        // loans added at the end
    std::vector<std::size_t> closed; // loans the step ended
    struct Gone {
        std::size_t loan;
        bool debtor; // else the item
        std::string name;
    };
    std::vector<Gone> gone; // loans whose debtor or item the step deleted, with the names they had
};

class LoanHistory {
  public:
    const std::vector<Loan>& Loans() const { return loans_; }
    void Clear();

    // Records what the step (just applied) did: a lend opens a loan, a return closes one, a deletion
    // closes the loans of the items that came back and marks the deleted record's loans as gone.
    HistoryChange Record(const Step& step);
    // Takes back what Record gave, newest first.
    void Undo(const HistoryChange& change);

    // Brings the history into line with the catalogue, which is the truth: loans of records it does not
    // hold are gone; a loan still open whose item has changed hands since the day of its lend (free again,
    // or lent anew) is closed at the item's date, one whose lend the catalogue never saw is dropped; every
    // lent item without its open loan gets one (a loan from before, since its lent date, or the loan it
    // came back from opened again).
    void Reconcile(const Catalog& catalog);

    // Whether the history holds anything a file must keep: a loan recorded by a step, a return, a record
    // gone. Loans from before alone need no file: the catalog file holds them.
    bool Eventful() const;

    // The positions of a living record's loans, newest first (by the moment of the lend, the later
    // recorded first at equal moments).
    std::vector<std::size_t> OfDebtor(std::int32_t id) const;
    std::vector<std::size_t> OfItem(std::int32_t id) const;

    // Puts a loan read from a file at the end; Reserve makes room for as many beforehand.
    void Add(Loan loan);
    void Reserve(std::size_t count) { loans_.reserve(loans_.size() + count); }
    // The bytes of a whole file the loans were just read from, or written as, in the loans' order: later
    // saves copy the lines of unchanged loans from them.
    void Remember(std::string bytes);
    const std::string& Remembered() const { return saved_; }

  private:
    std::vector<std::size_t> NewestFirst(std::vector<std::size_t> positions) const;
    void Close(std::size_t position, TDateTime at, HistoryChange& change);
    void MarkGone(bool debtor, std::int32_t id, const std::string& name, HistoryChange& change);
    void IndexOpenLoans();

    std::vector<Loan> loans_;
    std::string saved_;
    // The open loan of each item (by Id) whose item lives.
    std::unordered_map<std::int32_t, std::size_t> open_;
};

// A loan as a history window lists it: the other side's name (today's, or the one it had when deleted).
struct LoanLine {
    std::string name;
    TDateTime lent = 0;
    bool returned = false;
    TDateTime returnedAt = 0;
};
// A debtor's loans with the items' descriptions, an item's with the debtors' names; newest first.
std::vector<LoanLine> LoansOfDebtor(const LoanHistory& history, const Catalog& catalog,
                                    const TUserRec& debtor);
std::vector<LoanLine> LoansOfItem(const LoanHistory& history, const Catalog& catalog, const TItemRec& item);

// The history file of a catalog file: its whole name and ".loans".
std::string HistoryPath(const std::string& catalogPath);

// The history as the bytes of its file (code page 1251, CR LF), naming the catalog file it belongs to.
std::string SerializeHistory(const LoanHistory& history, std::string_view catalogName);

// Reads history file bytes into the emptied history. False when the file could not be read in full: it is
// cut short, damaged, or of another catalogue; then what could be read as this catalogue's is kept.
bool ParseHistory(std::string_view bytes, std::string_view catalogName, LoanHistory& history);
