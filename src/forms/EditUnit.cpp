#include "forms/EditUnit.h"

#include <algorithm>

namespace {

// Design units (pixels at 100 %).
constexpr int kClientWidth = 425;
constexpr int kClientHeight = 145;
constexpr int kLabelHeight = 13;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

} // namespace

TForm2::TForm2(HWND owner) {
    CreateFrame(owner, "", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

INT_PTR TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the dialog is shown
    case WM_CLOSE: BitBtn2Click(); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: BitBtn1Click(); return TRUE;
        case IDCANCEL: BitBtn2Click(); return TRUE;
        }
        break;
    }
    return FALSE;
}

void TForm2::FormCreate() {
    // Created in tab order: first field, second field, OK, Cancel. The labels take no focus.
    label1_ = CreateControl("STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 8, 8, 409, kLabelHeight,
                            IDC_FORM2LABEL1);
    nameEdit_ = CreateControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                              WS_EX_CLIENTEDGE, 8, 24, 409, 21, IDC_FORM2NAMEEDIT);
    // The height includes the drop-down list.
    typeCombo_ =
        CreateControl("COMBOBOX", "", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                      8, 24, 409, 200, IDC_FORM2TYPECOMBO);
    label2_ = CreateControl("STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 8, 56, 409, kLabelHeight,
                            IDC_FORM2LABEL2);
    edit1_ = CreateControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                           8, 72, 409, 21, IDC_FORM2EDIT1);
    CreateControl("STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ, 0, 8, 104, 409, 2, IDC_FORM2BEVEL1);
    CreateControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 96, 112, 90, 25,
                  IDOK);
    CreateControl("BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, 240, 112, 90, 25,
                  IDCANCEL);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);

    // Names, addresses, types and descriptions have no length limit.
    SendMessageA(nameEdit_, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(edit1_, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(typeCombo_, CB_LIMITTEXT, 0, 0);
    LayOut();
}

// A label is as high as a line of its font at the scale: a font that is taller there than the design's
// keeps the lower ends of its letters.
void TForm2::Arrange() {
    for (HWND label : {label1_, label2_}) {
        const RECT place = PlaceOf(label);
        const int height = std::max<int>(kLabelHeight, TextRoom(label, "Ay").cy);
        Place(label, place.left, place.top, place.right - place.left, height);
    }
}

void TForm2::SetComboBox1Text(const std::string& text) {
    SetWindowTextA(nameEdit_, text.c_str());
    SetWindowTextA(typeCombo_, text.c_str());
}

std::string TForm2::ComboBox1Text() const {
    return TextOf(ComboBox1());
}

void TForm2::SetEdit1Text(const std::string& text) {
    SetWindowTextA(edit1_, text.c_str());
}

std::string TForm2::Edit1Text() const {
    return TextOf(edit1_);
}

void TForm2::SetTypeList(const std::vector<std::string>& types) {
    types_ = types;
}

HWND TForm2::ComboBox1() const {
    return userMode_ ? nameEdit_ : typeCombo_;
}

bool TForm2::ShowModal() {
    // A second showing while the dialog is up is refused below; the mode and fields stay as they are.
    if (!IsWindowVisible(Handle())) {
        FormActivate();
    }
    return Dialog::ShowModal(ComboBox1());
}

void TForm2::FormActivate() {
    userMode_ = IsUserRecord;
    if (IsUserRecord) {
        SetWindowTextA(label1_, "Имя должника");
        SetWindowTextA(label2_, "E-Mail");
        SetWindowTextA(Handle(), "Информация о должнике");
        ShowWindow(typeCombo_, SW_HIDE);
        ShowWindow(nameEdit_, SW_SHOW);
    } else {
        SetWindowTextA(label1_, "Тип предмета");
        SetWindowTextA(label2_, "Описание (название) предмета");
        SetWindowTextA(Handle(), "Описание предмета");
        ShowWindow(nameEdit_, SW_HIDE);
        ShowWindow(typeCombo_, SW_SHOW);
        // Emptying the list empties the field too; the text typed or preloaded there is put back.
        std::string text = TextOf(typeCombo_);
        SendMessageA(typeCombo_, CB_RESETCONTENT, 0, 0);
        for (const std::string& type : types_) {
            SendMessageA(typeCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
        }
        SetWindowTextA(typeCombo_, text.c_str());
    }
    if (IsNewRecord) {
        SetComboBox1Text("");
        SetEdit1Text("");
    }
}

void TForm2::BitBtn1Click() {
    EndModal(true);
}

void TForm2::BitBtn2Click() {
    EndModal(false);
}
