#pragma once
// Wash item files that come from outside (plug-ins): which of their items the catalogue takes,
// and the check that refuses a file whose entries would reach far beyond a user's traces.
#include <string>

#include "catalogue/Catalogue.h"

class FolderEntry;
class RegistryEntry;

// Appends the items the plug-in file lists by bare name. A value holding "<|>" would bind its
// row to a file the plug-in names, so it is ignored.
void AppendPluginRows(Catalogue& list, const std::string& path);

// Empty when the file may be taken as a plug-in. Otherwise the message that refuses it: the
// file lists no wash item, or an entry (named with its item) would clean a relative path, a
// drive root or the Windows, system or Program Files folder with its subfolders (or a folder
// holding one of them), or a whole registry root key or first-level key; a key whose root is no
// root key's name is refused too, whatever the entry cleans there.
std::string CheckPluginFile(const std::string& path);

// What the entry would clean that a plug-in must not, as a phrase ("the folder C:\ with all
// its subfolders"); empty when it is acceptable.
std::string FolderEntryRefusal(const FolderEntry& entry);
std::string RegistryEntryRefusal(const RegistryEntry& entry);
