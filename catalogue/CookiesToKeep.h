#pragma once
// The sites whose cookies and site storage every wash keeps: matching, host names, the list in
// the settings file and its text-file form (one site a line, UTF-8).
#include <string>
#include <vector>

#include "settings/Policies.h"

// The site as stored: a host name in lower case without a leading or trailing dot ("example.com"),
// a name with other letters in its ASCII form ("xn--..."). Empty when text is no host name (blank,
// a space, a slash, a port, a scheme, an empty or over-long label, a label starting or ending with
// '-', more than 253 characters).
std::string SiteName(const std::string& text);

// True when the list keeps the cookie or storage host: a kept site keeps itself and its
// subdomains, with or without the leading dot ("example.com" keeps ".www.example.com", not
// "badexample.com" nor "example.com.evil").
bool KeepsSite(const std::vector<std::string>& keepList, const std::string& host);

// Appends site to list unless the list has it already; false when it was there.
bool AddSite(std::vector<std::string>& list, const std::string& site);

// The lines of a keep-list text file: sites in their stored form, blank lines and duplicates
// dropped; each line that is no host name goes to refused as it was (trimmed).
struct ParsedSiteList {
    std::vector<std::string> Sites;
    std::vector<std::string> Refused;
};
ParsedSiteList ParseSiteList(const std::string& text);

// Reads a keep-list file (UTF-8, with or without its mark). A file that can't be read raises
// AppError with its path.
ParsedSiteList ReadSiteListFile(const std::string& path);
// Writes the sites one a line (UTF-8, CRLF) through a copy beside the file; a refused write raises
// "Unable to write to %s".
void WriteSiteListFile(const std::string& path, const std::vector<std::string>& sites);

// The user's keep list of the settings file (section "Cookies To Keep"), and its write (whole or
// not at all).
std::vector<std::string> ReadKeepList(const std::string& settingsFile);
void WriteKeepList(const std::string& settingsFile, const std::vector<std::string>& sites);

// The list every wash obeys: the administrator's while a policy holds it, else the user's.
std::vector<std::string> KeepListInForce(const std::string& settingsFile, const Policies& policies);
