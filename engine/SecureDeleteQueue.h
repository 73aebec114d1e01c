#pragma once
// Secure deletes of a list, several at once: most of a secure delete is waiting for the disk
// (the flush that puts the overwrite on it before the file is emptied), and flushes that wait
// together share the disk's commits and the second core. Each file still goes through every
// step of SecureDeleteFile in its order; results come back in the order the files were added.
#include <windows.h>

#include <deque>
#include <string>
#include <thread>
#include <vector>

class SecureDeleteQueue {
public:
    enum class Outcome {
        Deleted,
        Failed,   // Error holds the failed call's error
        Missing,  // no file of that name (gone, or a folder): nothing done
    };
    struct Result {
        int Row = -1;
        std::string Path;
        Outcome What = Outcome::Missing;
        DWORD Error = 0;
    };

    static constexpr int DefaultThreads = 8;
    // Files added and not yet taken back with Next: the caller keeps it at most this many.
    static constexpr size_t DefaultWindow = 16;

    explicit SecureDeleteQueue(int threads = DefaultThreads) : threads_(threads < 1 ? 1 : threads) {}
    // Files not started yet are left as they are; those started are finished first.
    ~SecureDeleteQueue();
    SecureDeleteQueue(const SecureDeleteQueue&) = delete;
    SecureDeleteQueue& operator=(const SecureDeleteQueue&) = delete;

    void Add(int row, const std::string& path);
    // Files added and not yet taken back.
    size_t Pending() const;
    // True when a file of that name (letter case ignored) is added and not yet taken back:
    // deleting it twice at once would make the second look locked instead of gone.
    bool Holds(const std::string& path) const;
    // The result of the oldest file added, once it is done. Pending() must be above 0.
    Result Next();

private:
    struct Job {
        Result Done;
        bool Finished = false;
    };
    void Work();

    const int threads_;
    // The system's slim lock and condition variables: waits and wake-ups need no kernel object
    // (under Wine, no round trip to its server for every file).
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE work_ = CONDITION_VARIABLE_INIT, finished_ = CONDITION_VARIABLE_INIT;
    std::deque<Job> jobs_;  // in the order added; the first `started_` are taken by a thread
    size_t started_ = 0;
    bool stop_ = false;
    std::vector<std::thread> pool_;
};
