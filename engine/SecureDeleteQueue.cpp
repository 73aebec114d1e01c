// Secure deletes run on a few threads, results taken back in the order added.
#include "engine/SecureDeleteQueue.h"

#include "engine/WashEngine.h"
#include "platform/NativeFileSystem.h"
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
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    work_.notify_all();
    for (auto& thread : pool_) thread.join();
}

void SecureDeleteQueue::Add(int row, const std::string& path) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        Job job;
        job.Done.Row = row;
        job.Done.Path = path;
        jobs_.push_back(std::move(job));
    }
    if (pool_.size() < static_cast<size_t>(threads_)) pool_.emplace_back(&SecureDeleteQueue::Work, this);
    work_.notify_one();
}

size_t SecureDeleteQueue::Pending() const {
    std::lock_guard<std::mutex> hold(lock_);
    return jobs_.size();
}

bool SecureDeleteQueue::Holds(const std::string& path) const {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& job : jobs_)
        if (AnsiCompareText(job.Done.Path, path) == 0) return true;
    return false;
}

SecureDeleteQueue::Result SecureDeleteQueue::Next() {
    std::unique_lock<std::mutex> hold(lock_);
    finished_.wait(hold, [this] { return jobs_.front().Finished; });
    Result result = std::move(jobs_.front().Done);
    jobs_.pop_front();
    --started_;
    return result;
}

void SecureDeleteQueue::Work() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        work_.wait(hold, [this] { return stop_ || started_ < jobs_.size(); });
        if (stop_) return;
        // A deque keeps its other elements in place while the front is taken and the back grows.
        Job& job = jobs_[started_++];
        const int row = job.Done.Row;
        const std::string path = job.Done.Path;
        hold.unlock();
        Result result = DeleteOne(row, path);
        hold.lock();
        job.Done = std::move(result);
        job.Finished = true;
        finished_.notify_all();
    }
}
