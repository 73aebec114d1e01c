#include "catalogue/SettingsLists.h"

#include "catalogue/FileReplace.h"
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
    RewriteThroughCopy(file, [&](const std::string& copy) {
        ProfileFile settings(copy);
        settings.WriteInteger(list.section, list.countKey, static_cast<int>(rows.size()));
        for (size_t n = 0; n < rows.size(); ++n)
            settings.WriteString(list.section, list.prefix + std::to_string(n), rows[n]);
    });
}
