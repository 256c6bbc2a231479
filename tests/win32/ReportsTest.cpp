// The reports through the real main window: the export dialog with its deliveries to the clipboard and
// to files, the statistics window, and the mail link the shell is asked to open. Modal windows are
// answered from inside their loops; the controls are pressed with the messages a click sends.

#include "MainWindowFixture.h"
#include "ShellRecorder.h"

#include "forms/ExportUnit.h"
#include "forms/StatUnit.h"
#include "platform/Application.h"
#include "platform/Locale.h"

#include <commctrl.h>

#include <functional>

namespace {

// Presses a button as a click does, once the answerer's timer has returned.
void Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Texts Rows(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_CHECKLISTBOX1);
    Texts rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        char text[256] = {};
        ListView_GetItemText(list, row, 0, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

// The texts of the dialog's buttons 1 and 2, Enter's and Escape's.
Texts Buttons(HWND dialog) {
    return {WindowText(GetDlgItem(dialog, IDOK)), WindowText(GetDlgItem(dialog, IDCANCEL))};
}

// A press on a row's check box (rows from 0), where the list view says the box is.
void ClickBox(HWND list, int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    LVHITTESTINFO hit{};
    for (hit.pt = {r.left, (r.top + r.bottom) / 2}; hit.pt.x < r.right; ++hit.pt.x) {
        SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
            break;
        }
    }
    Post(list, WM_LBUTTONDOWN, MK_LBUTTON, hit.pt);
    Post(list, WM_LBUTTONUP, 0, hit.pt);
    Pump();
}

std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

class ReportsTest : public MainWindowFixture {
  protected:
    // The export dialog: `choose` ticks and picks as a person would, then Create is pressed.
    std::function<void(HWND)> Export(std::function<void(HWND)> choose) {
        return [choose](HWND dialog) {
            choose(dialog);
            Click(dialog, IDC_CREATEBBTN);
        };
    }
};

const std::string kExported = "Information: Экспорт успешно выполнен.";

} // namespace

TEST_F(ReportsTest,
       ExportToTheClipboardOffersTheHoldersAndExportsTheTickedDebtorsThemselvesAndKeepsItsButtons) {
    TUserRec& elder = AddDebtor("Иванов (старший)", 1);
    TUserRec& petrov = AddDebtor("Петров", 2);
    TUserRec& loud = AddDebtor("ПЕТРОВ", 3);
    AddDebtor("Сидоров", 4);
    TItemRec& umbrella = AddItem("Зонт", "Прочее");
    TItemRec& guitar = AddItem("Гитара", "Музыка");
    TItemRec& drill = AddItem("Дрель", "Инструмент");
    TItemRec& atlas = AddItem("Атлас");
    FillAll();
    {
        ModalAnswerer answerer;
        answerer.Press(IDOK);
        EXPECT_EQ(Run(IDM_EXPORT, answerer), Texts{"Error: Нет активных должников для экспорта!"});
    }

    for (TItemRec* item : {&umbrella, &guitar}) {
        Lend(*item, elder);
    }
    Lend(drill, petrov);
    Lend(atlas, loud);
    ModalAnswerer answerer;
    answerer.Then(Export([](HWND dialog) {
        EXPECT_EQ(Rows(dialog), (Texts{"Иванов (старший) (2)", "ПЕТРОВ (1)", "Петров (1)"}));
        EXPECT_EQ(Buttons(dialog), (Texts{"Создать", "Отмена"}));
        EXPECT_FALSE(Enabled(dialog, IDC_CREATEBBTN));
        EXPECT_TRUE(Checked(dialog, IDC_FORMAT0));
        EXPECT_FALSE(Enabled(dialog, IDC_FORMAT0 + 3));
        // "Все должники" on and off again; the list's ticks alone decide then.
        SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_CLICK, 0, 0);
        EXPECT_FALSE(Enabled(dialog, IDC_CHECKLISTBOX1));
        EXPECT_TRUE(Enabled(dialog, IDC_CREATEBBTN));
        SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_CLICK, 0, 0);
        EXPECT_TRUE(Enabled(dialog, IDC_CHECKLISTBOX1));
        EXPECT_FALSE(Enabled(dialog, IDC_CREATEBBTN));
        // The letter п goes to "ПЕТРОВ (1)", Down to "Петров (1)", and Space ticks it; a press on the
        // first row's box ticks that row, and a second press unticks it.
        HWND list = GetDlgItem(dialog, IDC_CHECKLISTBOX1);
        SendMessageA(list, WM_CHAR, static_cast<unsigned char>('п'), 1);
        PressKey(list, VK_DOWN);
        PressKey(list, VK_SPACE);
        EXPECT_TRUE(ListView_GetCheckState(list, 2));
        EXPECT_TRUE(Enabled(dialog, IDC_CREATEBBTN));
        ClickBox(list, 0);
        EXPECT_TRUE(ListView_GetCheckState(list, 0));
        ClickBox(list, 0);
        EXPECT_FALSE(ListView_GetCheckState(list, 0));
        EXPECT_TRUE(Enabled(dialog, IDC_CREATEBBTN));
        // The export asked for again meanwhile, by a command posted to the main window, is refused at
        // once, and the tick stays.
        ModalAnswerer refusal;
        refusal.Press(IDOK);
        PostMessageA(GetWindow(dialog, GW_OWNER), WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
        EXPECT_TRUE(refusal.WaitUntilAnswered());
        ASSERT_EQ(refusal.Seen().size(), 1u);
        EXPECT_EQ(refusal.Seen()[0].text, "The dialog \"Экспорт\" is already open.");
        EXPECT_TRUE(ListView_GetCheckState(list, 2));
        EXPECT_TRUE(Enabled(dialog, IDC_CREATEBBTN));
    }));
    answerer.Press(IDOK);
    EXPECT_EQ(Run(IDM_EXPORT, answerer), (Texts{"Экспорт: ", kExported}));
    // Only the ticked debtor: not ПЕТРОВ, whose name differs in letter case alone.
    EXPECT_EQ(ClipboardText(), "Петров (1)\r\n 15.03.2023\tДрель\tИнструмент\r\n\r\n");

    // Shown again after its success box: its own buttons still, "Создать" the default (Enter) and
    // "Отмена" the one Escape presses.
    ModalAnswerer again;
    again.Then([](HWND dialog) {
        EXPECT_EQ(Buttons(dialog), (Texts{"Создать", "Отмена"}));
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_CREATEBBTN);
        ClickDialogButton(dialog, IDC_CANCELBBTN);
    });
    EXPECT_EQ(Run(IDM_EXPORT, again), Texts{"Экспорт: "});
}

