#pragma once

#include <QIcon>

namespace tavrel {

// The picture of a button-bar group (1 to 7), drawn by the program itself.
QIcon groupIcon(int grupo);

}  // namespace tavrel
