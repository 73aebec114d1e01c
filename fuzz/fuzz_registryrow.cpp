// Registry rows: the whole input as a row, and rows built from line 1 (a key path) and
// line 2 (a subkey or value name) the way entry expansion builds them.
#include "engine/RegistryRow.h"
#include "fuzz/FuzzInput.h"
#include "platform/RowGuard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto texts = SplitInput(data, size, 2);
    std::string keyPath, valueName;
    const std::string input(reinterpret_cast<const char*>(data), size);
    RegistryRowKind kind = ParseRegistryRow(input, keyPath, valueName);
    // A guarded row reads as the row without its guard; no row has two.
    const std::string row = Unguarded(input);
    if (GuardOf(row) != RowGuard::None) return 0;
    if (kind == RegistryRowKind::Key) FUZZ_CHECK(keyPath + DeleteKeyMarker == row && valueName.empty());
    if (kind == RegistryRowKind::Value) FUZZ_CHECK(keyPath + DeleteValueMarker + valueName == row);
    if (kind == RegistryRowKind::None) FUZZ_CHECK(keyPath == row && valueName.empty());
    FUZZ_CHECK(SplitRegistryRow(row, keyPath, valueName) == (kind == RegistryRowKind::Key));

    // Expansion's own rows: the key is E (ending in "\"), names come from the registry.
    std::string e = texts[0];
    if (e.find(DeleteValueMarker) != std::string::npos) return 0;  // no key path holds one
    if (e.empty() || e.back() != '\\') e += '\\';
    const std::string& name = texts[1];
    // No name the registry gives holds a NUL (the guard markers start with one).
    if (name.find('\0') != std::string::npos || e.find('\0') != std::string::npos) return 0;
    FUZZ_CHECK(ParseRegistryRow(e + DeleteValueMarker + name, keyPath, valueName) == RegistryRowKind::Value);
    FUZZ_CHECK(keyPath == e && valueName == name);
    FUZZ_CHECK(ParseRegistryRow(e + DeleteKeyMarker, keyPath, valueName) == RegistryRowKind::Key);
    FUZZ_CHECK(keyPath == e);
    // A key name holds no "\"; one that, with the key marker, starts with the value marker
    // spells a value row and is read as one.
    if (name.find('\\') == std::string::npos && (name + DeleteKeyMarker).compare(0, 17, DeleteValueMarker) != 0) {
        FUZZ_CHECK(ParseRegistryRow(e + name + DeleteKeyMarker, keyPath, valueName) == RegistryRowKind::Key);
        FUZZ_CHECK(keyPath == e + name);
    }
    return 0;
}
