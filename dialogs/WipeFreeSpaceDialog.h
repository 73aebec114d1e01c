#pragma once
// WipeFreeSpaceDialog: the user picks a drive and wipes its free space, with a progress bar, the
// time left and Cancel. The wipe runs on a worker thread; closing the dialog cancels it and
// waits until its files are gone.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/FreeSpaceWiper.h"
#include "platform/Form.h"

class WipeFreeSpaceDialog : public Form {
public:
    WipeFreeSpaceDialog();
    ~WipeFreeSpaceDialog() override;

    // Input: the drive chosen at first ("D:\"); empty picks the system drive.
    std::string Drive;
    // Output: the outcome of the last wipe (Failed with an empty Error when none ran).
    WipeOutcome Outcome;

    // The local drives whose free space can be wiped, as "C:\".
    static std::vector<std::string> WipeableDrives();

protected:
    void FormCreate() override;
    void CloseQuery() override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnStart();
    void OnCancel();
    void ShowProgress();
    void Finished();
    bool Running() const { return worker_.joinable(); }

    std::vector<std::string> roots_;  // the drive list's rows, in order
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<ULONGLONG> written_{0}, total_{0};
    std::atomic<int> smallFiles_{0};
    std::atomic<bool> fillingTable_{false};
    ULONGLONG started_ = 0;
    bool closeWhenDone_ = false;
};
