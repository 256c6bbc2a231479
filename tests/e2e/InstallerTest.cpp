// The release as a Windows user gets it: the installer, the program it installs, the uninstaller, and
// the zip. ./test makes them with scripts/package.sh and names them in VESH_INSTALLER (the installer)
// and VESH_UNPACKED (the folder the zip was unpacked to), and the folder of the program's pictures in
// VESH_PICTURES.

#include "Driver.h"
#include "Shortcut.h"
#include "TestFolder.h"
#include "platform/Handles.h"
#include "resources/version.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veshchehran";
// A catalogue the user keeps in the program's folder: one debtor, no items.
const char* const kCatalogue = "1\r\nИван\r\nivan@example.org\r\n***\r\n";
const std::string kVersion = std::to_string(VESH_VERSION_MAJOR) + "." + std::to_string(VESH_VERSION_MINOR);

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, MAX_PATH);
    return value;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(100);
    }
    return true;
}

unique_handle Start(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return unique_handle();
    }
    CloseHandle(pi.hThread);
    return unique_handle(pi.hProcess);
}

// The exit code of the finished command, or -1 when it could not start or did not end.
int RunAndWait(const std::string& commandLine) {
    unique_handle process = Start(commandLine);
    DWORD code = 0;
    if (!process || WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &code)) {
        return -1;
    }
    return static_cast<int>(code);
}

bool UninstallKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::string UninstallValue(const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

std::string VersionValue(const std::string& exe, const std::string& name) {
    DWORD handle = 0;
    std::string data(GetFileVersionInfoSizeA(exe.c_str(), &handle), '\0');
    char* value = nullptr;
    UINT length = 0;
    if (data.empty() || !GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), ("\\StringFileInfo\\041904E3\\" + name).c_str(),
                        reinterpret_cast<void**>(&value), &length)) {
        return "";
    }
    return value;
}

// A visible dialog of any process whose caption starts with this text, with this owner: an installer's
// window (no owner; the uninstaller's adds a blank for its page) or its message box (owned by it).
struct DialogSearch {
    std::string caption;
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == search->owner &&
        RemoteWindowText(hwnd).rfind(search->caption, 0) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(const std::string& caption, HWND owner = nullptr) {
    DialogSearch search{caption, owner};
    WaitUntil([&] {
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// The text of a control on the page the installer's window shows now.
std::string PageText(HWND installer, int id) {
    HWND page = FindWindowExA(installer, nullptr, "#32770", nullptr);
    HWND control = page ? GetDlgItem(page, id) : nullptr;
    return control ? RemoteWindowText(control) : "";
}

// A picture as a grid of cells, each the mean colour of its pixels: a picture and the same picture
// stretched to another size give nearly the same grid.
using Cells = std::vector<std::array<int, 3>>;

Cells CellsOf(const std::vector<DWORD>& pixels, int width, int height, int columns, int rows) {
    Cells cells(static_cast<size_t>(columns * rows));
    std::vector<int> counts(cells.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t cell = static_cast<size_t>(y * rows / height * columns + x * columns / width);
            const DWORD pixel = pixels[static_cast<size_t>(y * width + x)];
            for (int c = 0; c < 3; ++c) {
                cells[cell][static_cast<size_t>(c)] += static_cast<int>(pixel >> (8 * c) & 0xFF);
            }
            ++counts[cell];
        }
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        for (int& channel : cells[i]) {
            channel /= std::max(counts[i], 1);
        }
    }
    return cells;
}

// The pixels of a bitmap, top row first, as 0x00RRGGBB.
std::vector<DWORD> PixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width * height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

Cells PictureFileCells(const std::string& path, int columns, int rows) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size)) {
        return {};
    }
    HDC screen = GetDC(nullptr);
    const Cells cells = CellsOf(PixelsOf(screen, bitmap, size.bmWidth, size.bmHeight), size.bmWidth,
                                size.bmHeight, columns, rows);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return cells;
}

