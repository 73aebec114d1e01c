// Start-up, catalogue loading, the three lists, first activation and close.
#include <windows.h>

#include "app/Unitmain.h"
#include "app/UnitmainRes.h"
#include "catalogue/FindFile.h"
#include "catalogue/PluginCheck.h"
#include "engine/SpecialItems.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "resources/icons.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

TFormMainVRNT* FormMainVRNT = nullptr;

namespace {
// The twelve buttons that a special item disables.
const int EntryCommandIds[] = {
    IDC_btnPreviewCurrentItem, IDC_SpEdit,           IDC_btnPreviewCurrentFolder,
    IDC_btnWashFolder,         IDC_btnEditFolder,    IDC_btnaddfolder,
    IDC_btndeletefolder,       IDC_btnPreviewCurrentRegister, IDC_btnWashRegister,
    IDC_btnAddRegsiterChild,   IDC_btnEditRegsiterChild,      IDC_btndeleteregister,
};
}  // namespace

TFormMainVRNT::TFormMainVRNT() : TForm(IDD_TFormMainVRNT) {
    HelpContext = 58;
    FormMainVRNT = this;
}

TFormMainVRNT::~TFormMainVRNT() {
    if (Handle()) DestroyWindow(Handle());
    if (PopupMenu1) DestroyMenu(PopupMenu1);
    if (FormMainVRNT == this) FormMainVRNT = nullptr;
}

void TFormMainVRNT::FormCreate() {
    FitClientSize96(566, 421);
    CentreOnDesktop();
    ChListBoxItem.Attach(Control(IDC_ChListBoxItem));
    ChListBoxFolder.Attach(Control(IDC_ChListBoxFolder));
    ChListBoxRegister.Attach(Control(IDC_ChListBoxRegister));
    SetButtonImages();
    SetListColours();
    BindCommands();

    // Dates and times are written as "yyyy-mm-dd" and "HH:mm:ss" wherever the program formats them.
    CreateTrayIcon();
    ProgramDirectory = ProgramDir();
    HelpFile = ProgramDirectory + "help.chm";
    Catalogue = titem_list();
    SetCounters("", "", "", "");
    SpecificFiles = BuildSpecificFileList();
    Timer1Enabled = ReadOptionsAtStartup(SettingsFilePath(), Options);
    SetTimer1(Timer1Enabled);
    LoadCatalogue();
    FillWashItemList();
    if (ChListBoxItem.Count() > 0) {
        ChListBoxItem.Select(0);
        ChListBoxItemClick();
    }
    FormDetect = std::make_unique<TFormDetect>();
    RegisterHotKeys(true);
}

void TFormMainVRNT::SetTimer1(bool enabled) {
    Timer1Enabled = enabled;
    if (enabled) SetTimer(Handle(), Timer1Id, Timer1Interval, nullptr);
    else KillTimer(Handle(), Timer1Id);
}

void TFormMainVRNT::FindFile1Found(const std::string& /*folder*/, const std::string& name) {
    pluginFileNames_.push_back(name);
}

void TFormMainVRNT::LoadCatalogue() {
    titem_list loaded;
    loaded.LoadFromFile(ProgramDirectory + "const\\system.txt");
    loaded.LoadFromFile(ProgramDirectory + "const\\user.txt");

    pluginFileNames_.clear();
    TFindFile FindFile1;
    FindFile1.SetLocation(ProgramDirectory + "plugin\\");
    FindFile1.SetFilename("*.txt");
    FindFile1.Subfolders = false;
    FindFile1.OnFound = [this](TFindFile& sender, const std::string& folder, const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) FindFile1Found(folder, sender.FoundName());
    };
    FindFile1.Execute();
    for (const auto& name : pluginFileNames_) AppendPluginRows(loaded, ProgramDirectory + "plugin\\" + name);
    pluginFileNames_.clear();
    Winapp2.Load(ProgramDirectory + "winapp2.ini");
    Winapp2.AppendRows(loaded);

    titem_list order;
    order.LoadFromFile(OrderFilePath());
    Winapp2.AdoptFormerNames(order);
    Catalogue = titem_list();
    MergeCatalogue(Catalogue, loaded, order);
}

void TFormMainVRNT::FillWashItemList() {
    ChListBoxItem.BeginUpdate();
    ChListBoxItem.Clear();
    for (const auto& row : Catalogue.Items) ChListBoxItem.Add(row.ItemName, row.IsActive);
    ChListBoxItem.EndUpdate();
    FillWashMenu();
}

