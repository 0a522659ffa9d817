#include "app/sys_ini.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "core/context.h"
#include "core/errors.h"

namespace tavrel {

std::optional<QString> lastLine(const QByteArray& content) {
    if (content.isEmpty()) {
        return std::nullopt;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = QString::fromUtf8(content).split(lineEnd);
    if (lines.size() > 1 && lines.last().isEmpty()) {
        lines.removeLast();  // the ending of the last line
    }
    return lines.last();
}

QString sysIniPath(const Context& context) {
    const QString writable = context.writablePath(QString::fromLatin1(kSysIniName));
    const QString beside = QFileInfo(context.programFolder).absoluteFilePath() + QLatin1Char('/') +
                           QString::fromLatin1(kSysIniName);
    if (!QFileInfo::exists(writable) && QFileInfo::exists(beside)) {
        return beside;
    }
    return writable;
}

std::optional<QString> readSysIni(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível ler o arquivo de configuração %1: %2")
                           .arg(path, file.errorString()),
                       QString::fromLatin1(kSysIniName));
    }
    return lastLine(file.readAll()).value_or(QString());
}

}  // namespace tavrel
