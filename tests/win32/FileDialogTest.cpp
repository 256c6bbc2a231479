// The open and save dialogs: what they are given (filter, folder) and what they give back.

#include "ModalAnswerer.h"
#include "TestFolder.h"

#include "platform/FileDialog.h"

#include <commdlg.h>
#include <gtest/gtest.h>

namespace {

// The file type list of a file dialog (its combo box cmb1) and the folder it shows.
std::vector<std::string> FilterEntries(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x470);
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

std::string ShownFolder(HWND dialog) {
    char path[MAX_PATH] = {};
    SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
    return path;
}

FileDialog CatalogDialog(FileDialog::Kind kind, const std::string& folder) {
    FileDialog dialog(kind);
    dialog.Filter = "Файлы с базой (*.dat)|*.dat|Все|*.*";
    dialog.DefaultExt = "dat";
    dialog.InitialDir = folder;
    dialog.Options =
        FileDialog::HideReadOnly | FileDialog::EnableSizing | FileDialog::PathMustExist |
        (kind == FileDialog::Kind::Open ? FileDialog::FileMustExist : FileDialog::OverwritePrompt);
    return dialog;
}

} // namespace

TEST(FileDialogs, SaveShowsTheFilterAndFolderAndAddsTheDefaultExtension) {
    TestFolder folder;
    ModalAnswerer answer;
    std::vector<std::string> entries;
    std::string shown;
    answer.Then([&](HWND dialog) {
        entries = FilterEntries(dialog);
        shown = ShownFolder(dialog);
        SetDlgItemTextA(dialog, 0x47C, "дом");
        ClickDialogButton(dialog, IDOK);
    });
    const auto path = CatalogDialog(FileDialog::Kind::Save, folder.Path()).Execute(nullptr);
    EXPECT_EQ(path, folder.File("дом.dat"));
    EXPECT_EQ(entries, (std::vector<std::string>{"Файлы с базой (*.dat)", "Все"}));
    EXPECT_EQ(shown, folder.Path());
}

TEST(FileDialogs, CancelGivesNothing) {
    TestFolder folder;
    ModalAnswerer answer;
    answer.Press(IDCANCEL).Press(IDCANCEL);
    EXPECT_EQ(CatalogDialog(FileDialog::Kind::Open, folder.Path()).Execute(nullptr), std::nullopt);
    EXPECT_EQ(CatalogDialog(FileDialog::Kind::Save, folder.Path()).Execute(nullptr), std::nullopt);
    EXPECT_EQ(answer.Seen().size(), 2u);
}

TEST(FileDialogs, OpenInsistsOnAnExistingFileAndSaveAsksBeforeReplacingOne) {
    TestFolder folder;
    const std::string existing = folder.File("home.dat");
    WriteWholeFile(existing, "***\r\n");
    {
        // The system's complaint about a missing file, then the dialog again.
        ModalAnswerer answer;
        answer.TypePath(folder.File("missing.dat")).Press(IDOK).TypePath(existing);
        EXPECT_EQ(CatalogDialog(FileDialog::Kind::Open, folder.Path()).Execute(nullptr), existing);
        EXPECT_EQ(answer.Seen().size(), 3u);
    }
    {
        // The overwrite question, declined, then cancelled.
        ModalAnswerer answer;
        answer.TypePath(existing).Press(IDNO).Press(IDCANCEL);
        EXPECT_EQ(CatalogDialog(FileDialog::Kind::Save, folder.Path()).Execute(nullptr), std::nullopt);
        EXPECT_EQ(answer.Seen().size(), 3u);
    }
    {
        ModalAnswerer answer;
        answer.TypePath(existing).Press(IDYES);
        EXPECT_EQ(CatalogDialog(FileDialog::Kind::Save, folder.Path()).Execute(nullptr), existing);
    }
}
