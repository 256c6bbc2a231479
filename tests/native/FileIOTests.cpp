// The Linux half of the file layer: whole-file reads, replacing a file in one step, error codes.
#include "catalog/CatalogFile.h"
#include "files/FileIO.h"
#include "text/Errors.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int CodeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const InOutError& e) {
        return e.code;
    }
    return 0;
}

// Limits the size of files this process may write, for as long as it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

TEST(FileIO, ReadsAndReplacesEveryByte) {
    TempFolder folder;
    const std::string path = folder.File("data.dat");
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>(i * 31 % 256);
    }
    ReplaceFileBytes(path, bytes);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    ReplaceFileBytes(path, "");
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder.File("none")));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"});
}

TEST(FileIO, ReplacingKeepsTheRightsOfTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("data.dat");
    WriteBytes(path, "old");
    chmod(path.c_str(), 0640);
    ReplaceFileBytes(path, "new");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileIO, AWriteThatFailsHalfWayLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("data.dat");
    WriteBytes(path, "old contents");
    int code = 0;
    {
        FileSizeLimit limit(4096);
        code = CodeOf([&] { ReplaceFileBytes(path, std::string(100000, 'x')); });
    }
    EXPECT_EQ(code, EFBIG);
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"});

    // A folder in the way of the new file.
    const std::string blocked = folder.File("blocked");
    std::filesystem::create_directory(blocked);
    EXPECT_EQ(CodeOf([&] { ReplaceFileBytes(blocked, "x"); }), 5);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"blocked", "data.dat"}));
    EXPECT_EQ(CodeOf([&] { ReplaceFileBytes(folder.File("no/data.dat"), "x"); }), 3);
}

TEST(FileIO, AnEditBetweenTheStepsChangesTheNewFileOrLeavesTheOldOneWhole) {
    TempFolder folder;
    const std::string path = folder.File("veshchehran.ini");
    WriteBytes(path, "old");
    ReplaceFileBytes(path, "new", [](const std::string& newPath) {
        EXPECT_EQ(ReadBytes(newPath), "new");
        WriteBytes(newPath, "edited");
    });
    EXPECT_EQ(ReadBytes(path), "edited");
    EXPECT_THROW(ReplaceFileBytes(path, "new", [](const std::string&) { throw std::runtime_error("no"); }),
                 std::runtime_error);
    EXPECT_EQ(ReadBytes(path), "edited");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"veshchehran.ini"});
}

// A save ended half-way leaves "<name>.~<pid>-<n>.tmp". The next save or opening of that catalogue removes
// those of processes that no longer run, and nothing else.
TEST(FileIO, SavesAndOpeningsRemoveTheNewFilesOfEndedRunsOnly) {
    TempFolder folder;
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string gone = std::to_string(ended);
    const std::string running = std::to_string(getppid());
    const std::string self = std::to_string(getpid());
    const std::vector<std::string> kept = {
        "база.dat",
        "база.dat.~" + running + "-0.tmp",
        "база.dat.~" + self + "-3.tmp",
        "база.dat.~" + gone + "-1.tmp.bak",
        "база.dat.~" + gone + ".tmp",
        "база.dat.~x-1.tmp",
        "БАЗА.dat.~" + gone + "-1.tmp",
        "другая.dat.~" + gone + "-1.tmp",
    };
    for (const std::string& name : kept) {
        WriteBytes(folder.File(name), "***\r\n");
    }
    auto leave = [&] {
        WriteBytes(folder.File("база.dat.~" + gone + "-0.tmp"), "***\r\n");
        WriteBytes(folder.File("база.dat.~" + gone + "-12.tmp"), "");
    };
    auto sorted = [](std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    };

    leave();
    ReplaceFileBytes(folder.File("база.dat"), "***\r\n");
    EXPECT_EQ(folder.Entries(), sorted(kept));

    leave();
    Catalog catalog;
    CatalogFiles().Read(folder.File("база.dat"), catalog, ShortDateFormat::Russian());
    EXPECT_EQ(folder.Entries(), sorted(kept));
}

TEST(FileIO, ErrnoBecomesTheCodeWindowsWouldReport) {
    TempFolder folder;
    // A missing file in an existing folder is "not found"; a missing folder makes a bad path.
    EXPECT_EQ(InOutCodeFromErrno(ENOENT, folder.File("x")), 2);
    EXPECT_EQ(InOutCodeFromErrno(ENOENT, folder.File("none/x")), 3);
    EXPECT_EQ(InOutErrorMessage(InOutCodeFromErrno(ENOSPC, folder.File("x"))), "Disk full");
    // A device error must not read as a denied access although its errno is 5.
    EXPECT_EQ(InOutErrorMessage(InOutCodeFromErrno(EIO, folder.File("x"))), "I/O error 1117");
    EXPECT_EQ(InOutErrorMessage(32), "I/O error 32");
}

TEST(FileIO, TellsTheSizeOfAReadOnlyFileAndFailsForAMissingOneOrAFolder) {
    TempFolder folder;
    const std::string path = folder.File("locked.dat");
    WriteBytes(path, "12345");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(FileSize(path), 5);
    EXPECT_EQ(CodeOf([&] { FileSize(folder.File("gone.dat")); }), 2);
    EXPECT_EQ(CodeOf([&] { FileSize(folder.Path()); }), 5);
}
