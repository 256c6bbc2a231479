// The debtor and item commands of the main window, run as their menu entries run them, through the real
// editor dialog and the real message boxes: what they change in the lists, what the tables show
// afterwards, the questions and warnings, and the type filter list.

#include "MainWindowFixture.h"

#include "platform/Application.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using Answer = std::function<void(HWND)>;

Answer Ok() {
    return [](HWND dialog) { ClickDialogButton(dialog, IDOK); };
}

Answer Cancel() {
    return [](HWND dialog) { ClickDialogButton(dialog, IDCANCEL); };
}

class CommandsTest : public MainWindowFixture {
  protected:
    // Runs a command as its menu entry does; the answers serve the dialogs it opens, in order.
    std::vector<SeenDialog> Run(int commandId, std::vector<Answer> answers = {}) {
        ModalAnswerer answerer;
        for (auto& answer : answers) {
            answerer.Then(std::move(answer));
        }
        RunCommand(commandId);
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u) << "a dialog the test answers did not appear";
        return answerer.Seen();
    }

    // Types both fields of the editor dialog and presses OK.
    Answer Type(const std::string& first, const std::string& second) {
        return [this, first, second](HWND dialog) {
            SetWindowTextA(editor->ComboBox1(), first.c_str());
            SetWindowTextA(editor->Edit1(), second.c_str());
            ClickDialogButton(dialog, IDOK);
        };
    }

    // Reads what the editor dialog shows, then answers it.
    Answer Look(std::string& first, std::string& second, Answer then) {
        return [this, &first, &second, then](HWND dialog) {
            first = WindowText(editor->ComboBox1());
            second = WindowText(editor->Edit1());
            then(dialog);
        };
    }

    Texts DebtorNames() {
        Texts names;
        for (const auto& user : Data().users) {
            names.push_back(user->Name);
        }
        return names;
    }

    Texts Descriptions() {
        Texts texts;
        for (const auto& item : Data().items) {
            texts.push_back(item->Description);
        }
        return texts;
    }
};

} // namespace

TEST_F(CommandsTest, NewDebtorIsAddedInNameOrderAndAnExactlyEqualNameIsRefused) {
    // Cancelled, nothing happens: no record, no change mark.
    std::vector<SeenDialog> seen = Run(IDM_NEWU, {Cancel()});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Информация о должнике");
    EXPECT_TRUE(Data().users.Empty());
    EXPECT_EQ(StatusNote(), "");

    Run(IDM_NEWU, {Type("Смирнова Анна", "anna@example.ru")});
    ASSERT_EQ(Data().users.Count(), 1);
    const TUserRec& first = Data().users[0];
    EXPECT_EQ(first.Id, 1);
    EXPECT_EQ(first.EMail, "anna@example.ru");
    EXPECT_EQ(first.ItemCount, 0);
    EXPECT_EQ(StatusNote(), "База изменена");

    Run(IDM_NEWU, {Type("Иванов Пётр", "")});
    ClickRow(Debtors(), 2);
    // A name that differs only in letter case or by a trailing blank is another name.
    Run(IDM_NEWU, {Type("иванов пётр", "")});
    Run(IDM_NEWU, {Type("Иванов Пётр ", "")});
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Иванов Пётр", "Иванов Пётр ", "Смирнова Анна", "иванов пётр"}));
    EXPECT_EQ(ColumnOf(Debtors(), 1), (Texts{"0", "0", "0", "0"}));
    // After a debtor command the first row is selected, not the one just added.
    EXPECT_EQ(Debtors().Row(), 1);

    seen = Run(IDM_NEWU, {Type("Иванов Пётр", "other@example.ru"), Ok()});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Warning");
    EXPECT_EQ(seen[1].text, "Запись о пользователе существует!\nДобавление невозможно!");
    EXPECT_EQ(Data().users.Count(), 4);
    EXPECT_EQ(Data().users.FindByName("Иванов Пётр")->EMail, "");
}

TEST_F(CommandsTest, WhenTheLargestIdentifierIsTakenTheGeneralErrorBoxSaysSoAndNothingIsAdded) {
    AddDebtor("Последний", 2147483647);
    FillAll();
    std::vector<SeenDialog> seen = Run(IDM_NEWU, {Type("Новый", ""), Ok()});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, Application::Title());
    EXPECT_NE(seen[1].text.find("2147483647"), std::string::npos);
    EXPECT_EQ(DebtorNames(), (Texts{"Последний"}));
    EXPECT_EQ(StatusNote(), "");
}

