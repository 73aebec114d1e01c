// The command line's arguments: /item on /wash and /list, and what /wipe takes for a drive.
#include <gtest/gtest.h>

#include "app/CommandArgs.h"

TEST(CommandArgs, ItemsReportsFilesAndDrives) {
    struct Case {
        std::vector<std::wstring> args;
        CommandKind kind;
        std::vector<std::wstring> items;
        std::wstring file, report;
        bool restartDelete = false;
    };
    const Case cases[] = {
        {{L"/wash", L"/item", L"Temporary files"}, CommandKind::Wash, {L"Temporary files"}, L"", L""},
        {{L"/wash", L"-ITEM", L"a*", L"/item", L"b?", L"/report", L"r.json"}, CommandKind::Wash, {L"a*", L"b?"}, L"",
         L"r.json"},
        {{L"/wash", L"/report", L"r.json", L"/item", L"x"}, CommandKind::Wash, {L"x"}, L"", L"r.json"},
        {{L"/wash", L"/Restart-Delete", L"/item", L"x"}, CommandKind::Wash, {L"x"}, L"", L"", true},
        {{L"/list", L"rows.txt", L"/restart-delete"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/list", L"rows.txt", L"/item", L"x"}, CommandKind::List, {L"x"}, L"rows.txt", L""},
        {{L"/list", L"/item", L"x", L"/item", L"y", L"rows.txt"}, CommandKind::List, {L"x", L"y"}, L"rows.txt", L""},
        {{L"/wash", L"/item"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wash", L"/item", L""}, CommandKind::Invalid, {}, L"", L""},
        {{L"/list", L"/item", L"x"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/list", L"a", L"/item", L"x", L"b"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wash", L"/report", L"a", L"/report", L"b"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wash", L"/bogus", L"x"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"/item", L"x"}, CommandKind::Invalid, {}, L"", L""},
        // A drive is "D:" or "D:\"; anything else is no drive and starts nothing.
        {{L"/wipe", L"d:"}, CommandKind::Wipe, {}, L"d:", L""},
        {{L"/wipe", L"C:\\"}, CommandKind::Wipe, {}, L"C:\\", L""},
        {{L"/wipe", L"C"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"c"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"C:/"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"C:\\Windows"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"1:"}, CommandKind::Invalid, {}, L"", L""},
        {{L"/wipe", L"CC:"}, CommandKind::Invalid, {}, L"", L""},
    };
    for (const Case& c : cases) {
        std::wstring shown;
        for (const auto& arg : c.args) shown += L"[" + arg + L"]";
        SCOPED_TRACE(std::string(shown.begin(), shown.end()));
        CommandLine command = ParseCommandLine(c.args);
        EXPECT_EQ(command.Kind, c.kind);
        if (c.kind == CommandKind::Invalid) {
            EXPECT_FALSE(command.Error.empty());
            continue;
        }
        EXPECT_EQ(command.Items, c.items);
        EXPECT_EQ(command.File, c.file);
        EXPECT_EQ(command.Report, c.report);
        EXPECT_EQ(command.RestartDelete, c.restartDelete);
    }
}
