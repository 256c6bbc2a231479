// The item search through the real find dialog and Find next, the centring of the rows it finds, and the
// quick search by a letter typed into a table.
#include "MainWindowFixture.h"

#include "platform/Application.h"

#include <tuple>

namespace {

constexpr int kFindWhat = 0x480;

// The window is the program's main window, as the message loop knows it: its shortcuts work.
class SearchTest : public ProgramWindowFixture {
  protected:
    // Opens the find dialog, or brings it up, and types the text into its field unless it is null.
    HWND OpenFindDialog(const char* text = nullptr) {
        RunCommand(IDM_FIND);
        HWND dialog = FindDialogWindow();
        EXPECT_TRUE(dialog && IsWindowVisible(dialog));
        if (text) {
            SetDlgItemTextA(dialog, kFindWhat, text);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFindWhat, EN_CHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFindWhat)));
        }
        return dialog;
    }
    // Find next (F3), which searches for the open dialog's text too; gives the boxes it showed (the
    // not-found box, when `notFound`, answered with OK).
    Texts FindNext(bool notFound = false) {
        ModalAnswerer answerer; // made after the find dialog opened, it leaves that alone
        if (notFound) {
            answerer.Press(IDOK);
        }
        return Run(IDM_FINDNEXT, answerer);
    }
    Texts Find(const char* text, bool notFound = false) {
        OpenFindDialog(text);
        const Texts seen = FindNext(notFound);
        EXPECT_EQ(FindDialogWindow(), nullptr) << "Find next closes the dialog";
        return seen;
    }
    void Type(ui::StringGrid& table, char key) {
        SetFocus(table.Handle());
        SendMessageA(table.Handle(), WM_CHAR, static_cast<unsigned char>(key), 1);
        Pump();
    }
    void ChooseFilterType(const char* type) {
        HWND combo = FilterComboBox();
        const LRESULT entry = type ? SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(type))
                                   : -1;
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDC_FILTERCB, CBN_CLOSEUP),
                     reinterpret_cast<LPARAM>(combo));
        Pump();
    }
};

} // namespace

// Find next walks down the items and, past the last hit, says so and starts over; a new text starts from
// the first item; a lent item is shown through its holder.
TEST_F(SearchTest, FindNextWalksThroughTheItemsAndStartsOverAfterTheLast) {
    AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    AddItem("Альбом", "Альбомы");
    AddItem("Атлас", "Книги", 2);
    AddItem("Книга", "Книги");
    AddItem("Книжка", "Книги", 2);
    AddItem("Тетрадь", "Тетради");
    FillAll();

    // Nothing typed yet: F3 searches for the empty text, which nothing contains.
    EXPECT_EQ(FindNext(true), Texts{"Warning: Не удается найти \"\"!"});

    // The dialog's other choices are shown but fixed.
    HWND dialog = OpenFindDialog("кни");
    for (int id : {0x420, 0x421, 0x410, 0x411}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    }
    // Enter in the dialog's field presses Find next: the program's message loop lets the dialog have it.
    {
        ModalAnswerer noBox;
        PostMessageA(GetDlgItem(dialog, kFindWhat), WM_KEYDOWN, VK_RETURN, 1);
        Application::ProcessMessages();
        Pump();
        EXPECT_TRUE(noBox.Seen().empty());
    }
    EXPECT_EQ(FindDialogWindow(), nullptr);
    EXPECT_EQ(ListViewRow(FreeItems()), 2); // Альбом, Книга, Тетрадь

    // F3 in a table is Find next, through the program's message loop.
    PostMessageA(FreeItems().Handle(), WM_KEYDOWN, VK_F3, 1);
    Application::ProcessMessages();
    Pump();
    EXPECT_EQ(Debtors().Cell(0, Debtors().Row()), "Борис");
    EXPECT_EQ(ColumnOf(LentItems(), 1), (Texts{"Атлас", "Книжка"}));
    EXPECT_EQ(ListViewRow(LentItems()), 2);

    EXPECT_EQ(FindNext(true), Texts{"Warning: Не удается найти \"кни\"!"});
    ClickRow(FreeItems(), 1);
    EXPECT_EQ(FindNext(), Texts{});
    EXPECT_EQ(FreeItems().Row(), 2);

    // The dialog comes back with the text it had; another text starts from the first item again.
    dialog = OpenFindDialog();
    EXPECT_EQ(WindowText(GetDlgItem(dialog, kFindWhat)), "кни");
    EXPECT_EQ(OpenFindDialog(), dialog); // brought up again, not a second one
    EXPECT_EQ(Find("тет"), Texts{});
    EXPECT_EQ(FreeItems().Row(), 3);
    EXPECT_EQ(Find("ИГА"), Texts{});
    EXPECT_EQ(FreeItems().Row(), 2);

    // While the editor holds the window, the open find dialog's Find next does nothing.
    dialog = OpenFindDialog("зонт");
    ModalAnswerer answerer;
    answerer.Then([dialog](HWND editor) {
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        ClickDialogButton(editor, IDCANCEL);
    });
    EXPECT_EQ(Run(IDM_NEWU, answerer), Texts{"Информация о должнике: "});
    EXPECT_EQ(FindDialogWindow(), dialog);
}

