// The catalogue as a document: New, Open, Save, autosave, the close query, the Modified mark, the
// opening of the last catalogue at start, and the settings file.

#include "forms/Main.h"

#include "files/FileIO.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/ProfileFile.h"
#include "settings/Settings.h"
#include "text/ScopeExit.h"

#include <climits>

namespace {

// The file name of a path, without its folder.
std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

struct ModalSearch {
    HWND except;
    bool found = false;
};

BOOL CALLBACK FindModalDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ModalSearch*>(lParam);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (hwnd != search->except && IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Where the work area of the window's monitor starts, from the monitor's corner: a window placement
// counts in work area coordinates, the window's rectangle in screen coordinates.
POINT WorkAreaOffset(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return POINT{monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

// The columns of ColWidth1..ColWidth7: debtors table (name, count), free items table (description, type),
// lent items table (date, description, type); each as its table (0, 1, 2 in that order) and column.
struct ColumnPlace {
    int table;
    int col;
};
constexpr ColumnPlace kColumns[7] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}};

} // namespace

// ---- Creation ----------------------------------------------------------------------------------------

void TForm1::PrepareDocument() {
    SaveDialog1.Filter = "Файл с базой (*.dat)|*.dat";
    SaveDialog1.DefaultExt = "dat";
    SaveDialog1.Options = FileDialog::OverwritePrompt | FileDialog::PathMustExist | FileDialog::HideReadOnly |
                          FileDialog::EnableSizing;
    OpenDialog1.Filter = "Файлы с базой (*.dat)|*.dat";
    OpenDialog1.DefaultExt = "dat";
    OpenDialog1.Options = FileDialog::FileMustExist | FileDialog::PathMustExist | FileDialog::HideReadOnly |
                          FileDialog::EnableSizing;
    SaveDialog1.InitialDir = Application::ExeFolder();
    OpenDialog1.InitialDir = Application::ExeFolder();
}

void TForm1::OpenAtStart() {
    SetTimer1Enabled(Settings.AutoSave);
    OpeningAtStart = Settings.AutoOpen;
    if (OpeningAtStart) {
        document_.BindTo(Settings.AutoOpenName);
        if (FileExists(document_.FileName())) {
            // An error shows in the error box; the window then opens with what was read.
            RunGuarded([this] { OpenAct.Execute(); });
        } else {
            // The file is gone: forget it, without a word. AutoOpen stays as it is.
            document_.Unbind();
            Settings.AutoOpenName.clear();
        }
    }
    OpeningAtStart = false;
}

// ---- The Modified mark and the title ------------------------------------------------------------------

void TForm1::SetModified(bool value) {
    if (value == document_.Modified()) {
        return;
    }
    document_.SetModified(value);
    SetStatusText(1, value ? "База изменена" : "");
}

void TForm1::ShowFileTitle() {
    SetWindowTextA(Handle(), (FileNameOf(document_.FileName()) + " - " + BaseCaption).c_str());
}

// ---- New, Open, Save -----------------------------------------------------------------------------------

void TForm1::NewActExecute() {
    if (document_.Busy()) {
        return;
    }
    // An error of the save ends New here, with nothing cleared.
    if (document_.Modified() && ConfirmBox(Handle(), "Сохранить?")) {
        SaveAct.Execute();
    }
    EmptyTables();
    GetCatalog().users.Clear();
    GetCatalog().items.Clear();
    ClearTypeFilter();
    FillFreeItems();
    FillUsers();
    FillUserItems();
    SetWindowTextA(Handle(), (BaseCaption + " - new").c_str());
    document_.Unbind();
    // The changed mark stays as it is: a change that was not saved is still marked for the empty catalogue.
}

void TForm1::OpenActExecute() {
    if (document_.Busy()) {
        return;
    }
    if (!OpeningAtStart) {
        const std::optional<std::string> path = OpenDialog1.Execute(Handle());
        if (!path) {
            return;
        }
        NewAct.Execute();
        document_.BindTo(*path);
    }
    {
        CatalogDocument::BusyScope busy(document_);
        ui::ProgressText progress(StatusBar1, kProgressPanel, "Открытие файла... Ждите...");
        // What was read, also before a fault, stays and is shown.
        ScopeExit finish([this] { FinishReading(); });
        document_.Read(dates_);
    }
    SetModified(false);
    ShowFileTitle();
    if (Settings.AutoOpenName.empty() &&
        ConfirmBox(Handle(), "Открывать эту базу автоматически при старте программы?")) {
        Settings.AutoOpenName = document_.FileName();
        Settings.AutoOpen = true;
    }
}

void TForm1::FinishReading() {
    SyncTypeFilter();
    FillFreeItems();
    FillUsers();
    FillUserItems();
}

void TForm1::SaveActExecute() {
    if (!document_.Modified() || document_.Busy()) {
        return;
    }
    CatalogDocument::BusyScope busy(document_);
    if (document_.FileName().empty()) {
        const std::optional<std::string> path = SaveDialog1.Execute(Handle());
        if (!path) {
            WarningBox(Handle(), "Сохранение не произведено!");
            return;
        }
        document_.BindTo(*path);
    }
    // Another copy of the program (or anything else) wrote the file after this one last read or wrote
    // it: replacing it would throw that away unseen. Autosave leaves it to the user's own Save, and the
    // note stays until a save or an opening succeeds (both clear the changed mark and with it the note).
    if (document_.FileChangedElsewhere()) {
        if (autoSaving_) {
            SetStatusText(1, "Файл базы изменён другой программой");
            return;
        }
        if (!ConfirmBox(Handle(), "Файл базы изменён другой программой после открытия. Заменить его?")) {
            WarningBox(Handle(), "Сохранение не произведено!");
            return;
        }
    }
    {
        ui::ProgressText progress(StatusBar1, kProgressPanel, "Сохранение... Ждите...");
        document_.Write(dates_);
    }
    SetModified(false);
    ShowFileTitle();
}

// ---- Autosave ------------------------------------------------------------------------------------------

void TForm1::Timer1Timer() {
    // The counter is never reset: from the AutoSaveMinutes-th tick on, every tick saves.
    if (AutoSaveTicks < INT32_MAX) {
        ++AutoSaveTicks;
    }
    // A tick during a save, an opening or any modal dialog only counts: it must not stack a second save
    // dialog on the first, nor save a catalogue that is half read.
    if (AutoSaveTicks >= Settings.AutoSaveMinutes && !document_.Busy() && !ModalDialogOpen()) {
        autoSaving_ = true;
        const ScopeExit done([this] { autoSaving_ = false; });
        SaveAct.Execute();
    }
}

bool TForm1::ModalDialogOpen() const {
    // A modal dialog disables the window it belongs to; a message box or file dialog of the thread
    // counts too, whoever owns it. The modeless find dialog does not.
    if (!IsWindowEnabled(Handle())) {
        return true;
    }
    ModalSearch search{FindDialog1.Handle()};
    EnumThreadWindows(GetCurrentThreadId(), FindModalDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- Closing -----------------------------------------------------------------------------------------

bool TForm1::FormCloseQuery() {
    // Not in the middle of writing or reading the catalogue.
    if (document_.Busy()) {
        return false;
    }
    // Cancel means closing without saving. An error of the save keeps the window open.
    if (document_.Modified() && ConfirmBox(Handle(), "Сохранить изменения?")) {
        SaveAct.Execute();
    }
    return !Settings.QExit || ConfirmBox(Handle(), "Выйти из программы?");
}

// ---- File menu -----------------------------------------------------------------------------------------

void TForm1::N1Click() {
    const bool filled = GetCatalog().users.Count() >= 1 && GetCatalog().items.Count() >= 1;
    SetFindMenuEnabled(filled);
    SetStatMenuEnabled(filled);
}

// ---- Settings file -------------------------------------------------------------------------------------

// The file keeps the sizes in design units, so that one file gives the same window at every display scale;
// the position stays in screen pixels.
MainGeometry TForm1::CurrentGeometry() const {
    MainGeometry g;
    RECT bounds{};
    if (IsZoomed(Handle()) || IsIconic(Handle())) {
        // The normal bounds, which the placement gives in work area coordinates.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(Handle(), &placement);
        bounds = placement.rcNormalPosition;
        const POINT offset = WorkAreaOffset(Handle());
        OffsetRect(&bounds, offset.x, offset.y);
    } else {
        GetWindowRect(Handle(), &bounds);
    }
    g.Left = bounds.left;
    g.Top = bounds.top;
    g.Width = scale_.Design(bounds.right - bounds.left);
    g.Height = scale_.Design(bounds.bottom - bounds.top);
    g.PanHeight = scale_.Design(panHeight_);
    g.PanWidth = scale_.Design(panWidth_);
    // Before the window is first shown, the state it will appear in.
    g.Maximized = IsZoomed(Handle()) || ShowMaximized;
    const ui::StringGrid* tables[] = {&StringGrid2, &StringGrid3, &StringGrid1};
    for (std::size_t i = 0; i < g.ColWidths.size(); ++i) {
        g.ColWidths[i] = scale_.Design(tables[kColumns[i].table]->ColWidth(kColumns[i].col));
    }
    return g;
}

void TForm1::PlaceBounds(const MainGeometry& g) {
    const MainGeometry now = CurrentGeometry();
    if (g.Left != now.Left || g.Top != now.Top || g.Width != now.Width || g.Height != now.Height) {
        if (IsZoomed(Handle()) || IsIconic(Handle())) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(Handle(), &placement);
            placement.rcNormalPosition =
                RECT{g.Left, g.Top, g.Left + scale_(g.Width), g.Top + scale_(g.Height)};
            const POINT offset = WorkAreaOffset(Handle());
            OffsetRect(&placement.rcNormalPosition, -offset.x, -offset.y);
            SetWindowPlacement(Handle(), &placement);
        } else {
            SetWindowPos(Handle(), nullptr, g.Left, g.Top, scale_(g.Width), scale_(g.Height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void TForm1::ApplyGeometry(const MainGeometry& g) {
    PlaceBounds(g);
    ApplyPanelsAndColumns(g);
    if (!IsWindowVisible(Handle())) {
        // Not shown yet: only the state in which it will appear.
        ShowMaximized = g.Maximized;
    } else if (g.Maximized != static_cast<bool>(IsZoomed(Handle()))) {
        ShowWindow(Handle(), g.Maximized ? SW_MAXIMIZE : SW_RESTORE);
    }
}

void TForm1::ApplyPanelsAndColumns(const MainGeometry& g) {
    SetPanHeight(scale_(g.PanHeight));
    SetPanWidth(scale_(g.PanWidth));
    // A column no wider than the screen, in the screen's pixels.
    const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ui::StringGrid* tables[] = {&StringGrid2, &StringGrid3, &StringGrid1};
    for (std::size_t i = 0; i < g.ColWidths.size(); ++i) {
        tables[kColumns[i].table]->SetColWidth(kColumns[i].col,
                                               ShownColWidth(scale_(g.ColWidths[i]), screen));
    }
}

void TForm1::LoadSaveSettings(bool read) {
    ProfileFile file(settingsPath_);
    if (read) {
        MainGeometry window = CurrentGeometry();
        // The system keeps the window near the screen's size whatever the file asks; the panels must fit
        // the window it really is.
        auto place = [this](MainGeometry& g) {
            PlaceBounds(g);
            const MainGeometry now = CurrentGeometry();
            g.Left = now.Left;
            g.Top = now.Top;
            g.Width = now.Width;
            g.Height = now.Height;
        };
        ReadSettings(file, Settings, window,
                     ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, place);
        ApplyGeometry(window);
    } else {
        WriteSettings(file, Settings, CurrentGeometry());
    }
}
