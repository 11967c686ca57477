#pragma once
// Product settings kept in one place.

namespace gs {

// The maker's web page, opened from the help menu and the About window.
// Empty while the maker has none: those open the handbook instead.
inline constexpr char kProductWebAddress[] = "";

}  // namespace gs
