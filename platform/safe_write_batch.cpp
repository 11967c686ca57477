#include "platform/safe_write_batch.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/temporaries.h"

namespace gs {

using safe_file_steps::FolderOf;
using safe_file_steps::Replacement;

SafeWriteBatch::~SafeWriteBatch() { Commit(); }

WriteStatus SafeWriteBatch::Add(const std::string& path, std::span<const std::uint8_t> bytes,
                                std::vector<std::string>* committedErrors) {
  if (path.empty()) return WriteStatus::Failure(path, "empty file name");
  if (std::string folder = FolderOf(path); !swept_.contains(folder)) {
    SweepStaleTemporaries(folder);
    swept_.insert(std::move(folder));
  }
  Replacement r;
  if (WriteStatus st = safe_file_steps::WriteOrPrepare(path, bytes, false, r); !st) return st;
  if (r.temp.empty()) return WriteStatus::Success();  // a new file, already whole
  pending_.push_back(std::move(r));
  if (pending_.size() >= groupSize_) {
    auto errors = Commit();
    if (committedErrors)
      committedErrors->insert(committedErrors->end(), errors.begin(), errors.end());
  }
  return WriteStatus::Success();
}

std::vector<std::string> SafeWriteBatch::Discard() {
  std::vector<std::string> targets;
  targets.reserve(pending_.size());
  for (Replacement& p : pending_) {
    RemoveTemporary(p.temp, p.slot);
    targets.push_back(std::move(p.target));
  }
  pending_.clear();
  return targets;
}

std::vector<std::string> SafeWriteBatch::Commit() {
  std::vector<std::string> errors;
  if (pending_.empty()) return errors;
  // The new contents of files that replace others reach the disk before any
  // of them is renamed: one syncfs per folder the group touches instead of
  // one flush per file.
  std::vector<std::string> synced;
  for (Replacement& p : pending_) {
    if (!p.replaces) continue;
    const std::string folder = FolderOf(p.target);
    if (std::find(synced.begin(), synced.end(), folder) != synced.end()) continue;
    synced.push_back(folder);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 && ::syncfs(fd) == 0) {
      ::close(fd);
      continue;
    }
    const int err = errno;
    if (fd >= 0) ::close(fd);
    // Without the flush the old files must stay: drop every replacement in that folder.
    for (Replacement& q : pending_) {
      if (!q.replaces || q.temp.empty() || FolderOf(q.target) != folder) continue;
      errors.push_back(q.target + ": " + std::strerror(err));
      RemoveTemporary(q.temp, q.slot);
      q.temp.clear();
    }
  }
  // The data is durable now, so the renames may go in any order, and they
  // overlap: a disk that discards freed blocks makes the end of each old file
  // wait for its blocks, a wait of latency, not of throughput. That end comes
  // at the rename, under the folder's lock, which would line the waits up
  // again; a handle held on the old file moves it to the handle's close,
  // which comes after every rename, failed or not.
  constexpr unsigned kRenamers = 8;
  std::vector<int> failures(pending_.size(), 0);
  std::atomic<std::size_t> next{0};
  auto renameSome = [&] {
    for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < pending_.size();) {
      Replacement& p = pending_[i];
      if (p.temp.empty()) continue;
      const int old = p.replaces ? ::open(p.target.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC) : -1;
      if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
        failures[i] = errno;
        RemoveTemporary(p.temp, p.slot);
      } else {
        UntrackTemporary(p.slot);
      }
      if (old >= 0) ::close(old);
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(kRenamers);
  if (pending_.size() >= 2 * kRenamers) {
    // Signals stay with this thread, so that their handler never runs beside
    // the code that writes and tracks files.
    sigset_t block, old;
    sigemptyset(&block);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&block, sig);
    ::pthread_sigmask(SIG_BLOCK, &block, &old);
    try {
      for (unsigned k = 1; k < kRenamers; ++k) helpers.emplace_back(renameSome);
    } catch (const std::system_error&) {
      // Fewer helpers: this thread renames the rest.
    }
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
  }
  renameSome();
  for (std::thread& h : helpers) h.join();
  for (std::size_t i = 0; i < pending_.size(); ++i)
    if (failures[i]) errors.push_back(pending_[i].target + ": " + std::strerror(failures[i]));
  pending_.clear();
  return errors;
}

}  // namespace gs
