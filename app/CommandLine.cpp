// The command line run: /wash [/report FILE], /list FILE (each with /item NAME) and /? without the
// main window, and the catalogue they load.
#include "app/CommandLine.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <unordered_set>

#include "app/AppTexts.h"
#include "app/ItemSelection.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "app/WashReport.h"
#include "catalogue/FileSearch.h"
#include "catalogue/RootKeys.h"
#include "catalogue/WashItem.h"
#include "engine/RestartDelete.h"
#include "engine/DatabaseRows.h"
#include "engine/EngineTexts.h"
#include "engine/SpecialItems.h"
#include "engine/WashEngine.h"
#include "platform/CheckListModel.h"
#include "platform/DiskSpace.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "resources/version.h"
#include "settings/AppPaths.h"
#include "settings/Policies.h"
#include "settings/SettingsStore.h"

namespace {
// Held by a running /wash, so that a second one refuses to start.
const char* const WashMutexName = "Local\\Varnolt.CommandLineWash";

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

// The catalogue of the program and user directories with the check marks a policy forces, or,
// when the command names items, with exactly those checked. Returns the names that name no
// item; each is said on the console.
std::vector<std::wstring> LoadCommandCatalogue(const CommandLine& command, Winapp2Catalogue& winapp2,
                                               Catalogue& catalogue) {
    catalogue = LoadCatalogueFrom(ProgramDir(), &winapp2, UserDir());
    if (!command.Items.empty()) {
        std::vector<std::wstring> unknown = CheckNamedItems(catalogue, command.Items);
        for (const auto& name : unknown)
            WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_UnknownItem, Narrow(name)));
        return unknown;
    }
    const Policies policies = ReadPolicies();
    for (auto& row : catalogue.Items)
        if (auto forced = policies.ForcedCheck(row.ItemName)) row.IsActive = *forced;
    return {};
}

// The report's error for names that name no item (English, as the report is).
std::string UnknownItemsError(const std::vector<std::wstring>& unknown) {
    std::string names;
    for (const auto& name : unknown) names += (names.empty() ? "\"" : ", \"") + Narrow(name) + "\"";
    return "No wash item is named " + names + "; nothing was washed.";
}

// The last line of /wash: what went, the exact bytes freed, what stayed.
std::string CommandLineSummary(const WashSummary& result, int specialFails) {
    return FormatText(IDS_WashSummaryLine, result.Files.Washed, result.Registry.Washed, result.Files.FreedBytes,
                      FormatSpace(result.Files.FreedBytes),
                      result.Files.Failed + result.Registry.Failed + specialFails);
}

// One row a line, as the previews show it (without the internal markers); a file row ends with a
// tab and its space on disk, and a last line gives the total of those.
bool WriteList(const std::wstring& file, const CoveredRows& rows) {
    std::string text;
    uint64_t total = 0;
    for (size_t i = 0; i < rows.Files.size(); ++i) {
        // /wash leaves a protected place alone.
        if (GuardOf(rows.Files[i]) != RowGuard::None) continue;
        text += FileRowText(rows.Files[i]);
        if (!EndsWithFolderMarker(rows.Files[i])) {
            const uint64_t space = i < rows.FileSpaces.size() ? rows.FileSpaces[i] : 0;
            text += "\t" + std::to_string(space);
            total += space;
        }
        text += "\r\n";
    }
    for (const auto& row : rows.Registry)
        if (GuardOf(row) == RowGuard::None) text += RegistryRowName(row) + "\r\n";
    for (const auto& row : rows.Specials) {
        if (!IsDatabaseItem(row)) {
            text += TranslateUiText(row) + "\r\n";
            continue;
        }
        // A database item: a line per database, with what a wash would do or why it stays.
        const std::vector<DatabaseRow> databases = PreviewDatabaseItem(row);
        if (databases.empty()) text += TranslateUiText(row) + "\t" + Text(IDS_Db_Missing) + "\r\n";
        for (const DatabaseRow& database : databases)
            text += TranslateUiText(row) + "\t" + DatabaseRowName(database) + "\t" + database.Text + "\r\n";
    }
    text += "Total\t" + std::to_string(total) + "\r\n";
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
        Catalogue catalogue;
        if (!LoadCommandCatalogue(command, winapp2, catalogue).empty()) return ExitBadArguments;
        if (WriteList(command.File, CollectCheckedRows(catalogue, &winapp2))) return ExitWashed;
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_UnableToWriteFile, Narrow(command.File)));
    } catch (const std::exception& error) {
        WriteConsoleLine(STD_ERROR_HANDLE, std::string("Varnolt: ") + error.what());
    }
    return ExitFailed;
}

