#pragma once
// The export of what chosen debtors hold, as lines of text: for the clipboard, a text file or an HTML
// page. Each debtor gives a line with his name and the number of things he holds, then a line per thing
// (the date it was lent, its description, its type), then an empty line. Reads the catalogue only.

#include "catalog/Lists.h"
#include "text/ShortDate.h"
#include "text/TimeText.h"

#include <string>
#include <string_view>
#include <vector>

// Where the export goes; numbered as the export dialog offers them. Nothing writes Word files: the
// dialog shows that choice disabled.
enum class ExportFormat { Clipboard = 0, TextFile = 1, HtmlFile = 2, WordFile = 3 };

// The moment of the export, and the user's formats for it and for the lent dates.
struct ExportClock {
    TDateTime now = 0;
    ShortDateFormat dates = ShortDateFormat::Russian();
    TimeFormat times = TimeFormat::Russian();
};

// A debtor's row in the export dialog: "<name> (<number of things he holds>)".
std::string DebtorEntry(const TUserRec& debtor);

// The lines of the export of the chosen debtors (records of `users`), in list order, each with the things
// he holds in list order. A debtor stands for himself only: another whose name differs from his in
// letter case alone, or not at all, is not chosen with him. The text file and the page begin with a
// header that shows `clock.now`. In the page the catalogue's texts are written as HTML text, so that a
// "<" or "&" in a description shows as itself. Raises std::invalid_argument for WordFile.
std::vector<std::string> BuildExportLines(const UserList& users, const ItemList& items,
                                          const std::vector<const TUserRec*>& selected, ExportFormat format,
                                          const ExportClock& clock);

// The lines as one text, each ended by CR LF, the last one too: the clipboard text and the files' bytes.
std::string JoinLines(const std::vector<std::string>& lines);
