// The dialogs at the display scale the test program was started with (./test runs these tests at 100, 125,
// 150 and 200 %), each opened from the main window as a person opens it, then told it was moved to a
// monitor of another scale and back: the sizes the design fixes are those sizes times the scale, every
// control lies inside the dialog with its caption whole in its own font, the fonts are made for the scale,
// the windows the dialog opens are its own, and the way back gives the first layout again. Pictures of the
// dialogs go to the screenshot folder when ./test asks for them.

#include "MainWindowFixture.h"
#include "Screenshot.h"

#include "forms/About.h"
#include "forms/ExportUnit.h"
#include "forms/LoansUnit.h"
#include "forms/SetsUnit.h"
#include "forms/StatUnit.h"
#include "platform/Application.h"
#include "platform/Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

int At(int design, int dpi) {
    return MulDiv(design, dpi, kDesignDpi);
}

std::string ClassOf(HWND hwnd) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return cls;
}

std::string Name(HWND control) {
    return ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + WindowText(control) +
           "\"";
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            children.push_back(child);
        }
    }
    return children;
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

// The room a text takes in a control's font: on one line, or broken into lines `wrap` pixels wide.
SIZE TextSize(HWND control, const std::string& text, int wrap = 0) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, wrap, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{r.right, r.bottom};
}

// A control's caption shows whole: a label's text broken at its width fits its height, a button's fits
// the size the button itself says it needs, a read-only field's text fits its text area. Texts that are
// shortened with "..." on purpose, and fields the user types in, are not looked at.
void ExpectCaptionWhole(HWND control) {
    const std::string text = WindowText(control);
    const std::string cls = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const SIZE size = ClientSize(control);
    if (text.empty()) {
        return;
    }
    if (cls == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT && !(style & SS_ELLIPSISMASK)) {
        const SIZE need = TextSize(control, text, size.cx);
        EXPECT_LE(need.cx, size.cx) << Name(control);
        EXPECT_LE(need.cy, size.cy) << Name(control);
    } else if (cls == "Button") {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            EXPECT_LE(TextSize(control, text).cx + 12, size.cx) << Name(control);
            return;
        }
        SIZE ideal{};
        SendMessageA(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
        if (style & BS_MULTILINE) {
            // The box and its gap, as the button measures them, then the caption broken at the rest.
            const int box = ideal.cx - TextSize(control, text).cx;
            EXPECT_LE(TextSize(control, text, size.cx - box).cy, size.cy) << Name(control);
        } else {
            EXPECT_LE(ideal.cx, size.cx) << Name(control);
            EXPECT_LE(TextSize(control, text).cy, size.cy) << Name(control);
        }
    } else if (cls == "Edit" && (style & ES_READONLY) && !(style & ES_MULTILINE)) {
        RECT area{};
        SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        EXPECT_LE(TextSize(control, text).cx, area.right - area.left) << Name(control);
    }
}

// Every line of a multi-line field that does not wrap shows whole within its text area.
void ExpectLinesWhole(HWND memo) {
    RECT area{};
    SendMessageA(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const int lines = static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
    for (int line = 0; line < lines; ++line) {
        char text[512] = {};
        *reinterpret_cast<WORD*>(text) = sizeof text - 1;
        const auto length = SendMessageA(memo, EM_GETLINE, line, reinterpret_cast<LPARAM>(text));
        const std::string shown(text, static_cast<size_t>(length));
        EXPECT_LE(TextSize(memo, shown).cx, area.right - area.left) << shown;
    }
}

// What a person sees of the dialog is whole: each visible control inside the client area, its caption
// whole; and the dialog's text is in the program's font made for the scale, 8 points (11 units) high.
void ExpectWhole(HWND dialog, int dpi) {
    const SIZE client = ClientSize(dialog);
    for (HWND control : VisibleChildren(dialog)) {
        const RECT r = BoundsInParent(control);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.cx && r.bottom <= client.cy)
            << Name(control) << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
            << " outside " << client.cx << "x" << client.cy;
        ExpectCaptionWhole(control);
    }
    // OK, or the About box's tabs.
    HWND sample = GetDlgItem(dialog, IDOK) ? GetDlgItem(dialog, IDOK) : GetDlgItem(dialog, IDC_PAGECONTROL1);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(sample, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -At(11, dpi));
    EXPECT_STREQ(font.lfFaceName, "Microsoft Sans Serif");
}

