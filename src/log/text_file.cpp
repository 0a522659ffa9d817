#include "log/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include "core/errors.h"

namespace tavrel {

bool appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::Append)) {
        return false;
    }
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written;
}

void writeWholeFile(const QString& path, const QByteArray& content, const QString& source) {
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
    if (!written) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()),
                       source);
    }
}

namespace {

QByteArray readBytes(const QString& path, const QString& source) {
    QFile file(path);
    if (!file.exists()) {
        throw AppError(
            error_number::kFileNotFound,
            QStringLiteral("Arquivo não encontrado: %1").arg(QDir::toNativeSeparators(path)),
            source);
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível ler o arquivo %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()),
                       source);
    }
    return file.readAll();
}

}  // namespace

QString readWholeFile(const QString& path, const QString& source) {
    return QString::fromUtf8(readBytes(path, source));
}

QStringList readLines(const QString& path) {
    const QByteArray bytes = readBytes(path, QFileInfo(path).fileName());
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();  // the line end of the last line
    }
    return lines;
}

}  // namespace tavrel
