#pragma once
// The keys of a LevelDB store (Chromium keeps Local Storage, Session Storage and the service
// worker registrations in one each), read from its table and log files without opening the
// store, and the web origins those keys name.
#include <string>
#include <vector>

// Every key of the block-compressed tables (.ldb, .sst) and the logs (.log) in folder, deleted
// ones and old versions included. False when a file could not be read or has a form this reader
// does not know (a key may then be missing); the keys read so far are still given.
bool ReadLevelDbKeys(const std::string& folder, std::vector<std::string>& keys);

// "https://www.example.com:8080" inside a key as scheme "https" and host "www.example.com".
struct KeyOrigin {
    std::string Scheme;
    std::string Host;
};
// The origins named in text (every "scheme://host"), in order.
std::vector<KeyOrigin> OriginsInText(const std::string& text);

// Uncompresses one Snappy block; false when it is not well formed.
bool SnappyUncompress(const std::string& input, std::string& output);
