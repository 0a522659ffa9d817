#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace tavrel {

struct Context;

// Name of the user's operation log for a day: "FC" + user code + ddMMyy + ".log".
QString operationLogFileName(const QString& userCode, const QDate& day);

// The operation log files of a user in a folder: names that start with "FC" and the user's
// code and end in ".log" (letter case ignored, as on the systems the logs come from), in name
// order.
QStringList operationLogFiles(const QString& folder, const QString& userCode);

// Appends the two lines of an operator action to the user's log of today: the action line and a
// line of 113 hyphens. The file is opened, appended and closed at every call. `detail` is
// written in its regional text form; callers pass "**" when they have none.
void RegistraLog(const Context& context, const QString& message, const QVariant& detail);

}  // namespace tavrel
