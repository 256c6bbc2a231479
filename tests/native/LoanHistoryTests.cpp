// The loan history through the document: what each step records and what taking it back takes back, the
// loans of records renamed and deleted, the loans from before the history, the order they are shown in, a
// history file behind or ahead of the catalog file, and history files cut short, damaged or another
// catalogue's.
#include "catalog/Document.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

const ShortDateFormat kDates("yyyy-MM-dd");
constexpr TDateTime kMonday = 45600; // 2024-11-04

// `days` after Monday at hh:mm.
TDateTime At(int days, int hour, int minute = 0) {
    return kMonday + days + (hour * 60 + minute) / 1440.0;
}

std::string Moment(TDateTime value) {
    CivilDate date;
    TryDecodeDate(value, date);
    const ClockTime time = DecodeTime(value);
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", date.month, date.day, time.hour, time.minute);
    return text;
}

// Each loan as "debtor>item lent .. returned", with "*" after the Id of a record that is gone.
Lines Picture(const LoanHistory& history, const std::vector<std::size_t>& positions) {
    Lines lines;
    for (const std::size_t at : positions) {
        const Loan& loan = history.Loans()[at];
        lines.push_back(std::to_string(loan.debtorId) + (loan.debtorGone ? "*>" : ">") +
                        std::to_string(loan.itemId) + (loan.itemGone ? "* " : " ") + Moment(loan.lent) +
                        (loan.returned ? " .. " + Moment(loan.returnedAt) : ""));
    }
    return lines;
}

Lines Picture(const LoanHistory& history) {
    std::vector<std::size_t> all(history.Loans().size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    return Picture(history, all);
}

// Анна has held the dictionary since before there was a history.
const std::string kCatalog = "1\r\nАнна\r\n\r\n2\r\nБорис\r\n\r\n***\r\n"
                             "1\r\nСловарь\r\nКнига\r\n2024-11-01\r\n1\r\n"
                             "2\r\nПалатка\r\nТуризм\r\n2024-10-01\r\n0\r\n"
                             "3\r\nФонарь\r\nТуризм\r\n2024-10-01\r\n0\r\n";

struct Shelf {
    TempFolder folder;
    CatalogDocument document;

    Shelf() {
        WriteBytes(CatalogPath(), kCatalog);
        document.BindTo(CatalogPath());
        document.Read(kDates);
    }
    std::string CatalogPath() const { return folder.File("base.dat"); }
    std::string LoansPath() const { return HistoryPath(CatalogPath()); }
    Catalog& Data() { return document.Data(); }
    const LoanHistory& History() const { return document.History(); }
    const TUserRec& Debtor(const char* name) { return *Data().users.FindByName(name); }
    const TItemRec& Item(const char* description) { return *Data().items.FindByDescription(description); }

    void Do(std::unique_ptr<Step> step) {
        ASSERT_NE(step, nullptr);
        document.Do(std::move(step));
    }
    void Lend(const char* debtor, const char* item, TDateTime when) {
        Do(MakeLend(Data(), Debtor(debtor), Item(item), when));
    }
    void Return(const char* debtor, const char* item, TDateTime when) {
        Do(MakeReturn(Data(), Debtor(debtor), Item(item), when));
    }
    // The catalog file alone, as when a save ends between the two files.
    void WriteCatalogOnly() { WriteBytes(CatalogPath(), SerializeCatalog(Data(), kDates)); }
    // Another document reading the same files.
    std::unique_ptr<CatalogDocument> ReadAgain() const {
        auto again = std::make_unique<CatalogDocument>();
        again->BindTo(CatalogPath());
        again->Read(kDates);
        return again;
    }
};

} // namespace