TEST_F(ReportsTest, ExportToFilesWritesTheTextFileAndThePageProposesTheLastNameAndReportsAFileItCannotWrite) {
    TUserRec& tom = AddDebtor("Tom & <Jerry>", 1);
    Lend(AddItem("<b>Вилка</b>", "a&b"), tom);
    FillAll();
    const std::string text = folder.File("список.txt");
    {
        ModalAnswerer answerer;
        answerer.Then(Export([](HWND dialog) {
            Click(dialog, IDC_FORMAT0 + 1);
            Click(dialog, IDC_ALLUSERSCHB);
        }));
        answerer.TypePath(folder.File("список")).Press(IDOK);
        EXPECT_EQ(Run(IDM_EXPORT, answerer).back(), kExported);
        EXPECT_EQ(ReadWholeFile(text), "Вещехран.\r\n15.03.2024 10:30:00\r\n\r\n"
                                       "Tom & <Jerry> (1)\r\n 15.03.2023\t<b>Вилка</b>\ta&b\r\n\r\n");
    }

    // Shown again: nothing ticked, the text file still chosen; its name is proposed; cancelled.
    std::string proposed;
    {
        ModalAnswerer answerer;
        answerer.Then(Export([](HWND dialog) {
            EXPECT_FALSE(Checked(dialog, IDC_ALLUSERSCHB));
            EXPECT_FALSE(Enabled(dialog, IDC_CREATEBBTN));
            EXPECT_TRUE(Checked(dialog, IDC_FORMAT0 + 1));
            Click(dialog, IDC_FORMAT0 + 2);
            PressKey(GetDlgItem(dialog, IDC_CHECKLISTBOX1), VK_SPACE);
        }));
        answerer.Then([&proposed](HWND dialog) {
            proposed = WindowText(GetDlgItem(dialog, 0x47C));
            ClickDialogButton(dialog, IDCANCEL);
        });
        EXPECT_EQ(Run(IDM_EXPORT, answerer).size(), 2u) << "no message after a cancelled file choice";
    }
    EXPECT_NE(proposed.find("список.txt"), std::string::npos) << proposed;

    const std::string page = folder.File("стр.htm");
    WriteWholeFile(page, "old");
    SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        ModalAnswerer answerer;
        answerer.Then(Export([](HWND dialog) { Click(dialog, IDC_ALLUSERSCHB); }));
        answerer.TypePath(page).Press(IDYES).Press(IDOK);
        EXPECT_EQ(Run(IDM_EXPORT, answerer).back(),
                  Application::Title() + ": Cannot create file \"" + page + "\". File access denied.");
    }
    EXPECT_EQ(ReadWholeFile(page), "old");

    SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        ModalAnswerer answerer;
        answerer.Then(Export([](HWND dialog) { Click(dialog, IDC_ALLUSERSCHB); }));
        answerer.TypePath(page).Press(IDYES).Press(IDOK);
        EXPECT_EQ(Run(IDM_EXPORT, answerer).back(), kExported);
    }
    // The page's layout is the builder's: the file holds its lines, made with the user's formats.
    const ExportClock clock{kNow, UserShortDateFormat(), UserLongTimeFormat()};
    const std::string lines =
        JoinLines(BuildExportLines(Data().users, Data().items, {&tom}, ExportFormat::HtmlFile, clock));
    EXPECT_EQ(ReadWholeFile(page), lines);
    EXPECT_NE(lines.find("<h4>Tom &amp; &lt;Jerry&gt; (1)</h4>"), std::string::npos);
}

