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
    // Starts the program where it is, in its own folder: an installed or unpacked copy.
    struct InPlace {
        std::string exePath;
    };
    explicit RunningProgram(const InPlace& program);
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
    // Ends the process at once, wherever it is, as a power cut or the task manager would; returns once it
    // is gone.
    void EndNow();

    DWORD ProcessId() const { return processId_; }
    DWORD ThreadId() const { return threadId_; }
    HANDLE Process() const { return process_; }

  private:
    void Start(const std::string& folder);

    std::string exePath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// Closes the main window as a person would, answers with OK the questions asked on the way out and
// collects them, until the program has ended; returns its exit code, or -1 when it does not end.
int CloseAndWait(RunningProgram& program, HWND main, std::vector<RemoteDialog>& asked);

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
