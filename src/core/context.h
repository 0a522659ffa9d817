#pragma once

#include <QString>

namespace tavrel {

class Clock;
class Dialogs;
class Desktop;
class ReportPresenter;
class ScreenFactory;

inline constexpr const char* kSystemTitle = "Tavrel Troca de Cheques";

// What the main menu holds for the whole run; every screen receives it. There are no other
// globals. The pointers are owned by whoever builds the context (the program or a test).
struct Context {
    QString programFolder;   // folder of the executable
    QString writableFolder;  // logs, sys.ini and other files the program writes beside itself
    QString executableName = QStringLiteral("tavrel");
    QString dataFolder;
    QString userName;
    QString userCode;
    QString currentLocation;  // the procedure a screen last marked; shown in error reports

    Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
    Desktop* desktop = nullptr;
    ScreenFactory* screens = nullptr;
    // Where printed reports go; empty in the program (the preview window), a recorder in tests.
    ReportPresenter* reports = nullptr;

    // A file of the data folder, e.g. dataPath("cheques.db").
    QString dataPath(const QString& fileName) const;
    // A file the program keeps beside itself (logs, sys.ini, layouts, exports).
    QString writablePath(const QString& fileName) const;
};

// The folder for the program's own writable files: the program folder when it can be written,
// otherwise the user's application data folder.
QString chooseWritableFolder(const QString& programFolder);

}  // namespace tavrel
