// Start-up, catalogue loading, the three lists, first activation and close.
#include <windows.h>

#include <future>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "catalogue/FileSearch.h"
#include "catalogue/PluginCheck.h"
#include "engine/DatabaseItems.h"
#include "engine/FreeSpaceWiper.h"
#include "engine/SpecialItems.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "resources/icons.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

MainWindow* TheMainWindow = nullptr;

namespace {
// The twelve buttons that a special item disables.
const int EntryCommandIds[] = {
    IDC_PreviewCurrentItem, IDC_EditItem,           IDC_PreviewFolderEntry,
    IDC_WashFolderEntry,         IDC_EditFolderEntry,    IDC_AddFolderEntry,
    IDC_DeleteFolderEntry,       IDC_PreviewRegistryEntry, IDC_WashRegistryEntry,
    IDC_AddRegistryEntry,   IDC_EditRegistryEntry,      IDC_DeleteRegistryEntry,
};
}  // namespace

MainWindow::MainWindow() : Form(IDD_MainWindow) {
    HelpContext = 58;
    CreateAtSize96(566, 421);
    AddHintsLater();
    TheMainWindow = this;
}

MainWindow::~MainWindow() {
    if (Handle()) DestroyWindow(Handle());
    if (TrayMenu) DestroyMenu(TrayMenu);
    if (TheMainWindow == this) TheMainWindow = nullptr;
}

void MainWindow::FormCreate() {
    // Start-up counts as a running command: a close that reaches the window meanwhile (a message
    // sent while start-up waits on another process, or one an error box dispatches) follows once
    // the catalogue is read and merged, instead of writing order.ini from an empty one.
    RunningScope starting(washRunning_);
    // Dates and times are written as "yyyy-mm-dd" and "HH:mm:ss" wherever the program formats them.
    CreateTrayIcon();
    ProgramDirectory = ProgramDir();
    const bool orderUnreadable = ReportUnreadableFiles();
    HelpFile = ProgramDirectory + "help.chm";
    WashItems = Catalogue();
    SetCounters("", "", "", "");
    SpecificFiles = BuildSpecificFileList();
    Policy = ReadPolicies(PolicyKey);
    ScheduleTimerOn = ApplyPolicies(Policy, Options, ReadOptionsAtStartup(SettingsFilePath(), Options));
    SetScheduleTimer(ScheduleTimerOn);
    CheckRestartDeletes();
    UpdateBrowserWatch();
    LoadCatalogue();
    if (orderUnreadable) RunGuarded(Handle(), [this] { CatalogueToStore().RewriteFile(OrderFilePath()); });
    // The first row's entries are read from its file while the lists and images are set up.
    std::future<std::unique_ptr<WashItem>> firstItem;
    if (WashItems.Count() > 0)
        firstItem = std::async(std::launch::async, [this] { return ReadWashItem(WashItems.Items[0]); });
    ItemList.Attach(Control(IDC_ItemList));
    FolderList.Attach(Control(IDC_FolderList));
    RegistryList.Attach(Control(IDC_RegistryList));
    SetButtonImages();
    SetListColours();
    BindCommands();
    FillWashItemList();
    if (ItemList.Count() > 0) {
        ItemList.Select(0);
        CurrentItem.reset();
        ShowItem(0, firstItem.valid() ? firstItem.get() : ReadWashItem(WashItems.Items[0]));
    }
    EnableEditingCommands();
    DetectDialog = std::make_unique<NetscapeDetectDialog>();
    RegisterHotKeys(true);
    // A wipe of free space that ended with the process left its folder behind.
    StartRemovingWipeLeftovers();
    PostMessageA(Handle(), AfterShownMessage, 0, 0);
}

void MainWindow::SetScheduleTimer(bool enabled) {
    ScheduleTimerOn = enabled;
    if (enabled) SetTimer(Handle(), ScheduleTimerId, ScheduleTimerInterval, nullptr);
    else KillTimer(Handle(), ScheduleTimerId);
}

void MainWindow::OnFileFound(const std::string& /*folder*/, const std::string& name) {
    pluginFileNames_.push_back(name);
}

void MainWindow::LoadCatalogue() {
    Catalogue loaded;
    loaded.LoadFromFile(ProgramDirectory + "const\\system.txt");
    loaded.LoadFromFile(UserItemsPath());

    pluginFileNames_.clear();
    FileSearch pluginSearch;
    pluginSearch.SetLocation(PluginDirPath());
    pluginSearch.SetFilename("*.txt");
    pluginSearch.Subfolders = false;
    pluginSearch.OnFound = [this](FileSearch& sender, const std::string& folder, const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) OnFileFound(folder, sender.FoundName());
    };
    pluginSearch.Execute();
    for (const auto& name : pluginFileNames_) AppendPluginRows(loaded, PluginDirPath() + name);
    pluginFileNames_.clear();
    Winapp2.Load(Winapp2FilePath(ProgramDirectory, UserDir()));
    Winapp2.AppendRows(loaded);

    Catalogue order;
    order.LoadOrderFile(OrderFilePath());
    Winapp2.AdoptFormerNames(order);
    WashItems = Catalogue();
    MergeCatalogue(WashItems, loaded, order);
    ApplyForcedChecks();
}

