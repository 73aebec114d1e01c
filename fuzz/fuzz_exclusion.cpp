// Exclusion masks against paths: line 1 is the mask, line 2 the path.
#include "catalogue/ExclusionMask.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto texts = SplitInput(data, size, 2);
    const std::string& mask = texts[0];
    const std::string& path = texts[1];
    bool match = MatchesExclusion(path, mask);
    // Letter case never matters, on either side.
    FUZZ_CHECK(MatchesExclusion(UpperCase(path), mask) == match);
    FUZZ_CHECK(MatchesExclusion(path, UpperCase(mask)) == match);
    // A mask made once gives the same answer for every path it is asked about.
    auto slash = path.rfind('\\');
    size_t folderLength = slash == std::string::npos ? 0 : slash + 1;
    ExclusionMask compiled(mask);
    FUZZ_CHECK(compiled.Matches(path.c_str(), folderLength, path.c_str() + folderLength) == match);
    // A file's own name, and "*.*", match it in every folder.
    std::string name = path.substr(folderLength);
    if (name.find('\0') == std::string::npos) FUZZ_CHECK(MatchesExclusion(path, name));
    FUZZ_CHECK(MatchesExclusion(path, "*.*"));
    return 0;
}
