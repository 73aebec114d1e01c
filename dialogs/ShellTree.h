#pragma once
// A tree view showing the folders of the shell namespace. The desktop, its root, is hidden:
// its folders are the top-level nodes. A node's folders are read when it is first expanded.
// Each node keeps the absolute item id list of its folder.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <string>

class ShellTree {
public:
    ShellTree() = default;
    ~ShellTree();
    ShellTree(const ShellTree&) = delete;
    ShellTree& operator=(const ShellTree&) = delete;

    // Fills the top level and selects "My Computer", expanded.
    void Attach(HWND tree);
    // Deletes every node (and frees what it keeps) while the tree still exists.
    void Detach();
    // Routes the tree's notifications; true when handled.
    bool HandleNotify(NMHDR* header, LRESULT& result);
    std::function<void()> OnChange;

    // File-system path of the selected folder; empty for a virtual folder or no selection.
    std::string SelectedPath() const;
    // Expands the tree down to a file-system folder and selects it; false when not found.
    bool SelectFolder(const std::string& path);
    // File-system path of a node's folder; empty for a virtual folder.
    std::string ItemPath(HTREEITEM item) const;

private:
    void AddChildren(HTREEITEM parent);
    bool IsMyComputer(HTREEITEM item) const;
    LPITEMIDLIST ItemIdList(HTREEITEM item) const;

    HWND tree_ = nullptr;
    IShellFolder* desktop_ = nullptr;
    LPITEMIDLIST myComputer_ = nullptr;
};
