#pragma once
// Links in the Recycle Bin: a file link, a folder link or a junction put into the bin, or into a
// folder in it, must go as a link and never take what it points to with it. Before the shell
// empties the bin, each link is removed as a link; one that can't be (Wine shows a host symlink
// as the file it points to) keeps the bin from being emptied.
#include <string>
#include <vector>

// The folders that hold the bins' items: each fixed drive's $Recycle.Bin\<user's SID>\ and, under
// Wine, the desktop's trash folder ($XDG_DATA_HOME/Trash/files). Only those that exist.
std::vector<std::string> RecycleBinFolders();
// The links below folder, never descending into one: reparse points, and names the system
// resolves to another file by itself.
std::vector<std::string> LinksBelow(const std::string& folder);
// Removes each link below the folders as a link where the system allows it; returns those that
// stay.
std::vector<std::string> RemoveLinksBelow(const std::vector<std::string>& folders);
// Deletes a reparse point itself, never what it points to; true when it is gone.
bool RemoveAsLink(const std::string& path);
