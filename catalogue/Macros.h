#pragma once
// Folder macros ("{windows}", "{username}", ...) in entry paths and key names, expanded on the
// running machine at every call.
#include <windows.h>

#include <string>

#include "catalogue/MacroText.h"

// Replaces the first occurrence of each macro, in a fixed order, letter case ignored. A text
// with "{username}" becomes empty when no user name can be obtained. A registry value of
// another type than text raises "Invalid data type for '%s'".
std::string ExpandMacros(const std::string& text);

// One registry-backed macro step: replaces the first occurrence of macro by the string value
// valueName of key under root; the text stays unchanged when the key can't be opened or the
// value is missing or empty.
std::string ExpandRegistryMacro(const std::string& text, const std::string& macro, HKEY root,
                                const std::string& key, const std::string& valueName);
