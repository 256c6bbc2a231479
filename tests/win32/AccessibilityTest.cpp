// What screen readers and UI automation find of the main window: the names of its tables and of the type
// filter as Active Accessibility reads them, the tool bar's buttons' names, the type filter's check box
// showing where the keyboard is, and every tool bar command within reach of a menu's access key.

#include "MainWindowFixture.h"
#include "WindowSearch.h"

#include <map>
#include <string>
#include <vector>

namespace {

const std::string kFilterHint = "Фильтр для списка неодолженных предметов";

// Every entry of a menu and its submenus: the popup it is in and its text.
void MenuEntries(HMENU menu, std::multimap<int, std::pair<HMENU, std::string>>& entries) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            MenuEntries(sub, entries);
            continue;
        }
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        entries.emplace(static_cast<int>(GetMenuItemID(menu, i)), std::pair{menu, std::string(text)});
    }
}

// The access key of a menu text, lower case; 0 for none.
char AccessKey(const std::string& text) {
    const std::size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) {
        return 0;
    }
    char key[2] = {text[amp + 1], 0};
    CharLowerA(key);
    return key[0];
}

using AccessibilityTest = MainWindowFixture;

} // namespace

TEST_F(AccessibilityTest, ControlsAreNamedAndEveryToolBarCommandHasAnAccessKey) {
    AddItem("Атлас", "Книга");
    AddItem("Вальс", "Диск");
    FillAll();
    EXPECT_EQ(AccessibleName(Debtors().Handle()), "Список должников");
    EXPECT_EQ(AccessibleName(FreeItems().Handle()), "Список НЕодолженных предметов");
    EXPECT_EQ(AccessibleName(LentItems().Handle()), "Список одолженных предметов");
    // The drop-down shows its entry, and is named by what it is for.
    EXPECT_EQ(WindowText(FilterComboBox()), "Книга");
    EXPECT_EQ(AccessibleName(FilterComboBox()), kFilterHint);
    EXPECT_EQ(AccessibleName(FilterCheckBox()), kFilterHint);

    // The tool bar's buttons carry their hints as their texts; each runs a command that a menu entry
    // with an access key of its own in its menu runs too.
    std::multimap<int, std::pair<HMENU, std::string>> entries;
    MenuEntries(GetMenu(form->Handle()), entries);
    const Texts hints{"Новая база",
                      "Открыть базу",
                      "Сохранить базу",
                      "Новый должник",
                      "Редактировать информацию о должнике",
                      "Удалить должника",
                      "Новый предмет",
                      "Редактировать описание",
                      "Удалить предмет",
                      "Настройка программы",
                      "О программе",
                      "Выход из программы"};
    Texts texts;
    HWND toolBar = ToolBar();
    for (int i = 0; i < static_cast<int>(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0)); ++i) {
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP) {
            continue;
        }
        char text[128] = {};
        SendMessageA(toolBar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
        const auto entry = entries.find(button.idCommand);
        ASSERT_NE(entry, entries.end()) << text;
        const auto [popup, caption] = entry->second;
        const char key = AccessKey(caption);
        EXPECT_NE(key, 0) << caption;
        for (const auto& [id, other] : entries) {
            if (id != button.idCommand && other.first == popup) {
                EXPECT_NE(AccessKey(other.second), key) << caption << " and " << other.second;
            }
        }
    }
    EXPECT_EQ(texts, hints);
}

namespace {

// Whether any pixel of the window's client area within `area` differs from the first one of that area.
bool AnyMarkIn(HWND hwnd, const RECT& area) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(hwnd);
    const COLORREF ground = GetPixel(dc, area.left, area.top);
    bool marked = false;
    for (int y = area.top; y < area.bottom && !marked; ++y) {
        for (int x = area.left; x < area.right && !marked; ++x) {
            marked = GetPixel(dc, x, y) != ground;
        }
    }
    ReleaseDC(hwnd, dc);
    return marked;
}

} // namespace

// The check box carries the hint as its text but shows only its box; with the keyboard it shows a focus
// rectangle around the box, where nothing is drawn without it.
TEST_F(AccessibilityTest, TheTypeFiltersCheckBoxShowsWhereTheKeyboardIs) {
    AddItem("Атлас", "Книга");
    AddItem("Вальс", "Диск");
    FillAll();
    HWND box = FilterCheckBox();
    ASSERT_TRUE(IsWindowEnabled(box));
    SendMessageA(form->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    RECT client{};
    GetClientRect(box, &client);
    const RECT topEdge{1, 0, client.right - 1, 1};

    SetFocus(Debtors().Handle());
    EXPECT_FALSE(AnyMarkIn(box, topEdge));
    SetFocus(box);
    EXPECT_TRUE(AnyMarkIn(box, topEdge)) << "the focus rectangle";
    // It still works as a check box: the space key checks it.
    SendMessageA(box, WM_KEYDOWN, VK_SPACE, 1);
    SendMessageA(box, WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ColumnOf(FreeItems(), 0), Texts{"Атлас"});
}
