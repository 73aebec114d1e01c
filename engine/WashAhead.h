#pragma once
// Quick deletes done while a wash's listing still goes on, so that deleting starts with the
// first file found instead of after the last. The log's rows keep their order: the file wash
// (WashFileList) takes each row's result from here when it reaches the row, and treats a file
// that could not go ahead (held open, read-only) as it treats any other.
#include <string>
#include <unordered_map>
#include <vector>

class WashAhead {
public:
    // openLog: the wash log is opened before the first deletion (not before: a wash that ends
    // before deleting anything leaves no block); when it cannot be opened nothing is deleted
    // ahead, and the wash itself meets the error before it deletes anything.
    explicit WashAhead(bool openLog) : openLog_(openLog) {}
    // Deletes the file at path (full, UTF-8) now; remembered when it is gone.
    void Delete(const std::string& path);
    // True once for a path deleted ahead, letter case ignored: its row counts as washed. A second
    // row of the same file finds it gone, as it would without deleting ahead.
    bool Take(const std::string& path);
    // Paths deleted ahead that no row has taken yet, sorted.
    std::vector<std::string> Untaken() const;
    bool Empty() const { return deleted_.empty(); }

private:
    bool openLog_;
    bool stopped_ = false;
    // The paths by their text with ASCII letters upper case.
    std::unordered_map<std::string, std::string> deleted_;
};

// Writes a washed row to the open log for each file deleted ahead that no row took (a wash that
// ended before it reached them), so that nothing goes without its row.
void LogUntakenWashAhead(const WashAhead& ahead);
