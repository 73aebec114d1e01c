// Commands on the entries of the current wash item: add, edit, delete and check folder/file
// entries and registry entries. Each works on the item's file and name as they were when the
// command started, and writes the item's file through a copy.
#include <algorithm>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "catalogue/FileReplace.h"
#include "catalogue/ListUtils.h"
#include "dialogs/FolderEntryDialog.h"
#include "dialogs/RegistryEntryDialog.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Messages.h"

namespace {
struct FolderEntryKind {
    using List = FolderEntryList;
    using Entry = FolderEntry;
    using Editor = FolderEntryDialog;
    static constexpr UINT AddCaption = IDS_AddFolderEntry;
    static constexpr UINT EditCaption = IDS_EditFolderEntry;
    static List& Of(WashItem& item) { return item.FolderEntries; }
    static void Fill(MainWindow& main, const List& list) { main.FillFolderList(list); }
    // What an added entry does not take over from the keys left at its position.
    static void ClearForAdd(Entry& entry) {
        entry.Name.clear();
        entry.FolderMask.clear();
        entry.FilePath.clear();
        entry.PathKeyName.clear();
        entry.PathValueName.clear();
    }
};

struct RegistryEntryKind {
    using List = RegistryEntryList;
    using Entry = RegistryEntry;
    using Editor = RegistryEntryDialog;
    static constexpr UINT AddCaption = IDS_AddRegistryEntry;
    static constexpr UINT EditCaption = IDS_EditRegistryEntry;
    static List& Of(WashItem& item) { return item.RegistryEntries; }
    static void Fill(MainWindow& main, const List& list) { main.FillRegistryList(list); }
    static void ClearForAdd(Entry& entry) {
        entry.Name.clear();
        entry.KeyName.clear();
        entry.ValueName.clear();
    }
};

// The wash item an entry command works on, fixed when the command starts.
struct Target {
    std::string file;
    std::string item;
    std::string rowText;
};

bool FixTarget(MainWindow& main, Target& target) {
    int i = main.ItemList.Selected();
    if (i < 0 || !main.CurrentItem) return false;
    target.file = main.CurrentItem->Property.ItemFile;
    target.item = main.CurrentItem->Property.ItemName;
    target.rowText = main.ItemList.Text(i);
    return true;
}

bool IsCurrent(const MainWindow& main, const Target& target) {
    return main.CurrentItem && main.CurrentItem->Property.ItemFile == target.file &&
           main.CurrentItem->Property.ItemName == target.item;
}

template <class List>
void SaveList(const Target& target, const List& list) {
    RewriteThroughCopy(target.file, [&](const std::string& copy) {
        List saved = list;
        saved.ItemFile = copy;
        for (auto& entry : saved.Items) entry.ItemFile = copy;
        saved.Save();
    });
}

template <class List>
std::vector<std::string> EntryNames(const List& list) {
    std::vector<std::string> names;
    for (const auto& entry : list.Items) names.push_back(entry.Name);
    return names;
}

std::string EntryGone(const Target& target) {
    return FormatText(IDS_EntryGone, target.item, target.file);
}

// After a change: the current item and its list show what was saved, the given row selected.
template <class Kinds>
void ShowSaved(MainWindow& main, const Target& target, const typename Kinds::List& list, CheckList& rows,
               int select) {
    if (!IsCurrent(main, target)) return;
    Kinds::Of(*main.CurrentItem) = list;
    Kinds::Fill(main, list);
    rows.Select(select);
}

template <class Kinds>
void EditEntry(MainWindow& main, CheckList& rows, bool add) {
    Target target;
    if (!FixTarget(main, target)) return;
    const int p = add ? rows.Count() : rows.Selected();
    if (p < 0) return;
    typename Kinds::Entry entry(target.file, p, target.item);
    if (add) Kinds::ClearForAdd(entry);

    typename Kinds::Editor editor;
    editor.Caption = Text(add ? Kinds::AddCaption : Kinds::EditCaption);
    editor.Entry = entry;
    if (editor.ShowModal(main.Handle()) != mrOK) return;
    entry = editor.Entry;

    typename Kinds::List list(target.file, target.item);
    std::vector<std::string> names = EntryNames(list);
    bool taken = add ? ListHasText(names, entry.Name) : ListHasTextElsewhere(names, entry.Name, p);
    if (taken) return ShowRefusal(main.Handle(), FormatText(IDS_EntryExists, entry.Name));
    if (add) {
        list.Add(entry);
    } else {
        if (p >= list.Count()) throw AppError(EntryGone(target));
        list.Replace(entry, p);
    }
    SaveList(target, list);
    ShowSaved<Kinds>(main, target, list, rows, add ? list.Count() - 1 : p);
}

template <class Kinds>
void DeleteEntry(MainWindow& main, CheckList& rows) {
    Target target;
    const int r = rows.Selected();
    if (r < 0 || !FixTarget(main, target)) return;
    if (!AskQuestion(main.Handle(), FormatText(IDS_ConfirmDeleteEntry, TranslateUiText(target.rowText), TranslateUiText(rows.Text(r))))) return;

    typename Kinds::List list(target.file, target.item);
    if (r >= list.Count()) throw AppError(EntryGone(target));
    list.Delete(r);
    SaveList(target, list);
    ShowSaved<Kinds>(main, target, list, rows, r < list.Count() ? r : (list.Count() > 0 ? 0 : -1));
}

// Stores the selected row's check mark as its entry's active flag; false when it could not.
template <class Kinds>
bool CheckEntry(MainWindow& main, CheckList& rows) {
    const int r = rows.Selected();
    if (r < 0 || !main.CurrentItem) return true;
    auto& list = Kinds::Of(*main.CurrentItem);
    if (r >= list.Count()) return true;
    return RunGuarded(main.Handle(), [&] {
        typename Kinds::Entry entry = list.Items[r];
        entry.IsActive = rows.Checked(r);
        RewriteThroughCopy(entry.ItemFile, [&](const std::string& copy) {
            typename Kinds::Entry saved = entry;
            saved.ItemFile = copy;
            saved.Transfer(false);
        });
        list.Items[r].IsActive = entry.IsActive;
    });
}
}  // namespace