// What a control of another process shows on the screen.
Cells ShownCells(HWND control, int columns, int rows) {
    RECT r{};
    GetClientRect(control, &r);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    if (r.right <= 0 || r.bottom <= 0) {
        return {};
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    const Cells cells =
        CellsOf(PixelsOf(screen, bitmap, r.right, r.bottom), r.right, r.bottom, columns, rows);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return cells;
}

// The greatest difference of a colour channel between two grids of the same shape.
int Difference(const Cells& a, const Cells& b) {
    if (a.empty() || a.size() != b.size()) {
        return 255;
    }
    int most = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            most = std::max(most, std::abs(a[i][c] - b[i][c]));
        }
    }
    return most;
}

// The first visible picture control (a static control showing a bitmap) among the window's children, or,
// with `deep`, their descendants too.
HWND PictureControl(HWND parent, bool deep) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (IsWindowVisible(child) && lstrcmpiA(cls, "Static") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
            return child;
        }
        if (deep) {
            if (HWND inner = PictureControl(child, true)) {
                return inner;
            }
        }
    }
    return nullptr;
}

// How far the picture a page shows may stray from the picture file, a cell's colour channel at most,
// for the stretching and the display's colours.
constexpr int kPictureTolerance = 40;

class Installer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(installer_)) << "VESH_INSTALLER names no installer: '" << installer_ << "'";
        RemoveInstallation(); // what an earlier run that failed half way left
    }
    void TearDown() override { RemoveInstallation(); }

    void RemoveInstallation() {
        RemoveTree(folder_);
        DeleteFileA(shortcut_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    }

    const std::string installer_ = Environment("VESH_INSTALLER");
    const std::string folder_ = SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Veshchehran";
    const std::string exe_ = folder_ + "\\veshchehran.exe";
    const std::string uninstaller_ = folder_ + "\\uninstall.exe";
    const std::string shortcut_ = SpecialFolder(CSIDL_PROGRAMS) + "\\Вещехран.lnk";
    const std::vector<std::string> installed_{"history.txt", "license.txt", "uninstall.exe",
                                              "veshchehran.exe"};
};

} // namespace

TEST_F(Installer, InstallsSilentlyForTheUserAndUninstallsKeepingTheUsersFiles) {
    ASSERT_EQ(RunAndWait("\"" + installer_ + "\" /S"), 0);
    EXPECT_EQ(FolderEntries(folder_), installed_);
    EXPECT_EQ(UninstallValue("DisplayName"), "Вещехран");
    EXPECT_EQ(UninstallValue("DisplayVersion"), kVersion);
    EXPECT_EQ(UninstallValue("UninstallString"), "\"" + uninstaller_ + "\"");
    // What the program file's properties show.
    EXPECT_EQ(VersionValue(exe_, "ProductName"), "Вещехран");
    EXPECT_EQ(VersionValue(exe_, "ProductVersion"), kVersion);
    EXPECT_EQ(VersionValue(exe_, "FileVersion"), kVersion);
    EXPECT_NE(VersionValue(exe_, "FileDescription"), "");
    EXPECT_NE(VersionValue(exe_, "LegalCopyright"), "");
    // The zip holds the same program with the same texts.
    const std::string unpacked = Environment("VESH_UNPACKED");
    EXPECT_EQ(FolderEntries(unpacked),
              (std::vector<std::string>{"history.txt", "license.txt", "veshchehran.exe"}));
    for (const char* name : {"veshchehran.exe", "history.txt", "license.txt"}) {
        EXPECT_EQ(ReadWholeFile(unpacked + "\\" + name), ReadWholeFile(folder_ + "\\" + name)) << name;
    }

    ASSERT_EQ(ReadShortcut(shortcut_).target, exe_);
    {
        RunningProgram program(RunningProgram::InPlace{exe_});
        HWND main = program.WaitForWindow("Вещехран - new");
        ASSERT_NE(main, nullptr) << "the installed program showed no main window";
        EXPECT_EQ(RemoteWindowText(GetWindow(main, GW_OWNER)), "Вещехран");

        // While the program runs, the uninstaller (waiting for it in place) refuses and takes nothing.
        EXPECT_NE(RunAndWait("\"" + uninstaller_ + "\" /S _?=" + folder_), 0);
        EXPECT_EQ(FolderEntries(folder_), installed_);
        EXPECT_TRUE(Exists(shortcut_));
        EXPECT_TRUE(UninstallKeyExists());

        std::vector<RemoteDialog> asked;
        EXPECT_EQ(CloseAndWait(program, main, asked), 0);
    }
    // The program could write its settings beside itself; the user keeps a catalogue there too.
    ASSERT_TRUE(Exists(folder_ + "\\veshchehran.ini"));
    WriteWholeFile(folder_ + "\\дом.dat", kCatalogue);

    // The uninstaller goes on from a copy of itself; removing the listing is its last step.
    ASSERT_EQ(RunAndWait("\"" + uninstaller_ + "\" /S"), 0);
    EXPECT_TRUE(WaitUntil([] { return !UninstallKeyExists(); }));
    EXPECT_EQ(FolderEntries(folder_), (std::vector<std::string>{"veshchehran.ini", "дом.dat"}));
    EXPECT_FALSE(Exists(shortcut_));
}

