#pragma once

namespace veltaro {

// The command numbers of the menus and of the instance channel. They are fixed: a running older
// instance receives kExit from a newer one, and users bind keys to `veltaro-cli open`.
enum Command : int {
    kCommandHide = 2,
    kCommandExit = 32785,
    kCommandLogoff = 32787,
    kCommandShutdown = 32788,
    kCommandHibernate = 32789,
    kCommandStandby = 32790,
    kCommandLock = 32791,
    kCommandRestart = 32792,
    kCommandProcessManager = 32793,
    kCommandMonitorOff = 32794,
    kCommandRemindPlan = 32805,
    kCommandPerpetualCalendar = 32807,
    kCommandShowMainWindow = 32813,
    kCommandAbout = 32814,
    kCommandChime = 32821,
    kCommandEnglish = 32822,
    kCommandChinese = 32823,
    kCommandHistoryToday = 32824,
    kCommandHolidayToday = 32825,
    // The usage window, from the main window's history panel (and `veltaro-cli open usage`).
    kCommandUsage = 32826,
};

}  // namespace veltaro
