/* The in-process floor of a batch: reads every file named in LIST (one name
   a line) and writes as many bytes as its BMP would take to OUT/NAME.bmp,
   with nothing else. batch_bench.sh sets glyphsmith-tool's batch beside it.
     batch_floor LIST OUT */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
  static char buf[65536];
  static char out[3126];
  static char line[4096], target[8192];
  if (argc != 3) return 2;
  FILE* list = fopen(argv[1], "r");
  if (!list) return 1;
  while (fgets(line, sizeof line, list)) {
    line[strcspn(line, "\n")] = 0;
    int in = open(line, O_RDONLY);
    if (in < 0) return 1;
    ssize_t n = read(in, buf, sizeof buf);
    close(in);
    if (n <= 0) return 1;
    /* The BMP of a 32 x 32 icon: 190, 630, 2102 or 3126 bytes by depth. */
    size_t size = n < 500 ? 190 : n < 1000 ? 630 : n < 3000 ? 2102 : 3126;
    for (size_t i = 0; i < size; ++i) out[i] = buf[i % (size_t)n];
    const char* base = strrchr(line, '/');
    base = base ? base + 1 : line;
    snprintf(target, sizeof target, "%s/%.*s.bmp", argv[2], (int)(strcspn(base, ".")), base);
    int fd = open(target, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 1;
    if (write(fd, out, size) != (ssize_t)size) return 1;
    if (close(fd) != 0) return 1;
  }
  return 0;
}