TEST(LoanHistory, RecordsEachLendAndReturnWithItsMomentAndUndoTakesExactlyThatBack) {
    Shelf s;
    std::vector<Lines> pictures{Picture(s.History())};
    EXPECT_EQ(pictures[0], Lines{"1>1 11-01 00:00"});
    const auto done = [&](std::unique_ptr<Step> step) {
        s.Do(std::move(step));
        pictures.push_back(Picture(s.History()));
    };
    done(MakeLend(s.Data(), s.Debtor("Анна"), s.Item("Палатка"), At(0, 9, 30)));
    done(MakeReturn(s.Data(), s.Debtor("Анна"), s.Item("Палатка"), At(1, 18, 15)));
    done(MakeLend(s.Data(), s.Debtor("Борис"), s.Item("Фонарь"), At(1, 10)));
    done(MakeLend(s.Data(), s.Debtor("Борис"), s.Item("Палатка"), At(2, 8)));
    done(MakeReturnAll(s.Data(), s.Debtor("Анна"), At(2, 9)));
    done(MakeDeleteDebtor(s.Data(), s.Debtor("Борис"), At(3, 12))); // his two items come back
    EXPECT_EQ(pictures.back(), (Lines{"1>1 11-01 00:00 .. 11-06 09:00", "1>2 11-04 09:30 .. 11-05 18:15",
                                      "2*>3 11-05 10:00 .. 11-07 12:00", "2*>2 11-06 08:00 .. 11-07 12:00"}));

    for (std::size_t i = pictures.size() - 1; i > 0; --i) {
        s.document.Undo();
        EXPECT_EQ(Picture(s.History()), pictures[i - 1]) << "step " << i << " taken back";
    }
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        s.document.Redo();
        EXPECT_EQ(Picture(s.History()), pictures[i]) << "step " << i << " done again";
    }
}

TEST(LoanHistory, FollowsRecordsByIdThroughRenamesAndADeletedOnesLoansStayWithTheNameItHad) {
    Shelf s;
    s.Lend("Борис", "Палатка", At(0, 10));
    s.Do(MakeEditDebtor(s.Data(), s.Debtor("Борис"), "Борис Петров", "", At(0, 11)));
    s.Do(MakeEditItem(s.Data(), s.Item("Палатка"), "Шатёр", "Туризм", At(0, 11)));
    s.Return("Борис Петров", "Шатёр", At(1, 10));
    s.Lend("Борис Петров", "Фонарь", At(1, 12));
    EXPECT_EQ(Picture(s.History(), s.History().OfDebtor(2)),
              (Lines{"2>3 11-05 12:00", "2>2 11-04 10:00 .. 11-05 10:00"}));

    s.Do(MakeDeleteDebtor(s.Data(), s.Debtor("Борис Петров"), At(2, 9)));
    s.Do(MakeEditItem(s.Data(), s.Item("Фонарь"), "Фонарик", "Туризм", At(2, 9)));
    s.Lend("Анна", "Фонарик", At(2, 10));
    s.Do(MakeDeleteItem(s.Data(), s.Item("Фонарик"), At(3, 9))); // lent: the loan ends with the item
    // The largest Ids again.
    s.Do(MakeNewDebtor(s.Data(), "Вера", "", At(3, 10)));
    s.Do(MakeNewItem(s.Data(), "Компас", "Туризм", At(3, 10)));
    ASSERT_EQ(s.Debtor("Вера").Id, 2);
    ASSERT_EQ(s.Item("Компас").Id, 3);
    s.Lend("Вера", "Компас", At(3, 11));

    const auto check = [](const LoanHistory& h) {
        EXPECT_EQ(Picture(h, h.OfDebtor(2)), Lines{"2>3 11-07 11:00"});
        EXPECT_EQ(Picture(h, h.OfItem(3)), Lines{"2>3 11-07 11:00"});
        EXPECT_EQ(Picture(h, h.OfItem(2)), Lines{"2*>2 11-04 10:00 .. 11-05 10:00"});
        EXPECT_EQ(Picture(h, h.OfDebtor(1)), (Lines{"1>3* 11-06 10:00 .. 11-07 09:00", "1>1 11-01 00:00"}));
        int gone = 0;
        for (const Loan& loan : h.Loans()) {
            if (loan.debtorGone) {
                EXPECT_EQ(loan.debtorName, "Борис Петров");
                ++gone;
            }
            if (loan.itemGone) {
                EXPECT_EQ(loan.itemDescription, "Фонарик");
                ++gone;
            }
        }
        EXPECT_EQ(gone, 4) << "Борис's two loans, the lamp's two";
    };
    check(s.History());
    s.document.Write(kDates);
    const auto again = s.ReadAgain();
    EXPECT_FALSE(again->HistoryDamaged());
    check(again->History());
}

