#pragma once

#include <QString>

namespace tavrel {

// The program's version as major, minor and revision joined by ".", e.g. "1.0.0".
QString programVersion();

}  // namespace tavrel
