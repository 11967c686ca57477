#pragma once
// Product settings kept in one place.

namespace gs {

// The maker's web page, opened from the help menu and the About window.
inline constexpr char kProductWebAddress[] = "https://glyphsmith.varnel.example/";

}  // namespace gs
