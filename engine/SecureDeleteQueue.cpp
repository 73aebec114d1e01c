// Secure deletes run on a few threads, results taken back in the order added.
#include "engine/SecureDeleteQueue.h"

#include "engine/WashEngine.h"
#include "platform/NativeFileSystem.h"
#include "platform/SlimLock.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

SecureDeleteQueue::Result DeleteOne(int row, const std::string& path) {
    SecureDeleteQueue::Result result;
    result.Row = row;
    result.Path = path;
    DWORD attrs;
    {
        NativeFileSystem native;
        attrs = GetFileAttributesW(WidePath(path).c_str());
    }
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return result;
    SetLastError(ERROR_SUCCESS);  // a refusal that sets no error reads as "File Locked"
    if (SecureDeleteFile(path)) {
        result.What = SecureDeleteQueue::Outcome::Deleted;
    } else {
        result.What = SecureDeleteQueue::Outcome::Failed;
        result.Error = GetLastError();
    }
    return result;
}

}  // namespace

SecureDeleteQueue::~SecureDeleteQueue() {
    {
        SlimLockHold hold(lock_);
        stop_ = true;
    }
    WakeAllConditionVariable(&work_);
    for (auto& thread : pool_) thread.join();
}

void SecureDeleteQueue::Add(int row, const std::string& path) {
    {
        SlimLockHold hold(lock_);
        Job job;
        job.Done.Row = row;
        job.Done.Path = path;
        jobs_.push_back(std::move(job));
    }
    if (pool_.size() < static_cast<size_t>(threads_)) pool_.emplace_back(&SecureDeleteQueue::Work, this);
    WakeConditionVariable(&work_);
}

size_t SecureDeleteQueue::Pending() const {
    SlimLockHold hold(lock_);
    return jobs_.size();
}

bool SecureDeleteQueue::Holds(const std::string& path) const {
    SlimLockHold hold(lock_);
    for (const auto& job : jobs_)
        if (AnsiCompareText(job.Done.Path, path) == 0) return true;
    return false;
}

SecureDeleteQueue::Result SecureDeleteQueue::Next() {
    SlimLockHold hold(lock_);
    while (!jobs_.front().Finished) SleepConditionVariableSRW(&finished_, &lock_, INFINITE, 0);
    Result result = std::move(jobs_.front().Done);
    jobs_.pop_front();
    --started_;
    return result;
}

void SecureDeleteQueue::Work() {
    AcquireSRWLockExclusive(&lock_);
    for (;;) {
        while (!stop_ && started_ >= jobs_.size()) SleepConditionVariableSRW(&work_, &lock_, INFINITE, 0);
        if (stop_) break;
        // A deque keeps its other elements in place while the front is taken and the back grows.
        Job& job = jobs_[started_++];
        const int row = job.Done.Row;
        const std::string path = job.Done.Path;
        ReleaseSRWLockExclusive(&lock_);
        Result result = DeleteOne(row, path);
        AcquireSRWLockExclusive(&lock_);
        job.Done = std::move(result);
        job.Finished = true;
        WakeAllConditionVariable(&finished_);
    }
    ReleaseSRWLockExclusive(&lock_);
}
