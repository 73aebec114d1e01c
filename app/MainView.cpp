// Button images, list colours, counters and the routing of window events.
#include <windows.h>
#include <commctrl.h>

#include "app/Unitmain.h"
#include "app/UnitmainRes.h"
#include "platform/Dpi.h"
#include "resources/icons.h"

namespace {
struct ButtonImage {
    int id;
    int icon;
};

// The toolbar's buttons show larger images than the buttons beside the lists.
const int ToolbarImage = 22, ListButtonImage = 16;
const int ToolbarButtons = 11;

const ButtonImage ButtonImages[] = {
    {IDC_btnsetting, ICO_PREFS},          {IDC_btnExclude, ICO_EXCLUDE},
    {IDC_btnViewLog, ICO_VIEWLOG},        {IDC_btnDeleteLog, ICO_DELETELOG},
    {IDC_SpeedButton7, ICO_IMPORT},       {IDC_btnSavePlugin, ICO_EXPORT},
    {IDC_SpeedButton3, ICO_ABOUT},        {IDC_SpeedButton2, ICO_HELP},
    {IDC_btnMainPreview, ICO_PREVIEW},    {IDC_btnWashAll, ICO_WASH},
    {IDC_SpeedButton17, ICO_EXIT},        {IDC_btnPreviewCurrentItem, ICO_PREVIEW},
    {IDC_btnWashSingle, ICO_WASH},        {IDC_SpNew, ICO_ADD},
    {IDC_SpEdit, ICO_EDIT},               {IDC_SpDelete, ICO_REMOVE},
    {IDC_btnUp, ICO_UP},                  {IDC_btnDown, ICO_DOWN},
    {IDC_btnSelectall, ICO_CHECKALL},     {IDC_btnUnselectAll, ICO_UNCHECKALL},
    {IDC_btnPreviewCurrentFolder, ICO_PREVIEW}, {IDC_btnWashFolder, ICO_WASH},
    {IDC_btnaddfolder, ICO_ADD},          {IDC_btnEditFolder, ICO_EDIT},
    {IDC_btndeletefolder, ICO_REMOVE},    {IDC_btnPreviewCurrentRegister, ICO_PREVIEW},
    {IDC_btnWashRegister, ICO_WASH},      {IDC_btnAddRegsiterChild, ICO_ADD},
    {IDC_btnEditRegsiterChild, ICO_EDIT}, {IDC_btndeleteregister, ICO_REMOVE},
};

const COLORREF SpecialRowColour = RGB(255, 0, 0);
}  // namespace

void TFormMainVRNT::SetButtonImages() {
    int n = 0;
    for (const auto& b : ButtonImages) {
        HICON icon = LoadIconSized(b.icon, Scale(n++ < ToolbarButtons ? ToolbarImage : ListButtonImage));
        SendMessageA(Control(b.id), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    HICON big = LoadIconSized(ICO_APP, SystemMetricForDpi(SM_CXICON, Dpi()));
    HICON small = LoadIconSized(ICO_APP, SystemMetricForDpi(SM_CXSMICON, Dpi()));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void TFormMainVRNT::DpiChanged() {
    FitClientSize96(566, 421);
    SetButtonImages();
    for (CheckList* list : {&ChListBoxItem, &ChListBoxFolder, &ChListBoxRegister}) list->SetDpi(Dpi());
}

void TFormMainVRNT::SetListColours() {
    // Special items are drawn in red, selected or not.
    ChListBoxItem.RowColours = [this](int index, bool, COLORREF& text, COLORREF&) {
        if (index >= Catalogue.Count() || !Catalogue.Items[index].IsSpecial) return false;
        text = SpecialRowColour;
        return true;
    };
}

void TFormMainVRNT::SetCounters(const std::string& folderSuccess, const std::string& folderFails,
                                const std::string& registrySuccess, const std::string& registryFails) {
    SetControlText(IDC_LabFolderSuccess, folderSuccess);
    SetControlText(IDC_LabFolderFails, folderFails);
    SetControlText(IDC_LabelSuccess, registrySuccess);
    SetControlText(IDC_LabelFails, registryFails);
}

void TFormMainVRNT::BindCommands() {
    ChListBoxItem.OnSelect = [this] { ChListBoxItemClick(); };
    OnClick(IDC_SpeedButton17, [this] { SpeedButton17Click(); });
    OnClick(IDC_btnExclude, [this] { btnExcludeClick(); });
    OnClick(IDC_btnPreviewCurrentFolder, [this] { btnPreviewCurrentFolderClick(); });
    OnClick(IDC_btnWashFolder, [this] { btnWashFolderClick(); });
    OnClick(IDC_btnPreviewCurrentRegister, [this] { btnPreviewCurrentRegisterClick(); });
    OnClick(IDC_btnWashRegister, [this] { btnWashRegisterClick(); });
    OnClick(IDC_btnPreviewCurrentItem, [this] { btnPreviewCurrentItemClick(); });
    OnClick(IDC_btnWashSingle, [this] { btnWashSingleClick(); });
    OnClick(IDC_btnMainPreview, [this] { btnMainPreviewClick(); });
    OnClick(IDC_btnWashAll, [this] { btnWashAllClick(); });
    OnClick(IDC_btnSavePlugin, [this] { btnSavePluginClick(); });
    OnClick(IDC_SpeedButton7, [this] { SpeedButton7Click(); });
    OnClick(IDC_btnViewLog, [this] { btnViewLogClick(); });
    OnClick(IDC_btnDeleteLog, [this] { btnDeleteLogClick(); });
    OnClick(IDC_SpeedButton2, [this] { SpeedButton2Click(); });
    OnClick(IDC_SpeedButton3, [this] { SpeedButton3Click(); });
    Bind(IDM_Help1, 0, [this] { Help1Click(); });
    Bind(IDM_About1, 0, [this] { About1Click(); });
    OnClick(IDC_btnsetting, [this] { btnsettingClick(); });
    Bind(IDM_OpenMainWindow1, 0, [this] { OpenMainWindow1Click(); });
    Bind(IDM_MenuWashAll, 0, [this] { MenuWashAllClick(); });
    BindListCommands();
}

bool TFormMainVRNT::Notify(NMHDR* header, LRESULT& result) {
    return ChListBoxItem.HandleNotify(header, result) || ChListBoxFolder.HandleNotify(header, result) ||
           ChListBoxRegister.HandleNotify(header, result);
}

bool TFormMainVRNT::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int row = id - IDM_MenuWashItemBase;
        if (HIWORD(wParam) == 0 && row >= 0 && row < ChListBoxItem.Count()) {
            MenuWashItemClick(row + 100);
            return true;
        }
        return false;
    }
    case TrayMessage:
        if (lParam == WM_RBUTTONUP || lParam == WM_CONTEXTMENU) ShowTrayMenu();
        else if (lParam == WM_LBUTTONUP || lParam == WM_MBUTTONUP || lParam == WM_LBUTTONDBLCLK) RxTrayIcon1Click();
        result = 0;
        return true;
    default:
        (void)result;
        return false;
    }
}
