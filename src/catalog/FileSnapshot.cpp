#include "catalog/FileSnapshot.h"

#include "text/Letters.h"

#include <cstring>

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;

// A last-write time vouches for the bytes only once the clock tick it fell in is over: a second write in
// the same tick gets the same time, and with the same length nothing in the stamp shows it. Windows and
// Linux count file times in ticks of the system clock (1/64 s or finer), FAT keeps them to two seconds,
// and a shared folder's times come from the clock of the machine that holds it. So a time seen less than
// three seconds after it was set (or one ahead of our clock) cannot be trusted, and the bytes are read.
// That happens at the first check after each save of our own; a file read long after it was written
// needs no more than its stamp.
constexpr std::int64_t kYoungTime = 3 * kTicksPerSecond;

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

bool SameFileName(const std::string& a, const std::string& b) {
#ifdef _WIN32
    // The system's file names ignore letter case.
    return SameText(a, b);
#else
    return a == b;
#endif
}

} // namespace

std::uint64_t HashBytes(std::string_view bytes) {
    // Eight bytes at a time: a catalogue of 100,000 items is some megabytes.
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; p += 8, left -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ (word * 0x87C37B91114253D5ull)) * 0x4CF5AD432745937Full;
        h = (h << 31) | (h >> 33);
    }
    std::uint64_t tail = 0;
    if (left != 0) {
        std::memcpy(&tail, p, left);
    }
    return Mix(h ^ (tail * 0x87C37B91114253D5ull));
}

StampVerdict CompareStamps(const FileStamp& known, std::int64_t seenAt, const FileStamp& now) {
    if (now.size != known.size) {
        return StampVerdict::Changed;
    }
    if (now.writeTime != known.writeTime || seenAt - known.writeTime < kYoungTime) {
        return StampVerdict::ReadToTell;
    }
    return StampVerdict::Same;
}

void FileSnapshot::Take(const std::string& path, std::string_view bytes) {
    path_ = path;
    hash_ = HashBytes(bytes);
    // The clock before the stamp: the stamp is then no older than it seems.
    seenAt_ = FileTimeNow();
    stamp_ = FileStampOf(path);
}

bool FileSnapshot::Changed(const std::string& path) {
    if (path_.empty() || !SameFileName(path, path_)) {
        return false;
    }
    const std::int64_t now = FileTimeNow();
    const std::optional<FileStamp> stamp = FileStampOf(path);
    if (!stamp) {
        return false;
    }
    const StampVerdict verdict = stamp_ ? CompareStamps(*stamp_, seenAt_, *stamp) : StampVerdict::ReadToTell;
    if (verdict != StampVerdict::ReadToTell) {
        return verdict == StampVerdict::Changed;
    }
    if (HashBytes(ReadFileBytes(path)) != hash_) {
        return true;
    }
    // The same bytes under this stamp, seen now: from now on the stamp alone may tell.
    stamp_ = stamp;
    seenAt_ = now;
    return false;
}
