#pragma once
// Export of a window's built-in texts to a language file and translation of a
// window from one, over a plain description of the window so that the rules
// can be used (and tested) without a window system. lang/qt_translation.h
// describes real windows with this.
//
// Keys, in the section named after the window:
//   "Form.Caption"                       the title (always written, even empty)
//   "<name>.Caption", "<name>.ToolTipText"                  a lone control
//   "<name>(<index>).Caption", "<name>(<index>).ToolTipText"  a group member
//   "msg<Name>"                          a text shown outside the controls: a
//                                        message, a question, a dialog title
// Messages go to the section "MSG" as "msg1", "msg2", ...
#include <optional>
#include <string>
#include <vector>

namespace gs {

struct ControlTexts {
  std::string name;
  std::optional<int> index;            // set for a member of an indexed group
  std::optional<std::string> caption;  // nothing: the control has no caption
  std::optional<std::string> toolTip;  // nothing: the control has no tooltip
  bool message = false;                // a "msg<Name>" text: its key is the name alone
};

struct WindowTexts {
  std::string name;  // the section
  std::string title;
  std::vector<ControlTexts> controls;  // in layout order
};

// "<name>.<property>" or "<name>(<index>).<property>"; a message's key is its name.
std::string ControlKey(const ControlTexts& control, const char* property);

// Writes the title and every non-empty caption and tooltip. Keys already in the
// file are overwritten; others stay. Returns false when the file could not be
// written (callers carry on: a language file is never worth an error).
bool ExportWindowTexts(const WindowTexts& window, const std::string& file);

// Replaces the title and every caption and tooltip the file provides for this
// window; a missing key (or file) leaves the text as it is. A key present with
// an empty value empties the text, even where the text was empty and so never
// exported. The language in use is the environment's (Environment::languageFile).
void TranslateWindow(WindowTexts& window, const std::string& file);

// The texts exported to "MSG". Nothing in the editor adds to it.
std::vector<std::string>& MessageTexts();
// Writes MessageTexts() as "msg1", "msg2", ... in section "MSG"; with no
// texts the file is not touched.
bool ExportMessageTexts(const std::string& file);

}  // namespace gs
