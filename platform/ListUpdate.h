#pragma once
// Keeps a check list in update mode (no repainting) for the life of the guard.
#include "platform/CheckList.h"

class ListUpdate {
public:
    explicit ListUpdate(CheckList& list) : list_(list) { list_.BeginUpdate(); }
    ~ListUpdate() { list_.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    CheckList& list_;
};
