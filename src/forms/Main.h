#pragma once
// The main window: the whole working surface of the program.

#include "platform/Handles.h"
#include "platform/Window.h"

#include <string>

class TForm1 : public Window {
  public:
    // Creates the main window hidden; Show() makes it visible.
    TForm1();
    ~TForm1() override;

    void Show(int cmdShow);
    // Asks the window to close, as the user's close box does (the close query runs).
    void Close();

    std::string Caption() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void FormDestroy();
    bool FormCloseQuery();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnSysCommand(WPARAM command, LPARAM lParam, LRESULT& result);

    std::string BaseCaption;
    unique_hfont font_;
};
