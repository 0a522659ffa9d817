#pragma once

#include <gtest/gtest.h>
#include <QDateTime>
#include <QTemporaryDir>
#include <QVariantList>
#include <QWidget>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "data/connection.h"
#include "support/printers.h"
#include "support/scripted_dialogs.h"
#include "ui/screen_factory.h"

namespace tavrel::test {

// A complete, isolated program for one test: temporary program and data folders with fresh
// databases, a clock fixed at 08/12/2026 14:05:09, scripted dialogs, a recording desktop, the
// user "Supervisor" (code "001") logged in, and every built screen known to the factory.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // --- data -------------------------------------------------------------------------------
    // A new connection to one of the data folder's databases.
    Connection connect(DatabaseKind kind = DatabaseKind::Cheques) const;
    // Runs a statement with bound values on a database of the data folder.
    void exec(const QString& sql, const QVariantList& values = {},
              DatabaseKind kind = DatabaseKind::Cheques) const;
    // Every row of a query, each as the list of its columns.
    QList<QVariantList> rows(const QString& sql, const QVariantList& values = {},
                             DatabaseKind kind = DatabaseKind::Cheques) const;
    // The first column of the first row, invalid when there is none.
    QVariant value(const QString& sql, const QVariantList& values = {},
                   DatabaseKind kind = DatabaseKind::Cheques) const;
    // Lines of a text file in the program's folder (CR LF removed), empty if it does not exist.
    QStringList programFileLines(const QString& fileName) const;

    // --- screens ----------------------------------------------------------------------------
    // Opens a screen by form name, shown and not modal; fails the test when it is unknown.
    QWidget* open(const QString& formName);
    // Makes the screen the active window, so focus moves as it does for the operator (and
    // QApplication::focusWidget() tells where the focus went).
    void activate(QWidget* screen);
    // The control named `name` in the screen, failing the test when it is missing.
    template <class T = QWidget>
    T* control(QWidget* screen, const QString& name) const {
        T* found = screen->findChild<T*>(name);
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << name.toStdString() << " in "
                          << screen->objectName().toStdString();
        }
        return found;
    }
    // Gives the control the focus and replaces its text by typing `text` key by key, so masks,
    // validators and key handlers see what an operator's keys would produce.
    void type(QWidget* screen, const QString& name, const QString& text);
    // Sets the text directly, as a paste would.
    void setText(QWidget* screen, const QString& name, const QString& text);
    // The text a control shows (line edit, combo, label, button, check box).
    QString text(QWidget* screen, const QString& name) const;
    // Leaves the control: runs the procedure that leaving the field runs. In an active window
    // the focus moves on with a Tab; otherwise the control is sent a FocusOut.
    void leave(QWidget* screen, const QString& name);
    // Types then leaves.
    void fill(QWidget* screen, const QString& name, const QString& text);
    // Clicks a button (or any clickable control) by name.
    void click(QWidget* screen, const QString& name);
    // Clicks a line of a grid (a QTableView) as the operator would; fails when it is missing.
    void clickGridRow(QWidget* screen, const QString& gridName, int row);
    // The shown text of every line of a grid, each as its cells.
    QList<QStringList> gridRows(QWidget* screen, const QString& gridName) const;
    // Sends one key press to the control.
    void press(QWidget* screen, const QString& name, int key);

    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    Context context;
    std::unique_ptr<ScreenFactory> screens;
};

}  // namespace tavrel::test
