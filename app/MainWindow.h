#pragma once
// MainWindow: the program's main window (window class "TFormMainVRNT"), its shared context and
// its commands.
// Its members are spread over app/ by concern:
//   MainStartup.cpp   start-up, catalogue loading, the three lists, activation, close
//   MainStoredFiles.cpp  stored files it can't read, named at start-up
//   MainWinapp2.cpp   winapp2.ini rows: refused edits, warnings, counts
//   (catalogue/Winapp2*.cpp: the entries of winapp2.ini that join the catalogue)
//   MainView.cpp      button images, list colours, event routing, counters
//   MainTray.cpp      tray icon, its menu and the "&Wash" submenu
//   MainCommands.cpp  exit, waiting for a running command, the exclusion list
//   MainPlugins.cpp   plug-in export and import
//   MainLogHelp.cpp   the wash log, help and the About box
//   MainWash.cpp      wash and preview of an entry and of the current wash item, busy state
//   MainWashAll.cpp   wash and preview of all checked wash items, the automatic wash
//   MainRestartDelete.cpp  files a wash left in use, deleted when Windows restarts
//   MainBrowsers.cpp  the question about running browsers before a wash the user starts
//   MainBrowserWatch.cpp  the wash of a browser's checked items when it closes
//   MainCookies.cpp   the Cookies dialog: sites with data, the sites whose cookies are kept
//   MainSchedule.cpp  schedule timer, hot keys, session end, minimise to the tray
//   MainPreferences.cpp  the Preferences dialog and the Netscape profile check
//   MainPolicies.cpp  Group Policy: forced check marks, editing switched off
//   MainWipe.cpp      wiping the free space of a drive
//   (app/CloseBrowsers.cpp hides the browser windows for the close-browsers hot key)
//   MainItemCommands.cpp   add, edit, delete, move and check wash items
//   MainEntryCommands.cpp  add, edit, delete and check folder/file and registry entries
// Without the window: CommandLine.cpp runs /wash, /list FILE and /? for scripts, WipeCommand.cpp
// /wipe D:.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/WashReport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/WashItem.h"
#include "catalogue/Winapp2Items.h"
#include "dialogs/NetscapeDetectDialog.h"
#include "engine/WashEngine.h"
#include "platform/CheckList.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "settings/Options.h"
#include "settings/Policies.h"

class FileSearch;
class NetscapeDetectDialog;
class PreviewAllDialog;
class WipeFreeSpaceDialog;
struct WashContext;

inline constexpr const char* MainWindowClass = "TFormMainVRNT";
inline constexpr UINT TrayMessage = WM_APP + 1;
// Posted at the end of start-up: what the first screen does not show is done after it is drawn.
inline constexpr UINT AfterShownMessage = WM_APP + 3;
inline constexpr UINT_PTR ScheduleTimerId = 1;
inline constexpr UINT ScheduleTimerInterval = 50000;
// While "Wash a browser's checked items when it closes" is on, the running browsers are looked at
// this often.
inline constexpr UINT_PTR BrowserWatchTimerId = 7;
inline constexpr UINT BrowserWatchInterval = 1500;
// The "&Wash" submenu lists checked winapp2.ini rows only while it holds at most this many rows.
inline constexpr int MaxWashMenuEntries = 40;

class WashAhead;

class MainWindow : public Form {
public:
    MainWindow();
    ~MainWindow() override;

    // Shared context.
    std::string ProgramDirectory;
    Catalogue WashItems;
    // The community rules file winapp2.ini of the program directory, when there is one.
    Winapp2Catalogue Winapp2;
    std::unique_ptr<WashItem> CurrentItem;
    bool HasCurrentItem() const { return CurrentItem != nullptr; }
    std::vector<std::string> SpecificFiles;
    OptionsRecord Options;
    // What the administrator holds, read at start-up from PolicyKey (tests name a key of their own).
    Policies Policy;
    std::string PolicyKey = PolicyKeyPath;
    bool ScheduleTimerOn = false;
    // The program's main window ends the message loop when destroyed; tests turn this off.
    bool QuitOnDestroy = true;
    // COM is started on the window's thread once the first screen is shown (the program's
    // start sets this; it ends COM after the window is gone when ComStarted is set).
    bool StartComWhenShown = false;
    bool ComStarted = false;

    CheckList ItemList;
    CheckList FolderList;
    CheckList RegistryList;
    HMENU TrayMenu = nullptr;
    HMENU WashMenu = nullptr;

