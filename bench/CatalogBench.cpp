// Reads and writes a generated catalogue of 10,000 debtors and 100,000 items and sets the speeds next to
// those of merely reading the file's bytes and splitting its lines, and of writing the same bytes; then
// what the check before a save costs (has another program written the file?), and the memory the lists
// hold against the size of the file.
#include "catalog/CatalogFile.h"
#include "catalog/FileSnapshot.h"
#include "files/FileIO.h"
#include "text/IntText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kDebtors = 10000;
constexpr int kItems = 100000;
constexpr int kRuns = 7;

// Words of code page 1251 text, written with escapes.
const char* const kSurnames[] = {"\xC8\xE2\xE0\xED\xEE\xE2",         "\xCF\xE5\xF2\xF0\xEE\xE2",
                                 "\xD1\xE8\xE4\xEE\xF0\xEE\xE2",     "\xCA\xF3\xE7\xED\xE5\xF6\xEE\xE2",
                                 "\xD1\xEC\xE8\xF0\xED\xEE\xE2\xE0", "\xC2\xEE\xEB\xEA\xEE\xE2\xE0"};
const char* const kWords[] = {"\xCA\xED\xE8\xE3\xE0",
                              "\xD1\xEB\xEE\xE2\xE0\xF0\xFC",
                              "\xC7\xEE\xED\xF2",
                              "\xC4\xE8\xF1\xEA",
                              "\xC0\xF2\xEB\xE0\xF1 \xEC\xE8\xF0\xE0",
                              "\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0",
                              "\xCF\xE0\xEB\xE0\xF2\xEA\xE0",
                              "\xC4\xF0\xE5\xEB\xFC"};
const char* const kTypes[] = {"\xCA\xED\xE8\xE3\xE0",     "\xC4\xE8\xF1\xEA",
                              "\xCF\xF0\xEE\xF7\xE5\xE5", "\xC8\xED\xF1\xF2\xF0\xF3\xEC\xE5\xED\xF2",
                              "\xC8\xE3\xF0\xE0",         "\xD4\xE8\xEB\xFC\xEC",
                              "\xCA\xE0\xF0\xF2\xE0",     "\xD1\xEF\xEE\xF0\xF2"};

Catalog Generate() {
    std::mt19937 random(20240315);
    Catalog c;
    for (int i = 1; i <= kDebtors; ++i) {
        TUserRec& u = c.users.AppendNew();
        u.Id = i;
        u.Name =
            std::string(kSurnames[random() % 6]) + " " + IntToStr(static_cast<int32_t>(random() % 1000000));
        u.EMail = random() % 3 ? "user" + IntToStr(i) + "@example.org" : "";
    }
    for (int i = 1; i <= kItems; ++i) {
        TItemRec& item = c.items.AppendNew();
        item.Id = i;
        item.Description =
            std::string(kWords[random() % 8]) + ", " + kWords[random() % 8] + " " + IntToStr(i);
        item.ItemType = kTypes[random() % 8];
        item.LentDate = 36526 + random() % 9800; // 2000 to 2026
        item.HolderId = random() % 5 < 2 ? static_cast<int32_t>(1 + random() % kDebtors) : 0;
    }
    // Saved by the program, so sorted.
    c.users.Sort(CompareUserNames);
    c.items.Sort(CompareItemDescriptions);
    return c;
}

template <typename F> double BestSeconds(int runs, F&& run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::size_t SplitLines(std::string_view bytes, std::vector<std::string_view>& lines) {
    lines.clear();
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines.size();
}

void Row(const char* what, double seconds, double bytes, double baseline) {
    const double mbs = bytes / seconds / 1e6;
    std::printf("%-42s %9.1f MB/s %8.2f ms", what, mbs, seconds * 1e3);
    if (baseline > 0) {
        std::printf("   %.2f of the raw speed", mbs / baseline);
    }
    std::printf("\n");
}

} // namespace

