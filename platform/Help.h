#pragma once
// The HTML Help viewer: the help file opened at a context number.
#include <functional>
#include <string>

// Opens helpFile in the HTML Help viewer at the topic the file maps to context.
void ShowHelpContext(const std::string& helpFile, int context);

// When set, receives every request in place of the viewer (tests).
inline std::function<void(const std::string& helpFile, int context)> HelpViewerHook;
