// The question at the end of a wash the user started that left files in use: Yes marks exactly
// those files for deletion when Windows restarts and keeps their list; No and an automatic wash
// mark nothing.
#include "tests/app/MainWashFixture.h"

#include <algorithm>

#include "engine/RestartDelete.h"
#include "settings/AppPaths.h"
#include "tests/support/HeldFile.h"
#include "tests/support/PendingRenames.h"

namespace {
bool Pending(const std::string& path) {
    const std::vector<std::string> pending = PendingRestartDeletes();
    return std::find(pending.begin(), pending.end(), path) != pending.end();
}
}  // namespace

TEST_F(MainWashTest, FilesLeftInUseAreOfferedForDeletionWhenWindowsRestarts) {
    struct Case {
        const char* name;
        int answer;  // 0: an automatic wash, no question
        bool marked;
    } cases[] = {{"yes", IDYES, true}, {"no", IDNO, false}, {"automatic", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PendingRenamesScope pendingScope;
        for (const char* file : {"a.log", "sub\\b.log"}) WriteTextFile(Data(file), "x");
        DeleteFileA(RestartListPath().c_str());
        MainWindow& main = Open();
        {
            HeldFile held(Data("sub\\b.log"));
            ASSERT_TRUE(held.Held());
            if (c.answer) {
                auto [text, states] = Answering([&] { main.OnWashChecked(); }, c.answer);
                EXPECT_EQ(text, "1 file is in use. Delete it when Windows restarts?");
                EXPECT_EQ(states, AllDisabled);
            } else {
                Quietly([&] { main.AutomaticWash("Timed wash", true); });
            }
        }
        EXPECT_FALSE(FileExists(Data("a.log")));
        EXPECT_TRUE(FileExists(Data("sub\\b.log")));
        EXPECT_EQ(Pending(Data("sub\\b.log")), c.marked);
        EXPECT_FALSE(Pending(Data("a.log")));
        RestartList list;
        EXPECT_EQ(ReadRestartList(RestartListPath(), list), c.marked);
        if (c.marked) EXPECT_EQ(list.Files, std::vector<std::string>{Data("sub\\b.log")});
        form.reset();
    }
}
