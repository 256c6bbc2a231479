// The Windows half of the file layer (see catalog/FileIO.h). ANSI API: paths are code page 1251 bytes.
#include "catalog/FileIO.h"

#include "text/Errors.h"

#include <windows.h>

#include <atomic>

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

void ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
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
    FileHandle file(h);
    try {
        WriteAll(file.get(), bytes);
        if (!FlushFileBuffers(file.get())) {
            FailLast();
        }
        if (!file.Close()) {
            FailLast();
        }
        if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            FailLast();
        }
    } catch (...) {
        file.Close();
        DeleteFileA(temp.c_str());
        throw;
    }
}

void CopyFileBytes(const std::string& from, const std::string& to) {
    ReplaceFileBytes(to, ReadFileBytes(from));
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
