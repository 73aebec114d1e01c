#pragma once
// The real main window over a program folder of the test's own: const\ and plugin\ made, the
// wash item files the test names written, the program folder set back and the wash log let go
// when the test ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "engine/WashEngine.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"

using Strings = std::vector<std::string>;

class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"const", "plugin"}) CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
        if (std::string items = SystemItems(); !items.empty()) WriteTextFile(system, items);
        AddFiles();
        RegisterFormClass(MainWindowClass, nullptr);
    }
    void TearDown() override {
        form.reset();
        AbandonWashLog();
    }

    // The text of const\system.txt; empty: no such file.
    virtual std::string SystemItems() const { return ""; }
    // More files of the program folder, made before the window opens.
    virtual void AddFiles() {}

    // Creates the window; setUp, when given, sets its fields first.
    MainWindow& Open(const std::function<void(MainWindow&)>& setUp = nullptr) {
        form = std::make_unique<MainWindow>();
        form->QuitOnDestroy = false;
        if (setUp) setUp(*form);
        EXPECT_NE(form->CreateModeless(nullptr), nullptr);
        return *form;
    }
    void CloseWindow() {
        SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(form->Handle(), nullptr);
    }
    // Handles what is queued for this thread now (a posted close, a paint), without waiting more.
    static void HandlePending() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    void SelectItem(int row) {
        form->ItemList.Select(row);
        form->OnItemSelected();
    }
    // A list's rows as "name [x]" (checked) or "name [ ]".
    static Strings Rows(const CheckList& list) {
        Strings rows;
        for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Text(i) + (list.Checked(i) ? " [x]" : " [ ]"));
        return rows;
    }
    Strings Rows() const { return Rows(form->ItemList); }

    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    const std::string system = dir.Path() + "const\\system.txt";
    const std::string user = dir.Path() + "const\\user.txt";
    std::unique_ptr<MainWindow> form;
};
