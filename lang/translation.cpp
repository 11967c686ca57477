#include "lang/translation.h"

#include "platform/profile_file.h"

namespace gs {

namespace {
constexpr char kTitleKey[] = "Form.Caption";
}  // namespace

std::string ControlKey(const ControlTexts& control, const char* property) {
  if (control.message) return control.name;
  std::string key = control.name;
  if (control.index) key += "(" + std::to_string(*control.index) + ")";
  return key + "." + property;
}

bool ExportWindowTexts(const WindowTexts& window, const std::string& file) {
  // One read and one write for the whole window; the result is the same as
  // writing key by key.
  ProfileFile profile(file);
  bool ok = profile.Write(window.name, kTitleKey, window.title);
  for (const ControlTexts& c : window.controls) {
    if (c.caption && !c.caption->empty())
      ok = profile.Write(window.name, ControlKey(c, "Caption"), *c.caption) && ok;
    if (c.toolTip && !c.toolTip->empty())
      ok = profile.Write(window.name, ControlKey(c, "ToolTipText"), *c.toolTip) && ok;
  }
  return profile.Save() && ok;
}

void TranslateWindow(WindowTexts& window, const std::string& file) {
  ProfileFile profile(file);
  window.title = profile.Read(window.name, kTitleKey, window.title);
  for (ControlTexts& c : window.controls) {
    if (c.caption) c.caption = profile.Read(window.name, ControlKey(c, "Caption"), *c.caption);
    if (c.toolTip) c.toolTip = profile.Read(window.name, ControlKey(c, "ToolTipText"), *c.toolTip);
  }
}

std::vector<std::string>& MessageTexts() {
  static std::vector<std::string> texts;
  return texts;
}

bool ExportMessageTexts(const std::string& file) {
  const std::vector<std::string>& texts = MessageTexts();
  if (texts.empty()) return true;
  ProfileFile profile(file);
  bool ok = true;
  for (std::size_t i = 0; i < texts.size(); ++i)
    ok = profile.Write("MSG", "msg" + std::to_string(i + 1), texts[i]) && ok;
  return profile.Save() && ok;
}

}  // namespace gs
