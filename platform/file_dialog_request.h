#pragma once
// What a file dialog is asked to show: its title, its list of types and the
// extension a bare name gets (files/file_dialogs.h makes the editor's own).
#include <string>
#include <vector>

namespace gs {

// One entry of a dialog's type list: the text shown and the patterns, several
// separated by ';' ("*.ico;*.cur").
struct FileFilter {
  std::string description;
  std::string pattern;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct FileDialogRequest {
  std::vector<FileFilter> filters;
  std::string title;
  std::string defaultExtension;  // without the dot; empty for none
  friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

// The individual patterns of a filter ("*.ico;*.cur" -> "*.ico", "*.cur"),
// blanks around them dropped.
std::vector<std::string> FilterPatterns(const FileFilter& filter);

}  // namespace gs
