// Taking steps back and doing them again through the document: the order of the steps, the steps a new
// change drops, and the changed mark, which is off exactly when the records are back at what was last
// read or written.
#include "catalog/Document.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

const ShortDateFormat kDates("yyyy-MM-dd");
constexpr TDateTime kMonday = 45600.5;

struct Shelf {
    TempFolder folder;
    CatalogDocument document;

    Shelf() {
        WriteBytes(folder.File("base.dat"),
                   "1\r\nАнна\r\n\r\n***\r\n1\r\nСловарь\r\nКнига\r\n2024-11-01\r\n1\r\n"
                   "2\r\nПалатка\r\nТуризм\r\n2024-10-01\r\n0\r\n");
        document.BindTo(folder.File("base.dat"));
        document.Read(kDates);
    }
    Catalog& Data() { return document.Data(); }
    std::string Bytes() { return SerializeCatalog(Data(), kDates); }
    void Lend(const char* item) {
        document.Do(MakeLend(Data(), Data().users[0], *Data().items.FindByDescription(item), kMonday));
    }
};

} // namespace

TEST(Undo, TakesBackNewestFirstAndDoesAgainInOrderUntilANewChangeDropsWhatWasTakenBack) {
    Shelf s;
    const std::string read = s.Bytes();
    EXPECT_EQ(s.document.NextUndo(), nullptr);
    EXPECT_EQ(s.document.Undo(), nullptr);

    s.Lend("Палатка");
    const std::string lent = s.Bytes();
    s.document.Do(MakeReturnAll(s.Data(), s.Data().users[0], kMonday + 1));
    EXPECT_EQ(s.document.NextUndo()->Kind(), StepKind::ReturnAll);

    EXPECT_EQ(s.document.Undo()->Kind(), StepKind::ReturnAll);
    EXPECT_EQ(s.Bytes(), lent);
    EXPECT_EQ(s.document.Undo()->Kind(), StepKind::Lend);
    EXPECT_EQ(s.Bytes(), read);
    EXPECT_EQ(s.document.Undo(), nullptr);

    EXPECT_EQ(s.document.Redo()->Kind(), StepKind::Lend);
    EXPECT_EQ(s.Bytes(), lent);
    EXPECT_EQ(s.document.NextRedo()->Kind(), StepKind::ReturnAll);

    // A new change: the return of all can no longer be done again.
    s.document.Do(MakeNewDebtor(s.Data(), "Борис", "", kMonday));
    EXPECT_EQ(s.document.NextRedo(), nullptr);
    EXPECT_EQ(s.document.Redo(), nullptr);
    EXPECT_EQ(s.document.Steps().size(), 2u);
    EXPECT_EQ(s.document.StepsDone(), 2u);
}

TEST(Undo, TheChangedMarkIsOffExactlyAtWhatWasLastReadOrWritten) {
    Shelf s;
    EXPECT_FALSE(s.document.Modified());
    s.Lend("Палатка");
    EXPECT_TRUE(s.document.Modified());
    s.document.Undo();
    EXPECT_FALSE(s.document.Modified()) << "back at what was read";
    s.document.Redo();
    EXPECT_TRUE(s.document.Modified());

    // Saved after the lend: taking it back is a change, doing it again is not.
    s.document.Write(kDates);
    s.document.SetModified(false);
    s.document.Undo();
    EXPECT_TRUE(s.document.Modified());
    s.document.Redo();
    EXPECT_FALSE(s.document.Modified()) << "back at what was written";

    // A new change after taking the saved lend back: what was written cannot come back by undo or redo.
    s.document.Undo();
    s.document.Do(MakeNewDebtor(s.Data(), "Борис", "", kMonday));
    EXPECT_TRUE(s.document.Modified());
    s.document.Undo();
    EXPECT_TRUE(s.document.Modified()) << "the records are as read, but the file holds the lend";

    // Saved with nothing done: steps made and taken back again come back to it.
    s.document.Write(kDates);
    s.document.SetModified(false);
    s.Lend("Палатка");
    s.document.Undo();
    EXPECT_FALSE(s.document.Modified());
}

TEST(Undo, ReadingAndNewStartWithNothingToTakeBack) {
    Shelf s;
    s.Lend("Палатка");
    s.document.Clear();
    EXPECT_EQ(s.document.Undo(), nullptr);
    EXPECT_TRUE(s.document.Modified()) << "New keeps the mark of changes not saved";
    s.document.Do(MakeNewDebtor(s.Data(), "Борис", "", kMonday));
    s.document.Undo();
    EXPECT_TRUE(s.document.Modified()) << "an empty catalogue marked changed is still changed";

    s.document.Clear();
    s.document.Read(kDates);
    s.document.SetModified(false);
    EXPECT_EQ(s.document.Undo(), nullptr);
    EXPECT_EQ(s.document.Steps().size(), 0u);
    s.Lend("Палатка");
    s.document.Undo();
    EXPECT_FALSE(s.document.Modified());

    // New on an unchanged catalogue: the empty catalogue is the state to come back to.
    s.document.Clear();
    s.document.Do(MakeNewDebtor(s.Data(), "Борис", "", kMonday));
    EXPECT_TRUE(s.document.Modified());
    s.document.Undo();
    EXPECT_FALSE(s.document.Modified());
}

TEST(Undo, DescribesWhatItWouldTakeBackForAMenu) {
    Shelf s;
    s.Lend("Палатка");
    EXPECT_EQ(DescribeStep(*s.document.NextUndo()), "выдачу предмета «Палатка»");
    s.document.Do(MakeReturnAll(s.Data(), s.Data().users[0], kMonday));
    EXPECT_EQ(DescribeStep(*s.document.NextUndo()), "возврат всех предметов должника «Анна»");
    const std::string longName(60, 'x');
    s.document.Do(MakeNewDebtor(s.Data(), longName, "", kMonday));
    EXPECT_EQ(DescribeStep(*s.document.NextUndo()), "добавление должника «" + std::string(40, 'x') + "...»");
}

TEST(Undo, TheRecordsConcernedAreFoundWhereTheyStandAfterEachTurn) {
    Shelf s;
    s.document.Do(MakeDeleteDebtor(s.Data(), s.Data().users[0], kMonday));
    const Step& deleted = *s.document.NextUndo();
    EXPECT_EQ(deleted.Records(s.Data(), true).debtor, nullptr);
    s.document.Undo();
    ASSERT_NE(deleted.Records(s.Data(), false).debtor, nullptr);
    EXPECT_EQ(deleted.Records(s.Data(), false).debtor->Name, "Анна");

    s.document.Do(
        MakeEditItem(s.Data(), *s.Data().items.FindByDescription("Палатка"), "Атлас", "Книга", kMonday));
    const Step& edited = *s.document.NextUndo();
    EXPECT_EQ(edited.Records(s.Data(), true).item, &s.Data().items[0]);
    s.document.Undo();
    EXPECT_EQ(edited.Records(s.Data(), false).item->Description, "Палатка");
}