// A size the design fixes, times the scale, give or take the rounding of its edges.
void ExpectSize(SIZE size, int width, int height, int dpi, const std::string& what) {
    EXPECT_NEAR(size.cx, At(width, dpi), 1) << what;
    EXPECT_NEAR(size.cy, At(height, dpi), 1) << what;
}

void ExpectSize(HWND control, int width, int height, int dpi) {
    const RECT r = BoundsInParent(control);
    ExpectSize(SIZE{r.right - r.left, r.bottom - r.top}, width, height, dpi, Name(control));
}

// Every control's place in the client area, and the client area's size.
std::vector<std::string> LayoutOf(HWND dialog) {
    const auto text = [](const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    std::vector<std::string> layout{text(RECT{0, 0, ClientSize(dialog).cx, ClientSize(dialog).cy})};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        layout.push_back(Name(child) + " " + text(BoundsInParent(child)));
    }
    return layout;
}

// Tells the dialog, as the system does, that it was moved to a monitor of this scale, and where it should
// go; it is to stand there.
void MoveToScale(HWND dialog, int dpi) {
    RECT r{};
    GetWindowRect(dialog, &r);
    RECT suggested{r.left + 12, r.top + 8, r.left + 12 + (r.right - r.left), r.top + 8 + (r.bottom - r.top)};
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(dialog, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
}

// Checks the dialog at the test's scale and at another one: `check` looks at it at a scale; the way back
// gives exactly the layout it had.
void AtThisScaleAndAnother(HWND dialog, int dpi, const std::function<void(int)>& check) {
    {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        check(dpi);
    }
    const std::vector<std::string> layout = LayoutOf(dialog);
    const int other = dpi == kDesignDpi ? 192 : kDesignDpi;
    MoveToScale(dialog, other);
    {
        SCOPED_TRACE("moved to a monitor at " + std::to_string(other) + " dpi");
        check(other);
    }
    MoveToScale(dialog, dpi);
    EXPECT_EQ(LayoutOf(dialog), layout) << "back at " << dpi << " dpi";
}

// The picture of a window as it shows now, for ./test's screenshot folder.
void KeepPicture(HWND window, const std::string& name) {
    const std::string folder = ScreenshotFolder();
    if (folder.empty()) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Pump();
    Sleep(100);
    Pump();
    EXPECT_TRUE(SaveWindowBitmap(window, folder + name)) << name;
}

// A click on a tab (0 is the first), as the mouse gives it.
void ChooseTab(HWND tabs, int tab) {
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
    Pump();
}

// The side of the picture a button shows.
int PictureSide(HWND button) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0)), &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int PictureSideAt(int dpi) {
    return dpi >= 192 ? 32 : dpi >= 144 ? 24 : dpi >= 120 ? 20 : 16;
}

class ScaleDialogs : public MainWindowFixture {
  protected:
    // The scale the dialogs are shown at: the main window's monitor's.
    int Dpi() const { return DpiOf(form->Handle()); }
};

} // namespace

TEST_F(ScaleDialogs, TheEditorInBothModes) {
    for (int command : {IDM_NEWU, IDM_NEWI}) {
        ModalAnswerer answerer;
        answerer.Then([&](HWND dialog) {
            AtThisScaleAndAnother(dialog, Dpi(), [&](int dpi) {
                ExpectWhole(dialog, dpi);
                ExpectSize(ClientSize(dialog), 425, 145, dpi, "client area");
                // A combo box is as high as its font makes its field.
                EXPECT_NEAR(BoundsInParent(editor->ComboBox1()).right -
                                BoundsInParent(editor->ComboBox1()).left,
                            At(409, dpi), 1);
                ExpectSize(editor->Edit1(), 409, 21, dpi);
                ExpectSize(GetDlgItem(dialog, IDOK), 90, 25, dpi);
                ExpectSize(GetDlgItem(dialog, IDCANCEL), 90, 25, dpi);
            });
            KeepPicture(dialog, command == IDM_NEWU ? "editor.bmp" : "editor-item.bmp");
            ClickDialogButton(dialog, IDCANCEL);
        });
        Run(command, answerer);
    }
}

