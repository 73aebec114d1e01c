#pragma once
// The program's one error type and the guard that runs a command and reports its error.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

// Shows the application's standard error box for an unexpected error of a command.
void ShowErrorBox(HWND owner, const std::string& message);

// Runs one command. An error ends it: cleanup runs (also on success), then the error box.
// Returns false when the command ended with an error.
bool RunGuarded(HWND owner, const std::function<void()>& command,
                const std::function<void()>& cleanup = nullptr);
// As RunGuarded, but the error's message is returned (empty on success) instead of shown.
std::string RunCaught(const std::function<void()>& command, const std::function<void()>& cleanup = nullptr);
