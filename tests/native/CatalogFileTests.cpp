// The catalog file: what the writer produces, what the reader accepts, and what a failed read leaves.
#include "catalog/CatalogFile.h"
#include "text/Errors.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

const ShortDateFormat kRu = ShortDateFormat::Russian();

TDateTime Day(int year, int month, int day) {
    TDateTime value = 0;
    TryEncodeDate(year, month, day, value);
    return value;
}

TUserRec& AddUser(Catalog& c, int32_t id, const std::string& name, const std::string& email = "") {
    TUserRec& u = c.users.AppendNew();
    u.Id = id;
    u.Name = name;
    u.EMail = email;
    return u;
}

TItemRec& AddItem(Catalog& c, int32_t id, const std::string& description, const std::string& type,
                  TDateTime lent, int32_t holder) {
    TItemRec& i = c.items.AppendNew();
    i.Id = id;
    i.Description = description;
    i.ItemType = type;
    i.LentDate = lent;
    i.HolderId = holder;
    return i;
}

// The catalogue as one text, for comparing whole catalogues in one assertion.
std::string Dump(const Catalog& c) {
    std::string out;
    for (const auto& u : c.users) {
        out += "U " + std::to_string(u->Id) + "|" + u->Name + "|" + u->EMail + "|" +
               std::to_string(u->ItemCount) + "\n";
    }
    for (const auto& i : c.items) {
        out += "I " + std::to_string(i->Id) + "|" + i->Description + "|" + i->ItemType + "|" +
               kRu.Format(i->LentDate) + "|" + std::to_string(i->HolderId) + "\n";
    }
    for (const auto& t : c.types.Entries()) {
        out += "T " + t + "\n";
    }
    return out;
}

Catalog Parse(const std::string& bytes) {
    Catalog c;
    ParseCatalog(bytes, c, kRu);
    return c;
}

// Parses bytes that must fail; gives the message and leaves what was read in `c`.
std::string ParseFailing(const std::string& bytes, Catalog& c) {
    try {
        ParseCatalog(bytes, c, kRu);
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "(nothing raised)";
}

} // namespace

TEST(CatalogWriter, WritesOneFieldPerLineWithCrLf) {
    Catalog c;
    AddUser(c, 1, "Петров");
    AddItem(c, 2, "Зонт", "Прочее", Day(2024, 3, 15) + 0.5, 1);
    AddItem(c, 1, "Словарь", "Книга", Day(2024, 2, 1), 0);
    c.users[0].ItemCount = 40; // derived, never written
    EXPECT_EQ(SerializeCatalog(c, kRu), "1\r\nПетров\r\n\r\n***\r\n"
                                        "2\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1\r\n"
                                        "1\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n");
    EXPECT_EQ(SerializeCatalog(Catalog{}, kRu), "***\r\n");
    EXPECT_EQ(Dump(Parse("***\r\n")), "");
}

TEST(CatalogWriter, WhatItWritesReadsBackSortedWithCountsAndTypes) {
    Catalog c;
    AddUser(c, 7, "***", "star@example.org"); // a name equal to the separator is only a name
    AddUser(c, 2, "Иванов Ёжик", "ivan@example.org");
    AddUser(c, -3, "");
    AddItem(c, 10, "Яблоко", "книга", Day(9999, 12, 31), 2);
    AddItem(c, 11, "Атлас", "Книга", Day(1, 1, 1), 2);
    AddItem(c, 12, "", "", Day(1900, 2, 28), 9); // holder 9 does not exist
    AddItem(c, -4, "Диск", "Диск", Day(2024, 2, 29), 0);
    for (const ShortDateFormat& format : {kRu, ShortDateFormat("yyyy-MM-dd"), ShortDateFormat("M/d/yyyy")}) {
        Catalog read;
        ParseCatalog(SerializeCatalog(c, format), read, format);
        EXPECT_EQ(Dump(read), "U -3|||0\n"
                              "U 7|***|star@example.org|0\n"
                              "U 2|Иванов Ёжик|ivan@example.org|2\n"
                              "I 12|||28.02.1900|9\n"
                              "I 11|Атлас|Книга|01.01.0001|2\n"
                              "I -4|Диск|Диск|29.02.2024|0\n"
                              "I 10|Яблоко|книга|31.12.9999|2\n"
                              "T книга\nT \nT Диск\n")
            << format.Pattern();
    }
}

