// Long random runs of steps of every kind over catalogues with namesakes, Ids with gaps, 0 and negative,
// and lent items, one of them held by an Id no debtor has. Taken back newest first, each step must give
// back the catalog file's bytes as they were before it, with each debtor's count as a reading of those
// bytes gives it; done again oldest first, each must give the bytes it gave the first time.
#include "catalog/CatalogFile.h"
#include "catalog/Steps.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const ShortDateFormat kDates("yyyy-MM-dd");

const char* const kNames[] = {"Анна", "Борис", "Петров", "ПЕТРОВ", "Петров ", ""};
const char* const kDescriptions[] = {"Гитара", "Дрель", "Зонт", "зонт", "Книга", ""};
const char* const kTypes[] = {"Книга", "КНИГА", "Инструмент", ""};
const char* const kMails[] = {"a@example.org", "b@example.org", ""};

// What the catalog file keeps, what it does not (the counts), and the items' moments to the fraction of a
// day, which the file cuts to the day.
struct State {
    std::string bytes;
    std::vector<std::int32_t> counts;
    std::vector<TDateTime> moments;
};

State StateOf(const Catalog& c) {
    State s{SerializeCatalog(c, kDates), {}, {}};
    for (const auto& u : c.users) {
        s.counts.push_back(u->ItemCount);
    }
    for (const auto& i : c.items) {
        s.moments.push_back(i->LentDate);
    }
    return s;
}

// The debtors' counts of the catalogue read back from `bytes`. The lists are in order, so reading them
// leaves the debtors where they are.
std::vector<std::int32_t> CountsRead(const std::string& bytes) {
    Catalog c;
    ParseCatalog(bytes, c, kDates);
    return StateOf(c).counts;
}

class Run {
  public:
    explicit Run(unsigned seed) : random_(seed) {}

    // The catalogue a run starts from, as a reading of a file gives it: sorted, with its counts.
    void Start() {
        Catalog made;
        const std::int32_t debtorIds[] = {3, 7, 5, 0, -4, 12, 2};
        for (std::int32_t id : debtorIds) {
            TUserRec& u = made.users.AppendNew();
            u.Id = id;
            u.Name = Pick(kNames);
            u.EMail = Pick(kMails);
        }
        const std::int32_t itemIds[] = {4, 0, -3, 9, 11, 6, 20, 1};
        const std::int32_t holders[] = {3, 0, 7, 3, 14, 0, -4, 13};
        for (int i = 0; i < 8; ++i) {
            TItemRec& item = made.items.AppendNew();
            item.Id = itemIds[i];
            item.Description = Pick(kDescriptions);
            item.ItemType = Pick(kTypes);
            item.LentDate = Moment();
            // 13 and 14 name no debtor; a new debtor may come to be numbered so.
            item.HolderId = holders[i];
        }
        ParseCatalog(SerializeCatalog(made, kDates), catalog_, kDates);
    }

    // A random step of a random kind on records chosen at random, or nullptr when the rules refuse it.
    std::unique_ptr<Step> Make() {
        const TDateTime now = Moment();
        TUserRec* debtor = catalog_.users.Empty() ? nullptr : &catalog_.users[Below(catalog_.users.Count())];
        TItemRec* item = AnyItem();
        const int kind = Below(9);
        // Lending, returning and returning all are asked mostly of the records that allow them, so that
        // they happen as often as the others.
        if (kind == 6) {
            item = Some(item, [](const TItemRec& i) { return i.HolderId == 0; });
        } else if (kind >= 7) {
            item = Some(item, [](const TItemRec& i) { return i.HolderId != 0; });
            TUserRec* holder = item ? catalog_.users.FindById(item->HolderId) : nullptr;
            if (holder && Below(4)) {
                debtor = holder;
            }
        }
        switch (kind) {
        // Small lists keep the run quick and meet namesakes often.
        case 0:
            return catalog_.users.Count() < 12 ? MakeNewDebtor(catalog_, Pick(kNames), Pick(kMails), now)
                                               : nullptr;
        case 1:
            return catalog_.items.Count() < 16 ? MakeNewItem(catalog_, Pick(kDescriptions), Pick(kTypes), now)
                                               : nullptr;
        case 2: return debtor ? MakeEditDebtor(catalog_, *debtor, Pick(kNames), Pick(kMails), now) : nullptr;
        case 3: return debtor ? MakeDeleteDebtor(catalog_, *debtor, now) : nullptr;
        case 4: return item ? MakeEditItem(catalog_, *item, Pick(kDescriptions), Pick(kTypes), now) : nullptr;
        case 5: return item ? MakeDeleteItem(catalog_, *item, now) : nullptr;
        case 6: return debtor && item ? MakeLend(catalog_, *debtor, *item, now) : nullptr;
        case 7: return debtor && item ? MakeReturn(catalog_, *debtor, *item, now) : nullptr;
        default: return debtor ? MakeReturnAll(catalog_, *debtor, now) : nullptr;
        }
    }