int main() {
    const ShortDateFormat dates = ShortDateFormat::Russian();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vesh-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "catalog.dat").string();
    const std::string copy = (folder / "copy.dat").string();

    ReplaceFileBytes(path, SerializeCatalog(Generate(), dates));
    const std::string fileBytes = ReadFileBytes(path);
    const double size = static_cast<double>(fileBytes.size());
    std::printf("catalogue: %d debtors, %d items, file %.2f MB; best of %d runs\n\n", kDebtors, kItems,
                size / 1e6, kRuns);

    std::vector<std::string_view> lines;
    std::string raw;
    const double rawRead = BestSeconds(kRuns, [&] {
        raw = ReadFileBytes(path);
        SplitLines(raw, lines);
    });
    // As the program opens a file: into the catalogue that New has just emptied. The emptying is not timed.
    Catalog opened;
    double read = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        opened.Clear();
        read = std::min(read, BestSeconds(1, [&] { ParseCatalog(ReadFileBytes(path), opened, dates); }));
    }
    const double rawReadMbs = size / rawRead / 1e6;
    Row("raw: read bytes + split lines", rawRead, size, 0);
    Row("read catalogue (parse into lists, sort)", read, size, rawReadMbs);

    Catalog catalog;
    ParseCatalog(ReadFileBytes(path), catalog, dates);
    const double rawWrite = BestSeconds(kRuns, [&] { ReplaceFileBytes(copy, fileBytes); });
    const double write =
        BestSeconds(kRuns, [&] { ReplaceFileBytes(copy, SerializeCatalog(catalog, dates)); });
    const double rawWriteMbs = size / rawWrite / 1e6;
    std::printf("\n");
    Row("raw: write the same bytes (flushed, replaced)", rawWrite, size, 0);
    Row("write catalogue (same replacement)", write, size, rawWriteMbs);
    if (ReadFileBytes(copy) != fileBytes) {
        std::printf("MISMATCH: the written catalogue differs from the file it was read from\n");
        return 1;
    }

    // Against a write that skips the flush to the disk, so that the serializer's own cost shows.
    const double plainWrite = BestSeconds(kRuns, [&] {
        std::FILE* f = std::fopen(copy.c_str(), "wb");
        std::fwrite(fileBytes.data(), 1, fileBytes.size(), f);
        std::fclose(f);
    });
    const double serialize = BestSeconds(kRuns, [&] { raw = SerializeCatalog(catalog, dates); });
    const double plainMbs = size / plainWrite / 1e6;
    Row("raw: write the same bytes, no flush", plainWrite, size, 0);
    Row("serialize + write, no flush", serialize + plainWrite, size, plainMbs);

    // The check before a save. A stamp seen long after the file was written is trusted: a look at the
    // stamp only. Right after a save of our own it is not, and the file is read and hashed.
    std::printf("\n");
    CatalogFiles files;
    bool changed = false;
    const double remember = BestSeconds(kRuns, [&] { files.Write(copy, catalog, dates); });
    const double checkYoung = BestSeconds(kRuns, [&] { changed |= files.ChangedElsewhere(copy); });
    const timespec hourAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
    utimensat(AT_FDCWD, copy.c_str(), hourAgo, 0);
    Catalog reread;
    files.Read(copy, reread, dates);
    const double checkSettled = BestSeconds(kRuns, [&] { changed |= files.ChangedElsewhere(copy); });
    std::uint64_t hash = 0;
    const double hashOnly = BestSeconds(kRuns, [&] { hash ^= HashBytes(fileBytes); });
    Row("write catalogue, remembering it", remember, size, rawWriteMbs);
    Row("hash of the file's bytes", hashOnly, size, 0);
    std::printf("%-42s %22.3f ms\n", "check before a save, stamp trusted", checkSettled * 1e3);
    std::printf("%-42s %22.3f ms\n", "check before a save, read and hashed", checkYoung * 1e3);
    if (changed) {
        std::printf("MISMATCH: the check saw a change nobody made\n");
        return 1;
    }

    const std::size_t before = mallinfo2().uordblks;
    {
        Catalog held;
        ParseCatalog(ReadFileBytes(path), held, dates);
        const std::size_t after = mallinfo2().uordblks;
        if (after > before) {
            const double memory = static_cast<double>(after - before);
            std::printf("\nmemory held by the lists: %.2f MB = %.2f x the file size\n", memory / 1e6,
                        memory / size);
        } else {
            std::printf(
                "\nmemory held by the lists: not measurable here (a sanitizer replaces the allocator)\n");
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