// What one item's wash gives the report: registry failures by key (and value) path.
WashItemResult ItemResult(const std::string& name, const WashSummary& washed) {
    WashItemResult result;
    result.Name = name;
    result.FilesWashed = washed.Files.Washed;
    result.BytesFreed = washed.Files.FreedBytes;
    result.RegistryWashed = washed.Registry.Washed;
    result.Failures = washed.Files.Failures;
    for (const auto& failure : washed.Registry.Failures) {
        std::string keyPath, valueName;
        if (ParseRegistryRow(failure.Path, keyPath, valueName) == RegistryRowKind::None)
            result.Failures.push_back({failure.Path, "Not a registry entry", "refused"});
        else
            result.Failures.push_back({keyPath + valueName, failure.Reason.empty() ? "Not deleted" : failure.Reason,
                                       failure.Code.empty() ? "not_deleted" : failure.Code});
    }
    for (const auto* refused : {&washed.Files.Refused, &washed.Registry.Refused})
        for (const auto& path : *refused) result.Failures.push_back({path, "Protected", "refused"});
    result.Refused = static_cast<int>(washed.Files.Refused.size() + washed.Registry.Refused.size());
    return result;
}

void AddTally(WashTally& total, const WashTally& part) {
    total.Washed += part.Washed;
    total.Failed += part.Failed;
    total.FreedBytes += part.FreedBytes;
    total.Failures.insert(total.Failures.end(), part.Failures.begin(), part.Failures.end());
    total.Refused.insert(total.Refused.end(), part.Refused.begin(), part.Refused.end());
}

void AddSummary(WashSummary& total, const WashSummary& part) {
    AddTally(total.Files, part.Files);
    AddTally(total.Registry, part.Registry);
}

