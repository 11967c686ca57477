#pragma once
// The temporaries of the safe writers (platform/safe_file.h) and what
// becomes of them when the process is stopped.

namespace gs {

// From here on, SIGINT, SIGTERM and SIGHUP remove the temporaries being
// written and a batch's new file not yet whole (finished files stay), then
// end the process as the signal would have. The handlers go in before the
// first file is created.
void RemoveTemporariesOnSignals();

}  // namespace gs
