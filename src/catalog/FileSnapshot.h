#pragma once
// What the program last read from or wrote to its catalog file, so that a save can tell whether another
// program (a second copy of this one, say, on the same file) has written the file since, and would
// otherwise throw that away unseen.

#include "files/FileIO.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 64-bit hash of the bytes, to tell two contents of one file apart. Not for contents chosen to collide.
std::uint64_t HashBytes(std::string_view bytes);

// What a file's stamp today says against the one seen when its bytes were last read or written.
enum class StampVerdict {
    Same,       // the file holds what it held then
    Changed,    // it was written since
    ReadToTell, // only its bytes can tell
};

// `known` is the stamp seen at `seenAt` (FileTimeNow's ticks), `now` the file's stamp today. Another size
// means other bytes. Another time may be a mere touch, so only the bytes can tell. The same size and time
// tell nothing either while the time was young when seen: see FileSnapshot.cpp.
StampVerdict CompareStamps(const FileStamp& known, std::int64_t seenAt, const FileStamp& now);

class FileSnapshot {
  public:
    // Remembers that the file `path` holds `bytes`, just read from it or written to it: its stamp now and
    // the hash of the bytes.
    void Take(const std::string& path, std::string_view bytes);

    // True when `path` is the remembered file and it now holds other bytes than remembered. Costs a look
    // at the file's stamp; its bytes are read and hashed only when the stamp cannot tell. A file that is
    // gone has nothing to lose, and another file than the remembered one is not looked at: both give
    // false. A failed read raises InOutError.
    bool Changed(const std::string& path);

  private:
    std::string path_; // empty while nothing is remembered
    std::uint64_t hash_ = 0;
    std::optional<FileStamp> stamp_; // none when the system told nothing of the file
    std::int64_t seenAt_ = 0;
};
