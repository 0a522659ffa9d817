#include "setup/tutorial_video.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

namespace tavrel {
namespace {

VideoTutorial recusado(const QString& link, const QString& razao) {
    return {VideoTutorial::Estado::Recusado,
            {},
            QStringLiteral("O vídeo \"%1\" não pode ser aberto: %2").arg(link, razao)};
}

// Kinds of file the desktop opens in a viewer or player, never as a program.
bool showable(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    for (const char* kind : {"video/", "audio/", "image/"}) {
        if (type.name().startsWith(QLatin1String(kind))) {
            return true;
        }
    }
    // Exactly these: a shell script, for one, is also a kind of plain text.
    for (const char* name : {"application/pdf", "text/plain", "text/html"}) {
        if (type.name() == QLatin1String(name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

VideoTutorial videoTutorial(const QString& dataFolder, const QString& link) {
    QString relative = link.trimmed();
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.isEmpty()) {
        return recusado(link, QStringLiteral("a linha não indica arquivo."));
    }
    // "/x", "C:/x", "//servidor/x": outside the data folder whatever it names.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (relative.startsWith(QLatin1Char('/')) || drive.match(relative).hasMatch()) {
        return recusado(link, QStringLiteral("o arquivo precisa estar na pasta de dados."));
    }
    if (relative.split(QLatin1Char('/')).contains(QStringLiteral(".."))) {
        return recusado(link, QStringLiteral("o arquivo precisa estar na pasta de dados."));
    }
    const QString path = QDir(dataFolder).filePath(relative);
    const QFileInfo file(path);
    if (!file.exists()) {
        return {VideoTutorial::Estado::NaoEncontrado, path,
                QStringLiteral("O arquivo do vídeo não foi encontrado: %1").arg(path)};
    }
    // A symbolic link inside the folder may still lead out of it.
    const QString folder = QDir(dataFolder).canonicalPath() + QLatin1Char('/');
    if (!file.canonicalFilePath().startsWith(folder)) {
        return recusado(link, QStringLiteral("o arquivo precisa estar na pasta de dados."));
    }
    if (!QFileInfo(file.canonicalFilePath()).isFile()) {
        return recusado(link, QStringLiteral("não é um arquivo."));
    }
    if (!showable(path) || !showable(file.canonicalFilePath())) {
        return recusado(link, QStringLiteral("não é um vídeo."));
    }
    return {VideoTutorial::Estado::Pode, path, {}};
}

}  // namespace tavrel
