// The editor dialog through its real modal loop: the modes, the fields a person sees, and the ways of
// leaving it.

#include "MainWindowFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// A plain visible top-level window standing for the main window the dialog is shown over.
class OwnerWindow {
  public:
    OwnerWindow() {
        hwnd_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 640, 420,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }

  private:
    HWND hwnd_;
};

// Shows the dialog with one answer. The dialog window is reused, so each showing needs an answerer of
// its own: an answerer skips the dialog it answered last.
bool ShowAnswered(TForm2& form, std::function<void(HWND)> action) {
    ModalAnswerer answer;
    answer.Then(std::move(action));
    bool ok = form.ShowModal();
    EXPECT_EQ(answer.Pending(), 0u);
    return ok;
}

std::string ClassOf(HWND hwnd) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return cls;
}

BOOL CALLBACK CollectLabel(HWND hwnd, LPARAM lParam) {
    if (ClassOf(hwnd) == "Static" && IsWindowVisible(hwnd) && !WindowText(hwnd).empty()) {
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(WindowText(hwnd));
    }
    return TRUE;
}

// The label texts, top to bottom.
std::vector<std::string> Labels(HWND dialog) {
    std::vector<std::string> labels;
    EnumChildWindows(dialog, CollectLabel, reinterpret_cast<LPARAM>(&labels));
    return labels;
}

BOOL CALLBACK CountVisibleCombo(HWND hwnd, LPARAM lParam) {
    if (ClassOf(hwnd) == "ComboBox" && IsWindowVisible(hwnd)) {
        ++*reinterpret_cast<int*>(lParam);
    }
    return TRUE;
}

// Whether keyboard focus is in the control (for a combo box, in its edit part).
bool HasFocus(HWND control) {
    HWND focus = GetFocus();
    return focus == control || GetParent(focus) == control;
}

void PressKey(UINT key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
}

} // namespace

