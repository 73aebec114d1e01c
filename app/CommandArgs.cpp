// The command line's arguments: which command, its file, report and paths, or what is wrong.
#include "app/CommandArgs.h"

#include <windows.h>
#include <shellapi.h>

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

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    CommandLine command;
    if (args.empty()) return command;
    std::wstring option = Lower(args[0]);
    if (!option.empty() && option[0] == L'-') option[0] = L'/';
    if (option == L"/?" || option == L"/h" || option == L"/help") command.Kind = CommandKind::Usage;
    else if (option == L"/wash") command.Kind = CommandKind::Wash;
    else if (option == L"/list") command.Kind = CommandKind::List;
    else if (option == L"/wipe") command.Kind = CommandKind::Wipe;
    else if (option == L"/shred") command.Kind = CommandKind::Shred;
    else {
        command.Kind = CommandKind::Invalid;
        command.Error = FormatText(IDS_UnknownOption, Narrow(args[0]));
        return command;
    }
    if (command.Kind == CommandKind::Wash && args.size() >= 2 &&
        (Lower(args[1]) == L"/report" || Lower(args[1]) == L"-report")) {
        if (args.size() == 3 && !args[2].empty()) {
            command.Report = args[2];
            return command;
        }
        command.Kind = CommandKind::Invalid;
        command.Error = Text(args.size() > 3 ? IDS_TooManyArguments : IDS_ReportNeedsFile);
        return command;
    }
    if (command.Kind == CommandKind::Shred) {
        command.Paths.assign(args.begin() + 1, args.end());
        if (!command.Paths.empty()) return command;
        command.Kind = CommandKind::Invalid;
        command.Error = Text(IDS_ShredNeedsPath);
        return command;
    }
    size_t wanted = command.Kind == CommandKind::List || command.Kind == CommandKind::Wipe ? 2 : 1;
    if (args.size() == wanted && (wanted == 1 || !args[1].empty())) {
        if (wanted == 2) command.File = args[1];
        return command;
    }
    command.Error = Text(args.size() > wanted                ? IDS_TooManyArguments
                         : command.Kind == CommandKind::Wipe ? IDS_WipeNeedsDrive
                                                             : IDS_ListNeedsFile);
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
