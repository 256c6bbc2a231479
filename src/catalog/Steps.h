#pragma once
// The changes of the catalogue, one object each. Every change the program makes to the records while it
// runs is a step: made (Make...) from the catalogue as it stands, applied once, and then taken back and
// applied again any number of times, strictly in turn, on the catalogue exactly as the step left it or
// found it. A step finds its records by their positions in the lists, which are exact in that order of
// turns, also for namesakes and for records that share an Id; a removed record stays alive in its step,
// so that taking the step back puts the same record where it was.
//
// A step also keeps what a person will want to see of it later: which debtor, which item, and when.
//
// Reading a file and New are no steps: they replace the catalogue as a whole.

#include "catalog/Catalog.h"
#include "text/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

enum class StepKind {
    NewDebtor,
    EditDebtor,
    // A debtor removed; the items he held (if any) come back, with their lent dates as they were.
    DeleteDebtor,
    NewItem,
    EditItem,
    DeleteItem,
    Lend,
    Return,
    // Every item one debtor holds, returned at one moment.
    ReturnAll,
};

// A record as a step names it to a person: its Id and its text (a debtor's Name, an item's Description)
// as they were when the step was made.
struct StepRecord {
    std::int32_t id = 0;
    std::string text;
};

class Step {
  public:
    virtual ~Step() = default;
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

    StepKind Kind() const { return kind_; }
    // The moment the step was made.
    TDateTime When() const { return when_; }
    // The debtor concerned (none for an item's own steps); the item concerned (none for a debtor's own
    // steps and ReturnAll); the items that came back with ReturnAll and DeleteDebtor (possibly none).
    const StepRecord& Debtor() const { return debtor_; }
    const StepRecord& Item() const { return item_; }
    virtual const std::vector<StepRecord>& Returned() const;

    // Makes the change: the first time, or again after Undo.
    virtual void Apply(Catalog& catalog) = 0;
    // Takes the change back exactly: the records, their fields and the lists' order as they were before
    // Apply. The type list keeps what Apply took in.
    virtual void Undo(Catalog& catalog) = 0;

    // The records the step concerns where they stand in the catalogue now, after Apply (`applied`) or
    // after Undo: for the window to show them. nullptr for one that is not in the lists then (a new
    // record taken back, a deleted one).
    struct Concerned {
        const TUserRec* debtor = nullptr;
        const TItemRec* item = nullptr;
    };
    virtual Concerned Records(const Catalog& catalog, bool applied) const = 0;

  protected:
    Step(StepKind kind, TDateTime when, StepRecord debtor, StepRecord item)
        : kind_(kind), when_(when), debtor_(std::move(debtor)), item_(std::move(item)) {}

  private:
    StepKind kind_;
    TDateTime when_;
    StepRecord debtor_;
    StepRecord item_;
};

// Each Make... gives the step that makes one change, or nullptr when the change is not one the catalogue
// allows (nothing would change): the rules of lending and returning live here. The records given must be
// in the catalogue's lists.

// A new debtor with the list's next Id (IdOverflowError when there is none). He holds no items but those a
// file gave to that Id while it had no debtor for it.
std::unique_ptr<Step> MakeNewDebtor(const Catalog& catalog, std::string name, std::string email,
                                    TDateTime now);
// New texts for a debtor; his Id and his items stay.
std::unique_ptr<Step> MakeEditDebtor(const Catalog& catalog, const TUserRec& debtor, std::string name,
                                     std::string email, TDateTime now);
// The debtor removed; every item whose holder has his Id becomes free, its lent date unchanged, so that a
// debtor numbered later with the same Id cannot inherit it.
std::unique_ptr<Step> MakeDeleteDebtor(const Catalog& catalog, const TUserRec& debtor, TDateTime now);

// A new free item with the list's next Id, created at `now`; its type is taken into the type list.
std::unique_ptr<Step> MakeNewItem(const Catalog& catalog, std::string description, std::string type,
                                  TDateTime now);
// New texts for an item; its Id, date and holder stay. The type is taken into the type list.
std::unique_ptr<Step> MakeEditItem(const Catalog& catalog, const TItemRec& item, std::string description,
                                   std::string type, TDateTime now);
// The item removed; a holder in the list holds one item less.
std::unique_ptr<Step> MakeDeleteItem(const Catalog& catalog, const TItemRec& item, TDateTime now);

// A free item given to the debtor at `now`; nullptr when the item is not free or the debtor cannot hold
// items (CanHold).
std::unique_ptr<Step> MakeLend(const Catalog& catalog, const TUserRec& debtor, const TItemRec& item,
                               TDateTime now);
// An item taken back from the debtor who holds it, free from `now` on; nullptr when he does not hold it.
std::unique_ptr<Step> MakeReturn(const Catalog& catalog, const TUserRec& debtor, const TItemRec& item,
                                 TDateTime now);
// Every item the debtor holds, taken back at `now`; nullptr when he holds none.
std::unique_ptr<Step> MakeReturnAll(const Catalog& catalog, const TUserRec& debtor, TDateTime now);

// What the step did, for a person, in the form that follows "Отменить" or "Повторить": "выдачу предмета
// «Словарь»". A text longer than a menu holds comfortably is cut, with "..." after it.
std::string DescribeStep(const Step& step);
