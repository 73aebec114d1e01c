#pragma once
// Browser profile macros in entry paths: "{chromeprofiles}", "{edgeprofiles}", "{braveprofiles}",
// "{chromiumprofiles}" and "{firefoxprofiles}" stand for each profile folder of their browser,
// "{firefoxlocalprofiles}" for each Firefox profile's local folder (its caches). One entry
// thereby covers every profile.
#include <string>
#include <vector>

// The text once per profile of the browser whose macro it holds (the first one, letter case
// ignored), with the macro replaced by that profile's folder, in the order of the profiles; the
// text alone when it holds no such macro; nothing when that browser has no profile.
std::vector<std::string> ExpandProfileMacros(const std::string& text);