TEST(CatalogReader, AcceptsLfCrAnywhereCtrlZAndAMissingLastLineEnd) {
    const std::string expected = "U 1|Петров|p@x|1\nI 5|Зонт|Прочее|15.03.2024|1\nT Прочее\n";
    for (const char* bytes : {"1\nПетров\np@x\n***\n5\nЗонт\nПрочее\n15.03.2024\n1\n",
                              "1\r\nПетров\r\np@x\r\n***\r\n5\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1",
                              "\r1\r\r\nПе\rтров\r\np\r@x\n*\r**\n5\nЗонт\nПрочее\n15.03.2024\n1\r",
                              "1\nПетров\np@x\n***\n5\nЗонт\nПрочее\n15.03.2024\n1\r\n\x1A"
                              "garbage\nthat is never read\n",
                              "1\nПетров\np@x\n***\n5\nЗонт\nПрочее\n15.03.2024\n1\x1A\n"}) {
        EXPECT_EQ(Dump(Parse(bytes)), expected) << bytes;
    }
    EXPECT_EQ(Dump(Parse("")), "");
    EXPECT_EQ(Dump(Parse("\x1A***\r\n")), "");
}

TEST(CatalogReader, EndOfFileEndsEitherPhaseWithoutError) {
    // No separator: debtors only.
    EXPECT_EQ(Dump(Parse("1\r\nПетров\r\np@x\r\n2\r\nСидоров\r\n\r\n")),
              "U 1|Петров|p@x|0\nU 2|Сидоров||0\n");
    // The last debtor has only its Id line.
    EXPECT_EQ(Dump(Parse("1\r\nПетров\r\np@x\r\n2\r\n")), "U 2|||0\nU 1|Петров|p@x|0\n");
    EXPECT_EQ(Dump(Parse("2")), "U 2|||0\n");
    // Separator as the last line, with and without its line end.
    EXPECT_EQ(Dump(Parse("1\r\nПетров\r\n\r\n***")), "U 1|Петров||0\n");
}

TEST(CatalogReader, CountsItemsForTheFirstDebtorInFileOrderWithThatId) {
    const Catalog c = Parse("2\nЮрий\n\n"
                            "2\nАнна\n\n" // same Id, sorts first, but is not the first read
                            "3\nБорис\n\n"
                            "***\n"
                            "1\na\nt\n01.01.2024\n2\n"
                            "2\nb\nt\n01.01.2024\n2\n"
                            "3\nc\nt\n01.01.2024\n9\n"
                            "4\nd\nt\n01.01.2024\n0\n");
    EXPECT_EQ(Dump(c),
              "U 2|Анна||0\nU 3|Борис||0\nU 2|Юрий||2\n"
              "I 1|a|t|01.01.2024|2\nI 2|b|t|01.01.2024|2\nI 3|c|t|01.01.2024|9\nI 4|d|t|01.01.2024|0\n"
              "T t\n");
}

TEST(CatalogReader, FindsHoldersAmongScatteredIds) {
    const Catalog c = Parse("2000000000\nВера\n\n-7\nГлеб\n\n2000000000\nАнна\n\n5\nДан\n\n***\n"
                            "1\na\nt\n01.01.2024\n2000000000\n"
                            "2\nb\nt\n01.01.2024\n-7\n"
                            "3\nc\nt\n01.01.2024\n2000000000\n"
                            "4\nd\nt\n01.01.2024\n6\n"
                            "5\ne\nt\n01.01.2024\n-2147483648\n");
    EXPECT_EQ(c.users.FindByName("Вера")->ItemCount, 2);
    EXPECT_EQ(c.users.FindByName("Анна")->ItemCount, 0);
    EXPECT_EQ(c.users.FindByName("Глеб")->ItemCount, 1);
    EXPECT_EQ(c.users.FindByName("Дан")->ItemCount, 0);
}

TEST(CatalogReader, TypeListKeepsTheLetterCaseMetFirstInFileOrder) {
    const Catalog c = Parse("***\n"
                            "1\nЯ\nКнига\n01.01.2024\n0\n"
                            "2\nБ\nПрочее\n01.01.2024\n0\n"
                            "3\nА\nкнига\n01.01.2024\n0\n");
    EXPECT_EQ(c.types.Entries(), (std::vector<std::string>{"Книга", "Прочее"}));
}

