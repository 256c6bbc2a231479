#include "catalog/Document.h"

#include "files/FileIO.h"
#include "text/Errors.h"
#include "text/ScopeExit.h"

const Step& CatalogDocument::Do(std::unique_ptr<Step> step) {
    step->Apply(catalog_);
    steps_.resize(done_);
    changes_.resize(done_);
    changes_.push_back(history_.Record(*step));
    if (clean_ > done_) {
        clean_ = kNoClean;
    }
    steps_.push_back(std::move(step));
    ++done_;
    modified_ = true;
    return *steps_.back();
}

const Step* CatalogDocument::Undo() {
    if (done_ == 0) {
        return nullptr;
    }
    Step& step = *steps_[done_ - 1];
    step.Undo(catalog_);
    history_.Undo(changes_[done_ - 1]);
    --done_;
    modified_ = done_ != clean_;
    return &step;
}

const Step* CatalogDocument::Redo() {
    if (done_ == steps_.size()) {
        return nullptr;
    }
    Step& step = *steps_[done_];
    step.Apply(catalog_);
    changes_[done_] = history_.Record(step);
    ++done_;
    modified_ = done_ != clean_;
    return &step;
}

void CatalogDocument::Clear() {
    catalog_.Clear();
    steps_.clear();
    changes_.clear();
    history_.Clear();
    historyFile_ = false;
    historyDamaged_ = false;
    historyBackup_.clear();
    done_ = 0;
    clean_ = modified_ ? kNoClean : 0;
}

void CatalogDocument::Read(const ShortDateFormat& dates) {
    steps_.clear();
    changes_.clear();
    done_ = 0;
    clean_ = 0;
    ReadHistory();
    // Also when the catalog file fails part way: the history follows what was read of it, and its file is
    // kept as the catalog file is.
    bool whole = false;
    const ScopeExit reconcile([&] {
        if (!whole && historyFile_) {
            historyBackup_ = HistoryPath(fileName_);
        }
        history_.Reconcile(catalog_);
    });
    files_.Read(fileName_, catalog_, dates);
    whole = true;
}

void CatalogDocument::ReadHistory() {
    history_.Clear();
    historyBackup_.clear();
    const std::string path = HistoryPath(fileName_);
    historyFile_ = FileExists(path);
    historyDamaged_ = false;
    if (!historyFile_) {
        return;
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const InOutError&) {
        // Unreadable counts as damaged: the catalogue opens all the same.
    }
    if (ParseHistory(bytes, FileNameOf(fileName_), history_)) {
        history_.Remember(std::move(bytes));
    } else {
        historyDamaged_ = true;
        historyBackup_ = path;
    }
}

void CatalogDocument::Write(const ShortDateFormat& dates) {
    files_.Write(fileName_, catalog_, dates);
    WriteHistory();
    clean_ = done_;
}

void CatalogDocument::WriteHistory() {
    // A history file found where none was read belongs to a catalogue this one replaced: it goes too.
    const std::string path = HistoryPath(fileName_);
    if (!historyFile_ && !history_.Eventful() && !FileExists(path)) {
        return;
    }
    if (historyBackup_ == path && FileExists(path)) {
        CopyFileBytes(path, path + ".bak");
    }
    historyBackup_.clear();
    std::string bytes = SerializeHistory(history_, FileNameOf(fileName_));
    ReplaceFileBytes(path, bytes);
    history_.Remember(std::move(bytes));
    historyFile_ = true;
}
