// The export's lines and the statistics' figures, over small catalogues built in memory.
#include "catalog/Catalog.h"
#include "export/Export.h"
#include "export/Statistics.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Lines = std::vector<std::string>;

TDateTime Day(int year, int month, int day) {
    TDateTime value = 0;
    EXPECT_TRUE(TryEncodeDate(year, month, day, value));
    return value;
}

class ExportLines : public testing::Test {
  protected:
    TUserRec& Debtor(const std::string& name, int id) {
        TUserRec& debtor = catalog.users.AppendNew();
        debtor.Id = id;
        debtor.Name = name;
        catalog.users.Sort(CompareUserNames);
        return debtor;
    }
    void Item(const std::string& description, const std::string& type, TUserRec* holder, TDateTime lent) {
        TItemRec& item = catalog.items.AppendNew();
        item.Id = catalog.items.Count();
        item.Description = description;
        item.ItemType = type;
        item.LentDate = lent;
        if (holder) {
            item.HolderId = holder->Id;
            ++holder->ItemCount;
        }
        catalog.items.Sort(CompareItemDescriptions);
    }
    Lines Build(const std::vector<const TUserRec*>& debtors, ExportFormat format) {
        return BuildExportLines(catalog.users, catalog.items, debtors, format, clock);
    }

    Catalog catalog;
    // 15.03.2024 10:30:00
    ExportClock clock{Day(2024, 3, 15) + 0.4375, ShortDateFormat::Russian(), TimeFormat("HH:mm:ss")};
};

} // namespace

TEST_F(ExportLines, TextLayoutsListTheChosenDebtorsThemselvesWithTheirThingsInListOrder) {
    TUserRec& elder = Debtor("Иванов (старший)", 1);
    TUserRec& petrov = Debtor("Петров", 2);
    TUserRec& loud = Debtor("ПЕТРОВ", 3);
    TUserRec& other = Debtor("Сидоров", 4);
    TUserRec& yakov = Debtor("Яков", 5);
    Item("Зонт", "Прочее", &elder, Day(2024, 2, 1));
    Item("Гитара", "Музыка", &elder, Day(2023, 3, 15));
    Item("Дрель", "Инструмент", &petrov, Day(2024, 1, 9));
    Item("Атлас", "Книга", &loud, Day(2022, 12, 31));
    Item("Ведро", "Прочее", &other, Day(2024, 3, 1));
    Item("Бинокль", "Прочее", nullptr, Day(2024, 3, 1));

    EXPECT_EQ(DebtorEntry(elder), "Иванов (старший) (2)");
    // Петров is chosen, ПЕТРОВ is not: he stays out, though the names differ in letter case only.
    const std::vector<const TUserRec*> names{&yakov, &petrov, &elder};

    const Lines body{"Иванов (старший) (2)",
                     " 15.03.2023\tГитара\tМузыка",
                     " 01.02.2024\tЗонт\tПрочее",
                     "",
                     "Петров (1)",
                     " 09.01.2024\tДрель\tИнструмент",
                     "",
                     "Яков (0)",
                     ""};
    EXPECT_EQ(Build(names, ExportFormat::Clipboard), body);
    Lines file{"Вещехран.", "15.03.2024 10:30:00", ""};
    file.insert(file.end(), body.begin(), body.end());
    EXPECT_EQ(Build(names, ExportFormat::TextFile), file);
    EXPECT_EQ(JoinLines({"a", "", "b\tc"}), "a\r\n\r\nb\tc\r\n");
    EXPECT_THROW(Build(names, ExportFormat::WordFile), std::invalid_argument);
}

