// The Linux half of the file layer, used by the native tests and tools.
#include "files/FileIO.h"

#include "text/Errors.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void Fail(int err, const std::string& path) {
    throw InOutError(InOutCodeFromErrno(err, path));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes the file held so far and holds `fd`.
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    // Closes now, giving the errno of a failed close or 0.
    int Close() {
        if (fd_ < 0) {
            return 0;
        }
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno, path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

int InOutCodeFromErrno(int err, const std::string& path) {
    switch (err) {
    case ENOENT:
        // A missing folder is a bad path, as Windows reports it; a missing file in an existing folder is not.
        return IsFolder(FolderOf(path)) ? 2 : 3;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    // A failing device (a removed drive) is not a denied access, though its errno is 5: report it with the
    // code Windows gives it.
    case EIO: return 1117;
    default: return err;
    }
}

std::string ReadFileBytes(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        Fail(errno, path);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        Fail(errno, path);
    }
    if (S_ISDIR(st.st_mode)) {
        Fail(EISDIR, path);
    }
    std::string bytes;
    bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // The file may have grown since fstat, or report no size at all.
            bytes.resize(bytes.size() + 65536);
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno, path);
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    if (const int err = fd.Close()) {
        Fail(err, path);
    }
    return bytes;
}

namespace {

// The new file of a replacement, removed again unless it took the old file's place.
class NewFile {
  public:
    NewFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~NewFile() {
        fd_.Close();
        if (!placed_) {
            ::unlink(path_.c_str());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    const std::string& Path() const { return path_; }
    Descriptor& File() { return fd_; }
    void Placed() { placed_ = true; }

  private:
    std::string path_;
    Descriptor fd_;
    bool placed_ = false;
};

bool ProcessRunning(std::uint32_t pid) {
    if (pid > static_cast<std::uint32_t>(INT32_MAX)) {
        return false;
    }
    // A process we may not signal runs for someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

void RemoveLeftoverFiles(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string fileName = path.substr(path.rfind('/') + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return;
    }
    const std::uint32_t self = static_cast<std::uint32_t>(::getpid());
    while (const dirent* entry = ::readdir(dir)) {
        const std::uint32_t pid = LeftoverMaker(entry->d_name, fileName, false);
        if (pid == 0 || pid == self || ProcessRunning(pid)) {
            continue;
        }
        const std::string leftover = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(leftover.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            ::unlink(leftover.c_str());
        }
    }
    ::closedir(dir);
}

void ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const std::function<void(const std::string& newPath)>& edit) {
    static std::atomic<unsigned> counter{0};
    RemoveLeftoverFiles(path);
    // The new file takes the rights of the one it replaces; a new catalogue gets the usual ones.
    struct stat old {};
    const bool keepMode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // A file we may not write is refused as writing it in place would be, though a rename could replace it.
    if (keepMode && ::access(path.c_str(), W_OK) != 0) {
        Fail(errno, path);
    }
    const mode_t mode = keepMode ? old.st_mode & 07777 : 0666;
    std::string temp;
    int fdValue = -1;
    for (int attempt = 0; fdValue < 0; ++attempt) {
        temp = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        fdValue = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fdValue < 0 && (errno != EEXIST || attempt == 100)) {
            Fail(errno, path);
        }
    }
    NewFile file(temp, fdValue);
    if (keepMode) {
        ::fchmod(file.File().get(), mode);
    }
    WriteAll(file.File().get(), bytes, path);
    if (edit) {
        if (const int err = file.File().Close()) {
            Fail(err, path);
        }
        edit(file.Path());
        file.File().Reset(::open(file.Path().c_str(), O_WRONLY | O_CLOEXEC));
        if (file.File().get() < 0) {
            Fail(errno, path);
        }
    }
    if (::fsync(file.File().get()) != 0) {
        Fail(errno, path);
    }
    if (const int err = file.File().Close()) {
        Fail(err, path);
    }
    if (::rename(file.Path().c_str(), path.c_str()) != 0) {
        Fail(errno, path);
    }
    file.Placed();
    // Make the new name itself durable; the replacement has happened whatever this gives.
    Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
}

void CopyFileBytes(const std::string& from, const std::string& to) {
    ReplaceFileBytes(to, ReadFileBytes(from));
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::int64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        Fail(errno, path);
    }
    if (S_ISDIR(st.st_mode)) {
        throw InOutError(5);
    }
    return static_cast<std::int64_t>(st.st_size);
}

namespace {

// Seconds from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kUnixEpochSeconds = 11644473600;

std::int64_t Ticks(const timespec& t) {
    return (static_cast<std::int64_t>(t.tv_sec) + kUnixEpochSeconds) * 10000000 + t.tv_nsec / 100;
}

} // namespace

std::optional<FileStamp> FileStampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<std::int64_t>(st.st_size), Ticks(st.st_mtim)};
}

std::int64_t FileTimeNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Ticks(now);
}
