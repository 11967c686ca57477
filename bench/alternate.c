/* alternate N -- PROGRAM_A ARGS... -- PROGRAM_B ARGS...: starts A and B in
   turn, N times each (A, B, A, B...), so that a change in the machine's load
   reaches both alike, and prints for each the median and best wall time per
   call, then the median CPU time (user + system) per call, in microseconds,
   then the median number of minor page faults per call:
   "A_median A_best B_median B_best A_cpu B_cpu A_faults B_faults".
   "{}" in an argument is replaced by the call's number, so that each call can
   write a file of its own; what the programs print goes to /dev/null. */
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

static int Compare(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

static double Median(double* v, int n) {
  qsort(v, (size_t)n, sizeof *v, Compare);
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

enum { kMaxArgs = 64, kArgLength = 1024 };

/* args with "{}" replaced by call; NULL when there are too many or too long. */
static char** Expand(char** args, int call) {
  static char text[2][kMaxArgs][kArgLength];
  static char* out[2][kMaxArgs + 1];
  static int which;
  which ^= 1;
  int k = 0;
  for (; args[k]; ++k) {
    if (k == kMaxArgs) return NULL;
    const char* mark = strstr(args[k], "{}");
    if (!mark) {
      out[which][k] = args[k];
      continue;
    }
    if (snprintf(text[which][k], kArgLength, "%.*s%d%s", (int)(mark - args[k]), args[k], call,
                 mark + 2) >= kArgLength)
      return NULL;
    out[which][k] = text[which][k];
  }
  out[which][k] = NULL;
  return out[which];
}

static int Run(char** pattern, int call, const posix_spawn_file_actions_t* quiet, double* wall,
               double* cpu, double* faults) {
  char** args = Expand(pattern, call);
  if (!args) {
    fprintf(stderr, "alternate: arguments too long\n");
    return 0;
  }
  const double start = Now();
  pid_t pid;
  if (posix_spawn(&pid, args[0], quiet, NULL, args, environ) != 0) return 0;
  int status;
  struct rusage ru;
  wait4(pid, &status, 0, &ru);
  *wall = Now() - start;
  *cpu =
      (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e6 + ru.ru_utime.tv_usec + ru.ru_stime.tv_usec;
  *faults = (double)ru.ru_minflt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "alternate: %s failed\n", args[0]);
    return 0;
  }
  return 1;
}

int main(int argc, char** argv) {
  if (argc < 6 || strcmp(argv[2], "--") != 0) return 2;
  const int n = atoi(argv[1]);
  char** a = argv + 3;
  int split = 3;
  while (split < argc && strcmp(argv[split], "--") != 0) ++split;
  if (split >= argc - 1 || n < 1) return 2;
  argv[split] = NULL;
  char** b = argv + split + 1;
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  double* v = calloc((size_t)n * 6, sizeof *v);
  if (!v) return 1;
  double *ta = v, *tb = v + n, *ca = v + 2 * n, *cb = v + 3 * n, *fa = v + 4 * n, *fb = v + 5 * n;
  for (int i = 0; i < n; ++i)
    if (!Run(a, i, &quiet, &ta[i], &ca[i], &fa[i]) || !Run(b, i, &quiet, &tb[i], &cb[i], &fb[i]))
      return 1;
  const double bestA = (qsort(ta, (size_t)n, sizeof *ta, Compare), ta[0]);
  const double bestB = (qsort(tb, (size_t)n, sizeof *tb, Compare), tb[0]);
  printf("%.0f %.0f %.0f %.0f %.0f %.0f %.0f %.0f\n", Median(ta, n), bestA, Median(tb, n), bestB,
         Median(ca, n), Median(cb, n), Median(fa, n), Median(fb, n));
  return 0;
}
