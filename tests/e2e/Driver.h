#pragma once
// Drives the real program in its own process, as a person would: starts it, finds its windows, runs
// menu commands, answers its message boxes, and reads what its windows show.

#include <windows.h>

#include <string>
#include <vector>

// The built program (next to the tests' build folder), or the one named by VESH_PROGRAM.
std::string BuiltProgramPath();

struct RemoteDialog {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
};

class RunningProgram {
  public:
    // Copies the program into `folder` (so its settings file is the test's own) and starts it there.
    explicit RunningProgram(const std::string& folder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    const std::string& ExePath() const { return exePath_; }
    std::string SettingsPath() const;

    // The top-level window of the program with this title, once it is visible.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 20000);
    // A visible dialog (#32770) of the program's thread, such as a message box.
    RemoteDialog WaitForDialog(DWORD timeoutMs = 10000);
    bool HasDialog();
    // Waits for the process to end; returns its exit code, or -1 on time-out.
    int WaitForExit(DWORD timeoutMs = 20000);

    DWORD ThreadId() const { return threadId_; }
    HANDLE Process() const { return process_; }

  private:
    std::string exePath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

std::string RemoteWindowText(HWND hwnd);
void PressButton(HWND dialog, int buttonId);
void RunCommand(HWND window, int commandId);

// Reads a cell of a ListView or a status bar panel of another process.
std::string RemoteListViewText(HANDLE process, HWND list, int row, int column);
int RemoteListViewCount(HWND list);
std::string RemoteStatusText(HANDLE process, HWND statusBar, int panel);
// Selects a row (from 0) of another process's ListView as accessibility clients do: its item state
// LVIS_SELECTED | LVIS_FOCUSED. The row the ListView reports selected, or -1.
void RemoteSelectListViewRow(HANDLE process, HWND list, int row);
int RemoteSelectedListViewRow(HWND list);

// Saves the window's on-screen pixels as a 24-bit BMP file.
bool SaveWindowBitmap(HWND hwnd, const std::string& path);
