// The Linux half of the file layer: whole-file reads, replacing a file in one step, error codes.
#include "catalog/FileIO.h"
#include "text/Errors.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

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
