#include "app/WashEvent.h"

#include "platform/EventLog.h"

WashEvent MakeWashEvent(const std::string& trigger, const WashTotals& totals, const std::string& error) {
    WashEvent event;
    // An error that stopped a wash after it had washed or failed on something: it ran, with failures.
    const bool ran = totals.FilesWashed > 0 || totals.RegistryWashed > 0 || totals.Failures > 0;
    if (!error.empty() && !ran) {
        event.Id = EventCouldNotRun;
        event.Type = EVENTLOG_ERROR_TYPE;
        event.Text = "Varnolt: " + trigger + " could not run: " + error;
        return event;
    }
    const bool failed = totals.Failures > 0 || !error.empty();
    if (failed) {
        event.Id = EventWashedWithFailures;
        event.Type = EVENTLOG_WARNING_TYPE;
    }
    event.Text = "Varnolt: " + trigger + (failed ? " washed with failures." : " washed.") +
                 "\r\nFiles washed: " + std::to_string(totals.FilesWashed) +
                 "\r\nRegistry entries washed: " + std::to_string(totals.RegistryWashed) +
                 "\r\nBytes freed: " + std::to_string(totals.BytesFreed) +
                 "\r\nFailures: " + std::to_string(totals.Failures);
    if (!error.empty()) event.Text += "\r\nStopped by: " + error;
    return event;
}

bool ReportWashEvent(const WashEvent& event) {
    return WriteApplicationEvent(EventSource, event.Type, event.Id, event.Text);
}
