#pragma once
// The catalogue as the main window's document: New, Open, Save, autosave, the close query, the changed
// mark and the title, the opening of the last catalogue at start, and the settings file. Every change of
// the records goes through Do: the commands ask their questions, make a step and hand it over here.

#include "catalog/Document.h"
#include "platform/FileDialog.h"
#include "settings/Settings.h"
#include "text/ShortDate.h"
#include "ui/StatusBar.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class MainTables;

// What the document asks of the window that shows it.
class DocumentHost {
  public:
    // The window's shape as the settings file keeps it; putting a stored shape back; only its outer
    // bounds (the window may take others: CurrentGeometry tells).
    virtual MainGeometry CurrentGeometry() const = 0;
    virtual void ApplyGeometry(const MainGeometry& geometry) = 0;
    virtual void PlaceBounds(const MainGeometry& geometry) = 0;
    // A modal dialog of the program is open (a message box, a file dialog, the editor): an autosave
    // tick must not open another one.
    virtual bool ModalDialogOpen() const = 0;

  protected:
    ~DocumentHost() = default;
};

class MainDocument {
  public:
    // The status bar's panels that the document writes: the note ("База изменена") and the progress.
    static constexpr int kNotePanel = 1;
    static constexpr int kProgressPanel = 2;

    MainDocument(std::string settingsPath, ShortDateFormat dates);

    // The window, its status bar and its tables, once they exist; `caption` is the product name, the base
    // of every title.
    void Attach(HWND window, ui::StatusBar& statusBar, MainTables& tables, DocumentHost& host,
                std::string caption);

    Catalog& Data() { return document_.Data(); }
    const Catalog& Data() const { return document_.Data(); }
    const ShortDateFormat& Dates() const { return dates_; }
    const std::string& FileName() const { return document_.FileName(); }
    const LoanHistory& History() const { return document_.History(); }

    // Applies the step, keeps it, marks the catalogue changed and shows the change in the tables.
    void Do(std::unique_ptr<Step> step);

    // Takes back the newest change, or does again the one taken back last, asking nothing; the tables show
    // the records it concerns, and the changed mark follows (off when back at what was last read or
    // saved). The step each would take, or nullptr.
    void Undo();
    void Redo();
    const Step* NextUndo() const { return document_.NextUndo(); }
    const Step* NextRedo() const { return document_.NextRedo(); }

    void New();
    void Open();
    void Save();
    // A tick of the autosave timer.
    void AutosaveTick();
    // Whether the window may close: the save question, then the exit question.
    bool CloseQuery();
    // At the end of the window's creation: the last catalogue, when the settings say so.
    void OpenAtStart();
    // Before the window's end: the settings file written (errors dropped, as at every exit), the
    // catalogue emptied.
    void Close(bool writeSettings);

    void SetModified(bool value);
    // The title of a new catalogue: "<product name> - new".
    void ShowNewTitle();
    void LoadSaveSettings(bool read);

  private:
    // The end of every reading, whether it succeeded or failed: the type filter and the three tables
    // show what was read, and the progress text goes.
    void FinishReading();
    // Title "<file name> - <product name>" for the file now bound to the catalogue.
    void ShowFileTitle();
    void SetNote(const std::string& text);
    void TakeTurn(const Step* (CatalogDocument::*turn)(), bool applied);

    CatalogDocument document_;
    std::string settingsPath_;
    ShortDateFormat dates_; // the user's short date format: lent dates, the catalog file
    HWND window_ = nullptr;
    ui::StatusBar* statusBar_ = nullptr;
    MainTables* tables_ = nullptr;
    DocumentHost* host_ = nullptr;
    std::string BaseCaption;
    bool OpeningAtStart = false;
    std::int32_t AutoSaveTicks = 0; // ticks of the autosave timer, never reset
    bool autoSaving_ = false; // the running Save is the timer's: it leaves a file changed elsewhere alone
    FileDialog OpenDialog1{FileDialog::Kind::Open};
    FileDialog SaveDialog1{FileDialog::Kind::Save};
};
