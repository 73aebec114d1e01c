#pragma once
// The history items washed inside browser databases, for every profile of each browser, and
// the item that compacts every browser database.
#include <vector>

#include "engine/DatabaseItems.h"

void AddHistoryKinds(std::vector<DatabaseItemKind>& kinds);
