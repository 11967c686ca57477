/* The floor for one conversion call: a process that reads a file and writes
   3 KB, with nothing else. files_bench.sh compares glyphsmith-tool to it. */
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
  static char buf[65536];
  static char out[3126];
  if (argc != 3) return 2;
  int in = open(argv[1], O_RDONLY);
  if (in < 0) return 1;
  ssize_t n = read(in, buf, sizeof buf);
  close(in);
  if (n < 0) return 1;
  for (int i = 0; i < (int)sizeof out; ++i) out[i] = buf[i % (n ? n : 1)];
  int fd = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return 1;
  if (write(fd, out, sizeof out) != (ssize_t)sizeof out) return 1;
  return close(fd) != 0;
}
