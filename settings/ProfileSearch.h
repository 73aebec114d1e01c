#pragma once
// The search of the drives for Netscape profile folders: folders whose name ends in ".slt"
// (any letter case) and whose only attribute is the directory attribute.
#include <functional>
#include <string>
#include <vector>

// The thirteen roots searched, "c:\" to "o:\".
std::vector<std::string> ProfileSearchRoots();

struct ProfileSearch {
    // Called for every folder found, with its full path.
    std::function<void(const std::string& path)> OnFound;
    // Called every few entries; returning false ends the search.
    std::function<bool()> KeepGoing;

    // Searches each root that is a fixed drive, with all its subfolders: a folder's own
    // matches first, then its subfolders one after the other. Names beginning with "." are
    // skipped, reparse points never entered, unreadable folders passed over. Returns false
    // when KeepGoing ended it.
    bool Run(const std::vector<std::string>& roots);

private:
    bool Search(const std::string& folder);
    bool Tick();
    unsigned entries_ = 0;
};

// True when name ends in ".slt", letter case ignored.
bool IsProfileFolderName(const std::string& name);
