#pragma once
// The statistics window: where the catalogue's file lies and how large it is, and four counts of the
// catalogue in memory. It has no behaviour of its own: the main window fills in the values and shows
// it. Created on first use and kept for the run.

#include "export/Statistics.h"
#include "platform/Dialog.h"

#include <cstdint>
#include <string>
#include <vector>

// The value labels.
constexpr int IDC_STATLABEL4 = 104;  // file name
constexpr int IDC_STATLABEL5 = 105;  // folder
constexpr int IDC_STATLABEL6 = 106;  // size in bytes
constexpr int IDC_STATLABEL11 = 111; // all debtors
constexpr int IDC_STATLABEL12 = 112; // debtors who hold something
constexpr int IDC_STATLABEL13 = 113; // all things
constexpr int IDC_STATLABEL14 = 114; // lent things

class TStatForm : public Dialog {
  public:
    // Creates the window hidden, owned by `owner` (the main window).
    explicit TStatForm(HWND owner);

    // Shows the values, then the window, modally, until OK.
    void ShowStatistics(const std::string& catalogPath, std::int64_t size, const CatalogCounts& counts);

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    // A caption on the left and its value label on the right, in one row.
    struct Row {
        HWND caption;
        HWND value;
        int y;         // design units
        int valueLeft; // where the design starts the value
    };

    void FormCreate();
    void AddRow(const char* caption, int y, int valueLeft, int id, DWORD valueStyle);

    HWND FileBox = nullptr, CountsBox = nullptr;
    HWND FolderCaption = nullptr, Label5 = nullptr;
    HWND BitBtn1 = nullptr;
    std::vector<Row> rows_;
};