TEST_F(ReportsTest, StatisticsShowTheFileAsLastSavedAndTheCatalogueAsItIsAlsoForAReadOnlyFileInUse) {
    Settings.QOut = false;
    AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    AddItem("Гитара");
    AddItem("Дрель");
    AddItem("Зонт");
    FillAll();
    {
        ModalAnswerer answerer;
        answerer.Press(IDOK);
        EXPECT_EQ(Run(IDM_STAT, answerer), Texts{"Warning: Необходимо создать базу!"});
    }
    auto lendFirstFreeItem = [this] {
        ClickRow(FreeItems(), 1);
        PostMessageA(OutButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(OutButton(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
    };
    lendFirstFreeItem();
    const std::string path = folder.File("вещи.dat");
    {
        ModalAnswerer answerer;
        answerer.TypePath(path);
        Run(IDM_SAVE, answerer);
    }
    const std::string saved = ReadWholeFile(path);
    lendFirstFreeItem();
    ASSERT_EQ(Data().users[0].ItemCount, 2);

    auto statistics = [this](Texts& values) {
        ModalAnswerer answerer;
        answerer.Then([&values](HWND window) {
            for (int id : {IDC_STATLABEL4, IDC_STATLABEL5, IDC_STATLABEL6, IDC_STATLABEL11, IDC_STATLABEL12,
                           IDC_STATLABEL13, IDC_STATLABEL14}) {
                values.push_back(WindowText(GetDlgItem(window, id)));
            }
            Click(window, IDOK);
        });
        return Run(IDM_STAT, answerer);
    };
    const Texts expected{"вещи.dat", folder.Path() + "\\", std::to_string(saved.size()), "2", "1", "3", "2"};
    Texts values;
    EXPECT_EQ(statistics(values), Texts{"Статистика: "});
    EXPECT_EQ(values, expected);

    // Read-only, and open in another program that lets others only read it.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        unique_hfile reader(
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        values.clear();
        statistics(values);
        EXPECT_EQ(values, expected);
    }

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    ModalAnswerer answerer;
    answerer.Press(IDOK);
    EXPECT_EQ(Run(IDM_STAT, answerer), Texts{Application::Title() + ": File not found."});
    char progress[64] = {};
    SendMessageA(StatusBar(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(progress));
    EXPECT_STREQ(progress, "");
}

// The shell is asked to open "mailto:" links; a recorder registered for them in the prefix writes down
// each link it is started with.
class MailTest : public ReportsTest {
  protected:
    Texts Links(size_t count) { return recorder_.Lines(count); }

  private:
    ShellRecorder recorder_{{"mailto"}, folder.File("mail.txt")};
};

TEST_F(MailTest, MailOpensTheSelectedRowsOwnAddressUnchangedAndNothingWithoutADebtor) {
    AddDebtor("Анна", 1, "anna petrova@mail.ru?subject=Книга");
    AddDebtor("Борис", 2, "boris@first.ru");
    AddDebtor("Борис", 3, "");
    AddItem("Гитара");
    SendMessageA(ShowDolgCheckBox(), BM_CLICK, 0, 0);
    FillAll();
    ASSERT_EQ(ColumnOf(Debtors(), 0), Texts{""});
    RunCommand(IDM_MAIL);

    SendMessageA(ShowDolgCheckBox(), BM_CLICK, 0, 0);
    Pump();
    ClickRow(Debtors(), 1);
    RunCommand(IDM_MAIL);
    EXPECT_EQ(Links(1), Texts{"mailto:anna petrova@mail.ru?subject=Книга"});
    ClickRow(Debtors(), 3);
    RunCommand(IDM_MAIL);
    EXPECT_EQ(Links(2), (Texts{"mailto:anna petrova@mail.ru?subject=Книга", "mailto:"}));
}