TEST_F(ScaleDialogs, TheSettingsOnEachTabWithTheFileDialogTheyOpen) {
    HWND settings = nullptr;
    ModalAnswerer answerer;
    answerer
        .Then([&](HWND dialog) {
            settings = dialog;
            HWND tabs = GetDlgItem(dialog, IDC_SETSPAGECONTROL1);
            AtThisScaleAndAnother(dialog, Dpi(), [&](int dpi) {
                EXPECT_GE(ClientSize(dialog).cx, At(321, dpi) - 1);
                EXPECT_GE(ClientSize(dialog).cy, At(220, dpi) - 1);
                ExpectSize(GetDlgItem(dialog, IDOK), 75, 25, dpi);
                ExpectSize(GetDlgItem(dialog, IDCANCEL), 75, 25, dpi);
                for (int tab = 2; tab >= 0; --tab) {
                    ChooseTab(tabs, tab);
                    ExpectWhole(dialog, dpi);
                }
                ExpectSize(GetDlgItem(dialog, IDC_SETSBUTTON1), 21, 21, dpi);
            });
            KeepPicture(dialog, "settings.bmp");
            SendDlgItemMessageA(dialog, IDC_SETSCHECKBOX1, BM_CLICK, 0, 0);
            PostMessageA(GetDlgItem(dialog, IDC_SETSBUTTON1), BM_CLICK, 0, 0);
        })
        .Then([&](HWND chooser) {
            // The system's file dialog, owned by the settings, its caption on the screen.
            EXPECT_EQ(GetWindow(chooser, GW_OWNER), settings);
            RECT r{};
            GetWindowRect(chooser, &r);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left < GetSystemMetrics(SM_CXSCREEN) &&
                        r.top < GetSystemMetrics(SM_CYSCREEN));
            ClickDialogButton(chooser, IDCANCEL);
        })
        .Then([&](HWND dialog) {
            EXPECT_EQ(dialog, settings);
            ClickDialogButton(dialog, IDCANCEL);
        });
    Run(IDM_SETS, answerer);
}