TEST_F(CommandsTest, EditDebtorShowsHisTextsExactlyAndKeepsHisIdAndItems) {
    TUserRec& ivanov = AddDebtor(" Иванов ", 3, "iv@example.ru ");
    AddDebtor("Яковлев", 4);
    AddItem("Дрель", "Инструмент", 3);
    FillAll();

    std::string name, mail;
    Run(IDM_EDITU, {Look(name, mail, Cancel())});
    EXPECT_EQ(name, " Иванов ");
    EXPECT_EQ(mail, "iv@example.ru ");
    EXPECT_EQ(ivanov.Name, " Иванов ");
    EXPECT_EQ(StatusNote(), "");

    // An existing name is accepted; the list is sorted again.
    Run(IDM_EDITU, {Type("Яковлев", "new@example.ru")});
    EXPECT_EQ(ivanov.Name, "Яковлев");
    EXPECT_EQ(ivanov.EMail, "new@example.ru");
    EXPECT_EQ(ivanov.Id, 3);
    EXPECT_EQ(ivanov.ItemCount, 1);
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Яковлев", "Яковлев"}));
    EXPECT_EQ(StatusNote(), "База изменена");
    EXPECT_EQ(Data().items[0].HolderId, 3);
}

TEST_F(CommandsTest, DeleteDebtorAsksOnceOrTwiceAndFreesHisItems) {
    AddDebtor("Антонов", 1);
    TUserRec& borisov = AddDebtor("Борисов", 2);
    TItemRec& drill = AddItem("Дрель", "Инструмент", 2, 44000.25);
    AddItem("Палатка", "Туризм", 2);
    AddItem("Рюкзак", "Туризм");
    FillAll();

    // The first question answered with Cancel.
    std::vector<SeenDialog> seen = Run(IDM_DELU, {Cancel()});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Confirm");
    EXPECT_EQ(seen[0].text, "Удалить пользователя?");

    // A debtor holding items is asked about twice; Cancel at the second keeps him.
    ClickRow(Debtors(), 2);
    seen = Run(IDM_DELU, {Ok(), Cancel()});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "Confirm");
    EXPECT_EQ(seen[1].text, "За ним числятся предметы.\nПодтвердите удаление.");
    EXPECT_EQ(DebtorNames(), (Texts{"Антонов", "Борисов"}));
    EXPECT_EQ(borisov.ItemCount, 2);
    EXPECT_EQ(StatusNote(), "");

    ClickRow(Debtors(), 2);
    Run(IDM_DELU, {Ok(), Ok()});
    EXPECT_EQ(DebtorNames(), (Texts{"Антонов"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель", "Палатка", "Рюкзак"}));
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, 44000.25);
    EXPECT_EQ(StatusNote(), "База изменена");

    // A debtor holding nothing is asked only once.
    seen = Run(IDM_DELU, {Ok()});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(DebtorNames().empty());
}

TEST_F(CommandsTest, NewItemIsStampedFreeAndRegistersItsTypeIntoTheFilterList) {
    Run(IDM_NEWI, {Type("Книга", "Война и мир")});
    ASSERT_EQ(Data().items.Count(), 1);
    const TItemRec& first = Data().items[0];
    EXPECT_EQ(first.Id, 1);
    EXPECT_EQ(first.ItemType, "Книга");
    EXPECT_EQ(first.HolderId, 0);
    EXPECT_EQ(first.LentDate, kNow);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Война и мир"}));
    EXPECT_EQ(StatusNote(), "База изменена");
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Книга"}));

    // The dialog offers the types known when it opens; a second type enables the filter.
    Texts offered;
    Run(IDM_NEWI, {[&](HWND dialog) {
            offered = ListEntries(editor->ComboBox1());
            Type("Диск", "Сталкер")(dialog);
        }});
    EXPECT_EQ(offered, (Texts{"Книга"}));
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Книга", "Диск"}));
    EXPECT_TRUE(IsWindowEnabled(FilterComboBox()));

    // A type differing only in letter case adds no entry; the item keeps the type as typed.
    Run(IDM_NEWI, {[&](HWND dialog) {
            offered = ListEntries(editor->ComboBox1());
            Type("КНИГА", "Анна Каренина")(dialog);
        }});
    EXPECT_EQ(offered, (Texts{"Книга", "Диск"}));
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Книга", "Диск"}));
    EXPECT_EQ(Data().items.FindByDescription("Анна Каренина")->ItemType, "КНИГА");
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Анна Каренина", "Война и мир", "Сталкер"}));
}

// Letter case is ignored only while QRegistr is on.
TEST_F(CommandsTest, NewItemWithAnExistingDescriptionIsRefusedNamingItsHolder) {
    AddDebtor("Петров", 7);
    AddItem("Мастер и Маргарита", "Книга", 7);
    AddItem("Ёжик в тумане", "Диск");
    FillAll();

    struct Case {
        bool qRegistr;
        const char* description;
        const char* holderLine; // nullptr: another description, added
    };
    const Case cases[] = {
        {true, "Мастер и Маргарита", "Предмет числится за: Петров"}, // lent
        {true, "ЁЖИК В ТУМАНЕ", "Ни за кем не числится!"},           // free
        {false, "ёжик В ТУМАНЕ", nullptr},
    };
    int count = Data().items.Count();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        Settings.QRegistr = c.qRegistr;
        if (!c.holderLine) {
            Run(IDM_NEWI, {Type("Книга", c.description)});
            EXPECT_EQ(Data().items.Count(), ++count);
            continue;
        }
        std::vector<SeenDialog> seen = Run(IDM_NEWI, {Type("Книга", c.description), Ok()});
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].caption, "Warning");
        EXPECT_EQ(seen[1].text,
                  std::string("Запись существует!\n") + c.holderLine + "\nДобавление невозможно!");
        EXPECT_EQ(Data().items.Count(), count);
        EXPECT_EQ(StatusNote(), "");
    }
}

