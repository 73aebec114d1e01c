// Commands on the entries of the current wash item: add, edit, delete and check folder/file
// entries and registry entries. Each works on the item's file and name as they were when the
// command started, and writes the item's file through a copy.
#include <algorithm>

#include "app/Unitmain.h"
#include "catalogue/FileReplace.h"
#include "catalogue/ListUtils.h"
#include "dialogs/Unitaddeditfolder.h"
#include "dialogs/Unitaddeditregister.h"
#include "platform/Error.h"
#include "platform/Messages.h"

namespace {
struct FolderEntries {
    using List = tFolder;
    using Entry = tChildFolder;
    using Editor = TFormFolder;
    static constexpr const char* AddCaption = "Add Folder/File Item";
    static constexpr const char* EditCaption = "Edit Folder/File Item";
    static List& Of(tItemContent& item) { return item.Folders; }
    static void Fill(TFormMainVRNT& main, const List& list) { main.FillFolderList(list); }
    // What an added entry does not take over from the keys left at its position.
    static void ClearForAdd(Entry& entry) {
        entry.ChildItemName.clear();
        entry.deletepath.clear();
        entry.deletefilename.clear();
        entry.RegisterName.clear();
        entry.RegisterValueofName.clear();
    }
};

struct RegistryEntries {
    using List = tRegister;
    using Entry = tChildRegister;
    using Editor = TFormRegister;
    static constexpr const char* AddCaption = "Add Registry Entry Item";
    static constexpr const char* EditCaption = "Edit Current Registry Entry Item";
    static List& Of(tItemContent& item) { return item.Registers; }
    static void Fill(TFormMainVRNT& main, const List& list) { main.FillRegisterList(list); }
    static void ClearForAdd(Entry& entry) {
        entry.ChildItemName.clear();
        entry.RegisterKeyName.clear();
        entry.RegisterSingleValue.clear();
    }
};

// The wash item an entry command works on, fixed when the command starts.
struct Target {
    std::string file;
    std::string item;
    std::string rowText;
};

bool FixTarget(TFormMainVRNT& main, Target& target) {
    int i = main.ChListBoxItem.Selected();
    if (i < 0 || !main.CurrentItem) return false;
    target.file = main.CurrentItem->Property.txtfilename;
    target.item = main.CurrentItem->Property.ItemName;
    target.rowText = main.ChListBoxItem.Text(i);
    return true;
}

bool IsCurrent(const TFormMainVRNT& main, const Target& target) {
    return main.CurrentItem && main.CurrentItem->Property.txtfilename == target.file &&
           main.CurrentItem->Property.ItemName == target.item;
}

template <class List>
void SaveList(const Target& target, const List& list) {
    RewriteThroughCopy(target.file, [&](const std::string& copy) {
        List saved = list;
        saved.txtfilename = copy;
        for (auto& entry : saved.Items) entry.txtfilename = copy;
        saved.Save();
    });
}

template <class List>
std::vector<std::string> EntryNames(const List& list) {
    std::vector<std::string> names;
    for (const auto& entry : list.Items) names.push_back(entry.ChildItemName);
    return names;
}

std::string EntryGone(const Target& target) {
    return "The entry is no longer stored with '" + target.item + "' in " + target.file + ".";
}

// After a change: the current item and its list show what was saved, the given row selected.
template <class Kinds>
void ShowSaved(TFormMainVRNT& main, const Target& target, const typename Kinds::List& list, CheckList& rows,
               int select) {
    if (!IsCurrent(main, target)) return;
    Kinds::Of(*main.CurrentItem) = list;
    Kinds::Fill(main, list);
    rows.Select(select);
}

template <class Kinds>
void EditEntry(TFormMainVRNT& main, CheckList& rows, bool add) {
    Target target;
    if (!FixTarget(main, target)) return;
    const int p = add ? rows.Count() : rows.Selected();
    if (p < 0) return;
    typename Kinds::Entry entry(target.file, p, target.item);
    if (add) Kinds::ClearForAdd(entry);

    typename Kinds::Editor editor;
    editor.Caption = add ? Kinds::AddCaption : Kinds::EditCaption;
    editor.Entry = entry;
    if (editor.ShowModal(main.Handle()) != mrOK) return;
    entry = editor.Entry;

    typename Kinds::List list(target.file, target.item);
    std::vector<std::string> names = EntryNames(list);
    bool taken = add ? ListHasText(names, entry.ChildItemName) : ListHasTextElsewhere(names, entry.ChildItemName, p);
    if (taken) return ShowRefusal(main.Handle(), "Item '" + entry.ChildItemName + "' exists. Please retry!");
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
void DeleteEntry(TFormMainVRNT& main, CheckList& rows) {
    Target target;
    const int r = rows.Selected();
    if (r < 0 || !FixTarget(main, target)) return;
    if (!AskQuestion(main.Handle(), "Do you want to delete '" + target.rowText + " -> " + rows.Text(r) + "'?")) return;

    typename Kinds::List list(target.file, target.item);
    if (r >= list.Count()) throw AppError(EntryGone(target));
    list.Delete(r);
    SaveList(target, list);
    ShowSaved<Kinds>(main, target, list, rows, r < list.Count() ? r : (list.Count() > 0 ? 0 : -1));
}

// Stores the selected row's check mark as its entry's active flag; false when it could not.
template <class Kinds>
bool CheckEntry(TFormMainVRNT& main, CheckList& rows) {
    const int r = rows.Selected();
    if (r < 0 || !main.CurrentItem) return true;
    auto& list = Kinds::Of(*main.CurrentItem);
    if (r >= list.Count()) return true;
    return RunGuarded(main.Handle(), [&] {
        typename Kinds::Entry entry = list.Items[r];
        entry.isactive = rows.Checked(r);
        RewriteThroughCopy(entry.txtfilename, [&](const std::string& copy) {
            typename Kinds::Entry saved = entry;
            saved.txtfilename = copy;
            saved.Transfer(false);
        });
        list.Items[r].isactive = entry.isactive;
    });
}
}  // namespace

void TFormMainVRNT::EditFolderEntry(bool add) {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ChListBoxItem.Selected())) EditEntry<FolderEntries>(*this, ChListBoxFolder, add);
    });
}

