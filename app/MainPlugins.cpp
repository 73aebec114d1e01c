// Plug-in export (OnExportPlugin) and import (OnImportPlugin).
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "catalogue/PluginCheck.h"
#include "catalogue/Winapp2File.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {

std::string PluginFilter() { return Text(IDS_PluginFilter) + "|*.TXT"; }

std::string FullPath(const std::string& path) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(Widen(path).c_str(), MAX_PATH * 4, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH * 4) return path;
    std::wstring full(buffer, n);
    DWORD m = GetLongPathNameW(full.c_str(), buffer, MAX_PATH * 4);
    if (m && m < MAX_PATH * 4) full.assign(buffer, m);
    return Narrow(full);
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiW(Widen(FullPath(a)).c_str(), Widen(FullPath(b)).c_str()) == 0;
}

std::string ExtractFileExt(const std::string& path) {
    std::string name = ExtractFileName(path);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool PathExists(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string SystemErrorText(DWORD code) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof(text), nullptr);
    std::string message(text, n);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? FormatText(IDS_SystemError, code) : message;
}

// Removes a file when it dies, unless released.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!path_.empty()) DeleteFileW(WidePath(path_).c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

std::string UnableToWrite(const std::string& target) { return FormatText(IDS_UnableToWrite, target); }

}  // namespace

std::string MainWindow::ChooseFile(const FileDialogRequest& request) {
    return FileDialogChoice ? FileDialogChoice(request) : ShowFileDialog(Handle(), request);
}

void MainWindow::OnExportPlugin() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        FileDialogRequest request{true, Text(IDS_ExportTitle), PluginFilter(), "txt",
                                  OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING};
        std::string target = ChooseFile(request);
        if (target.empty()) return;
        // The program's own wash item files and settings would be replaced before they are read.
        const std::string ownFiles[] = {ProgramDirectory + "const\\system.txt", UserItemsPath(),
                                        OrderFilePath(), SettingsFilePath()};
        bool own = SamePath(ExtractFilePath(FullPath(target)), PluginDirPath());
        for (const auto& file : ownFiles) own = own || SamePath(target, file);
        if (own) {
            ShowRefusal(Handle(), FormatText(IDS_ExportOwnFile, target));
            return;
        }
        ShowNote(Handle(), Text(IDS_ExportNote));
        ExportCheckedItems(target);
    });
}

// The items are written to a temporary file beside the target, which replaces the target only
// when it is complete. Sections of one file are one per name (letter case ignored): of several
// checked items of one name only the first is exported.
void MainWindow::ExportCheckedItems(const std::string& target) {
    std::string folder = ExtractFilePath(FullPath(target));
    wchar_t tempName[MAX_PATH];
    if (!GetTempFileNameW(Widen(folder).c_str(), L"vrn", 0, tempName)) throw AppError(UnableToWrite(target));
    TempFile temp(Narrow(tempName, wcslen(tempName)));
    const std::string supplied = ProgramDirectory + "const\\system.txt";
    std::vector<std::string> exported, skipped;
    {
        ListUpdate update(ItemList);
        for (int i = 0; i < ItemList.Count(); ++i) {
            if (!ItemList.Checked(i)) continue;
            ItemList.Select(i);
            OnItemSelected();
            if (!CurrentItem || WashItems.Items[i].ItemFile == supplied) continue;
            const std::string name = CurrentItem->Property.ItemName;
            bool taken = std::any_of(exported.begin(), exported.end(), [&](const std::string& done) {
                return AnsiCompareText(Trim(done), Trim(name)) == 0;
            });
            if (taken) {
                skipped.push_back(name + " (" + CurrentItem->Property.ItemFile + ")");
                continue;
            }
            WashItem copy = *CurrentItem;
            try {
                copy.AddToFile(temp.Path(), name, copy.Property.IsActive);
            } catch (const AppError&) {
                throw AppError(UnableToWrite(target));
            }
            exported.push_back(name);
        }
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, WidePath(temp.Path()).c_str());
    if (exported.empty()) {
        if (!DeleteFileW(WidePath(target).c_str()) && PathExists(target)) throw AppError(UnableToWrite(target));
    } else {
        if (!MoveFileExW(WidePath(temp.Path()).c_str(), WidePath(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw AppError(UnableToWrite(target));
        temp.Release();
    }
    if (!skipped.empty()) {
        std::string list;
        for (const auto& item : skipped) list += "\r\n" + item;
        ShowNote(Handle(), FormatText(IDS_ExportSkipped, list));
    }
}

void MainWindow::OnImportPlugin() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        FileDialogRequest request{false, Text(IDS_ImportTitle), PluginFilter(), "txt",
                                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING};
        std::string source = ChooseFile(request);
        if (!source.empty()) ImportPlugin(source);
    });
}

// The file is checked before anything is copied; its items arrive unchecked, so that no
// automatic wash runs an entry the user has not looked at.
void MainWindow::ImportPlugin(const std::string& source) {
    // A community rules file (typed by name: the dialog lists .TXT files) becomes winapp2.ini.
    if (IsWinapp2File(source)) return ImportWinapp2(source);
    const std::string folder = PluginDirPath();
    std::string target = folder + ExtractFileName(source);
    if (SamePath(source, target)) {
        ShowRefusal(Handle(), FormatText(IDS_PluginAlreadyThere, target));
        return;
    }
    // The catalogue reads only "*.txt" from the plugin folder: another name would never show.
    if (!SameText(ExtractFileExt(target), ".txt")) {
        ShowRefusal(Handle(), FormatText(IDS_PluginNotTxt, source));
        return;
    }
    if (std::string problem = CheckPluginFile(source); !problem.empty()) {
        ShowRefusal(Handle(), problem);
        return;
    }
    if (PathExists(target) && !AskQuestion(Handle(), FormatText(IDS_FileExistsOverwrite, target))) return;
    if (!PathExists(folder) && !CreateDirectoryW(WidePath(folder).c_str(), nullptr)) {
        ShowRefusal(Handle(), FormatText(IDS_UnableToCreateFolder, folder, SystemErrorText(GetLastError())));
        return;
    }
    if (!CopyFileW(WidePath(source).c_str(), WidePath(target).c_str(), FALSE)) {
        ShowRefusal(Handle(), FormatText(IDS_UnableToCopyBecause, source, target, SystemErrorText(GetLastError())));
        return;
    }
    // The catalogue reads the name as the folder lists it, which an older file may have fixed.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(WidePath(target).c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        target = folder + Narrow(found.cFileName, wcslen(found.cFileName));
        FindClose(find);
    }
    Catalogue arrived;
    AppendPluginRows(arrived, target);
    for (auto& row : WashItems.Items)
        if (row.ItemFile == target) row.IsActive = false;
    for (auto row : arrived.Items) {
        if (WashItems.Contains(row)) continue;
        row.IsActive = false;
        WashItems.Append(row);
    }
    SaveCatalogueOrder();
    ReloadCatalogue();
}
