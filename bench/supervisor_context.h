#pragma once

#include <QString>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"

namespace tavrel::bench {

// A benchmark's screens work as the supervisor on `dataFolder`, write their own files (logs,
// layouts) to `workFolder`, and take the time and the operator's answers from `clock` and
// `dialogs`.
inline void setUpSupervisor(Context& context, const QString& workFolder, const QString& dataFolder,
                            Clock& clock, Dialogs& dialogs) {
    context.programFolder = workFolder;
    context.writableFolder = workFolder;
    context.dataFolder = dataFolder;
    context.userName = QStringLiteral("Supervisor");
    context.userCode = QStringLiteral("001");
    context.clock = &clock;
    context.dialogs = &dialogs;
}

}  // namespace tavrel::bench
