#include "catalogue/ProfileMacros.h"

#include "catalogue/BrowserProfiles.h"
#include "catalogue/MacroText.h"

namespace {
struct ProfileMacro {
    const char* macro;
    BrowserKind browser;
    bool local;
};
const ProfileMacro ProfileMacros[] = {
    {"{chromeprofiles}", BrowserKind::Chrome, false},   {"{edgeprofiles}", BrowserKind::Edge, false},
    {"{braveprofiles}", BrowserKind::Brave, false},     {"{chromiumprofiles}", BrowserKind::Chromium, false},
    {"{firefoxprofiles}", BrowserKind::Firefox, false}, {"{firefoxlocalprofiles}", BrowserKind::Firefox, true},
};
}  // namespace

std::vector<std::string> ExpandProfileMacros(const std::string& text) {
    const ProfileMacro* found = nullptr;
    size_t first = std::string::npos;
    for (const auto& macro : ProfileMacros) {
        const size_t at = FindMacro(text, macro.macro);
        if (at < first) {
            first = at;
            found = &macro;
        }
    }
    if (!found) return {text};
    std::vector<std::string> texts;
    for (const auto& profile : FindBrowserProfiles(found->browser))
        texts.push_back(ReplaceMacro(text, found->macro, found->local ? profile.LocalFolder : profile.Folder));
    return texts;
}
