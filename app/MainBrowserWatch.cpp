// The wash of a browser's checked wash items when its last process ends (Preferences: "Wash a
// browser's checked items when it closes"), watched by a timer while the option is on.
#include <algorithm>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "engine/RunningPrograms.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"

namespace {
std::vector<std::string> RunningBrowserImages() {
    std::vector<std::string> images;
    for (const auto& browser : FindRunningBrowsers()) images.push_back(browser.ImageName);
    return images;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}
}  // namespace

void MainWindow::UpdateBrowserWatch() {
    if (Options.WashBrowserOnClose) {
        watchedBrowsers_ = RunningBrowserImages();
        SetTimer(Handle(), BrowserWatchTimerId, BrowserWatchInterval, nullptr);
    } else {
        KillTimer(Handle(), BrowserWatchTimerId);
        watchedBrowsers_.clear();
        closedBrowsers_.clear();
    }
}

void MainWindow::OnBrowserWatchTick() {
    const std::vector<std::string> running = RunningBrowserImages();
    for (const auto& image : watchedBrowsers_)
        if (!Contains(running, image) && !Contains(closedBrowsers_, image)) closedBrowsers_.push_back(image);
    watchedBrowsers_ = running;
    // A browser that started again before its wash could run is left alone; the others wait while
    // another command runs.
    closedBrowsers_.erase(std::remove_if(closedBrowsers_.begin(), closedBrowsers_.end(),
                                         [&](const std::string& image) { return Contains(running, image); }),
                          closedBrowsers_.end());
    if (washRunning_ || closedBrowsers_.empty()) return;
    const std::vector<std::string> closed = std::move(closedBrowsers_);
    closedBrowsers_.clear();
    for (const auto& image : closed) WashClosedBrowser(image);
}

void MainWindow::WashClosedBrowser(const std::string& image) {
    // The items are fixed first: what the wash covers is what was checked when the browser closed.
    std::vector<std::string> items;
    for (int r = 0; r < ItemList.Count(); ++r)
        if (ItemList.Checked(r) && BrowserOfItem(ItemList.Text(r)) == image) items.push_back(ItemList.Text(r));
    if (items.empty() || washRunning_) return;
    const std::string trigger = BrowserNameOfImage(image) + " closed";
    bool prompt = Options.PromptBeforeClean;
    Options.PromptBeforeClean = false;
    std::string failure;
    quietFailure_ = &failure;
    WashTotals totals;
    washTotals_ = &totals;
    lastWashFailure_.clear();
    std::string firstFailure;
    automaticWash_ = true;
    int washed = 0;
    for (const auto& item : items) {
        if (BrowserRunning(image)) break;
        washOnlyRow_ = -1;
        for (int r = 0; r < ItemList.Count() && washOnlyRow_ < 0; ++r)
            if (ItemList.Text(r) == item && ItemList.Checked(r)) washOnlyRow_ = r;
        if (washOnlyRow_ < 0) continue;
        LastWash = WashSummary();
        OnWashChecked();
        totals.BytesFreed += LastWash.Files.FreedBytes;
        if (firstFailure.empty()) firstFailure = lastWashFailure_;
        ++washed;
    }
    washOnlyRow_ = -1;
    automaticWash_ = false;
    washTotals_ = nullptr;
    quietFailure_ = nullptr;
    Options.PromptBeforeClean = prompt;
    if (!washed) return;
    ShowTrayTip(FormatText(IDS_TrayFreed, FormatSpace(totals.BytesFreed)));
    ReportWashEvent(MakeWashEvent(trigger, totals, firstFailure));
    if (!firstFailure.empty())
        LogAutomaticWashFailure(FormatText(IDS_BrowserClosedWash, BrowserNameOfImage(image)), firstFailure);
}