// With the filter on, only items of the chosen type are found, lent or free, and the warning suggests
// switching the filter off; with no type chosen the filter lets every type through, yet still gets the
// suggestion.
TEST_F(SearchTest, TheTypeFilterLimitsTheSearchAndTheWarningSuggestsSwitchingItOff) {
    AddDebtor("Анна", 1);
    AddItem("Диск с книгой", "Диски", 1);
    AddItem("Книга", "Книги");
    AddItem("Книжка", "Книги", 1);
    FillAll();
    SendMessageA(FilterCheckBox(), BM_CLICK, 0, 0);
    ChooseFilterType("Книги");

    EXPECT_EQ(Find("кни"), Texts{});
    EXPECT_EQ(FreeItems().Cell(0, FreeItems().Row()), "Книга");
    EXPECT_EQ(FindNext(), Texts{});
    EXPECT_EQ(LentItems().Cell(1, LentItems().Row()), "Книжка");
    EXPECT_EQ(FindNext(true), Texts{"Warning: Не удается найти \"кни\"!\nПопробуйте отключить фильтр."});

    ChooseFilterType(nullptr);
    EXPECT_EQ(Find("диск"), Texts{});
    EXPECT_EQ(LentItems().Cell(1, LentItems().Row()), "Диск с книгой");
    EXPECT_EQ(FindNext(true), Texts{"Warning: Не удается найти \"диск\"!\nПопробуйте отключить фильтр."});
}

// A found row stands in the middle of the view, except near either end of the table.
TEST_F(SearchTest, TheFoundRowIsCentredWhereTheTableAllows) {
    for (int i = 101; i <= 300; ++i) {
        AddItem("Предмет " + std::to_string(i));
    }
    FillAll();
    const int visible = FreeItems().VisibleRowCount();
    ASSERT_GT(visible, 2);
    // The data row, then the first row in view.
    for (auto [text, row, top] :
         {std::tuple{"предмет 250", 150, 150 - visible / 2}, std::tuple{"предмет 299", 199, 201 - visible},
          std::tuple{"предмет 102", 2, 1}}) {
        Find(text);
        EXPECT_EQ(FreeItems().Row(), row);
        EXPECT_EQ(FreeItems().TopRow(), top) << text;
    }
}

// A letter or digit typed into the debtors or the free items table selects the first row from it on;
// other keys, and keys no row answers, leave the selection alone.
TEST_F(SearchTest, QuickSearchJumpsToTheFirstRowFromTheTypedLetter) {
    Type(Debtors(), 'а'); // an empty table
    EXPECT_EQ(Debtors().Row(), 1);
    // Opening the File menu of an empty catalogue disables the search, and its shortcuts with it.
    SendMessageA(form->Handle(), WM_INITMENUPOPUP,
                 reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(form->Handle()), 0)), 0);
    EXPECT_EQ(FindNext(), Texts{});
    RunCommand(IDM_FIND);
    EXPECT_EQ(FindDialogWindow(), nullptr);

    AddDebtor("Анна", 1);
    AddDebtor("Борис", 2);
    AddDebtor("Вера", 3);
    AddItem("1 том", "Книги");
    AddItem("Атлас", "Книги");
    AddItem("Удочка", "Снасти", 2);
    FillAll();

    Type(Debtors(), 'б');
    EXPECT_EQ(ListViewRow(Debtors()), 2);
    EXPECT_EQ(ColumnOf(LentItems(), 1), Texts{"Удочка"}); // the lent items follow at once
    Type(Debtors(), 'a');                                 // Latin: every Cyrillic letter comes after it
    EXPECT_EQ(Debtors().Row(), 1);
    Type(Debtors(), 'Б');
    EXPECT_EQ(Debtors().Row(), 2);
    for (char ignored : {'г', 'ё', 'Ё', ' ', '.'}) {
        Type(Debtors(), ignored);
        EXPECT_EQ(Debtors().Row(), 2) << static_cast<int>(static_cast<unsigned char>(ignored));
    }

    Type(FreeItems(), 'я');
    EXPECT_EQ(FreeItems().Row(), 1);
    Type(FreeItems(), 'а');
    EXPECT_EQ(ListViewRow(FreeItems()), 2);
    Type(FreeItems(), '1');
    EXPECT_EQ(FreeItems().Row(), 1);
}
