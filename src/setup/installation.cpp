#include "setup/installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/context.h"
#include "core/errors.h"
#include "log/text_file.h"

namespace tavrel {
namespace {

void writeWhole(const QString& path, const QByteArray& content, const QString& source,
                QFileDevice::Permissions extra = {}) {
    writeWholeFile(path, content, source);
    if (extra) {
        QFile::setPermissions(path, QFile::permissions(path) | extra);
    }
}

// An argument of the Exec key: quoted when it holds a reserved character, with the characters
// that stay special inside quotes escaped; "%" doubled so it is not taken for a field code.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString text = argument;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    bool needsQuotes = false;
    for (QChar c : text) {
        needsQuotes = needsQuotes || reserved.contains(c);
    }
    if (!needsQuotes) {
        return text;
    }
    QString quoted;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A string value of a desktop entry: backslashes and line breaks escaped.
QString entryValue(const QString& value) {
    QString text = value;
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text;
}

}  // namespace

void writeSysIni(const QString& path, const QString& dataFolder) {
    writeWhole(path, (dataFolder + QStringLiteral("\r\n")).toUtf8(), QStringLiteral("sys.ini"));
}

QString desktopEntryText(const QString& programPath) {
    const QString folder = QFileInfo(programPath).path();
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Version=1.0\n"
               "Name=%1\n"
               "Exec=%2\n"
               "Path=%3\n"
               "Terminal=false\n")
        .arg(QString::fromUtf8(kSystemTitle), entryValue(execArgument(programPath)),
             entryValue(folder));
}

QString writeDesktopShortcut(const QString& desktopFolder, const QString& programPath) {
    const QString source = QStringLiteral("Atalho");
    if (desktopFolder.isEmpty() || !QDir().mkpath(desktopFolder)) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("A pasta da área de trabalho \"%1\" não está disponível.")
                           .arg(QDir::toNativeSeparators(desktopFolder)),
                       source);
    }
    const QString path = QDir(desktopFolder).filePath(QString::fromUtf8(kShortcutFileName));
    writeWhole(path, desktopEntryText(programPath).toUtf8(), source,
               QFile::ExeOwner | QFile::ExeUser);
    return path;
}

}  // namespace tavrel