    Catalog& Data() { return catalog_; }

  private:
    TItemRec* AnyItem() {
        return catalog_.items.Empty() ? nullptr : &catalog_.items[Below(catalog_.items.Count())];
    }
    // The given item or, after a few tries, another one that `fits`, if one comes up.
    template <typename Fits> TItemRec* Some(TItemRec* item, Fits fits) {
        for (int tries = 0; tries < 8 && item && !fits(*item); ++tries) {
            item = AnyItem();
        }
        return item;
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <std::size_t N> const char* Pick(const char* const (&texts)[N]) { return texts[Below(N)]; }
    // Some day of 2010 to 2039, at some time of it.
    TDateTime Moment() { return std::uniform_real_distribution<TDateTime>(40179, 51136)(random_); }

    std::mt19937 random_;
    Catalog catalog_;
};

bool InOrder(const Catalog& c) {
    for (int i = 1; i < c.users.Count(); ++i) {
        if (CompareUserNames(c.users[i - 1], c.users[i]) > 0) {
            return false;
        }
    }
    for (int i = 1; i < c.items.Count(); ++i) {
        if (CompareItemDescriptions(c.items[i - 1], c.items[i]) > 0) {
            return false;
        }
    }
    return true;
}

void CheckRun(unsigned seed, std::size_t count) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Run run(seed);
    run.Start();
    Catalog& c = run.Data();
    std::vector<std::unique_ptr<Step>> steps;
    // states[i] is the catalogue before step i; the last one, after all of them.
    std::vector<State> states{StateOf(c)};
    std::size_t kinds[9] = {};
    while (steps.size() < count) {
        std::unique_ptr<Step> step = run.Make();
        if (!step) {
            continue;
        }
        step->Apply(c);
        ++kinds[static_cast<int>(step->Kind())];
        steps.push_back(std::move(step));
        states.push_back(StateOf(c));
        ASSERT_TRUE(InOrder(c)) << "after step " << steps.size() - 1;
    }
    for (std::size_t kind = 0; kind < 9; ++kind) {
        EXPECT_GT(kinds[kind], count / 50) << "steps of kind " << kind;
    }
    const int types = c.types.Count();

    for (std::size_t i = steps.size(); i-- > 0;) {
        steps[i]->Undo(c);
        const State now = StateOf(c);
        const int kind = static_cast<int>(steps[i]->Kind());
        ASSERT_EQ(now.bytes, states[i].bytes) << "step " << i << " (kind " << kind << ") taken back";
        ASSERT_EQ(now.moments, states[i].moments) << "step " << i << " (kind " << kind << ") taken back";
        ASSERT_EQ(now.counts, states[i].counts) << "step " << i << " (kind " << kind << ") taken back";
        ASSERT_EQ(now.counts, CountsRead(now.bytes)) << "before step " << i << " (kind " << kind << ")";
    }
    EXPECT_EQ(c.types.Count(), types);

    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i]->Apply(c);
        const State now = StateOf(c);
        const int kind = static_cast<int>(steps[i]->Kind());
        ASSERT_EQ(now.bytes, states[i + 1].bytes) << "step " << i << " (kind " << kind << ") done again";
        ASSERT_EQ(now.moments, states[i + 1].moments) << "step " << i << " (kind " << kind << ") done again";
        ASSERT_EQ(now.counts, states[i + 1].counts) << "step " << i << " (kind " << kind << ") done again";
    }
}

} // namespace

TEST(StepsProperty, RandomRunsTakenBackAndDoneAgainGiveTheSameFileAtEveryStep) {
    for (unsigned seed : {1u, 2u, 3u, 20240315u, 4093006319u}) {
        CheckRun(seed, 2000);
    }
}