TEST(LoanHistory, LoansFromBeforeTheHistoryNeedNoFileUntilALendOrReturnIsSaved) {
    Shelf s;
    EXPECT_FALSE(s.document.HistoryDamaged()) << "no history file is no damage";
    EXPECT_EQ(Picture(s.History(), s.History().OfDebtor(1)), Lines{"1>1 11-01 00:00"});
    EXPECT_EQ(Picture(s.History(), s.History().OfItem(1)), Lines{"1>1 11-01 00:00"});

    s.Do(MakeEditDebtor(s.Data(), s.Debtor("Анна"), "Анна К.", "", At(0, 9)));
    s.Do(MakeNewItem(s.Data(), "Компас", "Туризм", At(0, 9)));
    s.Do(MakeDeleteItem(s.Data(), s.Item("Фонарь"), At(0, 9)));
    s.Lend("Анна К.", "Палатка", At(0, 10));
    s.document.Undo();
    s.document.Write(kDates);
    EXPECT_EQ(s.folder.Entries(), Lines{"base.dat"});

    s.Return("Анна К.", "Словарь", At(0, 11));
    s.document.Write(kDates);
    EXPECT_EQ(s.folder.Entries(), (Lines{"base.dat", "base.dat.loans"}));
    const auto again = s.ReadAgain();
    EXPECT_FALSE(again->HistoryDamaged());
    EXPECT_EQ(Picture(again->History()), Lines{"1>1 11-01 00:00 .. 11-04 11:00"});
}

TEST(LoanHistory, NewestLoanFirstByTheMomentLentAlsoWithinADayAndAfterReadingAgain) {
    Shelf s;
    s.Lend("Анна", "Палатка", At(0, 14));
    s.Return("Анна", "Палатка", At(0, 15));
    s.Lend("Анна", "Фонарь", At(0, 9)); // recorded later, lent earlier that day
    // Out, back and out again at one moment: the later recorded comes first.
    s.Lend("Анна", "Палатка", At(0, 16));
    s.Return("Анна", "Палатка", At(0, 16));
    s.Lend("Анна", "Палатка", At(0, 16));

    const Lines ofAnna{"1>2 11-04 16:00", "1>2 11-04 16:00 .. 11-04 16:00", "1>2 11-04 14:00 .. 11-04 15:00",
                       "1>3 11-04 09:00", "1>1 11-01 00:00"};
    const Lines ofTent(ofAnna.begin(), ofAnna.begin() + 3);
    EXPECT_EQ(Picture(s.History(), s.History().OfDebtor(1)), ofAnna);
    EXPECT_EQ(Picture(s.History(), s.History().OfItem(2)), ofTent);
    s.document.Write(kDates);
    const auto again = s.ReadAgain();
    EXPECT_EQ(Picture(again->History(), again->History().OfDebtor(1)), ofAnna);
    EXPECT_EQ(Picture(again->History(), again->History().OfItem(2)), ofTent);
}

TEST(LoanHistory, AHistoryBehindTheCatalogFileIsBroughtIntoLine) {
    Shelf s;
    s.Lend("Анна", "Палатка", At(0, 10));
    s.Lend("Борис", "Фонарь", At(0, 11));
    s.document.Write(kDates);
    // Only the catalog file learns of these.
    s.Return("Анна", "Палатка", At(0, 15)); // the day it went out
    s.Return("Борис", "Фонарь", At(1, 9));  // and on to Анна
    s.Lend("Анна", "Фонарь", At(2, 10));
    s.Return("Анна", "Словарь", At(1, 10)); // and back to her
    s.Lend("Анна", "Словарь", At(2, 12));
    s.WriteCatalogOnly();

    const auto again = s.ReadAgain();
    const LoanHistory& h = again->History();
    EXPECT_FALSE(again->HistoryDamaged());
    // A loan that ended is closed at the item's date, never before it began; a lend the history missed is
    // open since that date.
    EXPECT_EQ(Picture(h, h.OfItem(2)), Lines{"1>2 11-04 10:00 .. 11-04 10:00"});
    EXPECT_EQ(Picture(h, h.OfItem(3)), (Lines{"1>3 11-06 00:00", "2>3 11-04 11:00 .. 11-06 00:00"}));
    EXPECT_EQ(Picture(h, h.OfItem(1)), (Lines{"1>1 11-06 00:00", "1>1 11-01 00:00 .. 11-06 00:00"}));
}

TEST(LoanHistory, AHistoryAheadOfTheCatalogFileIsBroughtIntoLine) {
    Shelf s;
    s.Lend("Анна", "Палатка", At(0, 10));
    s.document.Write(kDates);
    const std::string before = ReadBytes(s.CatalogPath());
    // Only the history file keeps these.
    s.Return("Анна", "Палатка", At(1, 10));
    s.Lend("Борис", "Палатка", At(2, 11));
    s.Lend("Борис", "Фонарь", At(2, 10));
    s.document.Write(kDates);
    WriteBytes(s.CatalogPath(), before);

    const auto again = s.ReadAgain();
    const LoanHistory& h = again->History();
    EXPECT_EQ(Picture(h, h.OfItem(2)), Lines{"1>2 11-04 10:00"}) << "the return the catalogue lacks undone";
    EXPECT_EQ(Picture(h, h.OfDebtor(2)), Lines{}) << "the lends it lacks dropped";
}

