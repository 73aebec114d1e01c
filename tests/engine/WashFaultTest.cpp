// Keys the wash may not delete: counted and logged as failures, the rest of the list washed.
#include <gtest/gtest.h>

#include <aclapi.h>

#include "engine/WashEngine.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {
// Denies everyone the right to delete the key; false when the system took no such rule.
bool DenyDelete(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC | READ_CONTROL, &key) != ERROR_SUCCESS)
        return false;
    EXPLICIT_ACCESSA deny{};
    deny.grfAccessPermissions = DELETE;
    deny.grfAccessMode = DENY_ACCESS;
    deny.grfInheritance = NO_INHERITANCE;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    deny.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    bool done = SetEntriesInAclA(1, &deny, nullptr, &acl) == ERROR_SUCCESS &&
                SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr) ==
                    ERROR_SUCCESS;
    LocalFree(acl);
    RegCloseKey(key);
    return done;
}

// Gives the key back to everyone (no rules), so the test key can go.
struct AllowDeleteAtEnd {
    std::string path;
    ~AllowDeleteAtEnd() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
        SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
};
}  // namespace

TEST(WashFault, AKeyWithoutDeleteRightsFailsAndTheRestIsWashed) {
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    TestKey key("WashFault");
    key.Create("Guarded");
    key.Create("Free");
    AllowDeleteAtEnd restore{key.Path() + "\\Guarded"};
    ASSERT_TRUE(DenyDelete(key.Path() + "\\Guarded"));
    CheckListModel list;
    list.Add(key.Full("Guarded") + DeleteKeyMarker, true);
    list.Add(key.Full("Free") + DeleteKeyMarker, true);
    int success = -1, fail = -1;
    OpenWashLog();
    WashRegistryList(list, true, success, fail);
    CloseWashLog();
    EXPECT_FALSE(key.Exists("Free"));
    if (!key.Exists("Guarded")) GTEST_SKIP() << "this system deletes a key whose rules deny it";
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 1);
    std::string log = ReadTextFile(LogFilePath());
    EXPECT_NE(log.find("color=\"#FF0000\">" + key.Full("Guarded") + "</font>"), std::string::npos);
}
