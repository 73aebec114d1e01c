// Browser profile lists: the same bytes read as a "Local State" file and as a profiles.ini.
#include "catalogue/BrowserProfileText.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<LocalStateProfile> sentinel{{"untouched", "x"}};
    std::vector<LocalStateProfile> profiles = sentinel;
    if (ReadLocalStateProfiles(text, profiles)) {
        // JSON ends where the text ends: anything after it is damage.
        std::vector<LocalStateProfile> again = sentinel;
        FUZZ_CHECK(!ReadLocalStateProfiles(text + "}", again));
        FUZZ_CHECK(again.size() == 1 && again[0].Folder == "untouched");
    } else {
        FUZZ_CHECK(profiles.size() == 1 && profiles[0].Folder == "untouched" && profiles[0].Name == "x");
    }
    for (const auto& entry : ReadProfilesIni(text)) {
        FUZZ_CHECK(!entry.Path.empty());
        FUZZ_CHECK(entry.Path.find('\n') == std::string::npos && entry.Name.find('\n') == std::string::npos);
    }
    return 0;
}
