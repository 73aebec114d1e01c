#include "engine/WashAhead.h"

#include <algorithm>

#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "platform/SlimLock.h"
#include "platform/Text.h"

WashAhead::~WashAhead() {
    Finish();
    {
        SlimLockHold hold(lock_);
        stop_ = true;
    }
    WakeAllConditionVariable(&work_);
    for (auto& thread : pool_) thread.join();
}

void WashAhead::Delete(const std::string& path) {
    if (stopped_) return;
    if (openLog_ && !WashLogIsOpen()) {
        try {
            OpenWashLog();
        } catch (const AppError&) {
            stopped_ = true;
            return;
        }
    }
    {
        SlimLockHold hold(lock_);
        waiting_.push_back(path);
    }
    const bool first = pool_.empty();
    if (pool_.size() < static_cast<size_t>(threads_)) pool_.emplace_back(&WashAhead::Work, this);
    WakeConditionVariable(&work_);
    if (first && OnStarted) OnStarted();
}

void WashAhead::Work() {
    SlimLockHold hold(lock_);
    for (;;) {
        while (waiting_.empty() && !stop_) SleepConditionVariableSRW(&work_, &lock_, INFINITE, 0);
        if (waiting_.empty()) return;
        std::string path = std::move(waiting_.front());
        waiting_.pop_front();
        ++busy_;
        ReleaseSRWLockExclusive(&lock_);
        // The same delete as the wash's own: a name the system resolves to another file stays.
        const bool gone = WashOneFile(path, true);
        AcquireSRWLockExclusive(&lock_);
        if (gone) deleted_.emplace(UpperCase(path), std::move(path));
        if (--busy_ == 0 && waiting_.empty()) WakeAllConditionVariable(&idle_);
    }
}

void WashAhead::Finish() {
    SlimLockHold hold(lock_);
    while (busy_ > 0 || !waiting_.empty()) SleepConditionVariableSRW(&idle_, &lock_, INFINITE, 0);
}

bool WashAhead::Take(const std::string& path) {
    Finish();
    return !deleted_.empty() && deleted_.erase(UpperCase(path)) > 0;
}

std::vector<std::string> WashAhead::Untaken() {
    Finish();
    std::vector<std::string> paths;
    for (const auto& entry : deleted_) paths.push_back(entry.second);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void LogUntakenWashAhead(WashAhead& ahead) {
    if (!WashLogIsOpen()) return;
    for (const auto& path : ahead.Untaken()) WriteWashLogRow(WashRowKind::FolderFile, true, true, path, "");
}
