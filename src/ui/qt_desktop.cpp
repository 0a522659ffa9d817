#include "ui/qt_desktop.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>
#include <QtGlobal>

namespace tavrel {

bool QtDesktop::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtDesktop::desktopFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString QtDesktop::documentsFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtDesktop::operatingSystemUser() const {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        user = qEnvironmentVariable("LOGNAME");
    }
    if (user.isEmpty()) {
        user = qEnvironmentVariable("USERNAME");
    }
    return user;
}

}  // namespace tavrel
