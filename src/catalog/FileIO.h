#pragma once
// Whole-file access for the catalog and its backup copy. Paths are code page 1251 bytes. Every failure
// raises InOutError with the system's code as the runtime reports it (2 file not found, 3 invalid file
// name or folder, 4 too many open files, 5 access denied, 101 disk full, ...), on Windows and on Linux
// alike.

#include <string>
#include <string_view>

// All bytes of a file.
std::string ReadFileBytes(const std::string& path);

// Gives `path` the contents `bytes` in one step: they go to a new file in the same folder, are flushed to
// the disk, and only then does that file take the place of the old one. If anything fails, the old file
// stays as it was and the new one is removed.
void ReplaceFileBytes(const std::string& path, std::string_view bytes);

// Copies a file, replacing `to` if it exists.
void CopyFileBytes(const std::string& from, const std::string& to);

// True for an existing file (not a folder).
bool FileExists(const std::string& path);

#ifndef _WIN32
// The runtime error code for an errno value met on `path`.
int InOutCodeFromErrno(int err, const std::string& path);
#endif