TEST_F(CommandsTest, EditItemShowsItsTextsAndKeepsItsIdDateAndHolder) {
    TItemRec& drill = AddItem(" Дрель", "Инструмент ");
    AddItem("Палатка", "Туризм");
    FillAll();

    std::string type, description;
    Run(IDM_EDITI, {Look(type, description, Cancel())});
    EXPECT_EQ(type, "Инструмент ");
    EXPECT_EQ(description, " Дрель");
    EXPECT_EQ(drill.Description, " Дрель");
    EXPECT_EQ(StatusNote(), "");

    // An existing description is accepted; a new type is registered.
    Run(IDM_EDITI, {Type("Кемпинг", "Палатка")});
    EXPECT_EQ(drill.Description, "Палатка");
    EXPECT_EQ(drill.ItemType, "Кемпинг");
    EXPECT_EQ(drill.Id, 1);
    EXPECT_EQ(drill.LentDate, kEarlier);
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Инструмент ", "Туризм", "Кемпинг"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Палатка", "Палатка"}));
    EXPECT_EQ(StatusNote(), "База изменена");
}

TEST_F(CommandsTest, DeleteItemAsksAndLeavesTheDebtorsCountsAlone) {
    AddDebtor("Петров", 1);
    AddItem("Дрель", "Инструмент");
    AddItem("Палатка", "Туризм", 1);
    AddItem("Рюкзак", "Туризм");
    FillAll();
    ClickRow(FreeItems(), 2);

    std::vector<SeenDialog> seen = Run(IDM_DELI, {Cancel()});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Confirm");
    EXPECT_EQ(seen[0].text, "Удалить описание предмета?");
    EXPECT_EQ(Data().items.Count(), 3);
    EXPECT_EQ(StatusNote(), "");

    Run(IDM_DELI, {Ok()});
    EXPECT_EQ(Descriptions(), (Texts{"Дрель", "Палатка"}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель"}));
    EXPECT_EQ(Data().users[0].ItemCount, 1);
    EXPECT_EQ(StatusNote(), "База изменена");
    // The type stays in the filter list.
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Инструмент", "Туризм"}));
}

TEST_F(CommandsTest, OnAnEmptyCatalogueOrAnEmptyRowEditAndDeleteDoNothing) {
    // No dialog may appear: the answerer fails the test on any.
    for (int command : {IDM_EDITU, IDM_DELU, IDM_EDITI, IDM_DELI}) {
        Run(command);
    }

    // Empty texts are stored as typed; their rows have an empty first column.
    Run(IDM_NEWU, {Type("", "")});
    Run(IDM_NEWI, {Type("", "")});
    ASSERT_EQ(Data().users.Count(), 1);
    ASSERT_EQ(Data().items.Count(), 1);
    EXPECT_EQ(Data().users[0].Name, "");
    EXPECT_EQ(Data().items[0].Description, "");
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{""}));
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{""}));
    EXPECT_EQ(ColumnOf(FreeItems(), 0), (Texts{""}));
    for (int command : {IDM_EDITU, IDM_DELU, IDM_EDITI, IDM_DELI}) {
        EXPECT_FALSE(CommandEnabled(command)) << command;
        Run(command);
    }
    EXPECT_EQ(Data().users.Count(), 1);
    EXPECT_EQ(Data().items.Count(), 1);
}

