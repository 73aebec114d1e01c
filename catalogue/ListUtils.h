#pragma once
// Small operations on check list models and text lists shared by the dialogs.
#include <string>
#include <vector>

#include "platform/CheckListModel.h"

// Sets the check mark of every row, first to last: checked when state is 1. No per-row event.
void CheckAll(CheckListModel& list, int state);

// Texts compare without surrounding blanks and without regard to letter case.
bool ListHasText(const std::vector<std::string>& list, const std::string& text);
bool ListHasText(const CheckListModel& list, const std::string& text);
// As ListHasText, skipping the element at position.
bool ListHasTextElsewhere(const std::vector<std::string>& list, const std::string& text, int position);
bool ListHasTextElsewhere(const CheckListModel& list, const std::string& text, int position);
