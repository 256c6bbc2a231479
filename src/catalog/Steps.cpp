#include "catalog/Steps.h"

#include "catalog/Lending.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

const std::vector<StepRecord>& Step::Returned() const {
    static const std::vector<StepRecord> none;
    return none;
}

namespace {

// Where a record goes into its sorted list (which does not hold it) so that the list stays sorted: among
// the records with an equal key, as near `preferred` as the order allows. So a record whose key did not
// change goes back where it was, and a new one (preferred: the end) after its namesakes.
template <typename T>
int SortedPlace(const RecordList<T>& list, const T& record, int (*compare)(const T&, const T&),
                int preferred) {
    int lower = 0;
    int upper = list.Count();
    while (lower < upper) {
        const int middle = lower + (upper - lower) / 2;
        if (compare(list[middle], record) < 0) {
            lower = middle + 1;
        } else {
            upper = middle;
        }
    }
    const int first = lower;
    upper = list.Count();
    while (lower < upper) {
        const int middle = lower + (upper - lower) / 2;
        if (compare(list[middle], record) <= 0) {
            lower = middle + 1;
        } else {
            upper = middle;
        }
    }
    return std::clamp(preferred, first, lower);
}

template <typename T> int PositionOf(const RecordList<T>& list, const T& record) {
    const int index = list.IndexOf(&record);
    if (index < 0) {
        throw std::invalid_argument("the record is not in the catalogue");
    }
    return index;
}

StepRecord Named(const TUserRec& debtor) {
    return {debtor.Id, debtor.Name};
}

StepRecord Named(const TItemRec& item) {
    return {item.Id, item.Description};
}

// A record added to its list: held by the step while the step is taken back.
template <typename T> class AddStep : public Step {
  public:
    AddStep(StepKind kind, TDateTime when, StepRecord debtor, StepRecord item, std::unique_ptr<T> record,
            int at)
        : Step(kind, when, std::move(debtor), std::move(item)), held_(std::move(record)), at_(at) {}

  protected:
    void Put(RecordList<T>& list) { list.Insert(at_, std::move(held_)); }
    void TakeBack(RecordList<T>& list) { held_ = list.Take(at_); }
    const T* Added(const RecordList<T>& list, bool applied) const { return applied ? &list[at_] : nullptr; }

  private:
    std::unique_ptr<T> held_;
    int at_;
};

class NewDebtorStep final : public AddStep<TUserRec> {
  public:
    using AddStep::AddStep;
    void Apply(Catalog& catalog) override { Put(catalog.users); }
    void Undo(Catalog& catalog) override { TakeBack(catalog.users); }
    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {Added(catalog.users, applied), nullptr};
    }
};

class NewItemStep final : public AddStep<TItemRec> {
  public:
    NewItemStep(std::string type, StepRecord item, std::unique_ptr<TItemRec> record, int at, TDateTime when)
        : AddStep(StepKind::NewItem, when, {}, std::move(item), std::move(record), at),
          type_(std::move(type)) {}
    void Apply(Catalog& catalog) override {
        catalog.types.Add(type_);
        Put(catalog.items);
    }
    void Undo(Catalog& catalog) override { TakeBack(catalog.items); }
    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {nullptr, Added(catalog.items, applied)};
    }

  private:
    std::string type_;
};

// New texts for a record, which moves to its place in the order and, taken back, to where it was.
template <typename T, typename Texts> class EditStep : public Step {
  public:
    EditStep(StepKind kind, TDateTime when, StepRecord debtor, StepRecord item, int from, Texts before,
             Texts after)
        : Step(kind, when, std::move(debtor), std::move(item)), from_(from), before_(std::move(before)),
          after_(std::move(after)) {}

  protected:
    void Move(RecordList<T>& list, int (*compare)(const T&, const T&)) {
        std::unique_ptr<T> record = list.Take(from_);
        after_.Put(*record);
        if (to_ < 0) {
            to_ = SortedPlace(list, *record, compare, from_);
        }
        list.Insert(to_, std::move(record));
    }
    void MoveBack(RecordList<T>& list) {
        std::unique_ptr<T> record = list.Take(to_);
        before_.Put(*record);
        list.Insert(from_, std::move(record));
    }
    const Texts& After() const { return after_; }
    const T* Edited(const RecordList<T>& list, bool applied) const { return &list[applied ? to_ : from_]; }

  private:
    int from_;
    int to_ = -1; // found at the first Apply
    Texts before_;
    Texts after_;
};