TEST_F(Installer, SpeaksRussianShowsTheProgramsPicturesOffersTheUsersFolderAndRemovesTheSettingsWhenAgreed) {
    // The installer's pages, with the program's pictures at the side of the welcome page and in the header
    // of the folder page, cancelled on the folder page: nothing is installed.
    const std::string pictures = Environment("VESH_PICTURES");
    unique_handle setup = Start("\"" + installer_ + "\"");
    HWND window = WaitForDialog("Установка Вещехран");
    ASSERT_NE(window, nullptr) << "the installer showed no window";
    EXPECT_EQ(RemoteWindowText(GetDlgItem(window, IDOK)), "&Далее >");
    EXPECT_EQ(RemoteWindowText(GetDlgItem(window, IDCANCEL)), "Отмена");
    HWND side = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (side = PictureControl(window, true)) != nullptr; }));
    Sleep(500); // painted
    EXPECT_LE(Difference(ShownCells(side, 4, 8), PictureFileCells(pictures + "\\installer-side.bmp", 4, 8)),
              kPictureTolerance);
    PressButton(window, IDOK);
    constexpr int kFolderField = 1019;
    EXPECT_TRUE(WaitUntil([&] { return PageText(window, kFolderField) == folder_; }))
        << PageText(window, kFolderField);
    EXPECT_EQ(RemoteWindowText(GetDlgItem(window, IDOK)), "&Установить");
    HWND header = PictureControl(window, false);
    EXPECT_NE(header, nullptr) << "the folder page has no header picture";
    Sleep(500);
    EXPECT_LE(
        Difference(ShownCells(header, 6, 2), PictureFileCells(pictures + "\\installer-header.bmp", 6, 2)),
        kPictureTolerance);
    PressButton(window, IDCANCEL);
    HWND question = WaitForDialog("Установка Вещехран", window);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(RemoteWindowText(GetDlgItem(question, 0xFFFF)),
              "Вы действительно хотите отменить установку Вещехран?");
    PressButton(question, IDYES);
    EXPECT_EQ(WaitForSingleObject(setup.get(), 20000), WAIT_OBJECT_0);
    EXPECT_FALSE(Exists(folder_));

    // Installed, with a settings file and a catalogue beside the program, and uninstalled by a user
    // who lets the settings go: only the catalogue stays.
    ASSERT_EQ(RunAndWait("\"" + installer_ + "\" /S"), 0);
    WriteWholeFile(folder_ + "\\veshchehran.ini", "[Main]\r\n");
    WriteWholeFile(folder_ + "\\дом.dat", kCatalogue);
    ASSERT_EQ(RunAndWait("\"" + uninstaller_ + "\""), 0);
    window = WaitForDialog("Удаление Вещехран");
    ASSERT_NE(window, nullptr) << "the uninstaller showed no window";
    PressButton(window, IDOK);
    question = WaitForDialog("Удаление Вещехран", window);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(RemoteWindowText(GetDlgItem(question, 0xFFFF)).find("veshchehran.ini"), std::string::npos);
    PressButton(question, IDYES);
    EXPECT_TRUE(WaitUntil([] { return !UninstallKeyExists(); }));
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"дом.dat"});
    EXPECT_FALSE(Exists(shortcut_));
    EXPECT_TRUE(WaitUntil([&] {
        PressButton(window, IDOK); // "Закрыть", once the uninstaller has finished
        return !IsWindow(window);
    }));
}
