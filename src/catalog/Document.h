#pragma once
// The catalogue as a document: the records, the catalog file they are bound to, whether they changed
// since that file was last read or written, and whether a reading or a writing is under way.

#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"

#include <string>
#include <utility>

class CatalogDocument {
  public:
    Catalog& Data() { return catalog_; }
    const Catalog& Data() const { return catalog_; }

    // The catalog file's path; empty while the catalogue is new (bound to no file).
    const std::string& FileName() const { return fileName_; }
    void BindTo(std::string path) { fileName_ = std::move(path); }
    void Unbind() { fileName_.clear(); }

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
    // to load keeps a copy before it is first replaced (CatalogFiles). Errors are raised as they are.
    void Read(const ShortDateFormat& dates) { files_.Read(fileName_, catalog_, dates); }
    void Write(const ShortDateFormat& dates) { files_.Write(fileName_, catalog_, dates); }
    // Another program has written the bound file since this document last read or wrote it: a write would
    // throw that away. False for a file that is gone, or one this document never read nor wrote.
    bool FileChangedElsewhere() { return files_.ChangedElsewhere(fileName_); }

  private:
    Catalog catalog_;
    std::string fileName_;
    bool modified_ = false;
    bool busy_ = false;
    CatalogFiles files_;
};
