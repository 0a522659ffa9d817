#pragma once

#include <QString>
#include <QVariant>

namespace tavrel {

struct Context;

// Name of the user's operation log for a day: "FC" + user code + ddMMyy + ".log".
QString operationLogFileName(const QString& userCode, const QDate& day);

// Appends the two lines of an operator action to the user's log of today: the action line and a
// line of 113 hyphens. The file is opened, appended and closed at every call. `detail` is
// written in its regional text form; callers pass "**" when they have none.
void RegistraLog(const Context& context, const QString& message, const QVariant& detail);

}  // namespace tavrel