void TFormMainVRNT::EditRegistryEntry(bool add) {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ChListBoxItem.Selected()))
            EditEntry<RegistryEntries>(*this, ChListBoxRegister, add);
    });
}

void TFormMainVRNT::DeleteFolderEntry() {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ChListBoxItem.Selected())) DeleteEntry<FolderEntries>(*this, ChListBoxFolder);
    });
}

void TFormMainVRNT::DeleteRegistryEntry() {
    RunListCommand([&] {
        if (!RefuseWinapp2Change(ChListBoxItem.Selected())) DeleteEntry<RegistryEntries>(*this, ChListBoxRegister);
    });
}

// A mark that cannot be stored (or arrives while a command runs) is taken back.
void TFormMainVRNT::ChListBoxFolderClickCheck() {
    int r = ChListBoxFolder.Selected();
    bool stored = false;
    if (!washRunning_) {
        RunningScope running(washRunning_);
        stored = !RefuseWinapp2Change(ChListBoxItem.Selected()) && CheckEntry<FolderEntries>(*this, ChListBoxFolder);
    }
    if (!stored && r >= 0) ChListBoxFolder.SetChecked(r, !ChListBoxFolder.Checked(r));
}

void TFormMainVRNT::ChListBoxRegisterClickCheck() {
    int r = ChListBoxRegister.Selected();
    bool stored = false;
    if (!washRunning_) {
        RunningScope running(washRunning_);
        stored = !RefuseWinapp2Change(ChListBoxItem.Selected()) &&
                 CheckEntry<RegistryEntries>(*this, ChListBoxRegister);
    }
    if (!stored && r >= 0) ChListBoxRegister.SetChecked(r, !ChListBoxRegister.Checked(r));
}
