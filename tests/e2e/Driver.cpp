#include "Driver.h"

#include <commctrl.h>

#include <cstring>
#include <stdexcept>

namespace {

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

struct FindByTitle {
    DWORD threadId;
    std::string title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lParam) {
    auto* find = reinterpret_cast<FindByTitle*>(lParam);
    if (IsWindowVisible(hwnd) && RemoteWindowText(hwnd) == find->title) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A buffer inside the other process, for the controls whose messages carry pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size) : process_(process), size_(size) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_) {
            throw std::runtime_error("VirtualAllocEx failed");
        }
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    void* Address() const { return address_; }
    void Write(const void* data, size_t size, size_t offset = 0) {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    size_t Size() const { return size_; }

  private:
    HANDLE process_;
    size_t size_;
    void* address_;
};

} // namespace

std::string BuiltProgramPath() {
    char env[MAX_PATH] = {};
    if (GetEnvironmentVariableA("VESH_PROGRAM", env, MAX_PATH) > 0) {
        return env;
    }
    // build/<dir>/tests/e2e/e2e_tests.exe -> build/<dir>/veshchehran.exe
    return ModuleFolder() + "..\\..\\veshchehran.exe";
}

RunningProgram::RunningProgram(const std::string& folder) {
    exePath_ = folder + "\\veshchehran.exe";
    if (!CopyFileA(BuiltProgramPath().c_str(), exePath_.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy the program from " + BuiltProgramPath());
    }
    Start(folder);
}

RunningProgram::RunningProgram(const InPlace& program) : exePath_(program.exePath) {
    Start(exePath_.substr(0, exePath_.find_last_of('\\')));
}

void RunningProgram::Start(const std::string& folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + exePath_ + "\"";
    if (!CreateProcessA(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi)) {
        throw std::runtime_error("cannot start " + exePath_);
    }
    process_ = pi.hProcess;
    processId_ = pi.dwProcessId;
    threadId_ = pi.dwThreadId;
    CloseHandle(pi.hThread);
    WaitForInputIdle(process_, 10000);
}

RunningProgram::~RunningProgram() {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        EndNow();
    }
    CloseHandle(process_);
}

std::string RunningProgram::SettingsPath() const {
    return exePath_.substr(0, exePath_.size() - 4) + ".ini";
}

HWND RunningProgram::WaitForWindow(const std::string& title, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        FindByTitle find{threadId_, title};
        EnumThreadWindows(threadId_, MatchTitle, reinterpret_cast<LPARAM>(&find));
        if (find.found) {
            return find.found;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool RunningProgram::HasDialog() {
    HWND found = nullptr;
    EnumThreadWindows(threadId_, MatchDialog, reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
}

RemoteDialog RunningProgram::WaitForDialog(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        HWND found = nullptr;
        EnumThreadWindows(threadId_, MatchDialog, reinterpret_cast<LPARAM>(&found));
        if (found) {
            RemoteDialog dialog;
            dialog.hwnd = found;
            dialog.caption = RemoteWindowText(found);
            if (HWND message = GetDlgItem(found, 0xFFFF)) {
                dialog.text = RemoteWindowText(message);
            }
            return dialog;
        }
        Sleep(30);
    } while (GetTickCount() - start < timeoutMs);
    return {};
}

int RunningProgram::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

void RunningProgram::EndNow() {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
}

int CloseAndWait(RunningProgram& program, HWND main, std::vector<RemoteDialog>& asked) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200; ++i) {
        int code = program.WaitForExit(100);
        if (code != -1) {
            return code;
        }
        if (program.HasDialog()) {
            RemoteDialog dialog = program.WaitForDialog(1000);
            asked.push_back(dialog);
            PressButton(dialog.hwnd, IDOK);
        }
    }
    return -1;
}

std::string RemoteWindowText(HWND hwnd) {
    char buffer[4096] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    return buffer;
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void RunCommand(HWND window, int commandId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

int RemoteListViewCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteListViewText(HANDLE process, HWND list, int row, int column) {
    constexpr size_t kText = 1024;
    RemoteBuffer buffer(process, sizeof(LVITEMA) + kText);
    LVITEMA item{};
    item.iSubItem = column;
    item.cchTextMax = kText;
    item.pszText = static_cast<char*>(buffer.Address()) + sizeof(LVITEMA);
    buffer.Write(&item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.Address()));
    char text[kText] = {};
    buffer.Read(text, kText - 1, sizeof(LVITEMA));
    return text;
}

void RemoteSelectListViewRow(HANDLE process, HWND list, int row) {
    RemoteBuffer buffer(process, sizeof(LVITEMA));
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&state, sizeof state);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(buffer.Address()));
}

int RemoteSelectedListViewRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string RemoteStatusText(HANDLE process, HWND statusBar, int panel) {
    LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, panel, 0);
    RemoteBuffer buffer(process, LOWORD(length) + 1 + 16);
    SendMessageA(statusBar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(buffer.Address()));
    std::string text(LOWORD(length), '\0');
    buffer.Read(text.data(), text.size());
    return text;
}
