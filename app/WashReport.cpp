#include "app/WashReport.h"

#include <windows.h>

#include <cstdio>

#include "platform/WideText.h"

WashTotals WashReport::Totals() const {
    WashTotals totals;
    for (const auto& item : Items) {
        totals.FilesWashed += item.FilesWashed;
        totals.BytesFreed += item.BytesFreed;
        totals.RegistryWashed += item.RegistryWashed;
        totals.Failures += static_cast<int>(item.Failures.size()) - item.Refused;
    }
    return totals;
}

std::string IsoUtcNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? Narrow(std::wstring(name, size)) : std::string();
}

std::string UserName() {
    wchar_t name[257];
    DWORD size = 257;
    return GetUserNameW(name, &size) && size > 0 ? Narrow(std::wstring(name, size - 1)) : std::string();
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof(escape), "\\u%04x", c);
                    out += escape;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

namespace {
std::string Field(const char* name, const std::string& json, bool last = false) {
    return std::string("\"") + name + "\": " + json + (last ? "" : ", ");
}
}  // namespace

std::string ReportJson(const WashReport& report) {
    const WashTotals totals = report.Totals();
    std::string json = "{\n  ";
    json += Field("program", JsonString("Varnolt")) + Field("version", JsonString(report.Version)) + "\n  ";
    json += Field("computer", JsonString(report.Computer)) + Field("user", JsonString(report.User)) + "\n  ";
    json += Field("start", JsonString(report.Start)) + Field("end", JsonString(report.End)) + "\n  ";
    if (!report.Error.empty()) json += Field("error", JsonString(report.Error)) + "\n  ";
    json += "\"items\": [";
    for (size_t i = 0; i < report.Items.size(); ++i) {
        const WashItemResult& item = report.Items[i];
        json += i ? ",\n    {" : "\n    {";
        json += Field("name", JsonString(item.Name)) + Field("filesWashed", std::to_string(item.FilesWashed)) +
                Field("bytesFreed", std::to_string(item.BytesFreed)) +
                Field("registryEntriesWashed", std::to_string(item.RegistryWashed)) + "\"failures\": [";
        for (size_t f = 0; f < item.Failures.size(); ++f)
            json += (f ? ", {" : "{") + Field("path", JsonString(item.Failures[f].Path)) +
                    Field("reason", JsonString(item.Failures[f].Reason)) +
                    Field("code", JsonString(item.Failures[f].Code.empty() ? "failed" : item.Failures[f].Code), true) +
                    "}";
        json += "]";
        if (!item.Databases.empty()) {
            json += ", \"databases\": [";
            for (size_t d = 0; d < item.Databases.size(); ++d) {
                const DatabaseRow& database = item.Databases[d];
                const std::string state = database.Washed ? "washed" : DatabaseStateCode(database.State);
                json += (d ? ",\n      {" : "\n      {") + Field("profile", JsonString(database.Label)) +
                        Field("path", JsonString(database.Path)) + Field("removed", std::to_string(database.Removed)) +
                        Field("kept", std::to_string(database.Kept)) +
                        Field("bytesFreed", std::to_string(database.FreedBytes)) +
                        Field("state", JsonString(state.empty() ? "ready" : state), true) + "}";
            }
            json += "\n    ]";
        }
        json += "}";
    }
    json += report.Items.empty() ? "],\n  " : "\n  ],\n  ";
    json += "\"totals\": {" + Field("filesWashed", std::to_string(totals.FilesWashed)) +
            Field("bytesFreed", std::to_string(totals.BytesFreed)) +
            Field("registryEntriesWashed", std::to_string(totals.RegistryWashed)) +
            Field("failures", std::to_string(totals.Failures), true) + "},\n  ";
    json += Field("exitCode", std::to_string(report.ExitCode), true) + "\n}\n";
    return json;
}

bool WriteFileWhole(const std::wstring& file, const std::string& text) {
    const std::wstring temporary = file + L".tmp" + std::to_wstring(GetCurrentProcessId());
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = FlushFileBuffers(handle) && ok;
    ok = CloseHandle(handle) && ok;
    if (ok) ok = MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}
