// Order file row keys: line 1 an item name, line 2 a file path; also the whole input as a key.
#include "catalogue/RowKey.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto texts = SplitInput(data, size, 2);
    const std::string &name = texts[0], &file = texts[1];
    std::string split = "untouched";
    std::string whole(reinterpret_cast<const char*>(data), size);
    bool hasSeparator = SplitRowKey(whole, split);
    FUZZ_CHECK(hasSeparator == (whole.find(RowKeySeparator) != std::string::npos));
    if (!hasSeparator) FUZZ_CHECK(split == "untouched");
    // A name may hold "<|>", a path never does: joining and splitting gives the name back.
    if (file.find(RowKeySeparator) != std::string::npos) return 0;
    FUZZ_CHECK(SplitRowKey(JoinRowKey(name, file), split));
    FUZZ_CHECK(split == name);
    return 0;
}
