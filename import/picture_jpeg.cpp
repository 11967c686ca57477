// JPEG pictures through libjpeg-turbo, always at their full size: the
// library's own reduced decoding (scale_denom) gives other pixels than the
// area scaler does over the full picture, and an import must not depend on
// whether a region or the whole picture was asked for.
#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include "import/jpeg_library.h"
#include "import/picture_decoder.h"

namespace gs {

namespace {

// Progressive pictures of thousands of tiny scans cost time without end, each
// scan a pass over every block; encoders write ten or twenty, a hundred is
// far beyond any real picture.
constexpr int kMaxScans = 100;
// And as each scan passes over the whole picture, a large one gets fewer: 24
// at the most pixels a picture may have.
constexpr std::uint64_t kScansOfLargest = 24;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX] = {};
  bool tooLarge = false;
  int maxScans = kMaxScans;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  // Without a backing store, buffers past max_memory_to_use end the decode.
  if (cinfo->err->msg_code == JERR_NO_BACKING_STORE) {
    std::snprintf(e->text, sizeof e->text,
                  "picture too large (a progressive JPEG's data past %ld MB)",
                  cinfo->mem->max_memory_to_use >> 20);
    e->tooLarge = true;
  } else {
    (*cinfo->err->format_message)(cinfo, e->text);
  }
  std::longjmp(e->jump, 1);
}
// Warnings (damaged but decodable data) are not printed.
void OnMessage(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (d->input_scan_number > e->maxScans) {
    std::snprintf(e->text, sizeof e->text,
                  "too many scans in a progressive JPEG (at most %d at this size)", e->maxScans);
    std::longjmp(e->jump, 1);
  }
}

}  // namespace

bool DecodeJpegPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                       const PictureLimits& limits) {
  out = {};
  if (bytes.size() < 3) return error = "not a JPEG picture", false;
  if (const std::string& missing = JpegLibrary().problem; !missing.empty())
    return error = "JPEG pictures need " + missing, false;
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
  std::vector<std::uint8_t> row;
  std::string sizeProblem;
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.output_message = OnMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    out = {};
    error = !sizeProblem.empty() ? sizeProblem
            : err.tooLarge       ? std::string(err.text)
                                 : std::string("damaged JPEG picture: ") + err.text;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = OnProgress;
  cinfo.progress = &progress;
  // Whole-picture buffers of progressive pictures stop at the limit too: 7
  // bytes a pixel holds the coefficients of three full-size components (6),
  // and with the picture's 4 keeps an import within 256 MB.
  cinfo.mem->max_memory_to_use =
      static_cast<long>(std::min<std::uint64_t>(limits.maxPixels * 7, std::uint64_t{1} << 30));
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  sizeProblem = CheckPictureSize(cinfo.image_width, cinfo.image_height, limits);
  if (!sizeProblem.empty()) std::longjmp(err.jump, 1);
  err.maxScans = static_cast<int>(std::min<std::uint64_t>(
      kMaxScans, kScansOfLargest * limits.maxPixels /
                     (std::uint64_t{cinfo.image_width} * cinfo.image_height)));
  // Every 8 x 8 block costs at least a bit of its first scan, so a file of n
  // bytes holds at most 4096 n pixels: a header claiming more is cut short,
  // refused before the picture's memory is taken.
  if (static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height / 4096 > bytes.size()) {
    sizeProblem = "damaged JPEG picture: data cut short";
    std::longjmp(err.jump, 1);
  }

  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_calc_output_dimensions(&cinfo);
  const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
  jpeg_start_decompress(&cinfo);
  const int channels = cinfo.output_components;
  if ((cmyk && channels != 4) || (!cmyk && channels != 3)) {
    std::snprintf(err.text, sizeof err.text, "unexpected colour layout");
    std::longjmp(err.jump, 1);
  }
  out.width = w;
  out.height = h;
  out.pixels.assign(static_cast<std::size_t>(w) * h, kWhite);
  row.resize(static_cast<std::size_t>(w) * channels);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
    Color* dst = out.pixels.data() + static_cast<std::size_t>(y) * w;
    const std::uint8_t* p = row.data();
    if (cmyk) {
      // Adobe's writers store CMYK inverted, as nearly every such file is.
      for (int x = 0; x < w; ++x, p += 4)
        dst[x] = RGB(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
    } else {
      for (int x = 0; x < w; ++x, p += 3) dst[x] = RGB(p[0], p[1], p[2]);
    }
  }
  // Whatever follows the last row is not needed; destroying ends the decode.
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace gs
