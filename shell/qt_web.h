#pragma once
// Opens an address with the desktop's default browser, through the
// environment's seam (platform/qt_dialog_seam.h).
#include <QString>

#include "platform/environment.h"

class QWidget;

namespace gs {

// False when no browser could take it.
bool OpenWebAddress(const Environment& env, const QString& address);

// The handbook in the desktop's browser. When it is missing, a message box
// of `window` names the places looked; when nothing can open it, one names
// where it is, so that it can be opened by hand.
void OpenHandbook(QWidget* window, const Environment& env);

// The maker's web page when the product has an address (shell/product.h),
// else the handbook: what the help menu's web entry and About's link open.
void OpenProductPage(QWidget* window, const Environment& env);

// About's link when the product has no address.
inline constexpr char kHandbookLinkCaption[] = "Manuel d'utilisation";

// Told when the handbook is in none of the places looked.
inline constexpr char kNoHandbookKey[] = "msgNoHandbook";
inline constexpr char kNoHandbook[] = "Le manuel d'utilisation est introuvable. Cherché ici :";

// Told, with the handbook's path, when no browser could open it.
inline constexpr char kHandbookNotOpenedKey[] = "msgHandbookNotOpened";
inline constexpr char kHandbookNotOpened[] =
    "Le manuel d'utilisation n'a pas pu être ouvert. Il se trouve ici :";

}  // namespace gs