TEST_F(ExportLines, ThePageWritesTheCatalogueTextsAsHtmlTextAndTheDateAloneAtMidnight) {
    TUserRec& tom = Debtor("Tom & \"Jerry\" <tj>", 7);
    Item("<b>Вилка</b> & нож", "a>b", &tom, Day(2024, 3, 1));
    clock.now = Day(2024, 3, 15);

    const Lines page = Build({&tom}, ExportFormat::HtmlFile);
    EXPECT_EQ(page, (Lines{
                        "<HTML>\r<HEAD>",
                        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">",
                        "<title>Вещехран</title>\r</HEAD>",
                        "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000EE\" VLINK=\"#551A8B\" "
                        "ALINK=\"#FF0000\" NOSAVE>",
                        "<p align=\"right\">15.03.2024</p>",
                        "<h2 align=\"center\">Вещехран</h2>",
                        "<table align=\"center\" border=\"0\" cellspacing=\"10\" cellpadding=\"0\">",
                        "<tr><td colspan=3><h4>Tom &amp; &quot;Jerry&quot; &lt;tj&gt; (1)</h4></td></tr>",
                        "<tr><td align=\"center\">01.03.2024</td><td>&lt;b&gt;Вилка&lt;/b&gt; &amp; нож</td>"
                        "<td align=\"center\">a&gt;b</td></tr>",
                        "<tr><td colspan=3>&nbsp</td></tr>",
                        "</table>\r</BODY>\r</HTML>",
                    }));
    // The other outputs keep the texts as they are.
    EXPECT_EQ(Build({&tom}, ExportFormat::Clipboard)[1], " 01.03.2024\t<b>Вилка</b> & нож\ta>b");
}

TEST_F(ExportLines, AnEmptyCatalogueOrNoChosenDebtorGivesTheFrameAlone) {
    TUserRec stranger; // of no list
    EXPECT_TRUE(Build({&stranger}, ExportFormat::Clipboard).empty());
    EXPECT_EQ(Build({}, ExportFormat::TextFile), (Lines{"Вещехран.", "15.03.2024 10:30:00", ""}));
    Debtor("Петров", 1);
    const Lines page = Build({&stranger, nullptr}, ExportFormat::HtmlFile);
    ASSERT_EQ(page.size(), 8u);
    EXPECT_EQ(page.back(), "</table>\r</BODY>\r</HTML>");
}

TEST(TimeText, WritesTheLocalesTimePatternsAndLeavesTheTimeOutAtMidnight) {
    const TDateTime morning = Day(2024, 3, 15) + (9 * 3600 + 5 * 60 + 7) / 86400.0;
    EXPECT_EQ(TimeFormat("h:mm:ss tt").Format(morning + 0.5), "9:05:07 PM");
    EXPECT_EQ(TimeFormat("HH'h'mm t", "до", "после").Format(morning), "09h05 д");

    const ShortDateFormat dates = ShortDateFormat::Russian();
    EXPECT_EQ(DateTimeText(morning, dates, TimeFormat::Russian()), "15.03.2024 9:05:07");
    EXPECT_EQ(DateTimeText(Day(2024, 3, 15) + 0.4 / 86400, dates, TimeFormat::Russian()), "15.03.2024")
        << "less than a second past midnight is midnight";
    EXPECT_EQ(DateTimeText(1e9, dates, TimeFormat::Russian()), "");
}

TEST(Statistics, CountsDebtorsHoldersThingsAndLentThingsAndSplitsTheFilesPath) {
    Catalog catalog;
    for (int id = 1; id <= 3; ++id) {
        catalog.users.AppendNew().Id = id;
    }
    catalog.users[1].ItemCount = 2;
    for (int holder : {0, 2, 2, 0}) {
        catalog.items.AppendNew().HolderId = holder;
    }
    const CatalogCounts counts = CountCatalog(catalog.users, catalog.items);
    EXPECT_EQ(counts.debtors, 3);
    EXPECT_EQ(counts.holders, 1);
    EXPECT_EQ(counts.items, 4);
    EXPECT_EQ(counts.lent, 2);

    const PathParts parts = SplitPath("C:\\Данные\\вещи.dat");
    EXPECT_EQ(parts.folder, "C:\\Данные\\");
    EXPECT_EQ(parts.name, "вещи.dat");
    EXPECT_EQ(SplitPath("D:вещи.dat").folder, "D:");
    EXPECT_EQ(SplitPath("вещи.dat").name, "вещи.dat");
}