// Washes the rows item by item, in one log block, and fills the report's items; leftInUse gets
// the files other programs held open.
int WashRows(const CoveredRows& rows, WashReport& report, std::vector<std::string>& leftInUse) {
    OptionsRecord options;
    ApplyPolicies(ReadPolicies(), options, ReadOptionsAtStartup(SettingsFilePath(), options));
    SpecificFileList specificFiles = BuildSpecificFileList();
    bool writeLog = options.WriteToLog;
    int specialFails = 0;
    WashSummary result;
    // The summary line follows the wash's last block: the special items' when there are any.
    const bool specialsFollow =
        std::any_of(rows.Items.begin(), rows.Items.end(), [](const auto& item) { return item.IsSpecial; });
    if (writeLog) OpenWashLog();
    try {
        size_t fileStart = 0, keyStart = 0;
        for (const auto& item : rows.Items) {
            if (item.IsSpecial) continue;
            const auto fileFirst = static_cast<std::ptrdiff_t>(fileStart);
            const auto fileLast = static_cast<std::ptrdiff_t>(item.FilesEnd);
            std::vector<uint64_t> spaces(rows.FileSpaces.begin() + fileFirst, rows.FileSpaces.begin() + fileLast);
            CheckListModel files, registry;
            files.AddRows(std::vector<std::string>(rows.Files.begin() + fileFirst, rows.Files.begin() + fileLast), true,
                          &spaces);
            files.SetSorted(true);
            registry.AddRows({rows.Registry.begin() + static_cast<std::ptrdiff_t>(keyStart),
                              rows.Registry.begin() + static_cast<std::ptrdiff_t>(item.RegistryEnd)}, true);
            fileStart = item.FilesEnd;
            keyStart = item.RegistryEnd;
            WashSummary washed;
            WashFileList(files, options.QuickDelete, writeLog, specificFiles, washed.Files);
            WashRegistryList(registry, writeLog, washed.Registry);
            report.Items.push_back(ItemResult(item.Name, washed));
            AddSummary(result, washed);
        }
        if (writeLog && specialsFollow) CloseWashLog();
        else if (writeLog) CloseWashLog(result);
    } catch (...) {
        AbandonWashLog();
        throw;
    }
    WashSummary wash = result;
    for (const auto& item : rows.Items) {
        if (!item.IsSpecial) continue;
        WashItemResult special;
        special.Name = item.Name;
        const size_t databasesBefore = wash.Databases.size();
        try {
            const size_t failuresBefore = wash.Files.Failures.size();
            WashSpecialItem(item.Name, writeLog, nullptr, &wash);
            for (size_t f = failuresBefore; f < wash.Files.Failures.size(); ++f, ++specialFails)
                special.Failures.push_back(wash.Files.Failures[f]);
            // Each database on the console; one left alone is among the failures taken above.
            for (size_t d = databasesBefore; d < wash.Databases.size(); ++d) {
                const DatabaseRow& database = wash.Databases[d];
                special.BytesFreed += database.FreedBytes;
                special.Databases.push_back(database);
                WriteConsoleLine(STD_OUTPUT_HANDLE, TranslateUiText(item.Name) + ": " + DatabaseRowName(database) +
                                                        ": " + DatabaseRowNote(database));
            }
        } catch (const std::exception& error) {
            ++specialFails;
            special.Failures.push_back({item.Name, error.what(), "failed"});
            WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + TranslateUiText(item.Name) + ": " + error.what());
        }
        report.Items.push_back(std::move(special));
    }
    if (writeLog && specialsFollow) WriteWashLogSummary(wash);
    for (const DatabaseRow& database : wash.Databases) result.Files.FreedBytes += database.FreedBytes;
    for (const auto& failure : result.Files.Failures)
        WriteConsoleLine(STD_OUTPUT_HANDLE, FormatText(IDS_NotWashed, failure.Path, failure.Reason));
    leftInUse = RestartCandidates(result.Files);
    WriteConsoleLine(STD_OUTPUT_HANDLE, FormatText(IDS_WashCounts, result.Files.Washed, result.Files.Failed, result.Registry.Washed,
                                      result.Registry.Failed));
    WriteConsoleLine(STD_OUTPUT_HANDLE, CommandLineSummary(result, specialFails));
    return result.Files.Failed + result.Registry.Failed + specialFails == 0 ? ExitWashed : ExitFailed;
}

// /restart-delete: the files left in use marked for deletion when Windows restarts, and how many.
void MarkLeftInUse(const std::vector<std::string>& files) {
    std::vector<std::string> marked;
    if (!files.empty() && MarkForRestart(files, marked) == RestartMarking::NeedsAdministrator) {
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + Text(IDS_RestartNeedsAdministrator));
        return;
    }
    if (!RememberForRestart(marked))
        WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_UnableToWriteTo, RestartListPath()));
    WriteConsoleLine(STD_OUTPUT_HANDLE, FormatText(IDS_RestartMarked, static_cast<int>(marked.size())));
}

// The files a restart was to delete: their log block, once it has run.
void LogRestartDeletes() {
    try {
        CheckRestartList();
    } catch (const std::exception& error) {
        WriteConsoleLine(STD_ERROR_HANDLE, std::string("Varnolt: ") + error.what());
    }
}

// Writes the report when one was asked for; a report that can't be written makes the exit
// code 1 (it is said on the console).
int FinishReport(const CommandLine& command, WashReport& report, int code) {
    report.End = IsoUtcNow();
    report.ExitCode = code;
    if (command.Report.empty()) return code;
    if (WriteFileWhole(command.Report, ReportJson(report))) return code;
    WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + FormatText(IDS_UnableToWriteFile, Narrow(command.Report)));
    return code == ExitWashed ? ExitFailed : code;
}

