#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QWidget>

#include "app/screens.h"
#include "app/startup.h"
#include "core/clock.h"
#include "core/context.h"
#include "ui/qt_desktop.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_translations.h"
#include "ui/screen_factory.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QApplication::setApplicationName(QStringLiteral("tavrel"));
    tavrel::loadQtTranslations(app);  // "Sim", "Não", "Cancelar" and Qt's dialogs in Portuguese

    tavrel::SystemClock clock;
    tavrel::QtDialogs dialogs;
    tavrel::QtDesktop desktop;
    tavrel::Context context;
    context.programFolder = QApplication::applicationDirPath();
    context.executableName = QFileInfo(QApplication::applicationFilePath()).fileName();
    context.writableFolder = tavrel::chooseWritableFolder(context.programFolder);
    context.clock = &clock;
    context.dialogs = &dialogs;
    context.desktop = &desktop;
    tavrel::ScreenFactory screens(context);
    context.screens = &screens;
    tavrel::registerScreens(screens);

    tavrel::Startup startup(context);
    QPointer<QWidget> menu = startup.run();
    if (menu == nullptr) {
        return startup.exitCode();
    }
    const int code = QApplication::exec();
    delete menu;  // closes its databases before the program's objects go away
    return code;
}
