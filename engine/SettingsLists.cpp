#include "engine/SettingsLists.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Profile.h"
#include "platform/Text.h"

std::vector<std::string> ReadNumberedList(const std::string& file, const NumberedList& list) {
    ProfileFile settings(file);
    int count = settings.ReadInteger(list.section, list.countKey, 0);
    std::vector<std::string> rows;
    for (int n = 0; n < count; ++n) {
        std::string value = settings.ReadString(list.section, list.prefix + std::to_string(n));
        if (list.trim) value = Trim(value);
        if (!value.empty()) rows.push_back(std::move(value));
    }
    return rows;
}

void WriteNumberedList(const std::string& file, const NumberedList& list, const std::vector<std::string>& rows) {
    const AppError refused(FormatMessageText("Unable to write to %s", file));
    const std::string copy = file + ".new";
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(file.c_str(), copy.c_str(), FALSE)) throw refused;
        // The copy keeps a read-only attribute; the replacement below still honours the original's.
        SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    try {
        ProfileFile settings(copy);
        settings.WriteInteger(list.section, list.countKey, static_cast<int>(rows.size()));
        for (size_t n = 0; n < rows.size(); ++n)
            settings.WriteString(list.section, list.prefix + std::to_string(n), rows[n]);
    } catch (const AppError&) {
        DeleteFileA(copy.c_str());
        throw refused;
    }
    if (!MoveFileExA(copy.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(copy.c_str());
        throw refused;
    }
}
