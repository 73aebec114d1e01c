// The command line's arguments: which command, its file, report and paths, or what is wrong.
#include "app/CommandArgs.h"

#include <windows.h>
#include <shellapi.h>

#include <cwctype>

#include "app/AppTexts.h"
#include "platform/Language.h"
#include "platform/WideText.h"

namespace {
std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
}  // namespace

std::string UsageText() {
    // Short lines: the text also goes into a message box.
    return Text(IDS_Usage);
}

namespace {
// "/x" and "-x" alike, in lower case; empty for an argument that is no option.
std::wstring OptionName(const std::wstring& arg) {
    if (arg.empty() || (arg[0] != L'/' && arg[0] != L'-')) return {};
    std::wstring option = Lower(arg);
    option[0] = L'/';
    return option;
}

// "D:" or "D:\": the drive forms /wipe takes.
bool IsDriveArgument(const std::wstring& arg) {
    const wchar_t letter = arg.empty() ? 0 : static_cast<wchar_t>(towupper(arg[0]));
    return letter >= L'A' && letter <= L'Z' && arg.size() >= 2 && arg[1] == L':' &&
           (arg.size() == 2 || (arg.size() == 3 && arg[2] == L'\\'));
}

CommandLine Invalid(std::string error) {
    CommandLine command;
    command.Kind = CommandKind::Invalid;
    command.Error = std::move(error);
    return command;
}

// /wash and /list: /item NAME (repeated), /report FILE and /restart-delete (/wash) in any order;
// /list takes one file besides.
CommandLine ParseWashOrList(CommandLine command, const std::vector<std::wstring>& args) {
    const bool list = command.Kind == CommandKind::List;
    bool hasFile = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::wstring option = OptionName(args[i]);
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        if (option == L"/item") {
            if (!hasValue) return Invalid(Text(IDS_ItemNeedsName));
            command.Items.push_back(args[++i]);
        } else if (option == L"/report" && !list) {
            if (!hasValue) return Invalid(Text(IDS_ReportNeedsFile));
            if (!command.Report.empty()) return Invalid(Text(IDS_TooManyArguments));
            command.Report = args[++i];
        } else if (option == L"/restart-delete" && !list) {
            command.RestartDelete = true;
        } else if (!option.empty() && (args[i][0] == L'/' || !list)) {
            return Invalid(FormatText(IDS_UnknownOption, Narrow(args[i])));
        } else if (list && !hasFile && !args[i].empty()) {
            command.File = args[i];
            hasFile = true;
        } else {
            return Invalid(Text(args[i].empty() && list ? IDS_ListNeedsFile : IDS_TooManyArguments));
        }
    }
    if (list && !hasFile) return Invalid(Text(IDS_ListNeedsFile));
    return command;
}
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    CommandLine command;
    if (args.empty()) return command;
    const std::wstring option = OptionName(args[0]);
    if (option == L"/?" || option == L"/h" || option == L"/help") command.Kind = CommandKind::Usage;
    else if (option == L"/wash") command.Kind = CommandKind::Wash;
    else if (option == L"/list") command.Kind = CommandKind::List;
    else if (option == L"/wipe") command.Kind = CommandKind::Wipe;
    else if (option == L"/shred") command.Kind = CommandKind::Shred;
    else return Invalid(FormatText(IDS_UnknownOption, Narrow(args[0])));
    switch (command.Kind) {
        case CommandKind::Wash:
        case CommandKind::List: return ParseWashOrList(std::move(command), args);
        case CommandKind::Shred:
            command.Paths.assign(args.begin() + 1, args.end());
            return command.Paths.empty() ? Invalid(Text(IDS_ShredNeedsPath)) : command;
        case CommandKind::Wipe:
            // Anything but a drive ("C" alone, a folder) must not start a wipe of some drive.
            if (args.size() < 2 || args[1].empty()) return Invalid(Text(IDS_WipeNeedsDrive));
            if (args.size() > 2) return Invalid(Text(IDS_TooManyArguments));
            if (!IsDriveArgument(args[1])) return Invalid(FormatText(IDS_NoDriveLetter, Narrow(args[1])));
            command.File = args[1];
            return command;
        default: return args.size() == 1 ? command : Invalid(Text(IDS_TooManyArguments));
    }
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
