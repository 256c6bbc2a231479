#pragma once
// The catalogue as a document: the records, the catalog file they are bound to, whether they changed
// since that file was last read or written, the steps that changed them since they were read (or made
// new), and whether a reading or a writing is under way. Every change of the records while the program
// runs comes through Do.

#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/LoanHistory.h"
#include "catalog/Steps.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CatalogDocument {
  public:
    Catalog& Data() { return catalog_; }
    const Catalog& Data() const { return catalog_; }

    // The catalog file's path; empty while the catalogue is new (bound to no file).
    const std::string& FileName() const { return fileName_; }
    void BindTo(std::string path) { fileName_ = std::move(path); }
    void Unbind() { fileName_.clear(); }

    // Applies the step to the records, keeps it as the newest step done (dropping the steps taken back,
    // which can no longer be done again), and marks the catalogue changed. A step that fails to apply
    // raises its error and is not kept.
    const Step& Do(std::unique_ptr<Step> step);
    // Takes back the newest step done, or does again the step taken back last; the step, or nullptr when
    // there is none. The changed mark is off exactly when the records are back at what was last read or
    // written.
    const Step* Undo();
    const Step* Redo();
    // The step Undo and Redo would take, or nullptr.
    const Step* NextUndo() const { return done_ > 0 ? steps_[done_ - 1].get() : nullptr; }
    const Step* NextRedo() const { return done_ < steps_.size() ? steps_[done_].get() : nullptr; }
    // The steps since the catalogue was read or made new, oldest first: the first StepsDone() of them are
    // done, the rest taken back.
    const std::vector<std::unique_ptr<Step>>& Steps() const { return steps_; }
    std::size_t StepsDone() const { return done_; }

    // The loan history: the one read with the catalogue, with what the steps done recorded.
    const LoanHistory& History() const { return history_; }
    // The history file could not be read in full at the last reading (cut short, damaged, another
    // catalogue's, unreadable): what could be read is used, and the file is copied beside itself (with
    // ".bak") before it is first replaced.
    bool HistoryDamaged() const { return historyDamaged_; }

    // Empties the catalogue (records, type list, steps, history), as New and the end of the program do; the
    // file it is bound to and the changed mark stay. An empty catalogue still marked changed has no state
    // that was read or written to come back to.
    void Clear();

    // The changed mark.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // A reading or a writing, with whatever it asks of the user, is under way: while it lets pending
    // messages through, no timer tick, key or close request may start another one.
    bool Busy() const { return busy_; }
    // Marks the document busy for its lifetime.
    class BusyScope {
      public:
        explicit BusyScope(CatalogDocument& document) : busy_(document.busy_) { busy_ = true; }
        ~BusyScope() { busy_ = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        bool& busy_;
    };

    // Reads the bound file into the emptied catalogue, or writes the catalogue to it; a file that failed
    // to load keeps a copy before it is first replaced (CatalogFiles). Errors are raised as they are. The
    // history file beside it is read with it (never an error: see HistoryDamaged), and written after it
    // once the history holds anything the catalog file does not.
    void Read(const ShortDateFormat& dates);
    void Write(const ShortDateFormat& dates);
    // Another program has written the bound file since this document last read or wrote it: a write would
    // throw that away. False for a file that is gone, or one this document never read nor wrote.
    bool FileChangedElsewhere() { return files_.ChangedElsewhere(fileName_); }

  private:
    void ReadHistory();
    void WriteHistory();

    Catalog catalog_;
    static constexpr std::size_t kNoClean = static_cast<std::size_t>(-1);
    std::vector<std::unique_ptr<Step>> steps_;
    std::vector<HistoryChange> changes_; // what each step done recorded in the history
    LoanHistory history_;
    bool historyFile_ = false;    // the history file was there at the reading, or has been written
    bool historyDamaged_ = false; // see HistoryDamaged
    std::string historyBackup_;   // the history file to copy before it is first replaced, or empty
    std::size_t done_ = 0;        // the steps done; those after them were taken back
    std::size_t clean_ = 0;       // the steps done when the records were last read or written, or kNoClean
    std::string fileName_;
    bool modified_ = false;
    bool busy_ = false;
    CatalogFiles files_;
};
