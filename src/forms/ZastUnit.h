#pragma once
// The splash window: the title picture over the centre of the screen for the first seconds of a run, at
// the screen's display scale, the picture stretched smoothly to it.
// Borderless, on top of every ordinary window, deaf to clicks and keys. Its timer fires once, 3.5
// seconds after creation, and hides it; it is never shown again. A tick that falls due while the
// thread is busy (opening the last catalogue at start) waits for the next message pass, so the
// splash stays at least as long as the start-up keeps the thread.

#include "platform/Picture.h"
#include "platform/Window.h"

class TForm3 : public Window {
  public:
    // Creates the window, shows it without activating it and starts its timer.
    explicit TForm3(HWND owner);
    ~TForm3() override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Timer1Timer();
    void Image1Paint(HDC dc);

    Picture Image1;
};
