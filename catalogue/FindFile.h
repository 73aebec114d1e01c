#pragma once
// TFindFile: a synchronous file search over one or more folder + mask specifications, with an
// attribute filter and exclusion masks. Folders that are reparse points (junctions, symbolic
// links, mount points) are never entered.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/ExclusionMask.h"
#include "platform/Error.h"

enum TFileAttribute : unsigned {
    ffArchive = 1,
    ffReadonly = 2,
    ffHidden = 4,
    ffSystem = 8,
    ffDirectory = 16,
};
// A set of TFileAttribute values.
using TFileAttributes = unsigned;

class EFindFileError : public AppError {
public:
    using AppError::AppError;
};

class TFindFile;
// Receives the sender, the folder (no final "\" unless it is a drive root) and the entry.
using TFindFileFoundEvent =
    std::function<void(TFindFile& sender, const std::string& folder, const WIN32_FIND_DATAA& entry)>;

class TFindFile {
public:
    TFindFile() = default;
    TFindFile(const TFindFile&) = delete;
    TFindFile& operator=(const TFindFile&) = delete;

    const std::string& Filename() const { return filename_; }
    // A text with a folder part raises EFindFileError.
    void SetFilename(const std::string& value);
    const std::string& Location() const { return location_; }
    // A text with "*" or "?" raises EFindFileError.
    void SetLocation(const std::string& value);

    std::vector<std::string> IncludeFiles;
    std::vector<std::string> ExcludeFiles;
    TFileAttributes Attributes = ffArchive | ffReadonly | ffHidden | ffSystem;
    bool ExactAttribute = false;
    bool Subfolders = true;
    TFindFileFoundEvent OnFound;

    // Runs the search to its end; returns at once while a search of this object is running.
    // Any error during the walk, one from OnFound included, ends the search quietly.
    void Execute();
    // Ends the running search after the current entry.
    void Abort() { aborted_ = true; }
    bool Busy() const { return busy_; }
    bool Aborted() const { return aborted_; }

private:
    std::vector<std::string> MakeTargets() const;
    void SearchTarget(const std::string& target);
    void Scan(const char* mask);
    bool Accepts(const WIN32_FIND_DATAA& entry) const;
    bool Excluded(const char* name) const;
    void Report(const WIN32_FIND_DATAA& entry);

    std::string filename_ = "*.*";
    std::string location_;
    bool busy_ = false;
    bool aborted_ = false;

    // Working state of one search, kept to avoid allocations per entry.
    std::vector<ExclusionMask> masks_;
    std::string path_;    // the folder being listed, with its final "\"
    std::string folder_;  // the folder as reported
    std::string subfolders_;  // names of subfolders still to enter, each ended by a NUL
    bool wholeFolder_ = false;
};