    // Catalogue and lists.
    void LoadCatalogue();
    void FillWashItemList();
    // The tray's "&Wash" submenu from the list's rows and check marks.
    void FillWashMenu();
    void ReloadCatalogue();
    void OnItemSelected();
    // The wash item behind a catalogue row, from its wash item file or from winapp2.ini.
    std::unique_ptr<WashItem> ReadWashItem(const CatalogueRow& row) const;
    // Shows a row's entries (item read from the row's file) in the entry lists.
    void ShowItem(int row, std::unique_ptr<WashItem> item);
    void FillFolderList(const FolderEntryList& folders);
    void FillRegistryList(const RegistryEntryList& registers);
    void EnableEntryCommands(int row);
    void OnFileFound(const std::string& folder, const std::string& name);

    // Wash item commands. Each one that opens a dialog or asks a question runs in the busy
    // state and fixes its target (row, name, file, position) before it asks.
    void OnAddItem();
    void OnEditItem();
    void OnDeleteItem();
    void OnMoveItemUp();
    void OnMoveItemDown();
    void OnCheckAllItems();
    void OnUncheckAllItems();
    // Stores the selected row's check mark in its wash item file and copies every row's mark
    // into the catalogue.
    void OnItemChecked();

    // Entry commands of the current wash item.
    void OnAddFolderEntry() { EditFolderEntry(true); }
    void OnEditFolderEntry() { EditFolderEntry(false); }
    void OnDeleteFolderEntry() { DeleteFolderEntry(); }
    void OnFolderEntryChecked();
    void OnAddRegistryEntry() { EditRegistryEntry(true); }
    void OnEditRegistryEntry() { EditRegistryEntry(false); }
    void OnDeleteRegistryEntry() { DeleteRegistryEntry(); }
    void OnRegistryEntryChecked();
    void EditFolderEntry(bool add);
    void EditRegistryEntry(bool add);
    void DeleteFolderEntry();
    void DeleteRegistryEntry();

    // Tray.
    void OnWashMenuItem(int tag);
    void OnWashAllMenu();

    // Wash and preview commands; each takes preview (true) or wash (false).
    void WashOrPreviewFolderEntry(bool preview);
    void WashOrPreviewRegistryEntry(bool preview);
    void WashOrPreviewCurrentItem(bool preview);
    void WashOrPreviewChecked(bool preview);
    void OnPreviewFolderEntry() { WashOrPreviewFolderEntry(true); }
    void OnWashFolderEntry() { WashOrPreviewFolderEntry(false); }
    void OnPreviewRegistryEntry() { WashOrPreviewRegistryEntry(true); }
    void OnWashRegistryEntry() { WashOrPreviewRegistryEntry(false); }
    void OnPreviewCurrentItem() { WashOrPreviewCurrentItem(true); }
    void OnWashCurrentItem();
    void OnPreviewChecked() { WashOrPreviewChecked(true); }
    void OnWashChecked() { WashOrPreviewChecked(false); }
    // The wash of all checked wash items with "Prompt before clean" off for its duration;
    // skipped while another command runs. Quiet: an error is returned, not shown. Either way
    // one event, naming trigger, goes to the Application log.
    std::string AutomaticWash(const std::string& trigger, bool quiet = false);
    // True when "Prompt before clean" is off or the user answers Yes to
    // "Do you want to clean " + subject + "?".
    bool ConfirmClean(const std::string& subject);
    // Enables or disables the eight wash and preview buttons and every "&Wash" submenu entry.
    void SetWashControls(bool enabled);
    // True while a wash or preview command runs (its question and dialog included); a command
    // asked for meanwhile is skipped.
    bool WashRunning() const { return washRunning_; }
    void ShowFileCounts(int success, int fails);
    void ShowRegistryCounts(int success, int fails);
    // Keeps the result of a wash in LastWash and shows the space it freed beside the counters.
    void ShowWashSummary(const WashSummary& summary);
    // What the last wash of a preview dialog did (rows, space freed, failures with reasons).
    WashSummary LastWash;
    // After a wash the user started: offers the files it left in use for deletion when Windows
    // restarts, and marks them on Yes (MainRestartDelete.cpp).
    void OfferRestartDelete(const std::vector<std::string>& files);
    // At start: the log block of the files a restart was to delete, once it has run.
    void CheckRestartDeletes();
    // The tray icon's tip as shown now.
    std::string TrayTip() const;

    // Schedule timer, hot keys, session end and the tray (MainSchedule.cpp).
    // One tick of the schedule timer at the local date-time now.
    void OnScheduleTick(double now);
    // Off: unregisters both hot keys; on: registers them from the settings file.
    void RegisterHotKeys(bool on);
    void CloseBrowsers();
    void OnHotKey(int id);
    // The end-of-session query (always answered yes) and the session's end.
    void QueryEndSession();
    void EndSession();
    void OnMinimize();
    void OnTrayIconClick();
    void OnOpenMainWindow() { OnTrayIconClick(); }

