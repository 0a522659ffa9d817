#pragma once

#include <QtGlobal>

namespace tavrel::bench {

// Benchmarks build screens without showing them: Qt runs on the offscreen platform unless the
// caller asked for another one (a display, to watch a run).
inline void useOffscreenUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace tavrel::bench