TEST(CatalogReader, FailedLineKeepsCompletedRecordsSortedAndDropsTheOneBeingBuilt) {
    const std::string good = "5\nЯков\n\n1\nАнна\n\n***\n"
                             "1\nЯщик\nМебель\n01.01.2024\n5\n"
                             "2\nАтлас\nКнига\n02.01.2024\n5\n";
    const std::string kept =
        "U 1|Анна||0\nU 5|Яков||2\nI 2|Атлас|Книга|02.01.2024|5\nI 1|Ящик|Мебель|01.01.2024|5\n";
    struct Case {
        std::string bytes;
        std::string message;
        std::string state;
    };
    const Case cases[] = {
        {good + "\r\n", "'' is not a valid integer value", kept + "T Мебель\nT Книга\n"},
        {good + "***\r\n", "'***' is not a valid integer value", kept + "T Мебель\nT Книга\n"},
        {good + "3\nДиск\nДиски\n", "'' is not a valid date", kept + "T Мебель\nT Книга\nT Диски\n"},
        {good + "3\nДиск\nДиски\n2024-01-03\n5\n", "'2024-01-03' is not a valid date",
         kept + "T Мебель\nT Книга\nT Диски\n"},
        {good + "3\nДиск\nдиски\n03.01.2024\nПетров\n", "'Петров' is not a valid integer value",
         kept + "T Мебель\nT Книга\nT диски\n"},
        {good + "3\nДиск\nДиски\n03.01.2024\n", "'' is not a valid integer value",
         kept + "T Мебель\nT Книга\nT Диски\n"},
        {good + " 3\nДиск\nДиски\n03.01.2024\n5\n", "' 3' is not a valid integer value",
         kept + "T Мебель\nT Книга\n"},
        {"5\nЯков\n\nБорис\n\n\n***\n", "'Борис' is not a valid integer value", "U 5|Яков||0\n"},
        {"5\nЯков\n\n*** \n", "'*** ' is not a valid integer value", "U 5|Яков||0\n"},
    };
    for (const Case& c : cases) {
        Catalog read;
        EXPECT_EQ(ParseFailing(c.bytes, read), c.message) << c.bytes;
        EXPECT_EQ(Dump(read), c.state) << c.bytes;
    }
}

TEST(CatalogReader, ErrorsQuoteAtMostTwoHundredCharactersOfALineAndShowANul) {
    Catalog c;
    const std::string longLine = "7" + std::string(16 * 1024 * 1024, 'x');
    EXPECT_EQ(ParseFailing(longLine + "\n", c),
              "'" + longLine.substr(0, 200) + "...' is not a valid integer value");
    const std::string exact(200, 'y');
    EXPECT_EQ(ParseFailing(exact + "\n", c), "'" + exact + "' is not a valid integer value");
    EXPECT_EQ(ParseFailing(std::string("***\n1\nЗонт\nПрочее\n1.") + '\0' + "03.2024\n0\n", c),
              "'1.<NUL>03.2024' is not a valid date");
}

// HolderId 0 means free, so a debtor numbered 0 (a file may say "0", "-0" or "00") holds nothing: no free
// item counts for him. He stays in the catalogue as the file has him.
TEST(CatalogReader, ADebtorNumberedZeroHoldsNothingAndIsWrittenBackAsHeIs) {
    const Catalog c = Parse("-0\nНоль\n\n1\nПетров\n\n***\n1\nЗонт\nПрочее\n15.03.2024\n0\n"
                            "2\nАтлас\nКнига\n15.03.2024\n1\n");
    EXPECT_EQ(Dump(c), "U 0|Ноль||0\nU 1|Петров||1\nI 2|Атлас|Книга|15.03.2024|1\n"
                       "I 1|Зонт|Прочее|15.03.2024|0\nT Прочее\nT Книга\n");
    EXPECT_FALSE(Holds(c.users[0], c.items[1]));
    EXPECT_TRUE(Holds(c.users[1], c.items[0]));
    EXPECT_EQ(SerializeCatalog(c, kRu), "0\r\nНоль\r\n\r\n1\r\nПетров\r\n\r\n***\r\n"
                                        "2\r\nАтлас\r\nКнига\r\n15.03.2024\r\n1\r\n"
                                        "1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n0\r\n");
}