TEST(LoanHistory, ADamagedHistoryFileIsReadAsFarAsItGoesAndKeptAsBakBeforeItIsReplaced) {
    Shelf s;
    s.Lend("Анна", "Палатка", At(0, 10));
    s.Return("Анна", "Палатка", At(1, 10));
    s.Lend("Борис", "Фонарь", At(2, 10));
    s.document.Write(kDates);
    const std::string good = ReadBytes(s.LoansPath());
    const std::string catalog = ReadBytes(s.CatalogPath());
    const std::size_t count = good.find("Выдач: ");
    const std::size_t lastLine = good.rfind("\r\n", count - 3) + 2;
    const std::string title = good.substr(0, good.find("\r\n"));
    const std::string wholeTent = "1>2 11-04 10:00 .. 11-05 10:00";

    struct Case {
        const char* name;
        std::string bytes;
        Lines ofTent, ofLamp;
    };
    const Case cases[] = {
        {"cut in a line", good.substr(0, lastLine + 10), {wholeTent}, {"2>3 11-06 00:00"}},
        {"no count line", good.substr(0, count), {wholeTent}, {"2>3 11-06 10:00"}},
        {"garbage and a bad date",
         good.substr(0, lastLine) + "что-то не то\r\n2024-02-30 10:00:00\t\t1\t2\tАнна\tПалатка\r\n" +
             good.substr(lastLine),
         {wholeTent},
         {"2>3 11-06 10:00"}},
        {"the lamp out twice",
         good.substr(0, count) + good.substr(lastLine),
         {wholeTent},
         {"2>3 11-06 10:00"}},
        {"another catalogue's",
         "Вещехран: история выдач базы other.dat" + good.substr(title.size()),
         {},
         {"2>3 11-06 00:00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(s.CatalogPath(), catalog);
        WriteBytes(s.LoansPath(), c.bytes);
        std::unique_ptr<CatalogDocument> again;
        ASSERT_NO_THROW(again = s.ReadAgain());
        EXPECT_TRUE(again->HistoryDamaged());
        const LoanHistory& h = again->History();
        EXPECT_EQ(Picture(h, h.OfItem(2)), c.ofTent);
        EXPECT_EQ(Picture(h, h.OfItem(3)), c.ofLamp);

        again->Write(kDates);
        EXPECT_EQ(ReadBytes(s.LoansPath() + ".bak"), c.bytes);
        EXPECT_EQ(ReadBytes(s.CatalogPath()), catalog);
        EXPECT_FALSE(s.ReadAgain()->HistoryDamaged()) << "replaced by a whole file";
        // A return closes the one open loan; a second save keeps the copy as it is.
        again->Do(MakeReturnAll(again->Data(), *again->Data().users.FindByName("Борис"), At(3, 10)));
        for (const std::size_t at : h.OfItem(3)) {
            EXPECT_TRUE(h.Loans()[at].returned);
        }
        again->Write(kDates);
        EXPECT_EQ(ReadBytes(s.LoansPath() + ".bak"), c.bytes);
    }
}

TEST(LoanHistory, NamesWithTabsAndBackslashesComeBackExactlyThroughTheFile) {
    LoanHistory written;
    const std::string names[] = {"a\tb", "\\t", "\\", "end\\", "\t\\\\\t", "Сказки\\Былины\tт. 2"};
    for (int i = 0; i < 6; ++i) {
        Loan loan;
        loan.lent = At(i, 9);
        loan.returned = i % 2 == 1;
        loan.returnedAt = loan.returned ? At(i + 1, 9) : 0;
        loan.debtorId = i + 1;
        loan.itemId = 10 - i;
        loan.debtorGone = i == 2;
        loan.itemGone = i == 3;
        loan.debtorName = names[i];
        loan.itemDescription = names[5 - i];
        written.Add(loan);
    }
    const std::string bytes = SerializeHistory(written, "base.dat");
    LoanHistory read;
    ASSERT_TRUE(ParseHistory(bytes, "BASE.DAT", read)) << "file names match as Windows matches them";
    ASSERT_EQ(read.Loans().size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(read.Loans()[i].debtorName, names[i]);
        EXPECT_EQ(read.Loans()[i].itemDescription, names[5 - i]);
    }
    EXPECT_EQ(Picture(read), Picture(written));
    EXPECT_EQ(SerializeHistory(read, "base.dat"), bytes);
}
