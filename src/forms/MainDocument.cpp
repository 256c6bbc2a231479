// The catalogue as a document: New, Open, Save, autosave, the close query, the Modified mark, the
// opening of the last catalogue at start, and the settings file.

#include "forms/MainDocument.h"

#include "files/FileIO.h"
#include "forms/MainTables.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/ProfileFile.h"
#include "platform/Window.h"
#include "text/ScopeExit.h"

#include <climits>

MainDocument::MainDocument(std::string settingsPath, ShortDateFormat dates)
    : settingsPath_(std::move(settingsPath)), dates_(std::move(dates)) {
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

void MainDocument::Attach(HWND window, ui::StatusBar& statusBar, MainTables& tables, DocumentHost& host,
                          std::string caption) {
    window_ = window;
    statusBar_ = &statusBar;
    tables_ = &tables;
    host_ = &host;
    BaseCaption = std::move(caption);
}

void MainDocument::OpenAtStart() {
    OpeningAtStart = Settings.AutoOpen;
    if (OpeningAtStart) {
        document_.BindTo(Settings.AutoOpenName);
        if (FileExists(document_.FileName())) {
            // An error shows in the error box; the window then opens with what was read.
            RunGuarded([this] { Open(); });
        } else {
            // The file is gone: forget it, without a word. AutoOpen stays as it is.
            document_.Unbind();
            Settings.AutoOpenName.clear();
        }
    }
    OpeningAtStart = false;
}

void MainDocument::Close(bool writeSettings) {
    // Errors at exit are dropped: the program ends as usual.
    if (writeSettings) {
        try {
            LoadSaveSettings(false);
        } catch (...) {
        }
    }
    tables_->Empty();
    document_.Clear();
}

// ---- The one door, the Modified mark and the title -------------------------------------------------------

void MainDocument::Do(std::unique_ptr<Step> step) {
    if (!step) {
        return;
    }
    const StepKind kind = step->Kind();
    const bool wasModified = document_.Modified();
    document_.Do(std::move(step));
    tables_->ShowStep(kind);
    // A note already there (the file changed elsewhere, which autosave left alone) stays.
    if (!wasModified) {
        SetNote("База изменена");
    }
}

void MainDocument::Undo() {
    TakeTurn(&CatalogDocument::Undo, false);
}

void MainDocument::Redo() {
    TakeTurn(&CatalogDocument::Redo, true);
}

void MainDocument::TakeTurn(const Step* (CatalogDocument::*turn)(), bool applied) {
    if (document_.Busy()) {
        return;
    }
    const bool wasModified = document_.Modified();
    const Step* step = (document_.*turn)();
    if (!step) {
        return;
    }
    // A type the step brought stays in the filter's list also when the step is taken back.
    tables_->ShowTypes();
    tables_->FillAll();
    const Step::Concerned records = step->Records(document_.Data(), applied);
    tables_->ShowRecords(records.debtor, records.item);
    if (document_.Modified() != wasModified) {
        SetNote(document_.Modified() ? "База изменена" : "");
    }
}

void MainDocument::SetModified(bool value) {
    if (value == document_.Modified()) {
        return;
    }
    document_.SetModified(value);
    SetNote(value ? "База изменена" : "");
}

void MainDocument::SetNote(const std::string& text) {
    statusBar_->SetText(kNotePanel, text);
}

void MainDocument::ShowFileTitle() {
    SetWindowTextA(window_, (FileNameOf(document_.FileName()) + " - " + BaseCaption).c_str());
}

void MainDocument::ShowNewTitle() {
    SetWindowTextA(window_, (BaseCaption + " - new").c_str());
}

// ---- New, Open, Save -----------------------------------------------------------------------------------

void MainDocument::New() {
    if (document_.Busy()) {
        return;
    }
    // An error of the save ends New here, with nothing cleared.
    if (document_.Modified() && ConfirmBox(window_, "Сохранить?")) {
        Save();
    }
    tables_->Empty();
    document_.Clear();
    tables_->SyncTypes();
    tables_->FillAll();
    ShowNewTitle();
    document_.Unbind();
    // The changed mark stays as it is: a change that was not saved is still marked for the empty catalogue.
}

void MainDocument::Open() {
    if (document_.Busy()) {
        return;
    }
    if (!OpeningAtStart) {
        const std::optional<std::string> path = OpenDialog1.Execute(window_);
        if (!path) {
            return;
        }
        New();
        document_.BindTo(*path);
    }
    {
        CatalogDocument::BusyScope busy(document_);
        ui::ProgressText progress(*statusBar_, kProgressPanel, "Открытие файла... Ждите...");
        // What was read, also before a fault, stays and is shown.
        ScopeExit finish([this] { FinishReading(); });
        document_.Read(dates_);
    }
    SetModified(false);
    ShowFileTitle();
    if (document_.HistoryDamaged()) {
        const std::string path = HistoryPath(document_.FileName());
        WarningBox(window_,
                   "Историю выдач не удалось прочитать полностью из файла\n" + path +
                       "\nПоказано то, что удалось прочитать. Перед первой записью файл будет сохранён "
                       "под именем\n" +
                       path + ".bak");
    }
    if (Settings.AutoOpenName.empty() &&
        ConfirmBox(window_, "Открывать эту базу автоматически при старте программы?")) {
        Settings.AutoOpenName = document_.FileName();
        Settings.AutoOpen = true;
    }
}

void MainDocument::FinishReading() {
    tables_->SyncTypes();
    tables_->FillAll();
}

void MainDocument::Save() {
    if (!document_.Modified() || document_.Busy()) {
        return;
    }
    CatalogDocument::BusyScope busy(document_);
    if (document_.FileName().empty()) {
        const std::optional<std::string> path = SaveDialog1.Execute(window_);
        if (!path) {
            WarningBox(window_, "Сохранение не произведено!");
            return;
        }
        document_.BindTo(*path);
    }
    // Another copy of the program (or anything else) wrote the file after this one last read or wrote
    // it: replacing it would throw that away unseen. Autosave leaves it to the user's own Save, and the
    // note stays until a save or an opening succeeds (both clear the changed mark and with it the note).
    if (document_.FileChangedElsewhere()) {
        if (autoSaving_) {
            SetNote("Файл базы изменён другой программой");
            return;
        }
        if (!ConfirmBox(window_, "Файл базы изменён другой программой после открытия. Заменить его?")) {
            WarningBox(window_, "Сохранение не произведено!");
            return;
        }
    }
    {
        ui::ProgressText progress(*statusBar_, kProgressPanel, "Сохранение... Ждите...");
        document_.Write(dates_);
    }
    SetModified(false);
    ShowFileTitle();
}

// ---- Autosave ------------------------------------------------------------------------------------------

void MainDocument::AutosaveTick() {
    // The counter is never reset: from the AutoSaveMinutes-th tick on, every tick saves.
    if (AutoSaveTicks < INT32_MAX) {
        ++AutoSaveTicks;
    }
    // A tick during a save, an opening or any modal dialog only counts: it must not stack a second save
    // dialog on the first, nor save a catalogue that is half read.
    if (AutoSaveTicks >= Settings.AutoSaveMinutes && !document_.Busy() && !host_->ModalDialogOpen()) {
        autoSaving_ = true;
        const ScopeExit done([this] { autoSaving_ = false; });
        Save();
    }
}

// ---- Closing -----------------------------------------------------------------------------------------

bool MainDocument::CloseQuery() {
    // Not in the middle of writing or reading the catalogue.
    if (document_.Busy()) {
        return false;
    }
    // Cancel means closing without saving. An error of the save keeps the window open.
    if (document_.Modified() && ConfirmBox(window_, "Сохранить изменения?")) {
        Save();
    }
    return !Settings.QExit || ConfirmBox(window_, "Выйти из программы?");
}

// ---- Settings file -------------------------------------------------------------------------------------

void MainDocument::LoadSaveSettings(bool read) {
    ProfileFile file(settingsPath_);
    if (read) {
        MainGeometry window = host_->CurrentGeometry();
        // The system keeps the window near the screen's size whatever the file asks; the panels must fit
        // the window it really is.
        auto place = [this](MainGeometry& g) {
            host_->PlaceBounds(g);
            const MainGeometry now = host_->CurrentGeometry();
            g.Left = now.Left;
            g.Top = now.Top;
            g.Width = now.Width;
            g.Height = now.Height;
        };
        ReadSettings(file, Settings, window,
                     ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, place);
        host_->ApplyGeometry(window);
    } else {
        WriteSettings(file, Settings, host_->CurrentGeometry());
    }
}
