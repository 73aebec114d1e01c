#include "app/WashEvent.h"

#include "platform/EventLog.h"

WashEvent MakeWashEvent(const std::string& trigger, const WashTotals& totals, const std::string& error) {
    WashEvent event;
    if (!error.empty()) {
        event.Id = EventCouldNotRun;
        event.Type = EVENTLOG_ERROR_TYPE;
        event.Text = "Varnolt: " + trigger + " could not run: " + error;
        return event;
    }
    if (totals.Failures > 0) {
        event.Id = EventWashedWithFailures;
        event.Type = EVENTLOG_WARNING_TYPE;
    }
    event.Text = "Varnolt: " + trigger + (totals.Failures > 0 ? " washed with failures." : " washed.") +
                 "\r\nFiles washed: " + std::to_string(totals.FilesWashed) +
                 "\r\nRegistry entries washed: " + std::to_string(totals.RegistryWashed) +
                 "\r\nBytes freed: " + std::to_string(totals.BytesFreed) +
                 "\r\nFailures: " + std::to_string(totals.Failures);
    return event;
}

bool ReportWashEvent(const WashEvent& event) {
    return WriteApplicationEvent(EventSource, event.Type, event.Id, event.Text);
}
