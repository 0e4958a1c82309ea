#include "end_request.h"

#include "termination_signals.h"

namespace qg::show {

void WatchEndRequests() { WatchTerminationSignals(); }

bool EndRequested() { return TerminationRequested(); }

}  // namespace qg::show