TEST_F(ScaleDialogs, TheExportWithTheBoxItShowsAndTheStatistics) {
    TUserRec& debtor = AddDebtor("Иванов (старший)", 1);
    Lend(AddItem("Гитара"), debtor);
    AddItem("Зонт");
    FillAll();
    HWND exporting = nullptr;
    ModalAnswerer answerer;
    answerer
        .Then([&](HWND dialog) {
            exporting = dialog;
            AtThisScaleAndAnother(dialog, Dpi(), [&](int dpi) {
                ExpectWhole(dialog, dpi);
                EXPECT_GE(ClientSize(dialog).cx, At(360, dpi) - 1);
                EXPECT_NEAR(ClientSize(dialog).cy, At(287, dpi), 1);
                ExpectSize(GetDlgItem(dialog, IDC_CREATEBBTN), 75, 25, dpi);
                ExpectSize(GetDlgItem(dialog, IDC_CANCELBBTN), 75, 25, dpi);
            });
            KeepPicture(dialog, "export.bmp");
            SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_CLICK, 0, 0);
            ClickDialogButton(dialog, IDC_CREATEBBTN);
        })
        .Then([&](HWND box) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), exporting);
            ClickDialogButton(box, IDOK);
        });
    EXPECT_EQ(Run(IDM_EXPORT, answerer), (Texts{"Экспорт: ", "Information: Экспорт успешно выполнен."}));

    // The statistics need a catalogue that was saved: the second item lent, and the catalogue saved.
    Settings.QOut = false;
    ClickRow(FreeItems(), 1);
    PostMessageA(OutButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(OutButton(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    {
        ModalAnswerer saving;
        saving.TypePath(folder.File("вещи.dat"));
        Run(IDM_SAVE, saving);
    }
    ModalAnswerer statistics;
    statistics.Then([&](HWND dialog) {
        AtThisScaleAndAnother(dialog, Dpi(), [&](int dpi) {
            ExpectWhole(dialog, dpi);
            EXPECT_GE(ClientSize(dialog).cx, At(258, dpi) - 1);
            EXPECT_NEAR(ClientSize(dialog).cy, At(255, dpi), 1);
            ExpectSize(GetDlgItem(dialog, IDOK), 75, 25, dpi);
        });
        KeepPicture(dialog, "statistics.bmp");
        ClickDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(Run(IDM_STAT, statistics), Texts{"Статистика: "});
}

// The loan history is laid out as the other dialogs are; its date columns hold a date and their titles,
// and the first column takes the rest of the list.
TEST_F(ScaleDialogs, TheLoanHistory) {
    TLoansForm loans(form->Handle());
    ModalAnswerer answerer;
    answerer.Then([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_LOANSLIST);
        AtThisScaleAndAnother(dialog, Dpi(), [&](int dpi) {
            ExpectWhole(dialog, dpi);
            ExpectSize(ClientSize(dialog), 460, 300, dpi, "client area");
            ExpectSize(GetDlgItem(dialog, IDC_LOANSCLOSE), 75, 25, dpi);
            ExpectSize(list, 444, 251, dpi);
            const int dates = TextSize(list, "00.00.0000").cx;
            const int titles = TextSize(list, "Возвращён").cx;
            int columns = 0;
            for (int column = 0; column < 3; ++column) {
                const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
                EXPECT_GT(width, (column == 0 ? 3 : 1) * std::max(dates, titles)) << "column " << column;
                columns += width;
            }
            // The columns fill the list but for the room of a scroll bar.
            EXPECT_LE(columns, ClientSize(list).cx);
            EXPECT_GE(columns, ClientSize(list).cx * 9 / 10);
        });
        KeepPicture(dialog, "loans.bmp");
        ClickDialogButton(dialog, IDCANCEL);
    });
    loans.ShowLoans("История выдач: Петров Иван", "Предмет",
                    {{"Мастер и Маргарита", "15.03.2024", ""}, {"Дрель Bosch", "02.02.2024", "10.02.2024"}});
    EXPECT_EQ(answerer.Pending(), 0u);
}

TEST_F(ScaleDialogs, TheAboutBoxOnEachTabWithItsPictures) {
    // The history and the licence as the release ships them, so the box has all four tabs.
    for (const char* name : {"history.txt", "license.txt"}) {
        ASSERT_TRUE(CopyFileA((Application::ExeFolder() + "shipped\\" + name).c_str(),
                              (Application::ExeFolder() + name).c_str(), FALSE));
    }
    ModalAnswerer answerer;
    answerer.Then([&](HWND box) {
        HWND tabs = GetDlgItem(box, IDC_PAGECONTROL1);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
        AtThisScaleAndAnother(box, Dpi(), [&](int dpi) {
            EXPECT_GE(ClientSize(box).cx, At(408, dpi) - 1);
            EXPECT_GE(ClientSize(box).cy, At(332, dpi) - 1);
            for (int tab = 3; tab >= 0; --tab) {
                ChooseTab(tabs, tab);
                ExpectWhole(box, dpi);
            }
            ExpectLinesWhole(GetDlgItem(box, IDC_MEMO1));
            ExpectLinesWhole(GetDlgItem(box, IDC_MEMO2));
            ExpectSize(GetDlgItem(box, IDC_IMAGE1), 400, 300, dpi);
            for (int id : {IDC_SPEEDBUTTON1, IDC_SPEEDBUTTON2}) {
                ExpectSize(GetDlgItem(box, id), 22, 22, dpi);
                EXPECT_EQ(PictureSide(GetDlgItem(box, id)), PictureSideAt(dpi));
            }
        });
        KeepPicture(box, "about.bmp");
        const char* pages[] = {"about-author.bmp", "about-history.bmp", "about-licence.bmp"};
        for (int tab = 1; tab <= 3; ++tab) {
            ChooseTab(tabs, tab);
            KeepPicture(box, pages[tab - 1]);
        }
        ClickDialogButton(box, IDCANCEL);
    });
    Run(IDM_ABOUT, answerer);
    for (const char* name : {"history.txt", "license.txt"}) {
        DeleteFileA((Application::ExeFolder() + name).c_str());
    }
}
