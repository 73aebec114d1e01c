#pragma once
// The catalogue: an ordered list of catalogue rows, read from wash item files and from the
// order file, written to the order file, and the merge of the two at start-up.
#include <string>
#include <vector>

#include "catalogue/RowKey.h"
#include "catalogue/WashItem.h"

// ItemName + "<|>" + ItemFile.
std::string RowKey(const CatalogueRow& row);

class Catalogue {
public:
    std::vector<CatalogueRow> Items;

    int Count() const { return static_cast<int>(Items.size()); }

    // Some row has the same ItemName and ItemFile, both compared case-sensitively.
    bool Contains(const CatalogueRow& row) const;
    // Appends a copy; a row with an empty ItemName is ignored.
    void Append(const CatalogueRow& row);
    // Exchange rows index-1 and index (MoveUp) or index and index+1 (MoveDown); an index
    // without such a neighbour changes nothing.
    void MoveUp(int index);
    void MoveDown(int index);

    // Appends the items a wash item file lists in its "Common" section, bound to path. A value
    // holding "<|>" names no item of the file (a row key would bind an item to another file):
    // it is left out. A file the profile functions can't read gives no rows.
    void LoadFromFile(const std::string& path);
    // Appends the rows of the order file: row keys whose section stores their wash item file.
    void LoadOrderFile(const std::string& path);
    // Writes "Total", then each row's key and its section. Keys of a longer earlier list stay.
    void SaveToFile(const std::string& path) const;
    // Replaces the file by one that holds exactly these rows, as SaveToFile would write them into
    // a new file; written whole beside it and then put in place, so a failure leaves the old
    // file. A refused write raises "Unable to write to %s".
    void RewriteFile(const std::string& path) const;
};

// Makes catalogue the rows of order that found holds, in order and with their check marks (what
// each item is, special or not, as found says), followed by the rows of found that are not yet
// in it, in found's order.
void MergeCatalogue(Catalogue& catalogue, const Catalogue& found, const Catalogue& order);