    // Group Policy (MainPolicies.cpp).
    // Puts the forced check marks into the catalogue.
    void ApplyForcedChecks();
    // False, and the row's mark put back, when a policy holds the row's check mark.
    bool RowCheckHeld(int row);
    // Puts the forced marks back into the wash item list after "Check all" or "Uncheck all".
    void KeepForcedChecks();
    // The catalogue as order.ini keeps it: a held row with the user's own mark, for when the
    // policy ends.
    Catalogue CatalogueToStore() const;
    // False when the administrator has switched editing off.
    bool EditingAllowed() const { return !Policy.DisableEditing; }
    // Greys the adding, editing and deleting buttons and plug-in import while editing is off.
    void EnableEditingCommands();

    // The wash when a browser closes (MainBrowserWatch.cpp). Starts or stops watching the running
    // browsers as the option says.
    void UpdateBrowserWatch();
    // One look at the running browsers: each browser whose last process has ended since the last
    // look gets its checked items washed, as an automatic wash (no question, logged, an event, the
    // tray tip); while another command runs it waits for a later look.
    void OnBrowserWatchTick();
    // Washes the checked wash items of one browser (by image name), item by item, stopping when
    // the browser runs again.
    void WashClosedBrowser(const std::string& image);

    // The Cookies dialog (MainCookies.cpp), from the toolbar and the tray menu.
    void OnCookies();

    // Preferences and Netscape detection (MainPreferences.cpp).
    void OnPreferences();
    // At the first activation: shows the detection dialog when a Netscape profile is missing.
    void NetscapeProfileCheck();
    void ShowNetscapeDetect(HWND owner);
    std::unique_ptr<NetscapeDetectDialog> DetectDialog;

    // Plug-ins.
    void OnExportPlugin();
    void OnImportPlugin();
    // Answers the plug-in commands' file dialogs in place of the user when set (tests).
    std::function<std::string(const FileDialogRequest&)> FileDialogChoice;

    // Wipe free space (MainWipe.cpp): the dialog, modal, as a running command. Closing the
    // program or ending the session cancels a running wipe, whose files then go.
    void OnWipeFreeSpace();

    // Log, help, About box.
    void OnViewLog();
    void OnDeleteLog();
    void OnHelp();
    void OnHelpMenu();
    void OnAbout();

    // Exit and the exclusion list. While a wash or a modal command runs, the close waits until
    // it has ended.
    void OnExit();
    void OnExclusionList();
    void OnExitMenu();
    // "winapp2.ini: n entries read, n detected, n lines skipped, n keys refused"; empty without
    // the file.
    std::string Winapp2Summary() const;
    // Puts a file in the winapp2.ini format in place as the program directory's winapp2.ini
    // (asking before it replaces one), reads the catalogue again and shows the counts.
    void ImportWinapp2(const std::string& source);
    bool CloseRequested() const { return closeRequested_; }

