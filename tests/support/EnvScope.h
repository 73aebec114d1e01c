#pragma once
// Environment variables of the test process set while it lives, then restored.
#include <windows.h>

#include <string>
#include <vector>

class EnvScope {
public:
    EnvScope() = default;
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;
    void Set(const char* name, const std::string& value) {
        char old[MAX_PATH * 4];
        DWORD n = GetEnvironmentVariableA(name, old, sizeof(old));
        saved_.push_back({name, n && n < sizeof(old) ? std::string(old, n) : std::string(), n != 0});
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~EnvScope() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            SetEnvironmentVariableA(it->name.c_str(), it->had ? it->value.c_str() : nullptr);
    }

private:
    struct Saved {
        std::string name, value;
        bool had;
    };
    std::vector<Saved> saved_;
};
