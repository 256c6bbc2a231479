// The Windows half of the file layer (see files/FileIO.h). ANSI API: paths are code page 1251 bytes.
#include "files/FileIO.h"

#include "text/Errors.h"

#include <windows.h>

#include <atomic>
#include <utility>

namespace {

int InOutCode(DWORD err) {
    switch (err) {
    case ERROR_INVALID_NAME: return 3;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return 101;
    default: return static_cast<int>(err);
    }
}

[[noreturn]] void Fail(DWORD err) {
    throw InOutError(InOutCode(err));
}

[[noreturn]] void FailLast() {
    Fail(GetLastError());
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    // Closes the file held so far and holds `h`.
    void Reset(HANDLE h) {
        Close();
        h_ = h;
    }
    // Closes now; false (with the error in GetLastError) when the close fails.
    bool Close() {
        if (h_ == INVALID_HANDLE_VALUE) {
            return true;
        }
        const BOOL ok = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

  private:
    HANDLE h_;
};

void WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr)) {
            FailLast();
        }
        if (written == 0) {
            Fail(ERROR_DISK_FULL);
        }
        bytes.remove_prefix(written);
    }
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        FailLast();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        FailLast();
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &got,
                      nullptr)) {
            FailLast();
        }
        if (got == 0) {
            break; // the file became shorter while it was read
        }
        filled += got;
    }
    bytes.resize(filled);
    if (!file.Close()) {
        FailLast();
    }
    return bytes;
}

namespace {

// The new file of a replacement, removed again unless it took the old file's place.
class NewFile {
  public:
    NewFile(std::string path, HANDLE h) : path_(std::move(path)), file_(h) {}
    ~NewFile() {
        file_.Close();
        if (!placed_) {
            DeleteFileA(path_.c_str());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    const std::string& Path() const { return path_; }
    FileHandle& File() { return file_; }
    void Placed() { placed_ = true; }

  private:
    std::string path_;
    FileHandle file_;
    bool placed_ = false;
};

bool ProcessRunning(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) {
        // Only an unknown id means that no such process runs; one we may not open runs for someone else.
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

} // namespace

void RemoveLeftoverFiles(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    const std::string folder = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const std::string fileName = path.substr(folder.size());
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + ".~*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const DWORD pid = LeftoverMaker(found.cFileName, fileName, true);
        if (pid != 0 && pid != GetCurrentProcessId() &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !ProcessRunning(pid)) {
            // A file still open for writing cannot be deleted, whoever holds it.
            DeleteFileA((folder + found.cFileName).c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const std::function<void(const std::string& newPath)>& edit) {
    static std::atomic<unsigned> counter{0};
    RemoveLeftoverFiles(path);
    // A read-only file is refused as writing it in place would be (a rename alone might replace it).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        Fail(ERROR_ACCESS_DENIED);
    }
    std::string temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = path + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
        h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = GetLastError();
            if ((err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) || attempt == 100) {
                Fail(err);
            }
        }
    }
    NewFile file(temp, h);
    WriteAll(file.File().get(), bytes);
    if (edit) {
        if (!file.File().Close()) {
            FailLast();
        }
        edit(file.Path());
        file.File().Reset(CreateFileA(file.Path().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.File().get() == INVALID_HANDLE_VALUE) {
            FailLast();
        }
    }
    if (!FlushFileBuffers(file.File().get())) {
        FailLast();
    }
    if (!file.File().Close()) {
        FailLast();
    }
    if (!MoveFileExA(file.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailLast();
    }
    file.Placed();
}

void CopyFileBytes(const std::string& from, const std::string& to) {
    ReplaceFileBytes(to, ReadFileBytes(from));
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::int64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        FailLast();
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        Fail(ERROR_ACCESS_DENIED);
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                     data.nFileSizeLow);
}

namespace {

std::int64_t Ticks(const FILETIME& t) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

} // namespace

std::optional<FileStamp> FileStampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return FileStamp{static_cast<std::int64_t>(size), Ticks(data.ftLastWriteTime)};
}

std::int64_t FileTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}
