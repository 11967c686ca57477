#include "app/tool/tool_batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/tool/tool_common.h"
#include "platform/hash.h"
#include "platform/safe_write_batch.h"
#include "platform/temporaries.h"

namespace gs::tool {

namespace {

// An interrupted batch ends as a shell reports Ctrl+C.
constexpr int kExitInterrupted = 130;

// The inputs: operands first, then the names of --files-from, one at a time.
class InputNames {
 public:
  InputNames(const Invocation& call, std::size_t firstInput) : call_(call), next_(firstInput) {}
  ~InputNames() {
    if (list_ && list_ != stdin) std::fclose(list_);
  }

  // False with `error` empty at the end, with `error` set when the list could not be read.
  bool Open(std::string& error) {
    const auto from = call_.Value("--files-from");
    if (!from) return true;
    listName_ = std::string(*from);
    delimiter_ = call_.Has("-0") ? '\0' : '\n';
    list_ = listName_ == "-" ? stdin : std::fopen(listName_.c_str(), "re");
    if (!list_) error = listName_ + ": " + std::strerror(errno);
    return list_ != nullptr;
  }

  bool Next(std::string& name, std::string& error) {
    if (next_ < call_.operands().size()) {
      name.assign(call_.operands()[next_++]);
      return true;
    }
    if (!list_) return false;
    for (;;) {
      // Lines are counted blank or not, and none grows past a path's length,
      // so that an endless list (/dev/zero) stops at once with a message.
      name.clear();
      errno = 0;
      int c = 0;
      while ((c = getc_unlocked(list_)) != EOF && c != static_cast<unsigned char>(delimiter_)) {
        if (name.size() >= kMaxListLineBytes) {
          error = ListName() + ": line " + GroupDigits(lines_ + 1) + " longer than " +
                  GroupDigits(kMaxListLineBytes) + " bytes";
          return false;
        }
        name += static_cast<char>(c);
      }
      if (c == EOF) {
        if (std::ferror(list_)) {
          error = ListName() + ": " + std::strerror(errno ? errno : EIO);
          return false;
        }
        if (name.empty()) return false;
      }
      if (++lines_ > kMaxListLines) {
        error = ListName() + ": more than " + GroupDigits(kMaxListLines) + " lines";
        return false;
      }
      // A list written on Windows ends its lines with CR LF.
      if (delimiter_ == '\n' && !name.empty() && name.back() == '\r') name.pop_back();
      if (!name.empty()) return true;  // blank lines name nothing
    }
  }

  // Only the operands are known in advance.
  bool CountKnown() const { return !call_.Has("--files-from"); }
  std::size_t OperandCount() const { return call_.operands().size() - next_; }

 private:
  std::string ListName() const { return listName_ == "-" ? "standard input" : listName_; }

  const Invocation& call_;
  std::size_t next_ = 0;
  std::FILE* list_ = nullptr;
  std::string listName_;
  char delimiter_ = '\n';
  unsigned long long lines_ = 0;
};

// Output names already used, kept as 64-bit hashes so that memory stays at a
// few bytes per input (two names colliding by chance is far less likely than
// a disk fault).
class SeenNames {
 public:
  // True when the name is new.
  bool Insert(std::string_view name) {
    std::uint64_t h = Fnv1a64(name);
    if (h == 0) h = 1;  // 0 marks an empty slot
    if (2 * (count_ + 1) > slots_.size()) Grow();
    std::size_t i = static_cast<std::size_t>(h) & (slots_.size() - 1);
    while (slots_[i] != 0) {
      if (slots_[i] == h) return false;
      i = (i + 1) & (slots_.size() - 1);
    }
    slots_[i] = h;
    ++count_;
    return true;
  }

 private:
  void Grow() {
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    for (std::uint64_t h : old) {
      if (h == 0) continue;
      std::size_t i = static_cast<std::size_t>(h) & (slots_.size() - 1);
      while (slots_[i] != 0) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = h;
    }
  }
  std::vector<std::uint64_t> slots_;
  std::size_t count_ = 0;
};

// Reads a whole input into a buffer kept across inputs. A regular file that
// returns less than asked has ended, so a small icon costs open, read and
// close; only inputs that fill the buffer are looked at further.
bool ReadBatchInput(const std::string& path, std::vector<std::uint8_t>& buffer, std::size_t& size,
                    std::string& error) {
  constexpr std::size_t kFirstRead = 65536;
  if (buffer.size() < kFirstRead) buffer.resize(kFirstRead);
  auto fail = [&](const std::string& reason) {
    error = path + ": " + reason;
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail(std::strerror(errno));
  size = 0;
  bool checked = false;
  for (;;) {
    if (size == buffer.size()) {
      if (!checked) {
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
          ::close(fd);
          return fail("not a regular file");
        }
        checked = true;
      }
      if (size >= kMaxInputBytes) {
        ::close(fd);
        return fail("file too large");
      }
      buffer.resize(std::min(kMaxInputBytes + 1, buffer.size() * 2));
    }
    const ssize_t n = ::read(fd, buffer.data() + size, buffer.size() - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return fail(err == EAGAIN ? "not a regular file" : std::strerror(err));
    }
    size += static_cast<std::size_t>(n);
    if (n == 0 || size < buffer.size()) break;
  }
  ::close(fd);
  if (size > kMaxInputBytes) return fail("file too large");
  return true;
}

class Progress {
 public:
  Progress() : shown_(isatty(STDERR_FILENO) == 1) {}
  void Step(std::size_t done, std::size_t total) {
    if (!shown_ || (done % 64 != 0 && done != total)) return;
    if (total)
      std::fprintf(stderr, "\rconverting %zu/%zu", done, total);
    else
      std::fprintf(stderr, "\rconverting %zu", done);
    std::fflush(stderr);
    dirty_ = true;
  }
  // Errors go on their own line, not over the progress text.
  void Error(const std::string& message) {
    Clear();
    Fail(message);
  }
  void Clear() {
    if (dirty_) std::fputs("\r\033[K", stderr);
    dirty_ = false;
  }

