// The item search of the main window: the find dialog and Find next. (The quick search that jumps to a
// table row by the letter typed is the tables'.)

#include "forms/Main.h"

#include "catalog/Search.h"
#include "platform/MsgBox.h"
#include "text/Letters.h"

// The find dialog stays usable while a modal dialog of the program (the editor, a message box) holds the
// window; its Find next does nothing until that dialog is done, so that the tables do not move under it.
void TForm1::OnFindDialogMessage(LPARAM lParam) {
    if (FindDialog1.Notice(lParam) == FindDialog::Event::FindNext && IsWindowEnabled(Handle())) {
        FindDialog1Find();
    }
}

// Searches the items from the one after the last hit; the first search with a new text starts from the
// first item. A run that finds nothing says so and the next one starts from the first item again.
void TForm1::FindDialog1Find() {
    const std::string text = FindDialog1.Text();
    FindDialog1.Close();
    if (text != lastSearchText_) {
        lastSearchText_ = text;
        SearchPosition = 0;
    }
    const int hit = FindItemFrom(GetCatalog().items, UpperCase(text), SearchPosition, tables_.FilterType());
    if (hit < 0) {
        SearchPosition = 0;
        std::string message = "Не удается найти \"" + text + "\"!";
        if (tables_.FilterChecked()) {
            message += "\nПопробуйте отключить фильтр.";
        }
        WarningBox(Handle(), message);
        return;
    }
    SearchPosition = hit + 1;
    tables_.ShowItem(GetCatalog().items[hit]);
}

namespace {

struct ModalSearch {
    HWND except;
    bool found = false;
};

BOOL CALLBACK FindModalDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ModalSearch*>(lParam);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (hwnd != search->except && IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool TForm1::ModalDialogOpen() const {
    // A modal dialog disables the window it belongs to; a message box or file dialog of the thread
    // counts too, whoever owns it. The modeless find dialog does not.
    if (!IsWindowEnabled(Handle())) {
        return true;
    }
    ModalSearch search{FindDialog1.Handle()};
    EnumThreadWindows(GetCurrentThreadId(), FindModalDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