TEST(CatalogFile, WriteThenReadAFileOnDisk) {
    TempFolder folder;
    const std::string path = folder.File("база.dat");
    Catalog c;
    AddUser(c, 1, "Петров");
    AddItem(c, 1, "Зонт", "Прочее", Day(2024, 3, 15), 1);
    CatalogFiles().Write(path, c, kRu);
    Catalog read;
    CatalogFiles().Read(path, read, kRu);
    EXPECT_EQ(Dump(read), "U 1|Петров||1\nI 1|Зонт|Прочее|15.03.2024|1\nT Прочее\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"база.dat"});
}

TEST(CatalogFile, ReadErrorsNameTheCause) {
    TempFolder folder;
    Catalog c;
    auto message = [&](const std::string& path) {
        try {
            CatalogFiles().Read(path, c, kRu);
        } catch (const InOutError& e) {
            return std::to_string(e.code) + " " + e.what();
        }
        return std::string("(nothing raised)");
    };
    EXPECT_EQ(message(folder.File("нет.dat")), "2 File not found");
    EXPECT_EQ(message(folder.File("нет/нет.dat")), "3 Invalid filename");
    EXPECT_EQ(message(folder.Path()), "5 File access denied");
    WriteBytes(folder.File("plain"), "x");
    EXPECT_EQ(message(folder.File("plain/x.dat")), "3 Invalid filename");
}

TEST(CatalogFile, AFailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.File("база.dat");
    WriteBytes(path, "old contents");
    Catalog c;
    AddItem(c, 1, "Зонт", "Прочее", NAN, 0); // a date that cannot be written
    EXPECT_THROW(CatalogFiles().Write(path, c, kRu), ConvertError);
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"база.dat"});
}

TEST(CatalogFiles, KeepsACopyOfAFileThatFailedToLoadBeforeTheFirstSave) {
    TempFolder folder;
    const std::string path = folder.File("база.dat");
    const std::string damaged = "1\r\nПетров\r\n\r\n***\r\n1\r\nЗонт\r\nПрочее\r\n15.13.2024\r\n1\r\n"
                                "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";
    WriteBytes(path, damaged);
    CatalogFiles files;
    Catalog c;
    EXPECT_THROW(files.Read(path, c, kRu), ConvertError);
    EXPECT_EQ(c.users.Count(), 1);
    EXPECT_TRUE(files.NeedsBackup(path));

    files.Write(path, c, kRu);
    EXPECT_EQ(ReadBytes(path + ".bak"), damaged);
    EXPECT_EQ(ReadBytes(path), "1\r\nПетров\r\n\r\n***\r\n");
    EXPECT_FALSE(files.NeedsBackup(path));

    // Only once: the next save leaves the copy alone.
    AddUser(c, 2, "Сидоров");
    files.Write(path, c, kRu);
    EXPECT_EQ(ReadBytes(path + ".bak"), damaged);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"база.dat", "база.dat.bak"}));
}

TEST(CatalogFiles, CopiesOnlyTheFileThatFailed) {
    TempFolder folder;
    const std::string bad = folder.File("bad.dat");
    const std::string good = folder.File("good.dat");
    WriteBytes(bad, "x\r\n");
    WriteBytes(good, "***\r\n");
    CatalogFiles files;
    Catalog c;
    EXPECT_THROW(files.Read(bad, c, kRu), ConvertError);
    c.Clear();
    files.Read(good, c, kRu);
    files.Write(good, c, kRu);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bad.dat", "good.dat"}));

    // Read again in full after it was mended: nothing left to protect.
    WriteBytes(bad, "***\r\n");
    files.Read(bad, c, kRu);
    files.Write(bad, c, kRu);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bad.dat", "good.dat"}));

    // A file that failed to open and does not exist has nothing to copy.
    const std::string missing = folder.File("missing.dat");
    EXPECT_THROW(files.Read(missing, c, kRu), InOutError);
    files.Write(missing, c, kRu);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bad.dat", "good.dat", "missing.dat"}));
}

TEST(CatalogFiles, ACopyThatFailsStopsTheSaveAndIsTriedAgain) {
    TempFolder folder;
    const std::string path = folder.File("база.dat");
    WriteBytes(path, "damaged\r\n");
    CatalogFiles files;
    Catalog c;
    EXPECT_THROW(files.Read(path, c, kRu), ConvertError);
    std::filesystem::create_directory(path + ".bak");
    try {
        files.Write(path, c, kRu);
        ADD_FAILURE() << "the save went on without a copy";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(ReadBytes(path), "damaged\r\n");
    EXPECT_TRUE(files.NeedsBackup(path));

    std::filesystem::remove(path + ".bak");
    files.Write(path, c, kRu);
    EXPECT_EQ(ReadBytes(path + ".bak"), "damaged\r\n");
    EXPECT_EQ(ReadBytes(path), "***\r\n");
}
