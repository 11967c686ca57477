// libFuzzer target for the profile (language) file reader and writer: any
// bytes must read without a crash, and an entry just written must read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  gs::ProfileFile profile("/nonexistent/fuzz.lng", bytes);
  for (const std::string& section : profile.Sections())
    for (const std::string& key : profile.Keys(section)) (void)profile.Read(section, key, "d");
  (void)profile.Read("frmMain", "Form.Caption", "d");

  const std::string value = " caf\xC3\xA9 \"x\" ";
  if (profile.Write("frmMain", "mnuFile(9).Caption", value)) {
    if (profile.Find("frmMain", "mnuFile(9).Caption") != value) std::abort();
  }
  // Names taken from the input itself: refused or written, never a crash.
  std::size_t cut = size / 2;
  std::string section = bytes.substr(0, cut), key = bytes.substr(cut);
  if (profile.Write(section, key, "v")) {
    std::optional<std::string> back = profile.Find(section, key);
    if (!back) std::abort();
  }
  return 0;
}