int RunWash(const CommandLine& command) {
    WashReport report;
    report.Version = VARNOLT_VERSION;
    report.Computer = ComputerName();
    report.User = UserName();
    report.Start = IsoUtcNow();
    // A running window or another /wash owns the log and the catalogue's files: leave them be.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, WashMutexName);
    bool alone = mutex && GetLastError() != ERROR_ALREADY_EXISTS;
    if (!alone || FindWindowA(MainWindowClass, nullptr)) {
        if (mutex) CloseHandle(mutex);
        // The report and the event stay English: scripts and event collectors read them.
        report.Error = "Varnolt is already running; close it and run /wash again.";
        WriteConsoleLine(STD_ERROR_HANDLE, Text(IDS_AlreadyRunning));
        ReportWashEvent(MakeWashEvent("/wash", {}, report.Error));
        return FinishReport(command, report, ExitAlreadyRunning);
    }
    int code = ExitFailed;
    CoInitialize(nullptr);
    try {
        Winapp2Catalogue winapp2;
        Catalogue catalogue;
        const std::vector<std::wstring> unknown = LoadCommandCatalogue(command, winapp2, catalogue);
        if (unknown.empty()) {
            LogRestartDeletes();
            std::vector<std::string> leftInUse;
            code = WashRows(CollectCheckedRows(catalogue, &winapp2), report, leftInUse);
            if (command.RestartDelete) MarkLeftInUse(leftInUse);
        } else {
            code = ExitBadArguments;
            report.Error = UnknownItemsError(unknown);
        }
    } catch (const std::exception& error) {
        report.Error = error.what();
        WriteConsoleLine(STD_ERROR_HANDLE, std::string("Varnolt: ") + error.what());
    }
    CoUninitialize();
    code = FinishReport(command, report, code);
    ReportWashEvent(MakeWashEvent("/wash", report.Totals(), report.Error));
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return code;
}
}  // namespace

Catalogue LoadCatalogueFrom(const std::string& programDir, Winapp2Catalogue* winapp2, const std::string& userDir) {
    const std::string& user = userDir.empty() ? programDir : userDir;
    Catalogue loaded;
    loaded.LoadFromFile(programDir + "const\\system.txt");
    loaded.LoadFromFile(user + "const\\user.txt");
    std::vector<std::string> plugins;
    FileSearch search;
    search.SetLocation(user + "plugin\\");
    search.SetFilename("*.txt");
    search.Subfolders = false;
    search.OnFound = [&](FileSearch&, const std::string&, const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) plugins.push_back(entry.cFileName);
    };
    search.Execute();
    for (const auto& name : plugins) loaded.LoadFromFile(user + "plugin\\" + name);
    if (winapp2) {
        winapp2->Load(Winapp2FilePath(programDir, user));
        winapp2->AppendRows(loaded);
    }
    Catalogue order;
    order.LoadOrderFile(user + "order.ini");
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
            rows.Items.push_back({row.ItemName, true, rows.Files.size(), rows.Registry.size()});
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
        rows.Items.push_back({row.ItemName, false, rows.Files.size(), rows.Registry.size()});
    }
    return rows;
}

int RunCommandLine(const CommandLine& command) {
    SetProgramDir(ExecutableDir());
    if (command.Kind == CommandKind::Wash || command.Kind == CommandKind::List) UseWritableUserDir();
    switch (command.Kind) {
        case CommandKind::Wash: return RunWash(command);
        case CommandKind::List: return RunList(command);
        case CommandKind::Wipe: return RunWipeCommand(command.File);
        case CommandKind::Shred: return RunShredCommand(command.Paths);
        case CommandKind::Usage:
            // Started from a shortcut or Explorer there is no console: show the text in a box.
            if (HasConsoleOutput(STD_OUTPUT_HANDLE)) WriteConsoleLine(STD_OUTPUT_HANDLE, UsageText());
            else MessageBoxW(nullptr, Widen(UsageText()).c_str(), L"Varnolt", MB_OK | MB_ICONINFORMATION);
            return ExitWashed;
        case CommandKind::Invalid:
            WriteConsoleLine(STD_ERROR_HANDLE, "Varnolt: " + command.Error);
            WriteConsoleLine(STD_ERROR_HANDLE, UsageText());
            return ExitBadArguments;
        case CommandKind::None: break;
    }
    return ExitWashed;
}
