// The program's main block: start-up order and the message loop.

#include "forms/EditUnit.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
    ComApartment com;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Application::Initialize(instance);

    int exitCode = 0;
    {
        TForm1 form;
        Application::SetMainWindow(form.Handle());
        // The editor dialog of the debtor and item commands: created hidden once, reused by each.
        TForm2 editor(form.Handle());
        form.SetEditDialog(&editor);
        form.Show(cmdShow);
        exitCode = Application::Run();
        Application::SetMainWindow(nullptr);
    }
    return exitCode;
}
