// Start-up: the stored files the program can't read, named once with the reason.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "catalogue/FileSearch.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/StoredText.h"
#include "settings/AppPaths.h"

bool MainWindow::ReportUnreadableFiles() {
    std::vector<std::string> kept{ProgramDirectory + "const\\system.txt", UserItemsPath()};
    FileSearch plugins;
    plugins.SetLocation(PluginDirPath());
    plugins.SetFilename("*.txt");
    plugins.Subfolders = false;
    plugins.OnFound = [&kept](FileSearch& sender, const std::string&, const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) kept.push_back(PluginDirPath() + sender.FoundName());
    };
    plugins.Execute();
    kept.push_back(SettingsFilePath());

    std::string message;
    auto add = [&message](const std::string& line) { message += (message.empty() ? "" : "\n\n") + line; };
    for (const auto& file : kept)
        if (std::string problem = PrepareStoredText(file); !problem.empty())
            add(FormatText(IDS_StoredFileUnreadable, file, problem));
    const std::string orderProblem = PrepareStoredText(OrderFilePath());
    if (!orderProblem.empty()) add(FormatText(IDS_OrderFileUnreadable, OrderFilePath(), orderProblem));
    if (!message.empty()) ShowRefusal(Handle(), message);
    return !orderProblem.empty();
}
