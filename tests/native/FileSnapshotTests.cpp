// Telling whether another program wrote the catalog file since this one last read or wrote it.
#include "catalog/CatalogFile.h"
#include "catalog/FileSnapshot.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr std::int64_t kSecond = 10000000;

// Sets the file's last-write time, in FileStamp ticks.
void SetWriteTime(const std::string& path, std::int64_t ticks) {
    const std::int64_t unix = ticks - 11644473600 * kSecond;
    const timespec times[2] = {{0, UTIME_OMIT}, {unix / kSecond, (unix % kSecond) * 100}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::int64_t WriteTimeOf(const std::string& path) {
    return FileStampOf(path).value().writeTime;
}

} // namespace

TEST(FileSnapshot, StampsTellWhatTheyCanAndLeaveTheRestToTheBytes) {
    const FileStamp known{100, 1000 * kSecond};
    const std::int64_t settled = known.writeTime + 3 * kSecond;
    EXPECT_EQ(CompareStamps(known, settled, known), StampVerdict::Same);
    // Another size is another content, whatever the time says.
    EXPECT_EQ(CompareStamps(known, settled, FileStamp{101, known.writeTime}), StampVerdict::Changed);
    // Another time with the same size may be a mere touch.
    EXPECT_EQ(CompareStamps(known, settled, FileStamp{100, known.writeTime + 1}), StampVerdict::ReadToTell);
    // A time seen within its first three seconds, or ahead of our clock, may be shared by a later write.
    EXPECT_EQ(CompareStamps(known, settled - 1, known), StampVerdict::ReadToTell);
    EXPECT_EQ(CompareStamps(known, known.writeTime - kSecond, known), StampVerdict::ReadToTell);

    EXPECT_EQ(HashBytes("1\r\nПетров\r\n***\r\n"), HashBytes(std::string("1\r\nПетров\r\n***\r\n")));
    EXPECT_NE(HashBytes("1\r\nПетров\r\n***\r\n"), HashBytes("1\r\nПетрова\r\n**\r\n"));
    EXPECT_NE(HashBytes("***\r\n"), HashBytes("***\n\r")); // a difference within the last word
    EXPECT_NE(HashBytes(""), HashBytes(std::string(1, '\0')));
}

// One copy of the program reads and writes the file through CatalogFiles; the test writes it as another
// copy would.
TEST(FileSnapshot, NoticesWhatAnotherProgramWroteAndNothingElse) {
    TempFolder folder;
    const std::string path = folder.File("example.dat");
    const ShortDateFormat dates = ShortDateFormat::Russian();
    WriteBytes(path, "1\r\nПетров\r\n\r\n***\r\n");
    SetWriteTime(path, FileTimeNow() - 3600 * kSecond);
    CatalogFiles files;
    EXPECT_FALSE(files.ChangedElsewhere(path)); // nothing read yet
    Catalog catalog;
    files.Read(path, catalog, dates);
    EXPECT_FALSE(files.ChangedElsewhere(path));

    // Touched, bytes unchanged; then written again with as many bytes within the same tick.
    SetWriteTime(path, FileTimeNow());
    EXPECT_FALSE(files.ChangedElsewhere(path));
    const std::int64_t touched = WriteTimeOf(path);
    WriteBytes(path, "2\r\nПетров\r\n\r\n***\r\n");
    ASSERT_EQ(FileStampOf(path)->size, 18);
    SetWriteTime(path, touched);
    EXPECT_TRUE(files.ChangedElsewhere(path));
    EXPECT_TRUE(files.ChangedElsewhere(path)); // still, until this copy reads or writes it

    // Our own save is what the file holds; a longer file written after it is not.
    files.Write(path, catalog, dates);
    EXPECT_FALSE(files.ChangedElsewhere(path));
    WriteBytes(path, "1\r\nПетров\r\n\r\n2\r\nСидорова\r\n\r\n***\r\n");
    EXPECT_TRUE(files.ChangedElsewhere(path));
    // Another file is not looked at; one that is gone has nothing to lose.
    EXPECT_FALSE(files.ChangedElsewhere(folder.File("other.dat")));
    ASSERT_EQ(::unlink(path.c_str()), 0);
    EXPECT_FALSE(files.ChangedElsewhere(path));

    // A file that failed to load is remembered as it was read.
    WriteBytes(path, "x\r\n");
    Catalog partial;
    EXPECT_ANY_THROW(files.Read(path, partial, dates));
    EXPECT_FALSE(files.ChangedElsewhere(path));
    WriteBytes(path, "1\r\nПетров\r\n\r\n***\r\n");
    EXPECT_TRUE(files.ChangedElsewhere(path));
}
