// The memory the running program takes for a large catalogue: the private bytes (and the working set)
// that the main window gains by reading the catalog file of 10,000 debtors and 100,000 items and filling
// its three tables, against the file's size. The file is written first; the measurement runs in a
// process of its own, so that nothing the writing allocated is counted or reused.
//   tables_memory_bench.exe           writes the file, measures in a second process, removes the file
//   tables_memory_bench.exe <file>    measures opening that file

#include "BenchSupport.h"

#include "catalog/CatalogFile.h"
#include "files/FileIO.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Locale.h"

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct MemoryUse {
    double privateBytes = 0; // committed memory of the process's own (heap, stacks, ...)
    double workingSet = 0;   // what is in physical memory
};

// Private bytes as Windows counts them: every committed region of the process that is its own, not an
// image or a mapped file. Counted region by region, since Wine's process counters leave them out.
MemoryUse Memory() {
    MemoryUse use;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            use.privateBytes += static_cast<double>(region.RegionSize);
        }
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    use.workingSet = static_cast<double>(counters.WorkingSetSize);
    return use;
}

double Megabytes(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

int Measure(const std::string& file) {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string settings = std::string(temp) + "tables_memory_bench.ini";
    const ShortDateFormat dates = UserShortDateFormat();
    {
        TForm1 form(settings);
        form.Show(SW_SHOWNORMAL);
        Pump();
        const MemoryUse before = Memory();
        // What opening the file does: the lists read, the type filter and the three tables filled, the
        // window painted.
        ParseCatalog(ReadFileBytes(file), form.GetCatalog(), dates);
        form.SyncTypeFilter();
        form.FillFreeItems();
        form.FillUsers();
        form.FillUserItems();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        const MemoryUse after = Memory();

        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data);
        const double size = static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
        const double privateBytes = after.privateBytes - before.privateBytes;
        const double workingSet = after.workingSet - before.workingSet;
        std::printf("catalog file (%d debtors, %d items): %.1f MB\n", form.GetCatalog().users.Count(),
                    form.GetCatalog().items.Count(), Megabytes(size));
        std::printf("  private bytes gained by opening it: %6.1f MB, %.2f times the file\n",
                    Megabytes(privateBytes), privateBytes / size);
        std::printf("  working set gained by opening it:   %6.1f MB, %.2f times the file\n",
                    Megabytes(workingSet), workingSet / size);
    }
    DeleteFileA(settings.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        return Measure(argv[1]);
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "tables_memory_bench.dat";
    {
        Catalog catalog;
        GenerateCatalogue(catalog, 10000, 100000);
        ReplaceFileBytes(file, SerializeCatalog(catalog, UserShortDateFormat()));
    }
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("could not start the measuring process (error %lu)\n", GetLastError());
        DeleteFileA(file.c_str());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(file.c_str());
    return static_cast<int>(code);
}
