#pragma once
// FileSearch: a synchronous file search over one or more folder + mask specifications, with an
// attribute filter and exclusion masks. Folders that are reparse points (junctions, symbolic
// links, mount points) are never entered.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/ExclusionMask.h"
#include "platform/Error.h"

enum FileAttribute : unsigned {
    AttrArchive = 1,
    AttrReadOnly = 2,
    AttrHidden = 4,
    AttrSystem = 8,
    AttrDirectory = 16,
};
// A set of FileAttribute values.
using FileAttributeSet = unsigned;

class FileSearchError : public AppError {
public:
    using AppError::AppError;
};

class FileSearch;
// Receives the sender, the folder (no final "\" unless it is a drive root) and the entry.
// Texts are UTF-8. The entry's cFileName holds the name when it fits in its fixed field and is
// empty otherwise; the sender's FoundName() always holds the whole name.
using FileFoundEvent =
    std::function<void(FileSearch& sender, const std::string& folder, const WIN32_FIND_DATAA& entry)>;

class FileSearch {
public:
    FileSearch() = default;
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    const std::string& Filename() const { return filename_; }
    // A text with a folder part raises FileSearchError.
    void SetFilename(const std::string& value);
    const std::string& Location() const { return location_; }
    // A text with "*" or "?" raises FileSearchError.
    void SetLocation(const std::string& value);

    std::vector<std::string> IncludeFiles;
    std::vector<std::string> ExcludeFiles;
    FileAttributeSet Attributes = AttrArchive | AttrReadOnly | AttrHidden | AttrSystem;
    bool ExactAttribute = false;
    bool Subfolders = true;
    FileFoundEvent OnFound;

    // Runs the search to its end; returns at once while a search of this object is running.
    // Any error during the walk, one from OnFound included, ends the search quietly.
    void Execute();
    bool Busy() const { return busy_; }
    bool Aborted() const { return aborted_; }
    // The name of the entry being reported, in UTF-8, whatever its length.
    const std::string& FoundName() const { return name_; }

private:
    std::vector<std::string> MakeTargets() const;
    void SearchTarget(const std::string& target);
    void Scan(const char* mask);
    const std::string& EntryName(const WIN32_FIND_DATAW& entry);
    bool Accepts(const WIN32_FIND_DATAW& entry) const;
    bool Excluded(const char* name) const;
    void Report(const WIN32_FIND_DATAW& entry);

    std::string filename_ = "*.*";
    std::string location_;
    bool busy_ = false;
    bool aborted_ = false;

    // Working state of one search, kept to avoid allocations per entry.
    std::vector<ExclusionMask> masks_;
    std::string path_;    // the folder being listed, with its final "\"
    std::string folder_;  // the folder as reported
    std::string name_;    // the current entry's name in UTF-8
    std::string subfolders_;  // names of subfolders still to enter, each ended by a NUL
    bool wholeFolder_ = false;
};
