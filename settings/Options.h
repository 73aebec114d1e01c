#pragma once
// The options record: the main window's in-memory copy of the options of wildcard.ini.

// Schedule set bits.
enum ScheduleTrigger : unsigned {
    ScheduleAtStart = 1,
    ScheduleAtShutdown = 2,
    ScheduleEveryNMinutes = 4,
};

struct OptionsRecord {
    bool QuickDelete = true;
    bool PromptBeforeClean = false;
    bool WriteToLog = true;
    bool DeleteLogOnExit = false;
    unsigned ScheduleSet = 0;
    int IntervalMinutes = 2;
    double LastAutoWashTime = 0;  // local date-time: days since 1899-12-30 and fraction of a day
    bool StartMinimized = false;
    // While the program runs: a browser's checked wash items are washed when its last process ends.
    bool WashBrowserOnClose = false;
    // The Recycle Bin item empties only items deleted more than RecycleBinDays days ago.
    bool RecycleBinByAge = false;
    int RecycleBinDays = 7;
};

inline constexpr int MinRecycleBinDays = 1, MaxRecycleBinDays = 3650;