void TFormMainVRNT::FillWashMenu() {
    while (GetMenuItemCount(MenuWash) > 0) DeleteMenu(MenuWash, 0, MF_BYPOSITION);
    if (ChListBoxItem.Count() > 0) {
        AppendMenuA(MenuWash, MF_STRING, IDM_MenuWashAll, "Wash all checked item");
        AppendMenuA(MenuWash, MF_SEPARATOR, 0, "-");
    }
    // Rows of winapp2.ini join the submenu only when checked, and only while it stays short
    // enough to use; the tag keeps naming the list row.
    int ordinary = 0, communityChecked = 0;
    for (int i = 0; i < ChListBoxItem.Count(); ++i) {
        if (!Winapp2.Owns(Catalogue.Items[i])) ++ordinary;
        else if (ChListBoxItem.Checked(i)) ++communityChecked;
    }
    const bool listCommunity = ordinary + communityChecked <= MaxWashMenuEntries;
    for (int i = 0; i < ChListBoxItem.Count(); ++i) {
        if (Winapp2.Owns(Catalogue.Items[i]) && (!listCommunity || !ChListBoxItem.Checked(i))) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
        info.fType = MFT_STRING;
        info.fState = ChListBoxItem.Checked(i) ? MFS_CHECKED : MFS_UNCHECKED;
        info.wID = IDM_MenuWashItemBase + i;
        info.dwItemData = static_cast<ULONG_PTR>(i + 100);  // the entry's tag
        std::string caption = ChListBoxItem.Text(i);
        info.dwTypeData = caption.data();
        InsertMenuItemA(MenuWash, GetMenuItemCount(MenuWash), TRUE, &info);
    }
}

void TFormMainVRNT::ReloadCatalogue() {
    LoadCatalogue();
    FillWashItemList();
    if (ChListBoxItem.Count() > 0) {
        ChListBoxItem.Select(0);
        ChListBoxItemClick();
    }
}

void TFormMainVRNT::ChListBoxItemClick() {
    int i = ChListBoxItem.Selected();
    if (i < 0) return;
    CurrentItem.reset();
    const titem_property& row = Catalogue.Items[i];
    CurrentItem = ReadWashItem(row);
    FillFolderList(CurrentItem->Folders);
    FillRegisterList(CurrentItem->Registers);
    EnableEntryCommands(i);
}

std::unique_ptr<tItemContent> TFormMainVRNT::ReadWashItem(const titem_property& row) const {
    auto item = std::make_unique<tItemContent>();
    if (!Winapp2.MakeItem(row, *item)) item->Create(row.txtfilename, row.ItemName);
    return item;
}

void TFormMainVRNT::FillFolderList(const tFolder& folders) {
    ChListBoxFolder.BeginUpdate();
    ChListBoxFolder.Clear();
    for (const auto& entry : folders.Items) ChListBoxFolder.Add(entry.ChildItemName, entry.isactive);
    ChListBoxFolder.EndUpdate();
    if (ChListBoxFolder.Count() > 0) ChListBoxFolder.Select(0);
}

void TFormMainVRNT::FillRegisterList(const tRegister& registers) {
    ChListBoxRegister.BeginUpdate();
    ChListBoxRegister.Clear();
    for (const auto& entry : registers.Items) ChListBoxRegister.Add(entry.ChildItemName, entry.isactive);
    ChListBoxRegister.EndUpdate();
    if (ChListBoxRegister.Count() > 0) ChListBoxRegister.Select(0);
}

void TFormMainVRNT::EnableEntryCommands(int row) {
    if (row < 0 || row >= Catalogue.Count()) return;
    bool enabled = !Catalogue.Items[row].IsSpecial;
    for (int id : EntryCommandIds) EnableControl(id, enabled);
}

void TFormMainVRNT::FormActivate() {
    NetscapeProfileCheck();
    // The start-up wash.
    bool washAtStart = false;
    RunGuarded(Handle(), [&] {
        washAtStart = ReadAutoRun(SettingsFilePath()) && (Options.ScheduleSet & ScheduleAtStart);
    });
    if (washAtStart) AutomaticWash();
}

void TFormMainVRNT::FormClose() {
    RegisterHotKeys(false);
    SpecificFiles.clear();
    CurrentItem.reset();
    if (Options.DeleteLogOnExit) DeleteFileW(WidePath(LogFilePath()).c_str());
}

void TFormMainVRNT::FormDestroy() {
    SetTimer1(false);
    RegisterHotKeys(false);
    RemoveTrayIcon();
    // order.ini is written anew, without the rows of earlier saves, and put in place whole.
    RunGuarded(nullptr, [this] {
        Catalogue.RewriteFile(OrderFilePath());
    });
    Catalogue = titem_list();
    if (QuitOnDestroy) PostQuitMessage(0);
}
