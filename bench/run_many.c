/* run_many N PROGRAM ARGS...: starts the program N times, one after the
   other, and prints the mean wall time and the mean CPU time (user + system)
   per call in microseconds, and the mean number of page faults (minor, then
   major). "{}" in an argument is replaced by the run number, so each call can
   write a file of its own. What the program prints goes to /dev/null. */
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int n = atoi(argv[1]);
  char** args = calloc((size_t)argc, sizeof *args);
  char buffers[16][512];
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  const double start = Now();
  for (int i = 0; i < n; ++i) {
    for (int a = 2; a < argc; ++a) {
      const char* mark = strstr(argv[a], "{}");
      if (mark && a - 2 < 16) {
        snprintf(buffers[a - 2], sizeof buffers[0], "%.*s%d%s", (int)(mark - argv[a]), argv[a], i,
                 mark + 2);
        args[a - 2] = buffers[a - 2];
      } else {
        args[a - 2] = argv[a];
      }
    }
    args[argc - 2] = NULL;
    pid_t pid;
    if (posix_spawn(&pid, args[0], &quiet, NULL, args, environ) != 0) return 1;
    int status;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      fprintf(stderr, "run_many: %s failed\n", args[0]);
      return 1;
    }
  }
  const double wall = (Now() - start) / n;
  struct rusage ru;
  getrusage(RUSAGE_CHILDREN, &ru);
  const double cpu =
      (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e6 + ru.ru_utime.tv_usec + ru.ru_stime.tv_usec;
  printf("%.0f %.0f %.1f %.1f\n", wall, cpu / n, (double)ru.ru_minflt / n,
         (double)ru.ru_majflt / n);
  return 0;
}
