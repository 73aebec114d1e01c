// Button images, list colours, counters and the routing of window events.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/UiFont.h"
#include "resources/icons.h"
#include "settings/SettingsTexts.h"

namespace {
struct ButtonImage {
    int id;
    int icon;
};

// The toolbar's buttons show larger images than the buttons beside the lists.
const int ToolbarImage = 22, ListButtonImage = 16;
const size_t ToolbarButtons = 13;

const ButtonImage ButtonImages[] = {
    {IDC_Preferences, ICO_PREFS},          {IDC_ExclusionList, ICO_EXCLUDE},
    {IDC_ViewLog, ICO_VIEWLOG},        {IDC_DeleteLog, ICO_DELETELOG},
    {IDC_ImportPlugin, ICO_IMPORT},       {IDC_ExportPlugin, ICO_EXPORT},
    {IDC_About, ICO_ABOUT},        {IDC_Help, ICO_HELP},
    {IDC_PreviewChecked, ICO_PREVIEW},    {IDC_WashChecked, ICO_WASH},
    {IDC_WipeFreeSpace, ICO_WIPE},     {IDC_Cookies, ICO_COOKIES},
    {IDC_Exit, ICO_EXIT},        {IDC_PreviewCurrentItem, ICO_PREVIEW},
    {IDC_WashCurrentItem, ICO_WASH},        {IDC_AddItem, ICO_ADD},
    {IDC_EditItem, ICO_EDIT},               {IDC_DeleteItem, ICO_REMOVE},
    {IDC_MoveItemUp, ICO_UP},                  {IDC_MoveItemDown, ICO_DOWN},
    {IDC_CheckAllItems, ICO_CHECKALL},     {IDC_UncheckAllItems, ICO_UNCHECKALL},
    {IDC_PreviewFolderEntry, ICO_PREVIEW}, {IDC_WashFolderEntry, ICO_WASH},
    {IDC_AddFolderEntry, ICO_ADD},          {IDC_EditFolderEntry, ICO_EDIT},
    {IDC_DeleteFolderEntry, ICO_REMOVE},    {IDC_PreviewRegistryEntry, ICO_PREVIEW},
    {IDC_WashRegistryEntry, ICO_WASH},      {IDC_AddRegistryEntry, ICO_ADD},
    {IDC_EditRegistryEntry, ICO_EDIT}, {IDC_DeleteRegistryEntry, ICO_REMOVE},
};

const COLORREF SpecialRowColour = RGB(255, 0, 0);

// The thread that loads the common controls, realizes the lists' font and loads the button images
// while the window is made (the window's own loads then take the images from LoadIconSized's
// cache); CommonControlsReady is set once the controls' classes are there.
HANDLE ImagePreload = nullptr;
HANDLE CommonControlsReady = nullptr;

void LoadCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

int ButtonImageSize(size_t index, int dpi) {
    return ScaleForDpi(index < ToolbarButtons ? ToolbarImage : ListButtonImage, dpi);
}

DWORD WINAPI PreloadWindowResources(void* parameter) {
    const int dpi = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
    // The controls' classes first: the window waits for them once its frame is made.
    LoadCommonControls();
    SetEvent(CommonControlsReady);
    PrepareFont(CheckList::FontAt(dpi));
    size_t n = 0;
    for (const auto& b : ButtonImages) LoadIconSized(b.icon, ButtonImageSize(n++, dpi));
    return 0;
}

void WaitForImagePreload() {
    if (!ImagePreload) return;
    WaitForSingleObject(ImagePreload, INFINITE);
    CloseHandle(ImagePreload);
    ImagePreload = nullptr;
}
}  // namespace

void StartLoadingWindowResources() {
    if (ImagePreload) return;
    CommonControlsReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // The window will most likely have the desktop's DPI; at another one it loads its own sizes.
    INT_PTR dpi = WindowDpi(GetDesktopWindow());
    ImagePreload = CreateThread(nullptr, 0, PreloadWindowResources, reinterpret_cast<void*>(dpi), 0, nullptr);
    if (!ImagePreload) {
        LoadCommonControls();
        if (CommonControlsReady) SetEvent(CommonControlsReady);
    }
}

void MainWindow::ControlsWanted() {
    if (CommonControlsReady) WaitForSingleObject(CommonControlsReady, INFINITE);
}

