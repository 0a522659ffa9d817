#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavrel {

// The picture of a button-bar group (1 to 7), drawn by the program itself.
QIcon groupIcon(int grupo);

// The maker's logo shown on the main menu and the splash screen.
QPixmap companyLogo(int size);

}  // namespace tavrel
