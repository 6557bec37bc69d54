#pragma once
// Bringing picture files into the slots of the document: from the open dialog's list, from
// files dropped on the window and from the command line.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/graphic.h"
#include "core/slot_document.h"
#include "picture_reading.h"
#include "skipped_files.h"

namespace quilmo {

class TSlotLoader {
public:
    explicit TSlotLoader(TSlotDocument& document);

    // Lower-case extensions with their dot that a drop accepts; plug-ins add theirs.
    std::vector<std::string> FExtensions;
    // The folder of the last pictures opened or dropped.
    std::filesystem::path FLastDir;

    void ResetExtensions();
    // The name's LowerExt, or what of it a plug-in's extension field holds, is in FExtensions.
    bool IsKnownExtension(const std::string& name) const;

    // Fill slots from the count onward with the files of names that exist and can be read;
    // rebuild when anything was read, else leave the document as it is. Plug-in failures are
    // shown as they happen; afterwards one message lists every file passed over and why.
    void LoadFiles(const std::vector<std::string>& names);
    // Decode one file; no picture when it cannot be read, which is shown.
    TNamedPicture ReadPicture(const std::string& name);
    // Shows the message for a plug-in error code with the name of the file that failed; nothing
    // for 0. Always true.
    bool ShowLoadError(const std::string& name, int32_t code);

    // Files dropped on the window: known, existing ones are loaded in name order.
    void DropFiles(const std::vector<std::string>& names);
    // The program's arguments, rejoined into names that exist, loaded in that order; the
    // names never found are listed with the files that could not be read.
    void LoadCommandLine(const std::vector<std::string>& arguments);

private:
    void Load(const std::vector<std::string>& names, std::vector<TSkippedFile> skipped);
    // The picture of a read; none when the file could not be read, which is added to skipped
    // (plug-in failures are shown as well).
    TNamedPicture Accept(const std::string& name, TPictureRead read, std::vector<TSkippedFile>& skipped);
    void ShowSkipped(const std::vector<TSkippedFile>& skipped);

    TSlotDocument& FDocument;
};

struct TCommandLineNames {
    std::vector<std::string> Files;     // absolute
    std::vector<std::string> NotFound;  // as given
};

// An argument that names a file is taken as it is. Arguments that do not are joined with the
// following ones, blank-separated, until they do (names split at their blanks); the longest
// such name wins, and the pieces before it were never found.
TCommandLineNames RejoinArguments(const std::vector<std::string>& arguments);

// Sorted by the full names, ignoring letter case.
void SortNamesIgnoringCase(std::vector<std::string>& names);

}  // namespace quilmo
