#include "app/version.h"

namespace tavrel {

QString programVersion() {
    return QStringLiteral(TAVREL_VERSION);
}

}  // namespace tavrel
