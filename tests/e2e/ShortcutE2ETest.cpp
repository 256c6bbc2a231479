// The program started from a folder whose name holds spaces places its shortcut on the desktop: the
// shortcut names that folder as it is, and stays when the settings dialog is then cancelled.

#include "Driver.h"
#include "Shortcut.h"
#include "TestFolder.h"

#include "forms/CommandIds.h"
#include "forms/SetsUnit.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

// The next enabled dialog of the program other than `not`: one that opens over it, or it again once the
// one over it has gone.
RemoteDialog WaitForDialogOtherThan(RunningProgram& program, HWND not_) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        RemoteDialog dialog = program.WaitForDialog();
        if (dialog.hwnd && dialog.hwnd != not_) {
            return dialog;
        }
        Sleep(50);
    }
    return {};
}

} // namespace

TEST(Program, PutsItsShortcutOnTheDesktopFromAFolderWithSpacesAndKeepsItAfterCancel) {
    TestFolder folder("мои программы");
    ShortcutPlace desktop(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Вещехран.lnk");
    desktop.Clear();

    RunningProgram program(folder.Path());
    HWND main = program.WaitForWindow("Вещехран - new");
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    RunCommand(main, IDM_SETS);
    const RemoteDialog settings = program.WaitForDialog();
    ASSERT_EQ(settings.caption, "Настройки");
    PressButton(settings.hwnd, IDC_ADDFOLDER1BTN);
    const RemoteDialog made = WaitForDialogOtherThan(program, settings.hwnd);
    EXPECT_EQ(made.caption, "Information");
    EXPECT_EQ(made.text, "Ярлык создан.");
    PressButton(made.hwnd, IDOK);
    ASSERT_EQ(WaitForDialogOtherThan(program, made.hwnd).hwnd, settings.hwnd);
    PressButton(settings.hwnd, IDCANCEL);
    std::vector<RemoteDialog> asked;
    EXPECT_EQ(CloseAndWait(program, main, asked), 0);

    const Shortcut shortcut = ReadShortcut(desktop.Path());
    EXPECT_TRUE(shortcut.loaded);
    EXPECT_EQ(shortcut.target, program.ExePath());
    EXPECT_EQ(shortcut.workingFolder, folder.Path() + "\\");
    EXPECT_EQ(shortcut.description, "Вещехран");
}