struct DebtorTexts {
    std::string name;
    std::string email;
    void Put(TUserRec& debtor) const {
        debtor.Name = name;
        debtor.EMail = email;
    }
};

struct ItemTexts {
    std::string description;
    std::string type;
    void Put(TItemRec& item) const {
        item.Description = description;
        item.ItemType = type;
    }
};

class EditDebtorStep final : public EditStep<TUserRec, DebtorTexts> {
  public:
    using EditStep::EditStep;
    void Apply(Catalog& catalog) override { Move(catalog.users, CompareUserNames); }
    void Undo(Catalog& catalog) override { MoveBack(catalog.users); }
    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {Edited(catalog.users, applied), nullptr};
    }
};

class EditItemStep final : public EditStep<TItemRec, ItemTexts> {
  public:
    using EditStep::EditStep;
    void Apply(Catalog& catalog) override {
        catalog.types.Add(After().type);
        Move(catalog.items, CompareItemDescriptions);
    }
    void Undo(Catalog& catalog) override { MoveBack(catalog.items); }
    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {nullptr, Edited(catalog.items, applied)};
    }
};

class DeleteDebtorStep final : public Step {
  public:
    DeleteDebtorStep(StepRecord debtor, int at, std::vector<int> freed, std::vector<StepRecord> returned,
                     TDateTime when)
        : Step(StepKind::DeleteDebtor, when, std::move(debtor), {}), at_(at), freed_(std::move(freed)),
          returned_(std::move(returned)) {}

    void Apply(Catalog& catalog) override {
        for (int position : freed_) {
            catalog.items[position].HolderId = 0;
        }
        held_ = catalog.users.Take(at_);
    }
    void Undo(Catalog& catalog) override {
        TUserRec& debtor = catalog.users.Insert(at_, std::move(held_));
        for (int position : freed_) {
            catalog.items[position].HolderId = debtor.Id;
        }
    }
    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {applied ? nullptr : &catalog.users[at_], nullptr};
    }
    const std::vector<StepRecord>& Returned() const override { return returned_; }

  private:
    int at_;
    std::vector<int> freed_; // the positions of the items he held
    std::vector<StepRecord> returned_;
    std::unique_ptr<TUserRec> held_;
};

class DeleteItemStep final : public Step {
  public:
    DeleteItemStep(StepRecord item, int at, int holderAt, TDateTime when)
        : Step(StepKind::DeleteItem, when, {}, std::move(item)), at_(at), holderAt_(holderAt) {}

    void Apply(Catalog& catalog) override {
        if (holderAt_ >= 0) {
            --catalog.users[holderAt_].ItemCount;
        }
        held_ = catalog.items.Take(at_);
    }
    void Undo(Catalog& catalog) override {
        catalog.items.Insert(at_, std::move(held_));
        if (holderAt_ >= 0) {
            ++catalog.users[holderAt_].ItemCount;
        }
    }

    Concerned Records(const Catalog& catalog, bool applied) const override {
        return {holderAt_ >= 0 ? &catalog.users[holderAt_] : nullptr,
                applied ? nullptr : &catalog.items[at_]};
    }

  private:
    int at_;
    int holderAt_; // the position of the debtor who held it, or -1
    std::unique_ptr<TItemRec> held_;
};

// One item changes hands: lent to the debtor, or returned by him.
class HolderStep final : public Step {
  public:
    HolderStep(StepKind kind, StepRecord debtor, StepRecord item, int debtorAt, int itemAt, TDateTime before,
               TDateTime when)
        : Step(kind, when, std::move(debtor), std::move(item)), debtorAt_(debtorAt), itemAt_(itemAt),
          before_(before) {}

    void Apply(Catalog& catalog) override { Set(catalog, Kind() == StepKind::Lend, When()); }
    void Undo(Catalog& catalog) override { Set(catalog, Kind() != StepKind::Lend, before_); }

    Concerned Records(const Catalog& catalog, bool) const override {
        return {&catalog.users[debtorAt_], &catalog.items[itemAt_]};
    }

  private:
    void Set(Catalog& catalog, bool lent, TDateTime date) {
        TUserRec& debtor = catalog.users[debtorAt_];
        TItemRec& item = catalog.items[itemAt_];
        item.HolderId = lent ? debtor.Id : 0;
        item.LentDate = date;
        debtor.ItemCount += lent ? 1 : -1;
    }

