#pragma once
// Answers the real modal dialogs that the code under test opens on this thread: message boxes, file
// dialogs and the program's own dialog windows. A thread timer runs inside the dialog's modal loop,
// finds the visible, enabled dialog window of the thread, records its caption and text, and carries
// out the next queued answer. An answerer made inside a modal loop leaves the dialogs already up alone.
// A dialog that appears with no answer queued is recorded and cancelled, and the test fails.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct SeenDialog {
    std::string caption;
    std::string text; // a message box's message; empty for other dialogs
};

class ModalAnswerer {
  public:
    ModalAnswerer();
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Queue answers, in the order the dialogs will appear.
    ModalAnswerer& Press(int buttonId);
    // A file dialog: type a path into its file name field and press OK.
    ModalAnswerer& TypePath(const std::string& path);
    // Anything else: the callback gets the dialog window and does what a person would.
    ModalAnswerer& Then(std::function<void(HWND)> action);

    const std::vector<SeenDialog>& Seen() const { return seen_; }
    // Answers still queued (none, when every expected dialog appeared).
    size_t Pending() const { return answers_.size(); }
    int Unexpected() const { return unexpected_; }

    // Pumps messages until all queued answers are used or the time runs out.
    bool WaitUntilAnswered(DWORD timeoutMs = 5000);

    static std::string TextOf(HWND dialog);

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::deque<std::function<void(HWND)>> answers_;
    std::vector<SeenDialog> seen_;
    HWND lastAnswered_ = nullptr;
    std::vector<HWND> foreign_;
    UINT_PTR timer_ = 0;
    int unexpected_ = 0;
    ModalAnswerer* outer_ = nullptr;
};

// Presses a dialog's button the way a click does.
void ClickDialogButton(HWND dialog, int buttonId);
std::string WindowText(HWND hwnd);
