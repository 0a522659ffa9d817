#pragma once

#include <QPixmap>

namespace tavrel {

// The maker's logo shown on the main menu, the splash screen and the contact screen.
QPixmap companyLogo(int size);

}  // namespace tavrel