void MainWindow::SetButtonImages() {
    WaitForImagePreload();
    size_t n = 0;
    for (const auto& b : ButtonImages) SetButtonIcon(b.id, b.icon, ButtonImageSize(n++, Dpi()));
    HICON big = LoadIconSized(ICO_APP, SystemMetricForDpi(SM_CXICON, Dpi()));
    HICON small = LoadIconSized(ICO_APP, SystemMetricForDpi(SM_CXSMICON, Dpi()));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void MainWindow::DpiChanged() {
    FitClientSize96(566, 421);
    SetButtonImages();
    for (CheckList* list : {&ItemList, &FolderList, &RegistryList}) list->SetDpi(Dpi());
}

void MainWindow::SetListColours() {
    // Special items are drawn in red, selected or not; rows whose mark a policy holds in grey,
    // with the note.
    ItemList.RowColours = [this](int index, bool selected, COLORREF& text, COLORREF&) {
        if (index >= WashItems.Count()) return false;
        if (WashItems.Items[index].IsSpecial) {
            text = SpecialRowColour;
            return true;
        }
        if (selected || !Policy.ForcedCheck(WashItems.Items[index].ItemName)) return false;
        text = GetSysColor(COLOR_GRAYTEXT);
        return true;
    };
    // The rows keep the stored names; a supplied name shows in the language in use.
    ItemList.DisplayText = [this](int index) {
        std::string text = TranslateUiText(ItemList.Text(index));
        if (index < WashItems.Count() && Policy.ForcedCheck(WashItems.Items[index].ItemName))
            text += " (" + Text(IDS_SetByAdministrator) + ")";
        return text;
    };
    FolderList.DisplayText = [this](int index) { return TranslateUiText(FolderList.Text(index)); };
    RegistryList.DisplayText = [this](int index) { return TranslateUiText(RegistryList.Text(index)); };
}

void MainWindow::SetCounters(const std::string& folderSuccess, const std::string& folderFails,
                                const std::string& registrySuccess, const std::string& registryFails) {
    SetControlText(IDC_FileSuccessCount, folderSuccess);
    SetControlText(IDC_FileFailsCount, folderFails);
    SetControlText(IDC_RegistrySuccessCount, registrySuccess);
    SetControlText(IDC_RegistryFailsCount, registryFails);
}

void MainWindow::BindCommands() {
    ItemList.OnSelect = [this] { OnItemSelected(); };
    OnClick(IDC_Exit, [this] { OnExit(); });
    OnClick(IDC_ExclusionList, [this] { OnExclusionList(); });
    OnClick(IDC_PreviewFolderEntry, [this] { OnPreviewFolderEntry(); });
    OnClick(IDC_WashFolderEntry, [this] { OnWashFolderEntry(); });
    OnClick(IDC_PreviewRegistryEntry, [this] { OnPreviewRegistryEntry(); });
    OnClick(IDC_WashRegistryEntry, [this] { OnWashRegistryEntry(); });
    OnClick(IDC_PreviewCurrentItem, [this] { OnPreviewCurrentItem(); });
    OnClick(IDC_WashCurrentItem, [this] { OnWashCurrentItem(); });
    OnClick(IDC_PreviewChecked, [this] { OnPreviewChecked(); });
    OnClick(IDC_WashChecked, [this] { OnWashChecked(); });
    OnClick(IDC_ExportPlugin, [this] { OnExportPlugin(); });
    OnClick(IDC_ImportPlugin, [this] {
        if (EditingAllowed()) OnImportPlugin();
    });
    OnClick(IDC_ViewLog, [this] { OnViewLog(); });
    OnClick(IDC_DeleteLog, [this] { OnDeleteLog(); });
    OnClick(IDC_Help, [this] { OnHelp(); });
    OnClick(IDC_About, [this] { OnAbout(); });
    Bind(IDM_Help, 0, [this] { OnHelpMenu(); });
    Bind(IDM_Exit, 0, [this] { OnExitMenu(); });
    OnClick(IDC_Preferences, [this] { OnPreferences(); });
    OnClick(IDC_WipeFreeSpace, [this] { OnWipeFreeSpace(); });
    Bind(IDM_WipeFreeSpace, 0, [this] { OnWipeFreeSpace(); });
    OnClick(IDC_Cookies, [this] { OnCookies(); });
    Bind(IDM_Cookies, 0, [this] { OnCookies(); });
    Bind(IDM_OpenMainWindow, 0, [this] { OnOpenMainWindow(); });
    Bind(IDM_WashAll, 0, [this] { OnWashAllMenu(); });
    BindListCommands();
}

bool MainWindow::Notify(NMHDR* header, LRESULT& result) {
    return ItemList.HandleNotify(header, result) || FolderList.HandleNotify(header, result) ||
           RegistryList.HandleNotify(header, result);
}

bool MainWindow::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (ScheduleMessage(msg, wParam, lParam, result)) return true;
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !activated_) {
                activated_ = true;
                PostMessageA(Handle(), WM_APP + 2, 0, 0);
            }
            return false;
        case WM_APP + 2:
            FormActivate();
            return true;
        case AfterShownMessage:
            AfterShown();
            return true;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int row = id - IDM_WashItemBase;
            if (HIWORD(wParam) == 0 && row >= 0 && row < ItemList.Count()) {
                OnWashMenuItem(row + 100);
                return true;
            }
            return false;
        }
        case TrayMessage:
            if (lParam == WM_RBUTTONUP || lParam == WM_CONTEXTMENU) ShowTrayMenu();
            else if (lParam == WM_LBUTTONUP || lParam == WM_MBUTTONUP || lParam == WM_LBUTTONDBLCLK) OnTrayIconClick();
            result = 0;
            return true;
        default:
            (void)result;
            return false;
    }
}
