#pragma once
// Whether the system's profile functions can read a stored INI file as it is. They read ANSI
// text or UTF-16 that starts with its byte-order mark; UTF-16 without the mark, or bytes that
// are no text, read as nothing, and a write through them would replace the file's lines.
#include <cstddef>
#include <string>

enum class StoredTextKind {
    Text,           // text the profile functions read (also an empty file)
    UnmarkedUtf16,  // UTF-16 (little-endian) text without its byte-order mark
    NotText,        // NUL bytes or many control bytes
};

// Plain C++, no system calls.
StoredTextKind ClassifyStoredText(const std::string& bytes);

// Why the profile functions can't read the file as it is (a short reason); empty when they can
// or the file is missing. Only the first limit bytes are looked at.
std::string StoredTextProblem(const std::string& path, size_t limit = static_cast<size_t>(-1));

// The same, after putting the byte-order mark in front of UTF-16 text that lacks it (the same
// text, written whole beside the file and then put in place); a mark that can't be added is the
// problem then.
std::string PrepareStoredText(const std::string& path, size_t limit = static_cast<size_t>(-1));
