#pragma once
// What every owner-data list view of the program answers alike: the text of a cell, asked for in ANSI or
// in UTF-16 and cut to the asker's buffer, and the row that typed letters lead to.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

namespace ui {

// Copies a cell's text into the item the list (or another program) asks about, cut to its buffer so that a
// long text shows its beginning; nothing where the item asks for no text or gives no buffer.
void GiveItemText(LVITEMA& item, const std::string& text);
void GiveItemText(LVITEMW& item, const std::string& text);

// Answers LVN_ODFINDITEMA/W: of `count` rows with the texts `textOf` gives, the one whose text is the one
// searched for (or, with LVFI_PARTIAL, begins with it) in any letter case, from the search's start on and,
// with LVFI_WRAP, then from the top. -1 for none.
LRESULT FindItemRow(const NMHDR* header, int count, const std::function<std::string_view(int row)>& textOf);

} // namespace ui
