/* alternate N -- PROGRAM_A ARGS... -- PROGRAM_B ARGS...: starts A and B in
   turn, N times each (A, B, A, B...), so that a change in the machine's load
   reaches both alike, and prints for each the median and best wall time per
   call, then the median CPU time (user + system) per call, in microseconds:
   "A_median A_best B_median B_best A_cpu B_cpu". */
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

static int Run(char** args, double* wall, double* cpu) {
  const double start = Now();
  pid_t pid;
  if (posix_spawn(&pid, args[0], NULL, NULL, args, environ) != 0) return 0;
  int status;
  struct rusage ru;
  wait4(pid, &status, 0, &ru);
  *wall = Now() - start;
  *cpu =
      (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e6 + ru.ru_utime.tv_usec + ru.ru_stime.tv_usec;
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
  double* ta = calloc((size_t)n, sizeof *ta);
  double* tb = calloc((size_t)n, sizeof *tb);
  double* ca = calloc((size_t)n, sizeof *ca);
  double* cb = calloc((size_t)n, sizeof *cb);
  for (int i = 0; i < n; ++i)
    if (!Run(a, &ta[i], &ca[i]) || !Run(b, &tb[i], &cb[i])) return 1;
  const double bestA = (qsort(ta, (size_t)n, sizeof *ta, Compare), ta[0]);
  const double bestB = (qsort(tb, (size_t)n, sizeof *tb, Compare), tb[0]);
  printf("%.0f %.0f %.0f %.0f %.0f %.0f\n", Median(ta, n), bestA, Median(tb, n), bestB,
         Median(ca, n), Median(cb, n));
  return 0;
}
