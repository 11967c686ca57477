#pragma once
// Opens an address with the desktop's default browser; a failure is ignored
// (nothing to tell the user that the browser would not tell better).
#include <QString>

#include "platform/environment.h"

class QWidget;

namespace gs {

void OpenWebAddress(const QString& address);

// The handbook in the desktop's browser. When it is missing, a message box
// of `window` names the places looked.
void OpenHandbook(QWidget* window, const Environment& env);

// The maker's web page when the product has an address (shell/product.h),
// else the handbook: what the help menu's web entry and About's link open.
void OpenProductPage(QWidget* window, const Environment& env);

// About's link when the product has no address.
inline constexpr char kHandbookLinkCaption[] = "Manuel d'utilisation";

// Told when the handbook is in none of the places looked.
inline constexpr char kNoHandbookKey[] = "msgNoHandbook";
inline constexpr char kNoHandbook[] = "Le manuel d'utilisation est introuvable. Cherché ici :";

}  // namespace gs
