#include "engine/DatabaseItems.h"

#include "engine/CookieWash.h"
#include "engine/HistoryKinds.h"

namespace {

std::vector<DatabaseItemKind>& Kinds() {
    static std::vector<DatabaseItemKind> kinds = [] {
        std::vector<DatabaseItemKind> all;
        AddHistoryKinds(all);
        AddCookieKinds(all);
        return all;
    }();
    return kinds;
}

const DatabaseItemKind* FindKind(const std::string& name) {
    for (const DatabaseItemKind& kind : DatabaseItemKinds())
        if (kind.Name == name) return &kind;
    return nullptr;
}

}  // namespace

const std::vector<DatabaseItemKind>& DatabaseItemKinds() { return Kinds(); }

void AddDatabaseItemKind(const DatabaseItemKind& kind) {
    for (DatabaseItemKind& known : Kinds())
        if (known.Name == kind.Name) {
            known = kind;
            return;
        }
    Kinds().push_back(kind);
}

bool IsDatabaseItem(const std::string& name) { return FindKind(name) != nullptr; }

std::vector<DatabaseRow> PreviewDatabaseItem(const std::string& name) {
    const DatabaseItemKind* kind = FindKind(name);
    return kind ? kind->Run(false) : std::vector<DatabaseRow>{};
}

std::vector<DatabaseRow> WashDatabaseItem(const std::string& name) {
    const DatabaseItemKind* kind = FindKind(name);
    return kind ? kind->Run(true) : std::vector<DatabaseRow>{};
}
