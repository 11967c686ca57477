#include "platform/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/file_read.h"
#include "platform/safe_file_steps.h"
#include "platform/safe_write_batch.h"
#include "platform/temporaries.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

int EntriesIn(const std::string& folder) {
  int n = 0;
  for (auto& e : std::filesystem::directory_iterator(folder)) (void)e, ++n;
  return n;
}

// Runs `check` with new outputs written as unnamed files linked in, then as
// on a file system without them (named temporaries).
void ForEachDraftKind(const std::function<void()>& check) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporaries" : "unnamed files");
    safe_file_steps::UseNamedDraftsOnly(named);
    check();
  }
  safe_file_steps::UseNamedDraftsOnly(false);
}

// Runs `body` in a child process; its exit status (or 128 + the signal that ended it).
int InChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::vector<std::string> TemporariesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().filename().string().starts_with(".gs")) names.push_back(e.path().filename());
  return names;
}

// The next batch writing into the folder: it sweeps the folder first.
void NextBatchWritesInto(const std::string& folder) {
  SafeWriteBatch batch;
  ASSERT_TRUE(batch.Add(folder + "/next.bin", Bytes{1}));
  std::filesystem::remove(folder + "/next.bin");
}

TEST(SafeFile, WritesNewFilesAndReplacesOldOnesKeepingTheirMode) {
  ForEachDraftKind([] {
    test::TempDir dir;
    const std::string p = dir.file("a.bin");
    ASSERT_TRUE(WriteFileSafely(p, Bytes{1, 2, 3}));
    EXPECT_EQ(test::ReadAll(p), (Bytes{1, 2, 3}));
    chmod(p.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(p, Bytes{4}));
    EXPECT_EQ(test::ReadAll(p), (Bytes{4}));
    struct stat st {};
    stat(p.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ASSERT_TRUE(WriteFileSafely(p, Bytes{}));
    EXPECT_TRUE(test::ReadAll(p).empty());
    EXPECT_EQ(EntriesIn(dir.path()), 1) << "no temporary is left behind";
  });
}

TEST(SafeFile, FailuresNameThePathAndTheReasonAndTouchNothing) {
  ForEachDraftKind([] {
    test::TempDir dir;
    test::WriteAll(dir.file("file"), {7});
    std::filesystem::create_directory(dir.file("folder"));
    struct Case {
      std::string path;
      const char* reason;
    } cases[] = {
        {dir.file("missing") + "/x", "No such file or directory"},
        {dir.file("file") + "/x", "Not a directory"},
        {dir.file("folder"), "Is a directory"},
        {"", "empty file name"},
    };
    for (const Case& c : cases) {
      const WriteStatus st = WriteFileSafely(c.path, Bytes{1});
      EXPECT_FALSE(st) << c.path;
      EXPECT_EQ(st.error, c.path + ": " + c.reason);
    }
    EXPECT_EQ(test::ReadAll(dir.file("file")), (Bytes{7}));
    EXPECT_EQ(EntriesIn(dir.path()), 2);
  });
}

TEST(SafeFile, ReadOnlyFileIsRefusedAndKept) {
  test::TempDir dir;
  const std::string p = dir.file("ro");
  test::WriteAll(p, {5, 5});
  chmod(p.c_str(), 0444);
  const WriteStatus st = WriteFileSafely(p, Bytes{1});
  EXPECT_FALSE(st);
  EXPECT_EQ(st.error, p + ": Permission denied");
  EXPECT_EQ(test::ReadAll(p), (Bytes{5, 5}));
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(SafeFile, ReadOnlyFolderIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  test::TempDir dir;
  const std::string folder = dir.file("ro");
  std::filesystem::create_directory(folder);
  test::WriteAll(folder + "/old", {3});
  chmod(folder.c_str(), 0555);
  const WriteStatus st = WriteFileSafely(folder + "/old", Bytes{1});
  EXPECT_FALSE(st);
  EXPECT_NE(st.error.find("Permission denied"), std::string::npos) << st.error;
  EXPECT_EQ(test::ReadAll(folder + "/old"), (Bytes{3}));
}

TEST(SafeFile, ALinkIsFollowedNotReplaced) {
  test::TempDir dir;
  test::WriteAll(dir.file("real"), {1});
  std::filesystem::create_symlink(dir.file("real"), dir.file("link"));
  ASSERT_TRUE(WriteFileSafely(dir.file("link"), Bytes{2}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
  EXPECT_EQ(test::ReadAll(dir.file("real")), (Bytes{2}));
}

TEST(SafeFile, BatchCommitsInGroupsAndReportsEachFailure) {
  ForEachDraftKind([] {
    test::TempDir dir;
    test::WriteAll(dir.file("f2"), {7});  // replaced: flushed before its rename
    test::WriteAll(dir.file("f3"), {9});
    chmod(dir.file("f3").c_str(), 0444);
    std::vector<std::string> committed;
    int refused = 0;
    {
      SafeWriteBatch batch(2);
      for (int i = 0; i < 5; ++i) {
        if (!batch.Add(dir.file("f" + std::to_string(i)), Bytes{static_cast<std::uint8_t>(i)},
                       &committed))
          ++refused;
        // New names appear at once; a file that replaces another waits for its group's flush.
        if (i == 0) {
          EXPECT_TRUE(RegularFileExists(dir.file("f0")));
        }
        if (i == 2) {
          EXPECT_EQ(test::ReadAll(dir.file("f2")), (Bytes{7}));
        }
      }
      EXPECT_TRUE(RegularFileExists(dir.file("f1")));
      EXPECT_FALSE(batch.Add(dir.file("none") + "/x", Bytes{1}));
    }  // the destructor commits the rest
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(committed.empty());
    for (int i : {0, 1, 2, 4}) {
      EXPECT_EQ(test::ReadAll(dir.file("f" + std::to_string(i))),
                (Bytes{static_cast<std::uint8_t>(i)}));
    }
    EXPECT_EQ(test::ReadAll(dir.file("f3")), (Bytes{9}));
    EXPECT_EQ(EntriesIn(dir.path()), 5);
  });
}

TEST(SafeFile, BatchKeepsTheModeOfReplacedFiles) {
  test::TempDir dir;
  const unsigned modes[] = {0600, 0644, 0640, 0755};
  for (unsigned m : modes) {
    test::WriteAll(dir.file(std::to_string(m)), {1});
    chmod(dir.file(std::to_string(m)).c_str(), m);
  }
  {
    SafeWriteBatch batch;
    for (unsigned m : modes) ASSERT_TRUE(batch.Add(dir.file(std::to_string(m)), Bytes{2}));
    ASSERT_TRUE(batch.Add(dir.file("new"), Bytes{3}));
    EXPECT_TRUE(batch.Commit().empty());
  }
  for (unsigned m : modes) {
    struct stat st {};
    ASSERT_EQ(stat(dir.file(std::to_string(m)).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, m);
    EXPECT_EQ(test::ReadAll(dir.file(std::to_string(m))), (Bytes{2}));
  }
  const mode_t mask = umask(0);
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat(dir.file("new").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
}

TEST(SafeFile, NamesAtTheLimitCanBeSaved) {
  ForEachDraftKind([] {
    test::TempDir dir;
    // 85 three-byte characters: 255 bytes, the most a name may have.
    std::string name;
    for (int i = 0; i < 85; ++i) name += "\xE6\xBC\xA2";
    const std::string path = dir.file(name);
    ASSERT_TRUE(WriteFileSafely(path, Bytes{1}));
    EXPECT_TRUE(WriteFileSafely(path, Bytes{2}));  // and replaced
    SafeWriteBatch batch;
    EXPECT_TRUE(batch.Add(path, Bytes{3}));
    EXPECT_TRUE(batch.Commit().empty());
    EXPECT_EQ(test::ReadAll(path), (Bytes{3}));
    EXPECT_EQ(EntriesIn(dir.path()), 1);
  });
}

// A link that points at nothing yet is written through: the file appears where
// it points and the link stays a link.
TEST(SafeFile, DanglingLinksAreWrittenThrough) {
  ForEachDraftKind([] {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::create_symlink(dir.file("sub/abs"), dir.file("abs-link"));
    std::filesystem::create_symlink("sub/rel", dir.file("rel-link"));
    std::filesystem::create_symlink("rel-link", dir.file("chain"));
    std::filesystem::create_symlink("loop", dir.file("loop"));
    std::filesystem::create_symlink(dir.file("nowhere/x"), dir.file("bad-link"));
    struct Case {
      std::string link, lands;
    } cases[] = {{"abs-link", "sub/abs"}, {"rel-link", "sub/rel"}, {"chain", "sub/rel"}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.link);
      ASSERT_TRUE(WriteFileSafely(dir.file(c.link), Bytes{5}));
      EXPECT_TRUE(std::filesystem::is_symlink(dir.file(c.link)));
      EXPECT_EQ(test::ReadAll(dir.file(c.lands)), (Bytes{5}));
      std::remove(dir.file(c.lands).c_str());
      SafeWriteBatch batch;
      ASSERT_TRUE(batch.Add(dir.file(c.link), Bytes{6}));
      EXPECT_TRUE(batch.Commit().empty());
      EXPECT_TRUE(std::filesystem::is_symlink(dir.file(c.link)));
      EXPECT_EQ(test::ReadAll(dir.file(c.lands)), (Bytes{6}));
    }
    WriteStatus st = WriteFileSafely(dir.file("loop"), Bytes{1});
    EXPECT_NE(st.error.find("Too many levels of symbolic links"), std::string::npos) << st.error;
    st = WriteFileSafely(dir.file("bad-link"), Bytes{1});
    EXPECT_NE(st.error.find("No such file or directory"), std::string::npos) << st.error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("bad-link")));
    EXPECT_EQ(EntriesIn(dir.file("sub")), 2) << "no temporaries left behind";
  });
}

// A batch stopped by a signal while replacements wait for their commit: the
// temporaries go, the old files stay, and the status is the signal's.
TEST(SafeFile, ASignalRemovesTheTemporariesBeingWritten) {
  test::TempDir dir;
  const std::string old = dir.file("old.bin");
  test::WriteAll(old, Bytes{7});
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RemoveTemporariesOnSignals();
    SafeWriteBatch batch;
    (void)batch.Add(old, Bytes{1, 2});
    (void)batch.Add(dir.file("new.bin"), Bytes{3});  // finished: stays
    raise(SIGTERM);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(test::ReadAll(old), Bytes{7});
  EXPECT_EQ(test::ReadAll(dir.file("new.bin")), Bytes{3});
  EXPECT_EQ(EntriesIn(dir.path()), 2);
}

// The renames of a large group run on several threads: a file whose rename
// fails is still reported on its own, in the order of the files, and the
// others land.
TEST(SafeFile, BatchRenamesOverlapAndFailOneByOne) {
  test::TempDir dir;
  auto name = [&](int i) { return dir.file("f" + std::to_string(i)); };
  for (int i = 0; i < 40; ++i) test::WriteAll(name(i), {1});
  SafeWriteBatch batch(1000);
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(batch.Add(name(i), Bytes{2}));
  // A folder that takes a name meanwhile cannot be renamed over.
  for (int i : {7, 31}) {
    std::filesystem::remove(name(i));
    std::filesystem::create_directory(name(i));
    test::WriteAll(name(i) + "/x", {3});
  }
  EXPECT_EQ(batch.Commit(), (std::vector<std::string>{name(7) + ": Is a directory",
                                                      name(31) + ": Is a directory"}));
  for (int i = 0; i < 40; ++i) {
    if (i != 7 && i != 31) {
      EXPECT_EQ(test::ReadAll(name(i)), (Bytes{2})) << i;
    }
  }
  EXPECT_EQ(EntriesIn(dir.path()), 40) << "no temporary is left behind";
}

// A new output is created under its own name. Past the file size limit its
// write stops short, then fails (with SIGXFSZ, turned here into a SIGTERM in
// the middle of the write): either way nothing is left under that name.
TEST(SafeFile, ANewFileNotWrittenWholeLeavesNothingUnderItsName) {
  test::TempDir dir;
  const std::string out = dir.file("new.bmp");
  const Bytes bytes(100, 5);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const rlimit small{10, old.rlim_max};
  {
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    SafeWriteBatch batch;
    const WriteStatus st = batch.Add(out, bytes);
    // A single file under a new name is written in place as well.
    const WriteStatus single = WriteFileSafely(dir.file("one.bmp"), bytes);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_EQ(st.error, out + ": File too large");
    EXPECT_EQ(single.error, dir.file("one.bmp") + ": File too large");
  }
  EXPECT_EQ(EntriesIn(dir.path()), 0);

  test::TempDir other;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RemoveTemporariesOnSignals();
    signal(SIGXFSZ, [](int) { raise(SIGTERM); });
    setrlimit(RLIMIT_FSIZE, &small);
    SafeWriteBatch batch;
    (void)batch.Add(other.file("new.bmp"), bytes);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(EntriesIn(other.path()), 0);
}

// What a killed run left an hour ago is swept by the next batch writing
// there; a fresh one may be another run's and stays, as do other names.
TEST(SafeFile, BatchSweepsStaleTemporariesOfKilledRuns) {
  test::TempDir dir;
  for (const char* name : {".gsabcd1234", ".gsfresh123", ".gsABCD1234", ".gsabc"})
    test::WriteAll(dir.file(name), Bytes{1});
  const timespec hourAgo[2] = {{time(nullptr) - 3700, 0}, {time(nullptr) - 3700, 0}};
  for (const char* name : {".gsabcd1234", ".gsABCD1234", ".gsabc"})
    ASSERT_EQ(utimensat(AT_FDCWD, dir.file(name).c_str(), hourAgo, 0), 0);
  {
    SafeWriteBatch batch;
    ASSERT_TRUE(batch.Add(dir.file("out.bin"), Bytes{2}));
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file(".gsabcd1234")));
  for (const char* name : {".gsfresh123", ".gsABCD1234", ".gsabc", "out.bin"})
    EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
}

// The umask cuts a new file's mode; a replaced file keeps its own all the same.
TEST(SafeFile, ReplacedFilesKeepModesTheUmaskWouldCut) {
  ForEachDraftKind([] {
    test::TempDir dir;
    const mode_t mask = umask(022);
    const unsigned modes[] = {0664, 0666, 0660, 0602};
    for (unsigned m : modes)
      for (const char* way : {"single", "batch"}) {
        const std::string p = dir.file(way + std::to_string(m));
        test::WriteAll(p, {1});
        chmod(p.c_str(), m);
      }
    {
      SafeWriteBatch batch;
      for (unsigned m : modes) {
        EXPECT_TRUE(WriteFileSafely(dir.file("single" + std::to_string(m)), Bytes{2}));
        EXPECT_TRUE(batch.Add(dir.file("batch" + std::to_string(m)), Bytes{2}));
      }
      EXPECT_TRUE(batch.Commit().empty());
    }
    umask(mask);
    for (unsigned m : modes)
      for (const char* way : {"single", "batch"}) {
        const std::string p = dir.file(way + std::to_string(m));
        struct stat st {};
        ASSERT_EQ(stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, m) << p;
        EXPECT_EQ(test::ReadAll(p), (Bytes{2})) << p;
      }
  });
}

// Each rename holds a handle on the old file; every one is let go, or a
// large batch runs out of descriptors. Here the limit is a few dozen above
// what is open, and the batch replaces some hundred files in groups.
TEST(SafeFile, BatchRenamesLetGoOfEveryHandle) {
  test::TempDir dir;
  auto name = [&](int i) { return dir.file("f" + std::to_string(i)); };
  constexpr int kFiles = 300;
  for (int i = 0; i < kFiles; ++i) test::WriteAll(name(i), {1});
  const int failures = InChild([&] {
    const rlimit few{static_cast<rlim_t>(EntriesIn("/proc/self/fd") + 40), 4096};
    if (setrlimit(RLIMIT_NOFILE, &few) != 0) return 100;
    int failed = 0;
    std::vector<std::string> errors;
    SafeWriteBatch batch(64);
    for (int i = 0; i < kFiles; ++i)
      if (!batch.Add(name(i), Bytes{2}, &errors)) ++failed;
    errors = batch.Commit();
    return std::min(99, failed + static_cast<int>(errors.size()));
  });
  EXPECT_EQ(failures, 0);
  for (int i = 0; i < kFiles; ++i) EXPECT_EQ(test::ReadAll(name(i)), (Bytes{2})) << i;
}

// Killed in the middle of writing (past the file size limit, SIGXFSZ ends
// the process, as a kill would): a new output is nowhere under its name, a
// replaced one keeps its old bytes, and what the run left the next batch
// removes at once.
TEST(SafeFile, AKillMidWriteLeavesNothingTheNextBatchKeeps) {
  ForEachDraftKind([] {
    test::TempDir dir;
    const std::string old = dir.file("old.bin");
    test::WriteAll(old, Bytes{7});
    for (const std::string& target : {dir.file("new.bin"), old}) {
      for (bool batch : {false, true}) {
        const int status = InChild([&] {
          const rlimit noCore{0, 0}, small{10, RLIM_INFINITY};
          setrlimit(RLIMIT_CORE, &noCore);
          setrlimit(RLIMIT_FSIZE, &small);
          if (batch) {
            SafeWriteBatch b;
            (void)b.Add(target, Bytes(100, 5));
          } else {
            (void)WriteFileSafely(target, Bytes(100, 5));
          }
          return 0;
        });
        EXPECT_EQ(status, 128 + SIGXFSZ);
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.bin")));
        EXPECT_EQ(test::ReadAll(old), Bytes{7});
        NextBatchWritesInto(dir.path());
        EXPECT_EQ(EntriesIn(dir.path()), 1) << (batch ? "batch " : "single ") << target;
      }
    }
  });
}

// The sweep asks whether a temporary's process still runs: a running batch's
// temporaries stay, a killed one's go at once, as do those of an earlier boot;
// another machine's (which cannot be asked) stay until an hour old.
TEST(SafeFile, TheSweepTellsLiveRunsFromOverOnes) {
  test::TempDir dir;
  const std::string old = dir.file("old.bin");
  test::WriteAll(old, Bytes{7});
  int ready[2], hold[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(hold), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SafeWriteBatch batch;
    (void)batch.Add(old, Bytes{1, 2});  // waits for its commit under a temporary
    char c = 0;
    (void)!write(ready[1], "r", 1);
    (void)!read(hold[0], &c, 1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  std::vector<std::string> live = TemporariesIn(dir.path());
  ASSERT_EQ(live.size(), 1u);
  // ".gs-" machine (6) boot (6) "-" pid "-" start "-" count.
  const std::string name = live[0];
  ASSERT_TRUE(name.starts_with(".gs-") && name[16] == '-') << name;
  std::string otherBoot = name, otherMachine = name;
  otherBoot[12] = otherBoot[12] == 'a' ? 'b' : 'a';
  otherMachine[5] = otherMachine[5] == 'a' ? 'b' : 'a';
  test::WriteAll(dir.file(otherBoot), {1});
  test::WriteAll(dir.file(otherMachine), {1});
  NextBatchWritesInto(dir.path());
  EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << "a running batch's temporary";
  EXPECT_FALSE(std::filesystem::exists(dir.file(otherBoot)));
  EXPECT_TRUE(std::filesystem::exists(dir.file(otherMachine)));
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  const timespec hourAgo[2] = {{time(nullptr) - 3700, 0}, {time(nullptr) - 3700, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, dir.file(otherMachine).c_str(), hourAgo, 0), 0);
  NextBatchWritesInto(dir.path());
  EXPECT_EQ(EntriesIn(dir.path()), 1) << "the killed run's and the old one are swept";
  EXPECT_EQ(test::ReadAll(old), Bytes{7});
}

// In a batch the first stop signal is only noted; the second one removes the
// temporaries and ends the process.
TEST(SafeFile, StopSignalsNotedOnceThenObeyed) {
  ForEachDraftKind([] {
    test::TempDir dir;
    const std::string old = dir.file("old.bin");
    test::WriteAll(old, Bytes{7});
    const int status = InChild([&] {
      RemoveTemporariesOnSignals();
      const StopSignalsNoted stop;
      SafeWriteBatch batch;
      (void)batch.Add(old, Bytes{1, 2});
      raise(SIGINT);
      if (StopSignalsNoted::Noted() != SIGINT) return 1;
      (void)batch.Add(dir.file("new.bin"), Bytes{3});
      raise(SIGTERM);
      return 2;
    });
    EXPECT_EQ(status, 128 + SIGTERM);
    EXPECT_EQ(test::ReadAll(old), Bytes{7});
    EXPECT_EQ(test::ReadAll(dir.file("new.bin")), Bytes{3});
    EXPECT_EQ(EntriesIn(dir.path()), 2);
  });
}

// Discard drops the replacements in hand and names them; their old files stay.
TEST(SafeFile, BatchDiscardKeepsTheOldFilesAndNamesThem) {
  ForEachDraftKind([] {
    test::TempDir dir;
    test::WriteAll(dir.file("a"), {1});
    test::WriteAll(dir.file("b"), {1});
    SafeWriteBatch batch;
    ASSERT_TRUE(batch.Add(dir.file("a"), Bytes{2}));
    ASSERT_TRUE(batch.Add(dir.file("new"), Bytes{2}));
    ASSERT_TRUE(batch.Add(dir.file("b"), Bytes{2}));
    EXPECT_EQ(batch.Discard(), (std::vector<std::string>{dir.file("a"), dir.file("b")}));
    EXPECT_TRUE(batch.Commit().empty());
    EXPECT_EQ(test::ReadAll(dir.file("a")), Bytes{1});
    EXPECT_EQ(test::ReadAll(dir.file("b")), Bytes{1});
    EXPECT_EQ(test::ReadAll(dir.file("new")), Bytes{2});
    EXPECT_EQ(EntriesIn(dir.path()), 3);
  });
}

}  // namespace
}  // namespace gs
