#pragma once

namespace veltaro {

// The command numbers of the menus and of the instance channel. They are fixed: a running older
// instance receives kExit from a newer one.
enum Command : int {
    kCommandHide = 2,
    kCommandExit = 32785,
    kCommandShowMainWindow = 32813,
};

}  // namespace veltaro
