#pragma once

#include <string_view>

namespace veltaro {

// Tells the user, on stderr (which the journal and a terminal show), what the program could not
// do: one line per cause, however often the cause recurs, so a failing heartbeat doesn't flood the
// journal. Safe from any thread.
void ReportProblemOnce(std::string_view cause, std::string_view line);

// The cause is cured: the next time it occurs it is reported again.
void ForgetProblem(std::string_view cause);

}  // namespace veltaro