TEST(EditorDialog, DebtorModeHasAPlainNameFieldAndReturnsBothTexts) {
    OwnerWindow owner;
    TForm2 form(owner.Handle());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));

    form.IsUserRecord = true;
    form.IsNewRecord = true;
    bool ok = ShowAnswered(form, [&](HWND dialog) {
        EXPECT_EQ(dialog, form.Handle());
        EXPECT_EQ(WindowText(dialog), "Информация о должнике");
        EXPECT_EQ(Labels(dialog), (std::vector<std::string>{"Имя должника", "E-Mail"}));
        // The name field offers no list.
        EXPECT_EQ(ClassOf(form.ComboBox1()), "Edit");
        int combos = 0;
        EnumChildWindows(dialog, CountVisibleCombo, reinterpret_cast<LPARAM>(&combos));
        EXPECT_EQ(combos, 0);

        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 425);
        EXPECT_EQ(client.bottom, 145);
        RECT d, o;
        GetWindowRect(dialog, &d);
        GetWindowRect(owner.Handle(), &o);
        EXPECT_NEAR((d.left + d.right) / 2, (o.left + o.right) / 2, 1);
        EXPECT_NEAR((d.top + d.bottom) / 2, (o.top + o.bottom) / 2, 1);
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));

        EXPECT_TRUE(HasFocus(form.ComboBox1()));
        HWND okButton = GetDlgItem(dialog, IDOK);
        HWND cancelButton = GetDlgItem(dialog, IDCANCEL);
        EXPECT_EQ(WindowText(okButton), "OK");
        EXPECT_EQ(WindowText(cancelButton), "Cancel");
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
        EXPECT_EQ(GetNextDlgTabItem(dialog, form.ComboBox1(), FALSE), form.Edit1());
        EXPECT_EQ(GetNextDlgTabItem(dialog, form.Edit1(), FALSE), okButton);
        EXPECT_EQ(GetNextDlgTabItem(dialog, okButton, FALSE), cancelButton);
        EXPECT_EQ(GetNextDlgTabItem(dialog, cancelButton, FALSE), form.ComboBox1());

        SetWindowTextA(form.ComboBox1(), "Пётр Иванов");
        SetWindowTextA(form.Edit1(), "petr@example.ru");
        ClickDialogButton(dialog, IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(form.ComboBox1Text(), "Пётр Иванов");
    EXPECT_EQ(form.Edit1Text(), "petr@example.ru");
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(EditorDialog, ItemModeOffersTheTypeListOfEachShowingAndKeepsPreloadedTextsExactly) {
    OwnerWindow owner;
    TForm2 form(owner.Handle());

    form.IsUserRecord = false;
    form.IsNewRecord = false;
    form.SetTypeList({"Книга", "CD"});
    form.SetComboBox1Text("  видео ");
    form.SetEdit1Text(" Мастер и Маргарита  ");
    bool ok = ShowAnswered(form, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "Описание предмета");
        EXPECT_EQ(Labels(dialog), (std::vector<std::string>{"Тип предмета", "Описание (название) предмета"}));
        EXPECT_EQ(ClassOf(form.ComboBox1()), "ComboBox");
        EXPECT_EQ(GetWindowLongA(form.ComboBox1(), GWL_STYLE) & 3, CBS_DROPDOWN);
        EXPECT_EQ(ListEntries(form.ComboBox1()), (std::vector<std::string>{"Книга", "CD"}));
        // Filling the list kept the preloaded type, blanks and all.
        EXPECT_EQ(WindowText(form.ComboBox1()), "  видео ");
        EXPECT_EQ(WindowText(form.Edit1()), " Мастер и Маргарита  ");
        EXPECT_TRUE(HasFocus(form.ComboBox1()));
        EXPECT_EQ(GetNextDlgTabItem(dialog, form.ComboBox1(), FALSE), form.Edit1());
        // Enter presses OK.
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(form.ComboBox1Text(), "  видео ");
    EXPECT_EQ(form.Edit1Text(), " Мастер и Маргарита  ");

    // The next showing offers the list as it is then, a type added since included; an entry can be
    // picked, and a type not in the list typed freely.
    form.IsNewRecord = true;
    form.SetTypeList({"Книга", "CD", "Видео"});
    ok = ShowAnswered(form, [&](HWND dialog) {
        EXPECT_EQ(ListEntries(form.ComboBox1()), (std::vector<std::string>{"Книга", "CD", "Видео"}));
        SendMessageA(form.ComboBox1(), CB_SETCURSEL, 2, 0);
        SetWindowTextA(form.Edit1(), "Сталкер");
        ClickDialogButton(dialog, IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(form.ComboBox1Text(), "Видео");
    EXPECT_EQ(form.Edit1Text(), "Сталкер");

    ok = ShowAnswered(form, [&](HWND dialog) {
        SetWindowTextA(form.ComboBox1(), "пластинка");
        ClickDialogButton(dialog, IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(form.ComboBox1Text(), "пластинка");
}

TEST(EditorDialog, ANewRecordAfterAnEditStartsWithEmptyFieldsAndEmptyFieldsAreAccepted) {
    OwnerWindow owner;
    TForm2 form(owner.Handle());
    form.SetTypeList({"Книга"});
    for (bool user : {true, false}) {
        SCOPED_TRACE(user ? "debtor" : "item");
        form.IsUserRecord = user;
        form.IsNewRecord = false;
        form.SetComboBox1Text("Книга");
        form.SetEdit1Text("Война и мир");
        EXPECT_TRUE(ShowAnswered(form, [](HWND dialog) { ClickDialogButton(dialog, IDOK); }));

        form.IsNewRecord = true;
        std::string first = "?", second = "?";
        EXPECT_TRUE(ShowAnswered(form, [&](HWND dialog) {
            first = WindowText(form.ComboBox1());
            second = WindowText(form.Edit1());
            ClickDialogButton(dialog, IDOK);
        }));
        EXPECT_EQ(first, "");
        EXPECT_EQ(second, "");
        EXPECT_EQ(form.ComboBox1Text(), "");
        EXPECT_EQ(form.Edit1Text(), "");
    }
}

TEST(EditorDialog, CancelEscapeAndTheCloseBoxAllGiveCancel) {
    OwnerWindow owner;
    TForm2 form(owner.Handle());
    form.IsUserRecord = true;
    form.IsNewRecord = false;

    const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
        {"Cancel button", [](HWND dialog) { ClickDialogButton(dialog, IDCANCEL); }},
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        bool ok = ShowAnswered(form, [&](HWND dialog) {
            SetWindowTextA(form.ComboBox1(), "что-то другое");
            leave(dialog);
        });
        EXPECT_FALSE(ok);
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    }
}

TEST(EditorDialog, TakesTextsLongerThanAnEditFieldsUsualLimit) {
    OwnerWindow owner;
    TForm2 form(owner.Handle());
    const std::string longText(40000, 'ж');
    for (bool user : {true, false}) {
        form.IsUserRecord = user;
        form.IsNewRecord = true;
        EXPECT_TRUE(ShowAnswered(form, [&](HWND dialog) {
            // Typed or pasted text obeys a field's limit, where setting the text would not. A combo
            // box takes it through its edit part.
            HWND first = user ? form.ComboBox1() : GetWindow(form.ComboBox1(), GW_CHILD);
            SendMessageA(first, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
            SendMessageA(form.Edit1(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
            ClickDialogButton(dialog, IDOK);
        }));
        EXPECT_EQ(form.ComboBox1Text().size(), longText.size());
        EXPECT_EQ(form.Edit1Text().size(), longText.size());
    }
}
