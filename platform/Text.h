#pragma once
// Small text helpers for 8-bit strings (UTF-8 inside the program).
#include <string>
#include <vector>

std::string Trim(const std::string& text);
// The lines of a text, each trimmed; a UTF-8 byte order mark at its start is skipped.
std::vector<std::string> TrimmedLines(const std::string& text);
std::string UpperCase(const std::string& text);
// Case-insensitive comparison of ASCII letters.
bool SameText(const std::string& a, const std::string& b);
// Case-insensitive comparison through the system's locale, as AnsiCompareText.
int AnsiCompareText(const std::string& a, const std::string& b);
// Decimal, or hexadecimal with "0x", "0X" or "$"; optional leading "-". False when it doesn't parse.
bool TryParseInt(const std::string& text, int& value);
// The folder part of a path including its last backslash.
std::string ExtractFilePath(const std::string& path);
// The name part of a path after its last backslash or colon.
std::string ExtractFileName(const std::string& path);