    int debtorAt_;
    int itemAt_;
    TDateTime before_; // the item's date before the step
};

class ReturnAllStep final : public Step {
  public:
    struct Lent {
        int at;
        TDateTime since;
    };

    ReturnAllStep(StepRecord debtor, int debtorAt, std::vector<Lent> lent, std::vector<StepRecord> returned,
                  TDateTime when)
        : Step(StepKind::ReturnAll, when, std::move(debtor), {}), debtorAt_(debtorAt), lent_(std::move(lent)),
          returned_(std::move(returned)) {}

    void Apply(Catalog& catalog) override {
        for (const Lent& l : lent_) {
            TItemRec& item = catalog.items[l.at];
            item.HolderId = 0;
            item.LentDate = When();
        }
        catalog.users[debtorAt_].ItemCount -= static_cast<std::int32_t>(lent_.size());
    }
    void Undo(Catalog& catalog) override {
        TUserRec& debtor = catalog.users[debtorAt_];
        for (const Lent& l : lent_) {
            TItemRec& item = catalog.items[l.at];
            item.HolderId = debtor.Id;
            item.LentDate = l.since;
        }
        debtor.ItemCount += static_cast<std::int32_t>(lent_.size());
    }
    Concerned Records(const Catalog& catalog, bool) const override {
        return {&catalog.users[debtorAt_], nullptr};
    }
    const std::vector<StepRecord>& Returned() const override { return returned_; }

  private:
    int debtorAt_;
    std::vector<Lent> lent_;
    std::vector<StepRecord> returned_;
};

} // namespace

std::unique_ptr<Step> MakeNewDebtor(const Catalog& catalog, std::string name, std::string email,
                                    TDateTime now) {
    auto debtor = std::make_unique<TUserRec>();
    debtor->Id = catalog.users.NewId();
    debtor->Name = std::move(name);
    debtor->EMail = std::move(email);
    // A file may name a holder it has no debtor for: the new debtor numbered so holds those items, and
    // counts them as a reading of the file would.
    for (const auto& item : catalog.items) {
        if (item->HolderId == debtor->Id) {
            ++debtor->ItemCount;
        }
    }
    const int at = SortedPlace(catalog.users, *debtor, CompareUserNames, catalog.users.Count());
    StepRecord named = Named(*debtor);
    return std::make_unique<NewDebtorStep>(StepKind::NewDebtor, now, std::move(named), StepRecord{},
                                           std::move(debtor), at);
}

std::unique_ptr<Step> MakeEditDebtor(const Catalog& catalog, const TUserRec& debtor, std::string name,
                                     std::string email, TDateTime now) {
    return std::make_unique<EditDebtorStep>(
        StepKind::EditDebtor, now, Named(debtor), StepRecord{}, PositionOf(catalog.users, debtor),
        DebtorTexts{debtor.Name, debtor.EMail}, DebtorTexts{std::move(name), std::move(email)});
}

std::unique_ptr<Step> MakeDeleteDebtor(const Catalog& catalog, const TUserRec& debtor, TDateTime now) {
    std::vector<int> freed;
    std::vector<StepRecord> returned;
    // Id 0 marks the free items: a debtor numbered so holds none of them.
    if (debtor.Id != 0) {
        for (int i = 0; i < catalog.items.Count(); ++i) {
            if (catalog.items[i].HolderId == debtor.Id) {
                freed.push_back(i);
                returned.push_back(Named(catalog.items[i]));
            }
        }
    }
    return std::make_unique<DeleteDebtorStep>(Named(debtor), PositionOf(catalog.users, debtor),
                                              std::move(freed), std::move(returned), now);
}

std::unique_ptr<Step> MakeNewItem(const Catalog& catalog, std::string description, std::string type,
                                  TDateTime now) {
    auto item = std::make_unique<TItemRec>();
    item->Id = catalog.items.NewId();
    item->Description = std::move(description);
    item->ItemType = type;
    item->LentDate = now;
    const int at = SortedPlace(catalog.items, *item, CompareItemDescriptions, catalog.items.Count());
    StepRecord named = Named(*item);
    return std::make_unique<NewItemStep>(std::move(type), std::move(named), std::move(item), at, now);
}

std::unique_ptr<Step> MakeEditItem(const Catalog& catalog, const TItemRec& item, std::string description,
                                   std::string type, TDateTime now) {
    return std::make_unique<EditItemStep>(
        StepKind::EditItem, now, StepRecord{}, Named(item), PositionOf(catalog.items, item),
        ItemTexts{item.Description, item.ItemType}, ItemTexts{std::move(description), std::move(type)});
}

