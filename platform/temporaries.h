#pragma once
// The named temporaries of the safe writers (platform/safe_file.h,
// platform/safe_write_batch.h) and what becomes of them when the process is
// stopped.
//
// A temporary's name says whose it is: ".gs-" then markers of the machine and
// of its boot, the writing process's id and start time, and a count, such as
// ".gs-k3j9a0x81bqz-2n9c-1h4k2z-0". A name is tracked before its file is
// created, so that a signal that can be caught removes it whenever it comes;
// a run killed outright leaves it, and the next batch that writes into the
// folder, or the next write over a file there, removes it at once, its
// process being gone (SweepStaleTemporaries).
#include <string>

namespace gs {

// From here on, SIGINT, SIGTERM and SIGHUP remove the temporaries being
// written (finished files stay), then end the process as the signal would
// have. The handlers go in before the first temporary is named.
void RemoveTemporariesOnSignals();

// While one lives, the first SIGINT, SIGTERM or SIGHUP is only noted, so that
// a batch can finish or drop the files in hand and say so; a second one acts
// as RemoveTemporariesOnSignals says. The handlers go in at once. Blocking
// reads and waits are cut short by the signal (EINTR).
class StopSignalsNoted {
 public:
  StopSignalsNoted();
  ~StopSignalsNoted();
  StopSignalsNoted(const StopSignalsNoted&) = delete;
  StopSignalsNoted& operator=(const StopSignalsNoted&) = delete;
  // The signal noted, 0 while none came.
  static int Noted();
};

// For the writers. A fresh name for a temporary in `folder`, unique to this
// process.
std::string TemporaryName(const std::string& folder);

// Tracks `path` where a signal handler finds it; the slot, or -1 when the
// table is full (the file is then not removed on a signal).
int TrackTemporary(const std::string& path);
// Forgets it (after its rename, or once it is removed); slot becomes -1.
void UntrackTemporary(int& slot);
// Removes the file and forgets it.
void RemoveTemporary(const std::string& path, int& slot);

// Removes from `folder` the temporaries of runs that are over: those of this
// machine whose process has ended (or belongs to an earlier boot), and those
// of another machine, or of the older short names (".gs" and 8 letters), when
// an hour old. Only the user's own files are touched.
void SweepStaleTemporaries(const std::string& folder);

}  // namespace gs
