// The command line: /wash, /list FILE and /?, run without the main window.
#include "app/CommandLine.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <unordered_set>

#include "app/MainWindow.h"
#include "catalogue/FileSearch.h"
#include "engine/SpecialItems.h"
#include "engine/WashEngine.h"
#include "platform/CheckListModel.h"
#include "platform/DiskSpace.h"
#include "platform/Error.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

namespace {
// Held by a running /wash, so that a second one refuses to start.
const char* const WashMutexName = "Local\\Varnolt.CommandLineWash";

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The console of the process that started this one (cmd.exe, PowerShell), opened once; a
// program started without one (the Task Scheduler, a shortcut) has none.
HANDLE ParentConsole() {
    static HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }();
    return console;
}

HANDLE OutputHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE ? handle : ParentConsole();
}

// Writes a line to the standard handle or the starting console; says nothing without either.
void Say(DWORD which, const std::string& text) {
    HANDLE handle = OutputHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    std::string line = text + "\r\n";
    DWORD written = 0;
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void AddUnique(std::vector<std::string>& target, std::unordered_set<std::string>& seen, std::vector<std::string>& rows,
               bool ignoreCase, const std::vector<uint64_t>* spaces = nullptr,
               std::vector<uint64_t>* targetSpaces = nullptr) {
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string& row = rows[i];
        std::string key = row;
        if (ignoreCase) {
            // Upper case by characters: bytes of UTF-8 are no letters of their own.
            std::wstring wide = Widen(row);
            CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
            key = Narrow(wide);
        }
        if (!seen.insert(std::move(key)).second) continue;
        target.push_back(std::move(row));
        if (targetSpaces) targetSpaces->push_back(spaces && i < spaces->size() ? (*spaces)[i] : 0);
    }
}

// The last line of /wash: what went, the exact bytes freed, what stayed.
std::string CommandLineSummary(const WashSummary& result, int specialFails) {
    return "Washed " + std::to_string(result.Files.Washed) + " files and " + std::to_string(result.Registry.Washed) +
           " registry entries; freed " + std::to_string(result.Files.FreedBytes) + " bytes (" +
           FormatSpace(result.Files.FreedBytes) + "); failures: " +
           std::to_string(result.Files.Failed + result.Registry.Failed + specialFails) + ".";
}

bool WriteList(const std::wstring& file, const CoveredRows& rows) {
    std::string text;
    // Rows are UTF-8 already; each shown as the previews show it, without the internal markers.
    for (const auto& row : rows.Files) text += FileRowText(row) + "\r\n";
    for (const auto& row : rows.Registry) text += RegistryRowName(row) + "\r\n";
    for (const auto& row : rows.Specials) text += row + "\r\n";
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = CloseHandle(handle) && ok;
    return ok;
}

int RunList(const CommandLine& command) {
    try {
        Winapp2Catalogue winapp2;
        CoveredRows rows = CollectCheckedRows(LoadCatalogueFrom(ProgramDir(), &winapp2), &winapp2);
        if (WriteList(command.File, rows)) return ExitWashed;
        Say(STD_ERROR_HANDLE, "Varnolt: unable to write " + Utf8(command.File));
    } catch (const std::exception& error) {
        Say(STD_ERROR_HANDLE, std::string("Varnolt: ") + error.what());
    }
    return ExitFailed;
}

int WashRows(const CoveredRows& rows) {
    OptionsRecord options;
    ReadOptionsAtStartup(SettingsFilePath(), options);
    SpecificFileList specificFiles = BuildSpecificFileList();
    bool writeLog = options.WriteToLog;
    int specialFails = 0;
    WashSummary result;
    CheckListModel files, registry;
    files.AddRows(std::vector<std::string>(rows.Files), true, &rows.FileSpaces);
    files.SetSorted(true);
    registry.AddRows(rows.Registry, true);
    if (writeLog) OpenWashLog();
    try {
        WashFileList(files, options.QuickDelete, writeLog, specificFiles, result.Files);
        WashRegistryList(registry, writeLog, result.Registry);
        if (writeLog) CloseWashLog(result);
    } catch (...) {
        AbandonWashLog();
        throw;
    }
    for (const auto& name : rows.Specials) {
        try {
            WashSpecialItem(name, writeLog, nullptr);
        } catch (const std::exception& error) {
            ++specialFails;
            Say(STD_ERROR_HANDLE, "Varnolt: " + name + ": " + error.what());
        }
    }
    for (const auto& failure : result.Files.Failures) Say(STD_OUTPUT_HANDLE, "Not washed: " + failure.Item + " (" + failure.Reason + ")");
    Say(STD_OUTPUT_HANDLE, "Files: " + std::to_string(result.Files.Washed) + " washed, " +
                               std::to_string(result.Files.Failed) + " failed. Registry: " +
                               std::to_string(result.Registry.Washed) + " washed, " +
                               std::to_string(result.Registry.Failed) + " failed.");
    Say(STD_OUTPUT_HANDLE, CommandLineSummary(result, specialFails));
    return result.Files.Failed + result.Registry.Failed + specialFails == 0 ? ExitWashed : ExitFailed;
}

