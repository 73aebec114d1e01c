#include "settings/ShredVerb.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/Registry.h"
#include "settings/SettingsTexts.h"

std::string FileShredVerbKey(const std::string& classesKey) { return classesKey + "\\*\\shell\\VarnoltShred"; }
std::string FolderShredVerbKey(const std::string& classesKey) {
    return classesKey + "\\Directory\\shell\\VarnoltShred";
}

void WriteShredVerb(const std::string& classesKey, const std::string& executable) {
    for (const std::string& verb : {FileShredVerbKey(classesKey), FolderShredVerbKey(classesKey)}) {
        RegistryKey key(HKEY_CURRENT_USER);
        if (!key.OpenKey(verb, true)) throw AppError(FormatText(IDS_FailedToSetData, verb));
        // Explorer shows the verb as written: in the language in use.
        key.WriteString("", Text(IDS_ShredVerb));
        key.WriteString("Icon", "\"" + executable + "\",0");
        // Several selected items reach the program in one go.
        key.WriteString("MultiSelectModel", "Player");
        if (!key.OpenKey(verb + "\\command", true))
            throw AppError(FormatText(IDS_FailedToSetData, verb));
        key.WriteString("", "\"" + executable + "\" /shred \"%1\"");
    }
}

void RemoveShredVerb(const std::string& classesKey) {
    for (const std::string& verb : {FileShredVerbKey(classesKey), FolderShredVerbKey(classesKey)}) {
        RegistryKey key(HKEY_CURRENT_USER);
        if (key.KeyExists(verb)) key.DeleteKey(verb);
    }
}

namespace {
bool VerbPresentUnder(HKEY root, const std::string& classesKey) {
    RegistryKey key(root);
    return key.KeyExists(FileShredVerbKey(classesKey) + "\\command");
}
}  // namespace

bool ShredVerbPresent(const std::string& classesKey) { return VerbPresentUnder(HKEY_CURRENT_USER, classesKey); }

bool MachineShredVerbPresent(const std::string& classesKey) {
    return VerbPresentUnder(HKEY_LOCAL_MACHINE, classesKey);
}
