#pragma once
// What the four preview dialogs share: the wash operation over the lists a dialog holds, the
// drawing of registry and special rows, the select/unselect buttons and the tab pages.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/WashEngine.h"
#include "platform/CheckList.h"
#include "platform/Form.h"
#include "settings/Options.h"

class WashAhead;

// What a dialog's wash reads from and writes to the main window.
struct WashContext {
    // "Write to Log" and "Use Quick" are read when the wash runs.
    const OptionsRecord* Options = nullptr;
    const SpecificFileList* SpecificFiles = nullptr;
    // Owner of the shell's Recycle Bin call.
    HWND Owner = nullptr;
    std::function<void(int success, int fails)> ShowFileCounts;
    std::function<void(int success, int fails)> ShowRegistryCounts;
    // Asked before files or database items are washed (owner: the window to ask over; the names
    // of the checked database items); false washes nothing.
    std::function<bool(HWND owner, const CheckListModel& files, const std::vector<std::string>& databaseItems)>
        BeforeWash;
    // The whole result, after the log block is closed.
    std::function<void(const WashSummary& summary)> ShowSummary;
    // Files quick-deleted while the rows were listed (the log, when written, opened before the
    // first of them): their rows count as washed where they stand.
    WashAhead* Ahead = nullptr;
};

// Colours of a registry row: key rows (with the key marker) in navy, or white on
// RGB(10, 95, 137) when selected. False for a value row, which keeps the system colours.
bool DrawRegistryRow(const std::string& row, bool selected, COLORREF& text, COLORREF& back);
// Text shown for a registry row: a key row without its marker, a value row as the value's
// current text data (read now, empty when it can't be read); a row in a protected place after
// its note in brackets.
std::string RegistryRowText(const std::string& row);

// Hooks a list's drawing up as a registry list (rows drawn by DrawRegistryRow) or as a special
// list (text in red, selected or not).
void ShowAsRegistryList(CheckList& list);
void ShowAsSpecialList(CheckList& list);
// Hooks a list up as a file list: a "Size" column, a "Note" column saying why a file on screen
// could not go now ("In use by chrome.exe", "File Locked", "Access denied", "Not found", "Protected"
// for a row in a protected place), and folder rows shown as folders.
void ShowAsFileList(CheckList& list);
// "12 rows, 48.0 KB; 10 checked, 40.0 KB" (the space only when withSpace).
std::string ListTotalsText(const CheckListModel& list, bool withSpace);

// Appends rows in one step, taking their texts (and the space of each, when given); a sorted
// list merges them into place.
void AppendRows(CheckList& list, std::vector<std::string>&& rows, const std::vector<uint64_t>* spaces = nullptr);

// Tab pages: each page is a set of controls shown only while its tab is selected.
class PreviewPages {
public:
    void Attach(HWND tabControl, HWND dialog);
    void AddPage(const std::string& caption, std::vector<int> controlIds);
    void Show(int page);
    int Current() const;
    // Routes TCN_SELCHANGE; true when handled.
    bool HandleNotify(NMHDR* header);

private:
    HWND tab_ = nullptr;
    HWND dialog_ = nullptr;
    std::vector<std::vector<int>> pages_;
};

// Base of the four dialogs: modal, centred, lists routed, wash operation.
class PreviewDialogBase : public Form {
public:
    // Set by the caller before the dialog is shown or washed.
    WashContext Context;
    // What the last wash of the dialog did.
    WashSummary Result;

protected:
    explicit PreviewDialogBase(int templateId) : Form(templateId) {}

    // The wash: log block around the file and registry washes (each list may be missing),
    // counters of the washed kinds replaced, then each checked special row, then close.
    void WashLists(CheckList* files, CheckList* registry, CheckList* specials);

    // Attaches a list window and routes its notifications; totalsId, when given, names the
    // label that shows the list's totals, kept up to date.
    void AttachList(CheckList& list, int id, int totalsId = 0);
    // Gives the select/unselect pair its images.
    void SetCheckButtonImages(int selectId, int unselectId);
    // The wash button: a failing wash shows its error and the dialog stays open.
    void BindWash(int id, std::function<void()> wash);

    bool Notify(NMHDR* header, LRESULT& result) override;
    void FormCreate() override;
    void DpiChanged() override;

    PreviewPages Pages;

private:
    void ShowButtonImages();

    std::vector<CheckList*> lists_;
    std::vector<std::pair<int, int>> imageButtons_;  // control id, icon id
};