    // Counters.
    void SetCounters(const std::string& folderSuccess, const std::string& folderFails,
                     const std::string& registrySuccess, const std::string& registryFails);
    void SetScheduleTimer(bool enabled);

protected:
    void FormCreate() override;
    void FormActivate();
    void FormClose();
    void FormDestroy() override;
    void DpiChanged() override;
    // Waits for the common controls StartLoadingWindowResources loads, when it was called.
    void ControlsWanted() override;
    void CloseQuery() override;
    bool Notify(NMHDR* header, LRESULT& result) override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BindCommands();
    void BindListCommands();
    // Runs a command that shows a dialog or a question: skipped while another command runs,
    // marked as running meanwhile, its error shown in the standard error box.
    void RunListCommand(const std::function<void()>& body);
    // Writes the catalogue to order.ini through a copy beside it.
    void SaveCatalogueOrder();
    // Start-up: names every stored file the program can't read, with the reason, in one
    // message; true when order.ini is one of them, to be written anew (MainStoredFiles.cpp).
    bool ReportUnreadableFiles();
    // Tells that a wash item file no longer lists the item, then reads the catalogue again.
    void ShowUnlistedItem(const CatalogueRow& row);
    // Puts the catalogue's check marks back into the wash item list.
    void RestoreItemChecks();
    // The check marks of the "&Wash" submenu follow the wash item list.
    void SyncWashMenuChecks();
    // winapp2.ini rows: the file is the user's to edit. Shows why and returns true when row
    // comes from it.
    bool RefuseWinapp2Change(int row);
    // A winapp2.ini row just checked: its warning asked as a question; false when the user
    // answers No.
    bool ConfirmWinapp2Check(int row);
    // Leaves rows of winapp2.ini with a warning unchecked after "Check all Wash Items".
    void UncheckWinapp2Warnings();
    void SetButtonImages();
    void SetListColours();
    void CreateTrayIcon();
    // Shows the first screen at once, then adds the hints, starts COM and adds the tray icon.
    void AfterShown();
    void RemoveTrayIcon();
    // The tray icon's tip (at most 127 characters); nothing without the icon.
    void ShowTrayTip(const std::string& tip);
    void ShowTrayMenu();
    bool ScheduleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Writes a log block with the failure of an automatic wash.
    void LogAutomaticWashFailure(const std::string& trigger, const std::string& failure);
    WashContext MakeWashContext();
    // Before a wash the user starts: each running browser holding checked files, or whose
    // databases a checked database item washes, is asked about; Yes closes it, No goes on (its
    // databases are left alone), Cancel (false) washes nothing.
    bool CloseBrowsersHoldingFiles(HWND owner, const CheckListModel& files,
                                   const std::vector<std::string>& databaseItems);
    std::string ChooseFile(const FileDialogRequest& request);
    void ExportCheckedItems(const std::string& target);
    void ImportPlugin(const std::string& source);
    // Expands each checked entry of the current wash item and appends its rows to target.
    // note, when given, gets each checked entry's age limit note ("name: note", one a line).
    void AppendFolderRows(CheckList& target, std::string* note = nullptr);
    void AppendRegistryRows(CheckList& target);
    // Fills the dialog with the rows of every checked item: every item is read and every name
    // expanded first (where an error ends the command with nothing deleted), then the files are
    // listed, with ahead each deleted ahead as soon as it is found.
    void GatherCheckedItems(PreviewAllDialog& dialog, WashAhead* ahead = nullptr);
    // Runs one wash or preview command: skipped while another runs; the hourglass while the
    // body runs; the wash controls on again however it ends; then, with readItemAgain, the
    // current wash item read again from its file.
    void RunWashCommand(const std::function<void()>& body, bool readItemAgain);
    // Fills an entry's preview dialog, checks its rows as the entry is checked, then shows it
    // (preview) or washes it after ConfirmClean.
    template <class Dialog>
    void RunEntryDialog(Dialog& dialog, CheckList& rows, std::vector<std::string>&& found,
                        const CheckList& entries, int e, bool preview, const std::vector<uint64_t>* spaces = nullptr);

    bool activated_ = false;
    bool closed_ = false;
    bool closeRequested_ = false;
    bool washRunning_ = false;
    // Set while an automatic wash runs: it closes no program and asks nothing.
    bool automaticWash_ = false;
    bool minimized_ = false;
    // Errors of a wash command are kept here instead of shown while set.
    std::string* quietFailure_ = nullptr;
    // The error of the last wash command, empty when it ran through.
    std::string lastWashFailure_;
    // The files the washes of the running command left in use (a wash the user started).
    std::vector<std::string> leftInUse_;
    // Counts of the running automatic wash add up here while set.
    WashTotals* washTotals_ = nullptr;
    // Marks a command with a modal dialog or question as running for its lifetime: no
    // automatic wash starts meanwhile. Nested scopes leave the flag as they found it. A close
    // asked for meanwhile follows once the main window's command has ended.
    class RunningScope {
    public:
        explicit RunningScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
        ~RunningScope();
        RunningScope(const RunningScope&) = delete;
        RunningScope& operator=(const RunningScope&) = delete;

    private:
        bool& flag_;
        bool previous_;
    };
    NOTIFYICONDATAW tray_{};
    bool trayAdded_ = false;
    // The user's own marks of the rows a policy holds, by name and file.
    std::map<std::string, bool> userMarks_;
    WipeFreeSpaceDialog* wipeDialog_ = nullptr;
    std::vector<std::string> pluginFileNames_;
    // The browsers running at the last look, and those that have closed since, waiting for their wash.
    std::vector<std::string> watchedBrowsers_;
    std::vector<std::string> closedBrowsers_;
    // While not -1, a wash of the checked items takes this row alone.
    int washOnlyRow_ = -1;
};

// The one main window of the running program.
extern MainWindow* TheMainWindow;

// Brings a running instance to the front; false when none is running.
bool ActivateRunningInstance();
// The settings file whose "Language" choice the program takes at start: the one of the user
// directory UseWritableUserDir will choose (programDir when it can be written, else
// localAppData\Varnolt\ once that has one), found without creating anything.
std::string LanguageSettingsFile(const std::string& programDir, const std::string& localAppData);
// Loads the common controls, realizes the lists' font and loads the main window's button images
// on a thread of their own, for the window made next (which waits for the controls' classes).
void StartLoadingWindowResources();
// Runs the program: single-instance test, main window, message loop. Returns the exit code.
int RunApplication();