std::unique_ptr<Step> MakeDeleteItem(const Catalog& catalog, const TItemRec& item, TDateTime now) {
    const TUserRec* holder = HolderOf(catalog.users, item);
    return std::make_unique<DeleteItemStep>(Named(item), PositionOf(catalog.items, item),
                                            holder ? PositionOf(catalog.users, *holder) : -1, now);
}

std::unique_ptr<Step> MakeLend(const Catalog& catalog, const TUserRec& debtor, const TItemRec& item,
                               TDateTime now) {
    if (!CanHold(debtor) || item.HolderId != 0) {
        return nullptr;
    }
    return std::make_unique<HolderStep>(StepKind::Lend, Named(debtor), Named(item),
                                        PositionOf(catalog.users, debtor), PositionOf(catalog.items, item),
                                        item.LentDate, now);
}

std::unique_ptr<Step> MakeReturn(const Catalog& catalog, const TUserRec& debtor, const TItemRec& item,
                                 TDateTime now) {
    if (!Holds(debtor, item)) {
        return nullptr;
    }
    return std::make_unique<HolderStep>(StepKind::Return, Named(debtor), Named(item),
                                        PositionOf(catalog.users, debtor), PositionOf(catalog.items, item),
                                        item.LentDate, now);
}

std::unique_ptr<Step> MakeReturnAll(const Catalog& catalog, const TUserRec& debtor, TDateTime now) {
    std::vector<ReturnAllStep::Lent> lent;
    std::vector<StepRecord> returned;
    for (int i = 0; i < catalog.items.Count(); ++i) {
        const TItemRec& item = catalog.items[i];
        if (Holds(debtor, item)) {
            lent.push_back({i, item.LentDate});
            returned.push_back(Named(item));
        }
    }
    if (lent.empty()) {
        return nullptr;
    }
    return std::make_unique<ReturnAllStep>(Named(debtor), PositionOf(catalog.users, debtor), std::move(lent),
                                           std::move(returned), now);
}

namespace {

// A record's text as a menu shows it: in quotes, cut when long.
std::string Quoted(const std::string& text) {
    constexpr std::size_t kLongest = 40;
    // "«" "»"
    return "\xAB" + (text.size() > kLongest ? text.substr(0, kLongest) + "..." : text) + "\xBB";
}

} // namespace

std::string DescribeStep(const Step& step) {
    const std::string debtor = Quoted(step.Debtor().text);
    const std::string item = Quoted(step.Item().text);
    switch (step.Kind()) {
    // "добавление должника "
    case StepKind::NewDebtor:
        return "\xE4\xEE\xE1\xE0\xE2\xEB\xE5\xED\xE8\xE5 \xE4\xEE\xEB\xE6\xED\xE8\xEA\xE0 " + debtor;
    // "изменение должника "
    case StepKind::EditDebtor:
        return "\xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xE5 \xE4\xEE\xEB\xE6\xED\xE8\xEA\xE0 " + debtor;
    // "удаление должника "
    case StepKind::DeleteDebtor:
        return "\xF3\xE4\xE0\xEB\xE5\xED\xE8\xE5 \xE4\xEE\xEB\xE6\xED\xE8\xEA\xE0 " + debtor;
    // "добавление предмета "
    case StepKind::NewItem:
        return "\xE4\xEE\xE1\xE0\xE2\xEB\xE5\xED\xE8\xE5 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0 " + item;
    // "изменение предмета "
    case StepKind::EditItem:
        return "\xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xE5 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0 " + item;
    // "удаление предмета "
    case StepKind::DeleteItem:
        return "\xF3\xE4\xE0\xEB\xE5\xED\xE8\xE5 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0 " + item;
    // "выдачу предмета "
    case StepKind::Lend: return "\xE2\xFB\xE4\xE0\xF7\xF3 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0 " + item;
    // "возврат предмета "
    case StepKind::Return: return "\xE2\xEE\xE7\xE2\xF0\xE0\xF2 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xE0 " + item;
    // "возврат всех предметов должника "
    case StepKind::ReturnAll:
        return "\xE2\xEE\xE7\xE2\xF0\xE0\xF2 \xE2\xF1\xE5\xF5 \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xEE\xE2 "
               "\xE4\xEE\xEB\xE6\xED\xE8\xEA\xE0 " +
               debtor;
    }
    return {};
}
