#pragma once

#include <string>

#include "calendar/local_date_time.h"

namespace veltaro {

// The alert's date line: today's date and today's lunar date ("日期:2006/12/16\t农历:2006/10/26");
// the lunar part reads 0000/00/00 outside the lunar calendar's span.
std::string AlertDateLine(const LocalDate& today, int language);
// "Time:20:36:25" with the occurrence's time of day.
std::string AlertTimeLine(const LocalDateTime& occurrence, int language);
// "Action: Remind" with the alert's name of the code ("?" outside the list).
std::string AlertActionLine(int action, int language);
// The accept button while the countdown runs: "Execute(30)" / "执行(30)".
std::string AlertExecuteCaption(int count, int language);

// The accept button's countdown: each tick shows the count it started with and counts one down;
// the tick that shows -1 ends it, so from 30 the alert accepts by itself on the 32nd tick.
class AlertCountdown {
public:
    static constexpr int kStartSeconds = 30;

    explicit AlertCountdown(int seconds = kStartSeconds) : left_(seconds) {}
    // The count to show on this tick.
    int Tick() { return left_--; }
    bool Expired() const { return left_ < -1; }

private:
    int left_;
};

}  // namespace veltaro