void MainWindow::FillWashItemList() {
    ItemList.BeginUpdate();
    ItemList.Clear();
    for (const auto& row : WashItems.Items) ItemList.Add(row.ItemName, row.IsActive);
    ItemList.EndUpdate();
    FillWashMenu();
}

void MainWindow::FillWashMenu() {
    while (GetMenuItemCount(WashMenu) > 0) DeleteMenu(WashMenu, 0, MF_BYPOSITION);
    if (ItemList.Count() > 0) {
        AppendMenuW(WashMenu, MF_STRING, IDM_WashAll, Widen(Text(IDS_WashAllChecked)).c_str());
        AppendMenuW(WashMenu, MF_SEPARATOR, 0, L"-");
    }
    // Rows of winapp2.ini join the submenu only when checked, and only while it stays short
    // enough to use; the tag keeps naming the list row.
    int ordinary = 0, communityChecked = 0;
    for (int i = 0; i < ItemList.Count(); ++i) {
        if (!Winapp2.Owns(WashItems.Items[i])) ++ordinary;
        else if (ItemList.Checked(i)) ++communityChecked;
    }
    const bool listCommunity = ordinary + communityChecked <= MaxWashMenuEntries;
    for (int i = 0; i < ItemList.Count(); ++i) {
        if (Winapp2.Owns(WashItems.Items[i]) && (!listCommunity || !ItemList.Checked(i))) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
        info.fType = MFT_STRING;
        info.fState = ItemList.Checked(i) ? MFS_CHECKED : MFS_UNCHECKED;
        info.wID = IDM_WashItemBase + i;
        info.dwItemData = static_cast<ULONG_PTR>(i + 100);  // the entry's tag
        // Item names are UTF-8: the wide call shows every character of them.
        std::wstring caption = Widen(TranslateUiText(ItemList.Text(i)));
        info.dwTypeData = caption.data();
        InsertMenuItemW(WashMenu, GetMenuItemCount(WashMenu), TRUE, &info);
    }
}

void MainWindow::ReloadCatalogue() {
    LoadCatalogue();
    FillWashItemList();
    if (ItemList.Count() > 0) {
        ItemList.Select(0);
        OnItemSelected();
    }
}

void MainWindow::OnItemSelected() {
    int i = ItemList.Selected();
    if (i < 0) return;
    CurrentItem.reset();
    ShowItem(i, ReadWashItem(WashItems.Items[i]));
}

void MainWindow::ShowItem(int row, std::unique_ptr<WashItem> item) {
    CurrentItem = std::move(item);
    FillFolderList(CurrentItem->FolderEntries);
    FillRegistryList(CurrentItem->RegistryEntries);
    EnableEntryCommands(row);
}

std::unique_ptr<WashItem> MainWindow::ReadWashItem(const CatalogueRow& row) const {
    auto item = std::make_unique<WashItem>();
    if (!Winapp2.MakeItem(row, *item)) item->Create(row.ItemFile, row.ItemName);
    return item;
}

void MainWindow::FillFolderList(const FolderEntryList& folders) {
    FolderList.BeginUpdate();
    FolderList.Clear();
    for (const auto& entry : folders.Items) FolderList.Add(entry.Name, entry.IsActive);
    FolderList.EndUpdate();
    if (FolderList.Count() > 0) FolderList.Select(0);
}

void MainWindow::FillRegistryList(const RegistryEntryList& registers) {
    RegistryList.BeginUpdate();
    RegistryList.Clear();
    for (const auto& entry : registers.Items) RegistryList.Add(entry.Name, entry.IsActive);
    RegistryList.EndUpdate();
    if (RegistryList.Count() > 0) RegistryList.Select(0);
}

void MainWindow::EnableEntryCommands(int row) {
    if (row < 0 || row >= WashItems.Count()) return;
    bool enabled = !WashItems.Items[row].IsSpecial;
    for (int id : EntryCommandIds) EnableControl(id, enabled);
    // A database item's databases have a preview of their own.
    if (!enabled && IsDatabaseItem(WashItems.Items[row].ItemName)) EnableControl(IDC_PreviewCurrentItem, true);
    EnableEditingCommands();
}

void MainWindow::FormActivate() {
    NetscapeProfileCheck();
    // The start-up wash.
    bool washAtStart = false;
    RunGuarded(Handle(), [&] {
        washAtStart = ReadAutoRun(SettingsFilePath()) && (Options.ScheduleSet & ScheduleAtStart);
    });
    // The error box may have let a close through.
    if (washAtStart && !closed_) AutomaticWash("Wash at start");
}

void MainWindow::FormClose() {
    RegisterHotKeys(false);
    SpecificFiles.clear();
    CurrentItem.reset();
    if (Options.DeleteLogOnExit) DeleteFileW(WidePath(LogFilePath()).c_str());
}

void MainWindow::FormDestroy() {
    SetScheduleTimer(false);
    KillTimer(Handle(), BrowserWatchTimerId);
    RegisterHotKeys(false);
    RemoveTrayIcon();
    // order.ini is written anew, without the rows of earlier saves, and put in place whole.
    RunGuarded(nullptr, [this] {
        CatalogueToStore().RewriteFile(OrderFilePath());
    });
    WashItems = Catalogue();
    if (QuitOnDestroy) PostQuitMessage(0);
}
