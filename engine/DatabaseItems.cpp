#include "engine/DatabaseItems.h"

const std::vector<DatabaseItemKind>& DatabaseItemKinds() {
    static const std::vector<DatabaseItemKind> kinds = [] {
        std::vector<DatabaseItemKind> all;
        return all;
    }();
    return kinds;
}

namespace {

const DatabaseItemKind* FindKind(const std::string& name) {
    for (const DatabaseItemKind& kind : DatabaseItemKinds())
        if (kind.Name == name) return &kind;
    return nullptr;
}

}  // namespace

bool IsDatabaseItem(const std::string& name) { return FindKind(name) != nullptr; }

std::vector<DatabaseRow> PreviewDatabaseItem(const std::string& name) {
    const DatabaseItemKind* kind = FindKind(name);
    return kind ? kind->Run(false) : std::vector<DatabaseRow>{};
}

std::vector<DatabaseRow> WashDatabaseItem(const std::string& name) {
    const DatabaseItemKind* kind = FindKind(name);
    return kind ? kind->Run(true) : std::vector<DatabaseRow>{};
}