// Two debtors of one name, or two items of one description, are different rows: each row edits and
// deletes its own record.
TEST_F(CommandsTest, TheSecondOfTwoEqualRowsActsOnTheSecondRecord) {
    TUserRec& first = AddDebtor("Петров", 1, "first@example.ru");
    TUserRec& second = AddDebtor("Петров", 2, "second@example.ru");
    FillAll();

    // The row shows its own debtor's address in the editor, and the edit goes to that debtor.
    SelectFromOutside(Debtors(), 2);
    std::string mail;
    Run(IDM_EDITU, {[&](HWND dialog) {
            mail = WindowText(editor->Edit1());
            SetWindowTextA(editor->ComboBox1(), "Сидоров");
            ClickDialogButton(dialog, IDOK);
        }});
    ASSERT_TRUE(mail == first.EMail || mail == second.EMail);
    TUserRec& secondRow = mail == second.EMail ? second : first;
    TUserRec& firstRow = mail == second.EMail ? first : second;
    EXPECT_EQ(secondRow.Name, "Сидоров");
    EXPECT_EQ(firstRow.Name, "Петров");

    // Both are Сидоров now; deleting the second row leaves the debtor of the first.
    Run(IDM_EDITU, {Type("Сидоров", firstRow.EMail)});
    std::string firstRowMail;
    Run(IDM_EDITU, {[&](HWND dialog) {
            firstRowMail = WindowText(editor->Edit1());
            ClickDialogButton(dialog, IDCANCEL);
        }});
    ClickRow(Debtors(), 2);
    Run(IDM_DELU, {Ok()});
    ASSERT_EQ(Data().users.Count(), 1);
    EXPECT_EQ(Data().users[0].EMail, firstRowMail);

    TItemRec& a = AddItem("Дрель", "Инструмент");
    TItemRec& b = AddItem("Дрель", "Инструмент");
    // A lent item of the same description is not in the free items table and is never touched.
    AddDebtor("Петров", 3);
    TItemRec& lent = AddItem("Дрель", "Инструмент", 3);
    FillAll();
    ASSERT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель", "Дрель"}));

    ClickRow(FreeItems(), 2);
    Run(IDM_EDITI, {Type("Инструмент", "Дрель ударная")});
    EXPECT_EQ(Texts({a.Description, b.Description}) == Texts({"Дрель", "Дрель ударная"}) ||
                  Texts({b.Description, a.Description}) == Texts({"Дрель", "Дрель ударная"}),
              true);
    EXPECT_EQ(lent.Description, "Дрель");
    ASSERT_EQ(ColumnOf(FreeItems(), 0), (Texts{"Дрель", "Дрель ударная"}));

    ClickRow(FreeItems(), 2);
    Run(IDM_DELI, {Ok()});
    EXPECT_EQ(Descriptions(), (Texts{"Дрель", "Дрель"}));
    EXPECT_EQ(Data().users.FindById(3)->ItemCount, 1);
}

// Insert and Delete in the tables are the main window's own keys; Enter opens the editor for the row.
TEST_F(CommandsTest, EnterInATableEditsTheSelectedRecord) {
    AddDebtor("Петров", 1, "p@example.ru");
    AddItem("Дрель", "Инструмент");
    FillAll();
    for (ui::StringGrid* grid : {&Debtors(), &FreeItems()}) {
        std::string first, second;
        ModalAnswerer answerer;
        answerer.Then(Look(first, second, Cancel()));
        SetFocus(grid->Handle());
        SendMessageA(grid->Handle(), WM_CHAR, '\r', 1);
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u);
        if (grid == &Debtors()) {
            EXPECT_EQ(first, "Петров");
        } else {
            EXPECT_EQ(second, "Дрель");
        }
    }
}

// A command that reaches the main window while the editor is up (posted to it, since the window takes
// no input then) must not open the same dialog a second time inside the first, nor write into its fields:
// what the user typed there stays.
TEST_F(CommandsTest, ACommandArrivingWhileTheEditorIsUpIsRefusedAndLeavesWhatWasTyped) {
    AddDebtor("Пётр", 1, "petr@example.ru");
    FillAll();
    std::vector<SeenDialog> seen = Run(IDM_NEWU, {[this](HWND) {
                                                      SetWindowTextA(editor->ComboBox1(), "Анна");
                                                      PostMessageA(form->Handle(), WM_COMMAND, IDM_EDITU, 0);
                                                      PostMessageA(form->Handle(), WM_COMMAND, IDM_NEWI, 0);
                                                  },
                                                  Ok(), Ok(), Ok()});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].caption, "Информация о должнике");
    EXPECT_EQ(seen[1].text, "The dialog \"Информация о должнике\" is already open.");
    EXPECT_EQ(seen[2].text, "The dialog \"Информация о должнике\" is already open.");
    EXPECT_EQ(seen[3].caption, "Информация о должнике");
    EXPECT_EQ(DebtorNames(), (Texts{"Анна", "Пётр"}));
    EXPECT_EQ(Data().users[1].EMail, "petr@example.ru");
    EXPECT_TRUE(Data().items.Empty());
    EXPECT_FALSE(IsWindowVisible(editor->Handle()));
}
