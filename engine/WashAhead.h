#pragma once
// Quick deletes done while a wash's listing still goes on, so that deleting starts with the
// first file found instead of after the last, on threads of their own beside the listing. The
// log's rows keep their order: the file wash (WashFileList) takes each row's result from here
// when it reaches the row, and treats a file that could not go ahead (held open, read-only, a
// link) as it treats any other.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

class WashAhead {
public:
    static constexpr int DefaultThreads = 3;

    // openLog: the wash log is opened before the first deletion (not before: a wash that ends
    // before deleting anything leaves no block); when it cannot be opened nothing is deleted
    // ahead, and the wash itself meets the error before it deletes anything.
    explicit WashAhead(bool openLog, int threads = DefaultThreads)
        : openLog_(openLog), threads_(threads < 1 ? 1 : threads) {}
    // Waits for the deletes already asked for.
    ~WashAhead();
    WashAhead(const WashAhead&) = delete;
    WashAhead& operator=(const WashAhead&) = delete;

    // Deletes the file at path (full, UTF-8) soon, the way the wash itself would; remembered
    // when it is gone.
    void Delete(const std::string& path);
    // True once for a path deleted ahead, letter case ignored: its row counts as washed. A second
    // row of the same file finds it gone, as it would without deleting ahead. Waits for every
    // delete asked for first.
    bool Take(const std::string& path);
    // Paths deleted ahead that no row has taken yet, sorted (once every delete is done).
    std::vector<std::string> Untaken();

    // Called once, on the caller's thread, when the first delete has been handed to the threads.
    std::function<void()> OnStarted;

private:
    void Work();
    // Waits until every delete asked for is done.
    void Finish();

    bool openLog_;
    const int threads_;
    bool stopped_ = false;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE work_ = CONDITION_VARIABLE_INIT, idle_ = CONDITION_VARIABLE_INIT;
    std::deque<std::string> waiting_;
    int busy_ = 0;
    bool stop_ = false;
    std::vector<std::thread> pool_;
    // The paths deleted, by their text with ASCII letters upper case.
    std::unordered_map<std::string, std::string> deleted_;
};

// Writes a washed row to the open log for each file deleted ahead that no row took (a wash that
// ended before it reached them), so that nothing goes without its row.
void LogUntakenWashAhead(WashAhead& ahead);
