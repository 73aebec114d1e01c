#pragma once
// Settings an administrator holds through Group Policy: values under Software\Policies\Varnolt
// of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, the machine's winning. The program only reads
// them; a setting held here is shown greyed and never stored by the program.
#include <optional>
#include <string>
#include <vector>

#include "settings/Options.h"

inline constexpr const char* PolicyKeyPath = "Software\\Policies\\Varnolt";

struct Policies {
    std::optional<unsigned> ScheduleSet;  // from "ScheduleOption", the words the settings file stores
    std::optional<int> ScheduleMinutes;   // brought into 2..1000
    std::optional<bool> WriteToLog;
    std::optional<bool> UseQuickDelete;
    bool DisableEditing = false;
    // Wash item names forced on or off. Each list is the machine's when it has the list's key, else
    // the user's; a name in both lists takes the machine's list, or is forced off when both lists
    // come from the same root.
    std::vector<std::string> CheckedItems;
    std::vector<std::string> UncheckedItems;
    bool CheckedByMachine = false;
    bool UncheckedByMachine = false;
    // The sites whose cookies every wash keeps, from the "CookiesToKeep" key of the first root that
    // has it. A list with a site is held: the user's own list is set aside meanwhile. (A policy
    // switched off leaves its key empty.)
    std::vector<std::string> CookiesToKeep;
    bool CookiesToKeepByMachine = false;
    bool CookiesToKeepHeld() const { return !CookiesToKeep.empty(); }

    // The forced check mark of a wash item, letter case ignored; none when no list names it.
    std::optional<bool> ForcedCheck(const std::string& itemName) const;
};

// Reads the policies of keyPath from both roots. A value of the wrong type counts as not set.
Policies ReadPolicies(const std::string& keyPath = PolicyKeyPath);
// Puts the held values into the options record; returns whether the schedule timer is to run
// (timerOn as given when the schedule is not held).
bool ApplyPolicies(const Policies& policies, OptionsRecord& options, bool timerOn);
