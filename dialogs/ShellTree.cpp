#include "dialogs/ShellTree.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::wstring DisplayName(IShellFolder* folder, LPCITEMIDLIST child) {
    STRRET name{};
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name))) StrRetToBufW(&name, child, text, MAX_PATH);
    return text;
}
}  // namespace

ShellTree::~ShellTree() {
    if (desktop_) desktop_->Release();
    if (myComputer_) ILFree(myComputer_);
}

void ShellTree::Attach(HWND tree) {
    tree_ = tree;
    if (!desktop_ && FAILED(SHGetDesktopFolder(&desktop_))) desktop_ = nullptr;
    if (!myComputer_ && FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &myComputer_)))
        myComputer_ = nullptr;
    if (!desktop_) return;
    AddChildren(TVI_ROOT);
    for (HTREEITEM item = TreeView_GetRoot(tree_); item; item = TreeView_GetNextSibling(tree_, item)) {
        if (IsMyComputer(item)) {
            TreeView_Expand(tree_, item, TVE_EXPAND);
            TreeView_SelectItem(tree_, item);
            break;
        }
    }
}

void ShellTree::Detach() {
    if (tree_) TreeView_DeleteAllItems(tree_);
    tree_ = nullptr;
}

LPITEMIDLIST ShellTree::ItemIdList(HTREEITEM item) const {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !TreeView_GetItem(tree_, &data)) return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(data.lParam);
}

void ShellTree::AddChildren(HTREEITEM parent) {
    LPITEMIDLIST parentIds = parent == TVI_ROOT ? nullptr : ItemIdList(parent);
    IShellFolder* folder = nullptr;
    if (!parentIds) {
        folder = desktop_;
        folder->AddRef();
    } else if (FAILED(desktop_->BindToObject(parentIds, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
        return;
    }
    std::vector<LPITEMIDLIST> children;
    IEnumIDList* list = nullptr;
    if (folder->EnumObjects(GetParent(tree_), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &list) == S_OK && list) {
        LPITEMIDLIST child;
        ULONG fetched;
        while (list->Next(1, &child, &fetched) == S_OK && fetched == 1) children.push_back(child);
        list->Release();
    }
    // The desktop keeps the shell's order; the folders of a node are sorted as the shell sorts them.
    if (parentIds) {
        std::stable_sort(children.begin(), children.end(), [folder](LPITEMIDLIST a, LPITEMIDLIST b) {
            return static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, a, b))) < 0;
        });
    }
    for (LPITEMIDLIST child : children) {
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        LPCITEMIDLIST one = child;
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) attributes = 0;
        if (attributes & SFGAO_FOLDER) {
            std::wstring name = DisplayName(folder, child);
            TVINSERTSTRUCTW insert{};
            insert.hParent = parent;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
            insert.item.pszText = name.data();
            insert.item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
            insert.item.lParam = reinterpret_cast<LPARAM>(ILCombine(parentIds, child));
            if (!SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))) ILFree(reinterpret_cast<LPITEMIDLIST>(insert.item.lParam));
        }
        ILFree(child);
    }
    folder->Release();
    if (parent != TVI_ROOT && !TreeView_GetChild(tree_, parent)) {
        TVITEMA data{};
        data.mask = TVIF_CHILDREN;
        data.hItem = parent;
        TreeView_SetItem(tree_, &data);
    }
}

bool ShellTree::HandleNotify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != tree_) return false;
    switch (header->code) {
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDINGW: {
            auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
            if ((view->action & TVE_EXPAND) && !TreeView_GetChild(tree_, view->itemNew.hItem))
                AddChildren(view->itemNew.hItem);
            result = FALSE;
            return true;
        }
        case TVN_DELETEITEMA:
        case TVN_DELETEITEMW:
            ILFree(reinterpret_cast<LPITEMIDLIST>(reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.lParam));
            return true;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            if (OnChange) OnChange();
            return true;
        default:
            return false;
    }
}

std::string ShellTree::ItemPath(HTREEITEM item) const {
    LPITEMIDLIST ids = ItemIdList(item);
    wchar_t path[MAX_PATH] = {};
    if (!ids || !SHGetPathFromIDListW(ids, path)) return {};
    return Narrow(path, wcslen(path));
}

std::string ShellTree::SelectedPath() const { return ItemPath(TreeView_GetSelection(tree_)); }

bool ShellTree::IsMyComputer(HTREEITEM item) const {
    LPITEMIDLIST ids = ItemIdList(item);
    return ids && myComputer_ && HRESULT_CODE(desktop_->CompareIDs(0, ids, myComputer_)) == 0;
}

bool ShellTree::SelectFolder(const std::string& path) {
    const std::string target = WithBackslash(path);
    HTREEITEM first = TreeView_GetRoot(tree_);
    bool topLevel = true;
    while (first) {
        HTREEITEM next = nullptr, drives = nullptr;
        for (HTREEITEM item = first; item && !next; item = TreeView_GetNextSibling(tree_, item)) {
            std::string itemPath = ItemPath(item);
            if (itemPath.empty()) {
                if (topLevel && IsMyComputer(item)) drives = item;
                continue;
            }
            itemPath = WithBackslash(itemPath);
            if (SameText(itemPath, target)) {
                TreeView_SelectItem(tree_, item);
                TreeView_EnsureVisible(tree_, item);
                return true;
            }
            if (itemPath.size() < target.size() && SameText(itemPath, target.substr(0, itemPath.size())))
                next = item;
        }
        if (!next) next = drives;
        if (!next) return false;
        TreeView_Expand(tree_, next, TVE_EXPAND);
        first = TreeView_GetChild(tree_, next);
        topLevel = false;
    }
    return false;
}
