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
// The name back from a row: the text before its last " (". A name that itself holds " (" comes back
// whole.
std::string NameOfEntry(std::string_view entry);

// The lines of the export of the debtors whose names equal one of `selectedNames`, letter case ignored,
// in list order, each with the things he holds in list order. The text file and the page begin with a
// header that shows `clock.now`. In the page the catalogue's texts are written as HTML text, so that a
// "<" or "&" in a description shows as itself. Raises std::invalid_argument for WordFile.
std::vector<std::string> BuildExportLines(const UserList& users, const ItemList& items,
                                          const std::vector<std::string>& selectedNames, ExportFormat format,
                                          const ExportClock& clock);

// The lines as one text, each ended by CR LF, the last one too: the clipboard text and the files' bytes.
std::string JoinLines(const std::vector<std::string>& lines);
