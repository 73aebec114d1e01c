// The lists of wash item names a policy forces on or off: the machine's list wins over the user's
// for a name both name; within one root, off wins.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "settings/Policies.h"
#include "tests/support/PolicyKey.h"

namespace {
struct ListCase {
    const char* name;
    HKEY checkedRoot;    // where CheckedItems names "Cookies", or none
    HKEY uncheckedRoot;  // where UncheckedItems names "cookies", or none
    std::optional<bool> forced;
};

const ListCase Cases[] = {
    {"MachineOnUserOff", HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, true},
    {"UserOnMachineOff", HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, false},
    {"MachineOnAndOff", HKEY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE, false},
    {"UserOnAndOff", HKEY_CURRENT_USER, HKEY_CURRENT_USER, false},
    {"UserOnAlone", HKEY_CURRENT_USER, nullptr, true},
    {"MachineOffAlone", nullptr, HKEY_LOCAL_MACHINE, false},
};
}  // namespace

TEST(PolicyList, TheMachinesListWinsForANameBothListsName) {
    PolicyKey key("Software\\Policies\\VarnoltTests_List" + std::to_string(GetCurrentProcessId()));
    for (const ListCase& c : Cases) {
        SCOPED_TRACE(c.name);
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, key.Path().c_str());
        // A second name in each list keeps the lists themselves apart from the one they share.
        if (c.checkedRoot) key.SetList(c.checkedRoot, "CheckedItems", {"Recycle Bin", "Cookies"});
        if (c.uncheckedRoot) key.SetList(c.uncheckedRoot, "UncheckedItems", {"cookies", "History"});
        Policies read = ReadPolicies(key.Path());
        EXPECT_EQ(read.ForcedCheck("COOKIES"), c.forced);
        EXPECT_EQ(read.ForcedCheck("Recycle Bin"), c.checkedRoot ? std::optional<bool>(true) : std::nullopt);
        EXPECT_EQ(read.ForcedCheck("history"), c.uncheckedRoot ? std::optional<bool>(false) : std::nullopt);
    }
}