int RunWash() {
    // A running window or another /wash owns the log and the catalogue's files: leave them be.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, WashMutexName);
    bool alone = mutex && GetLastError() != ERROR_ALREADY_EXISTS;
    if (!alone || FindWindowA(MainWindowClass, nullptr)) {
        if (mutex) CloseHandle(mutex);
        Say(STD_ERROR_HANDLE, "Varnolt is already running; close it and run /wash again.");
        return ExitAlreadyRunning;
    }
    int code = ExitFailed;
    CoInitialize(nullptr);
    try {
        Winapp2Catalogue winapp2;
        code = WashRows(CollectCheckedRows(LoadCatalogueFrom(ProgramDir(), &winapp2), &winapp2));
    } catch (const std::exception& error) {
        Say(STD_ERROR_HANDLE, std::string("Varnolt: ") + error.what());
    }
    CoUninitialize();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return code;
}
}  // namespace

std::string UsageText() {
    // Short lines: the text also goes into a message box.
    return "Usage: varnolt.exe [/wash | /list FILE | /?]\r\n"
           "No arguments: the program window opens.\r\n"
           "\r\n"
           "/wash\r\n"
           "    Washes all checked wash items without\r\n"
           "    a window; the log is written as set.\r\n"
           "/list FILE\r\n"
           "    Writes every file, registry row and special\r\n"
           "    item the checked items cover now to FILE\r\n"
           "    (UTF-8, one per line). Deletes nothing.\r\n"
           "/?\r\n"
           "    Shows this text.\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "    0  done\r\n"
           "    1  a row not washed, or FILE not written\r\n"
           "    2  wrong arguments\r\n"
           "    3  Varnolt already running (/wash)";
}

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    CommandLine command;
    if (args.empty()) return command;
    std::wstring option = Lower(args[0]);
    if (!option.empty() && option[0] == L'-') option[0] = L'/';
    if (option == L"/?" || option == L"/h" || option == L"/help") command.Kind = CommandKind::Usage;
    else if (option == L"/wash") command.Kind = CommandKind::Wash;
    else if (option == L"/list") command.Kind = CommandKind::List;
    else {
        command.Kind = CommandKind::Invalid;
        command.Error = "Unknown option " + Utf8(args[0]) + ".";
        return command;
    }
    size_t wanted = command.Kind == CommandKind::List ? 2 : 1;
    if (args.size() == wanted && (wanted == 1 || !args[1].empty())) {
        if (wanted == 2) command.File = args[1];
        return command;
    }
    command.Error = args.size() < wanted || args.size() == wanted ? "/list needs a file name." : "Too many arguments.";
    command.Kind = CommandKind::Invalid;
    return command;
}

std::vector<std::wstring> ProcessArguments() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

Catalogue LoadCatalogueFrom(const std::string& programDir, Winapp2Catalogue* winapp2) {
    Catalogue loaded;
    loaded.LoadFromFile(programDir + "const\\system.txt");
    loaded.LoadFromFile(programDir + "const\\user.txt");
    std::vector<std::string> plugins;
    FileSearch search;
    search.SetLocation(programDir + "plugin\\");
    search.SetFilename("*.txt");
    search.Subfolders = false;
    search.OnFound = [&](FileSearch&, const std::string&, const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) plugins.push_back(entry.cFileName);
    };
    search.Execute();
    for (const auto& name : plugins) loaded.LoadFromFile(programDir + "plugin\\" + name);
    if (winapp2) {
        winapp2->Load(programDir + "winapp2.ini");
        winapp2->AppendRows(loaded);
    }
    Catalogue order;
    order.LoadFromFile(programDir + "order.ini");
    if (winapp2) winapp2->AdoptFormerNames(order);
    Catalogue catalogue;
    MergeCatalogue(catalogue, loaded, order);
    return catalogue;
}

CoveredRows CollectCheckedRows(const Catalogue& catalogue, const Winapp2Catalogue* winapp2) {
    CoveredRows rows;
    std::unordered_set<std::string> seenFiles, seenKeys, seenSpecials;
    std::vector<std::string> found;
    std::vector<uint64_t> spaces;
    for (const auto& row : catalogue.Items) {
        if (!row.IsActive) continue;
        WashItem item;
        if (!winapp2 || !winapp2->MakeItem(row, item)) item.Create(row.ItemFile, row.ItemName);
        if (row.IsSpecial) {
            std::vector<std::string> name{row.ItemName};
            AddUnique(rows.Specials, seenSpecials, name, false);
            continue;
        }
        for (auto& entry : item.FolderEntries.Items) {
            if (!entry.IsActive) continue;
            found.clear();
            entry.ListFiles(found, spaces);
            AddUnique(rows.Files, seenFiles, found, true, &spaces, &rows.FileSpaces);
        }
        for (auto& entry : item.RegistryEntries.Items) {
            if (!entry.IsActive) continue;
            found.clear();
            entry.ListRegistry(found);
            AddUnique(rows.Registry, seenKeys, found, false);
        }
    }
    return rows;
}

int RunCommandLine(const CommandLine& command) {
    SetProgramDir(ExecutableDir());
    switch (command.Kind) {
    case CommandKind::Wash: return RunWash();
    case CommandKind::List: return RunList(command);
    case CommandKind::Usage:
        // Started from a shortcut or Explorer there is no console: show the text in a box.
        if (OutputHandle(STD_OUTPUT_HANDLE) != INVALID_HANDLE_VALUE) Say(STD_OUTPUT_HANDLE, UsageText());
        else MessageBoxA(nullptr, UsageText().c_str(), "Varnolt", MB_OK | MB_ICONINFORMATION);
        return ExitWashed;
    case CommandKind::Invalid:
        Say(STD_ERROR_HANDLE, "Varnolt: " + command.Error);
        Say(STD_ERROR_HANDLE, UsageText());
        return ExitBadArguments;
    case CommandKind::None: break;
    }
    return ExitWashed;
}
