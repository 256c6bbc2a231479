#include "export/Export.h"

#include "catalog/TableRows.h"
#include "text/IntText.h"

#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace {

// "Вещехран" in code page 1251 (the portable code keeps its literals ASCII).
constexpr std::string_view kProduct = "\xC2\xE5\xF9\xE5\xF5\xF0\xE0\xED";

// A catalogue text inside the page: the characters that HTML reads as markup are written as entities.
std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string CountText(const TUserRec& debtor) {
    return " (" + IntToStr(debtor.ItemCount) + ")";
}

} // namespace

std::string DebtorEntry(const TUserRec& debtor) {
    return debtor.Name + CountText(debtor);
}

std::vector<std::string> BuildExportLines(const UserList& users, const ItemList& items,
                                          const std::vector<const TUserRec*>& selected, ExportFormat format,
                                          const ExportClock& clock) {
    if (format == ExportFormat::WordFile) {
        throw std::invalid_argument("Word files are not written");
    }
    const bool html = format == ExportFormat::HtmlFile;
    const std::string now = DateTimeText(clock.now, clock.dates, clock.times);

    const std::unordered_set<const TUserRec*> chosen(selected.begin(), selected.end());
    // The things each debtor holds, in list order, gathered in one pass.
    std::unordered_map<std::int32_t, std::vector<const TItemRec*>> held;
    for (const auto& item : items) {
        if (item->HolderId != 0) {
            held[item->HolderId].push_back(item.get());
        }
    }

    std::vector<std::string> lines;
    if (format == ExportFormat::TextFile) {
        lines.push_back(std::string(kProduct) + ".");
        lines.push_back(now);
        lines.emplace_back();
    } else if (html) {
        lines.push_back("<HTML>\r<HEAD>");
        lines.push_back("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">");
        lines.push_back("<title>" + std::string(kProduct) + "</title>\r</HEAD>");
        lines.push_back("<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000EE\" VLINK=\"#551A8B\" "
                        "ALINK=\"#FF0000\" NOSAVE>");
        lines.push_back("<p align=\"right\">" + now + "</p>");
        lines.push_back("<h2 align=\"center\">" + std::string(kProduct) + "</h2>");
        lines.push_back("<table align=\"center\" border=\"0\" cellspacing=\"10\" cellpadding=\"0\">");
    }

    for (const auto& debtor : users) {
        if (!chosen.contains(debtor.get())) {
            continue;
        }
        const auto found = debtor->Id != 0 ? held.find(debtor->Id) : held.end();
        if (html) {
            lines.push_back("<tr><td colspan=3><h4>" + HtmlText(debtor->Name) + CountText(*debtor) +
                            "</h4></td></tr>");
        } else {
            lines.push_back(DebtorEntry(*debtor));
        }
        if (found != held.end()) {
            for (const TItemRec* item : found->second) {
                const std::string date = LentDateText(clock.dates, item->LentDate);
                if (html) {
                    lines.push_back("<tr><td align=\"center\">" + date + "</td><td>" +
                                    HtmlText(item->Description) + "</td><td align=\"center\">" +
                                    HtmlText(item->ItemType) + "</td></tr>");
                } else {
                    lines.push_back(" " + date + "\t" + item->Description + "\t" + item->ItemType);
                }
            }
        }
        lines.push_back(html ? "<tr><td colspan=3>&nbsp</td></tr>" : "");
    }

    if (html) {
        lines.push_back("</table>\r</BODY>\r</HTML>");
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
