#pragma once
// The catalog file (".dat"): plain text, one field per line, every line ending in CR LF.
//
//   per debtor:  Id, Name, EMail
//   the line     ***
//   per item:    Id, Description, ItemType, LentDate (short date text), HolderId (0 = free)
//
// No header and no counts: the separator and the end of the file end the two blocks.

#include "catalog/Catalog.h"
#include "catalog/FileSnapshot.h"
#include "text/ShortDate.h"

#include <string>
#include <string_view>
#include <vector>

// The catalogue as the bytes of a catalog file. An empty catalogue is the single line "***".
std::string SerializeCatalog(const Catalog& catalog, const ShortDateFormat& dates);

// Reads catalog file bytes into `catalog`, whose lists the caller has emptied. A line ends at LF, every CR
// is dropped, a Ctrl+Z byte ends the file, and a missing last line end is accepted; a line asked for after
// the end of the file is empty. Each item's type goes into the type list; each debtor's ItemCount counts
// the items that name its Id. Both lists are sorted at the end, also when a line fails to convert: then
// the records completed before that line stay, the one being built is dropped, and ConvertError is raised.
void ParseCatalog(std::string_view bytes, Catalog& catalog, const ShortDateFormat& dates);

// Reads and writes catalog files, protecting one that failed to load: the partial catalogue stays bound to
// that file, and a save would replace the part that was never read. So before the first write that would
// replace such a file, a copy of it is kept beside it under its name with ".bak" appended.
//
// It also remembers what it last read or wrote, so that a save can first ask whether another program has
// written that file since (ChangedElsewhere).
class CatalogFiles {
  public:
    // ParseCatalog on the bytes of the file (I/O failures raise InOutError); when it fails, the file is
    // remembered for a copy before it is replaced. New files that ended runs left beside it go first
    // (RemoveLeftoverFiles), as they do before every write. Bytes that were read are remembered as the
    // file's contents, also when they fail to convert.
    void Read(const std::string& path, Catalog& catalog, const ShortDateFormat& dates);
    // Writes SerializeCatalog's bytes so that the old file is replaced only once the new one is complete on
    // the disk, after copying a remembered file to path + ".bak" (once). If the copy fails, its error is
    // raised, nothing is written, and the file stays remembered. What was written is remembered as the
    // file's contents.
    void Write(const std::string& path, const Catalog& catalog, const ShortDateFormat& dates);

    // True while a write to `path` would first make the copy.
    bool NeedsBackup(const std::string& path) const;

    // True when `path` is the file last read or written here and another program has written other bytes
    // to it since (FileSnapshot::Changed).
    bool ChangedElsewhere(const std::string& path) { return last_.Changed(path); }

  private:
    std::vector<std::string> failedReads_;
    FileSnapshot last_;
};
