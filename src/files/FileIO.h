#pragma once
// Whole-file access for the catalog, its backup copy and the settings file. Paths are code page 1251
// bytes. Every failure raises InOutError with the system's code as the runtime reports it (2 file not
// found, 3 invalid file name or folder, 4 too many open files, 5 access denied, 101 disk full, ...), on
// Windows and on Linux alike.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The file name of a path, without its folder.
inline std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

// All bytes of a file.
std::string ReadFileBytes(const std::string& path);

// Gives `path` the contents `bytes` in one step: they go to a new file in the same folder, named
// "<path>.~<process id>-<n>.tmp", are flushed to the disk, and only then does that file take the place of
// the old one. If anything fails, the old file stays as it was and the new one is removed. Whenever the
// program is ended, `path` is either the old file or the new one, whole.
//
// `edit`, when given, is called between the two steps with the new file's path, once `bytes` are in it and
// it is closed: it may change that file by its name (the system's profile functions do). An error it
// raises is passed on, as every other failure.
//
// New files left beside `path` by earlier runs that were ended half-way are removed first.
void ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const std::function<void(const std::string& newPath)>& edit = {});

// Removes the new files that replacements of `path` left behind when their program was ended before they
// were done: those made by a process that no longer runs. A file of a running program, this one
// included, stays. Nothing is reported; a file that cannot be removed stays too.
void RemoveLeftoverFiles(const std::string& path);

// The process that made the file `name` as a new file for a replacement of the file `fileName` (both
// without a folder), or 0 when `name` is no such file. `ignoreCase` compares `fileName` as a file
// system that ignores letter case does.
std::uint32_t LeftoverMaker(std::string_view name, std::string_view fileName, bool ignoreCase);

// Copies a file, replacing `to` if it exists.
void CopyFileBytes(const std::string& from, const std::string& to);

// True for an existing file (not a folder).
bool FileExists(const std::string& path);

// The size in bytes of an existing file, learnt without opening it, so a read-only file or one another
// program holds open tells its size too. A folder gives "access denied", as opening it would.
std::int64_t FileSize(const std::string& path);

// What the system tells of a file without opening it: its size and its last-write time. The time counts
// 100-nanosecond ticks since 1 January 1601, as the system's file times do, on Windows and on Linux alike.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t writeTime = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of an existing file (not a folder); nothing when there is none, or when the system tells
// nothing of it.
std::optional<FileStamp> FileStampOf(const std::string& path);

// The system's clock now, in the ticks of FileStamp::writeTime.
std::int64_t FileTimeNow();

#ifndef _WIN32
// The runtime error code for an errno value met on `path`.
int InOutCodeFromErrno(int err, const std::string& path);
#endif
