#include "catalogue/CookiesToKeep.h"

#include <windows.h>

#include <algorithm>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/FileReplace.h"
#include "catalogue/SettingsLists.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
bool ValidLabel(const std::string& label) {
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
    return std::all_of(label.begin(), label.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The host as the cookie databases give it, in lower case and without its leading dot.
std::string BareHost(const std::string& host) {
    std::string bare = LowerAscii(host);
    if (!bare.empty() && bare.front() == '.') bare.erase(0, 1);
    return bare;
}
}  // namespace

std::string SiteName(const std::string& text) {
    std::string site = LowerAscii(Trim(text));
    if (!site.empty() && site.front() == '.') site.erase(0, 1);
    if (!site.empty() && site.back() == '.') site.pop_back();
    if (site.empty() || site.size() > 253) return {};
    for (size_t start = 0;;) {
        size_t dot = site.find('.', start);
        if (!ValidLabel(site.substr(start, dot == std::string::npos ? std::string::npos : dot - start))) return {};
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return site;
}

bool KeepsSite(const std::vector<std::string>& keepList, const std::string& host) {
    const std::string bare = BareHost(host);
    if (bare.empty()) return false;
    return std::any_of(keepList.begin(), keepList.end(), [&](const std::string& kept) {
        const std::string site = BareHost(kept);
        if (site.empty() || bare.size() < site.size()) return false;
        if (bare.size() == site.size()) return bare == site;
        return bare.compare(bare.size() - site.size(), site.size(), site) == 0 &&
               bare[bare.size() - site.size() - 1] == '.';
    });
}

bool AddSite(std::vector<std::string>& list, const std::string& site) {
    if (std::find(list.begin(), list.end(), site) != list.end()) return false;
    list.push_back(site);
    return true;
}

ParsedSiteList ParseSiteList(const std::string& text) {
    ParsedSiteList parsed;
    for (const std::string& line : TrimmedLines(text)) {
        if (line.empty()) continue;
        const std::string site = SiteName(line);
        if (site.empty()) parsed.Refused.push_back(line);
        else AddSite(parsed.Sites, site);
    }
    return parsed;
}

ParsedSiteList ReadSiteListFile(const std::string& path) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw AppError(FormatText(IDS_SiteListUnreadable, path));
    std::string bytes;
    char chunk[16384];
    DWORD got = 0;
    bool ok;
    // A keep list is a few hundred lines; a file of megabytes is no keep list.
    while ((ok = ReadFile(file, chunk, sizeof(chunk), &got, nullptr) != FALSE) && got > 0 && bytes.size() < (8u << 20))
        bytes.append(chunk, got);
    CloseHandle(file);
    if (!ok || bytes.size() >= (8u << 20)) throw AppError(FormatText(IDS_SiteListUnreadable, path));
    return ParseSiteList(bytes);
}

void WriteSiteListFile(const std::string& path, const std::vector<std::string>& sites) {
    std::string text;
    for (const auto& site : sites) text += site + "\r\n";
    RewriteThroughCopy(
        path,
        [&](const std::string& copy) {
            HANDLE file = CreateFileW(WidePath(copy).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) throw AppError(FormatText(IDS_UnableToWriteTo, copy));
            DWORD written = 0;
            bool ok = text.empty() ||
                      (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size());
            ok = CloseHandle(file) && ok;
            if (!ok) throw AppError(FormatText(IDS_UnableToWriteTo, copy));
        },
        OldText::Replaced);
}

std::vector<std::string> ReadKeepList(const std::string& settingsFile) {
    std::vector<std::string> sites;
    for (const auto& row : ReadNumberedList(settingsFile, CookiesToKeepList)) {
        const std::string site = SiteName(row);
        if (!site.empty()) AddSite(sites, site);
    }
    return sites;
}

void WriteKeepList(const std::string& settingsFile, const std::vector<std::string>& sites) {
    WriteNumberedList(settingsFile, CookiesToKeepList, sites);
}

std::vector<std::string> KeepListInForce(const std::string& settingsFile, const Policies& policies) {
    if (!policies.CookiesToKeepHeld()) return ReadKeepList(settingsFile);
    std::vector<std::string> sites;
    for (const auto& row : policies.CookiesToKeep) {
        const std::string site = SiteName(row);
        if (!site.empty()) AddSite(sites, site);
    }
    return sites;
}