 private:
  bool shown_;
  bool dirty_ = false;
};

std::string StemOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

std::string BatchSummary(unsigned long long inputs, unsigned long long failed,
                         std::optional<unsigned long long> notReplaced) {
  std::string summary = GroupDigits(inputs) + (inputs == 1 ? " file: " : " files: ") +
                        GroupDigits(inputs - failed - notReplaced.value_or(0)) + " written, " +
                        GroupDigits(failed) + " failed";
  if (notReplaced) summary += ", " + GroupDigits(*notReplaced) + " not replaced";
  return summary;
}

int RunBatch(const Invocation& call, std::string_view extension, const BatchBuild& build,
             std::size_t firstInput, BatchInputs reading) {
  const std::string outDir(call.Value("--out-dir").value_or(""));
  if (outDir.empty()) return Usage(std::string(call.command().name) + ": --out-dir takes a folder");
  firstInput = std::min(firstInput, call.operands().size());
  InputNames inputs(call, firstInput);
  for (std::string_view op : std::span(call.operands()).subspan(firstInput))
    if (op == "-")
      return Usage(std::string(call.command().name) +
                   ": a batch reads files; name them with --files-from - instead");
  if (call.operands().size() == firstInput && !call.Has("--files-from"))
    return Usage(std::string(call.command().name) + " --out-dir needs at least one input file");
  struct stat st {};
  if (::stat(outDir.c_str(), &st) != 0) return Fail(outDir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Fail(outDir + ": not a folder");
  std::string error;
  if (!inputs.Open(error)) return Fail(error);

  const std::size_t total = inputs.CountKnown() ? inputs.OperandCount() : 0;
  Progress progress;
  // Ctrl+C (or SIGTERM, SIGHUP) stops the batch between two files: the
  // replacements waiting for their group's commit are dropped and listed, a
  // commit under way completes. A second signal ends the run at once.
  const StopSignalsNoted stop;
  // Replaced files wait for one flush of their file system per group; a large
  // group keeps those flushes rare, at some 150 bytes a file.
  SafeWriteBatch batch(4096);
  SeenNames seen;
  std::vector<std::string> committedErrors;
  std::vector<std::uint8_t> inBuffer, outBytes;
  std::string in, out, listError;
  unsigned long long count = 0, failed = 0;
  while (!StopSignalsNoted::Noted() && inputs.Next(in, listError)) {
    ++count;
    out.assign(outDir).append("/").append(StemOf(in)).append(".").append(extension);
    std::size_t size = 0;
    outBytes.clear();
    if (!seen.Insert(out)) {
      progress.Error(in + ": same output name as an earlier input (" + out + ")");
      ++failed;
    } else if ((reading == BatchInputs::ReadWhole && !ReadBatchInput(in, inBuffer, size, error)) ||
               !build(BatchItem{in, std::span(inBuffer.data(), size)}, outBytes, error)) {
      progress.Error(error);
      ++failed;
    } else if (WriteStatus w = batch.Add(out, outBytes, &committedErrors); !w) {
      progress.Error(w.error);
      ++failed;
    }
    for (const std::string& e : committedErrors) progress.Error(e), ++failed;
    committedErrors.clear();
    progress.Step(count, total);
  }
  if (StopSignalsNoted::Noted()) {
    // The read of the list that the signal cut short is no failure of the list.
    const std::vector<std::string> notReplaced = batch.Discard();
    for (const std::string& target : notReplaced)
      progress.Error(target + ": not replaced (interrupted)");
    progress.Clear();
    std::fprintf(stderr, "interrupted after %s\n",
                 BatchSummary(count, failed, notReplaced.size()).c_str());
    return kExitInterrupted;
  }
  const bool listFailed = !listError.empty();
  if (listFailed) progress.Error(listError);
  for (const std::string& e : batch.Commit()) progress.Error(e), ++failed;
  progress.Clear();
  std::fprintf(stderr, "%s\n", BatchSummary(count, failed).c_str());
  return failed || listFailed ? kExitFailure : kExitOk;
}

}  // namespace gs::tool