void MainWindow::EditFolderEntry(bool add) {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ItemList.Selected())) EditEntry<FolderEntryKind>(*this, FolderList, add);
    });
}

void MainWindow::EditRegistryEntry(bool add) {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ItemList.Selected()))
            EditEntry<RegistryEntryKind>(*this, RegistryList, add);
    });
}

void MainWindow::DeleteFolderEntry() {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ItemList.Selected())) DeleteEntry<FolderEntryKind>(*this, FolderList);
    });
}

void MainWindow::DeleteRegistryEntry() {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ItemList.Selected())) DeleteEntry<RegistryEntryKind>(*this, RegistryList);
    });
}

// A mark that cannot be stored (or arrives while a command runs) is taken back.
void MainWindow::OnFolderEntryChecked() {
    int r = FolderList.Selected();
    bool stored = false;
    if (!washRunning_) {
        RunningScope running(washRunning_);
        stored = !RefuseWinapp2Change(ItemList.Selected()) && CheckEntry<FolderEntryKind>(*this, FolderList);
    }
    if (!stored && r >= 0) FolderList.SetChecked(r, !FolderList.Checked(r));
}

void MainWindow::OnRegistryEntryChecked() {
    int r = RegistryList.Selected();
    bool stored = false;
    if (!washRunning_) {
        RunningScope running(washRunning_);
        stored = !RefuseWinapp2Change(ItemList.Selected()) &&
                 CheckEntry<RegistryEntryKind>(*this, RegistryList);
    }
    if (!stored && r >= 0) RegistryList.SetChecked(r, !RegistryList.Checked(r));
}
