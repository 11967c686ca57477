#pragma once
// A library of the system loaded by its file name the first time a feature
// needs it, not at every start: most calls of the tool never meet a PNG, a
// JPEG, a GIF or an X11 cursor, and loading each library costs a call about
// as much as its own work. Its functions are found by name and typed by the
// library's own header:
//
//   SystemLibrary lib("libpng16.so.16", "libpng16-16");
//   decltype(&png_sig_cmp) sigCmp = nullptr;
//   lib.Find(sigCmp, "png_sig_cmp");
//   if (!lib.ok()) Fail("PNG pictures need " + lib.problem());
#include <cstring>
#include <string>

namespace gs {

class SystemLibrary {
 public:
  // `package` names where the library comes from, for the message.
  SystemLibrary(const char* fileName, const char* package);

  // Leaves `function` null when the library or the name is missing.
  template <class Function>
  void Find(Function& function, const char* name) {
    void* symbol = Symbol(name);
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
  }

  bool ok() const { return problem_.empty(); }
  // "libpng16.so.16 (the libpng16-16 package), which cannot be loaded:
  // <reason>", to follow "... need "; empty while every function asked for was found.
  const std::string& problem() const { return problem_; }

 private:
  void* Symbol(const char* name);

  void* handle_ = nullptr;
  std::string fileName_;
  std::string problem_;
};

}  // namespace gs

// A table of a library's functions, each member typed by the library's header,
// from a list that takes the macro to apply and one argument for it:
//
//   #define PNG_FUNCTIONS(X, arg) X(arg, png_sig_cmp) X(arg, png_read_info)
//   struct PngFunctions {
//     PNG_FUNCTIONS(GS_LIBRARY_MEMBER, _)
//     std::string problem;
//     explicit PngFunctions(SystemLibrary lib) {
//       PNG_FUNCTIONS(GS_LIBRARY_FIND, lib)
//       problem = lib.problem();
//     }
//   };
//   PNG_FUNCTIONS(GS_LIBRARY_CALL, PngLibrary)  // PngLibrary() returns the table
//
// GS_LIBRARY_CALL makes, in the callers' namespace, an object named as the
// function that calls it through the table: it hides the global name, so the
// calls read as the library's manual writes them while nothing links the
// library itself; and an object, unlike a function, is never also met by
// argument-dependent lookup, which would make the calls ambiguous.
#define GS_LIBRARY_MEMBER(unused, name) decltype(&::name) name = nullptr;
#define GS_LIBRARY_FIND(lib, name) (lib).Find(name, #name);
#define GS_LIBRARY_CALL(tableOf, name) \
  inline constexpr auto name = [](auto... a) { return tableOf().name(a...); };
