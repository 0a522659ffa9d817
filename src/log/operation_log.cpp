#include "log/operation_log.h"

#include <QDir>

#include "core/clock.h"
#include "core/context.h"
#include "core/ptbr.h"
#include "log/text_file.h"

namespace tavrel {

QString operationLogFileName(const QString& userCode, const QDate& day) {
    return QStringLiteral("FC") + userCode + day.toString(QStringLiteral("ddMMyy")) +
           QStringLiteral(".log");
}

QStringList operationLogFiles(const QString& folder, const QString& userCode) {
    const QString prefix = QStringLiteral("FC") + userCode;
    QStringList files;
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (name.startsWith(prefix, Qt::CaseInsensitive) &&
            name.endsWith(QLatin1String(".log"), Qt::CaseInsensitive)) {
            files << name;
        }
    }
    return files;
}

void RegistraLog(const Context& context, const QString& message, const QVariant& detail) {
    const QDateTime now = context.clock->now();
    const QString line = QStringLiteral("Data: ") + now.toString(QStringLiteral("dd/MM/yyyy")) +
                         QStringLiteral(" Hora: ") + now.toString(QStringLiteral("hh:mm.ss")) +
                         QLatin1Char('-') + context.userName + QLatin1Char('-') + message +
                         QLatin1Char('-') + regionalText(detail);
    appendLines(context.writablePath(operationLogFileName(context.userCode, now.date())),
                {line, QString(113, QLatin1Char('-'))});
}

}  // namespace tavrel
