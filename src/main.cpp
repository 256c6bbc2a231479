// The program's main block: start-up order and the message loop.
//
// Up: COM for this thread; the application window; the splash, shown at once without waiting, its
// timer counting from here; the main window, whose creation reads the settings, lays itself out and
// may open the last catalogue while the splash is up; the editor dialog, hidden; the message loop.
// Down: the main window's destruction writes the settings and frees the catalogue, the splash goes
// with the other windows, COM is released, and the application window goes as the program ends.

#include "forms/EditUnit.h"
#include "forms/Main.h"
#include "forms/ZastUnit.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Window.h"
#include "resources/version.h"

#include <optional>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
    ComApartment com;
    // The caption of an error box shown before the main window names the program (the main window
    // sets the same title from its own caption).
    Application::SetTitle(VESH_PRODUCT_NAME);
    // Without its application window the program has nothing to show its windows under: the error is
    // reported, and the program ends.
    if (!RunGuarded([&] { Application::Initialize(instance); })) {
        return 1;
    }

    int exitCode = 0;
    {
        // A title picture that cannot be shown is reported and the program starts without its splash.
        std::optional<TForm3> Form3;
        RunGuarded([&] { Form3.emplace(Application::Handle()); });

        // A main window that cannot be made is reported, and the program ends.
        std::optional<TForm1> mainForm;
        if (!RunGuarded([&] { mainForm.emplace(); })) {
            return 1;
        }
        TForm1& form = *mainForm;
        Application::SetMainWindow(form.Handle());
        // The editor dialog of the debtor and item commands: created hidden once, reused by each. One
        // that cannot be made is reported, and the program ends.
        std::optional<TForm2> editor;
        if (!RunGuarded([&] { editor.emplace(form.Handle()); })) {
            return 1;
        }
        form.SetEditDialog(&*editor);
        form.Show(cmdShow);
        exitCode = Application::Run();
        Application::SetMainWindow(nullptr);
    }
    return exitCode;
}
