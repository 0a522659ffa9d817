#include "support/fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <limits>

#include "app/screens.h"
#include "data/data_folder.h"
#include "data/sql.h"

namespace tavrel::test {
namespace {

// Key by key, accented letters too (QTest::keyClicks knows ASCII only): the key of a letter is
// its capital's code, as Qt names keys.
void typeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
        }
    }
}

// Fetches rows a lazy model holds back, until it has `wanted` (all by default). A model with no
// query bound yet says it can fetch more and never does: stop when a fetch brings nothing.
void fetchRows(QAbstractItemModel* model, int wanted = std::numeric_limits<int>::max()) {
    while (model->rowCount() < wanted && model->canFetchMore({})) {
        const int before = model->rowCount();
        model->fetchMore({});
        if (model->rowCount() == before)
            break;
    }
}

}  // namespace

AppFixture::AppFixture() {
    context.programFolder = programDir.path();
    context.writableFolder = programDir.path();
    context.dataFolder = dataDir.path();
    context.userName = QStringLiteral("Supervisor");
    context.userCode = QStringLiteral("001");
    context.clock = &clock;
    context.dialogs = &dialogs;
    context.desktop = &desktop;
    context.reports = &reports;
    screens = std::make_unique<ScreenFactory>(context);
    context.screens = screens.get();
    registerScreens(*screens);
    prepareDataFolder(dataDir.path(), QStringLiteral(TAVREL_TEMPLATES_DIR));
}

AppFixture::~AppFixture() {
    // Close whatever the test left open before the folders go away.
    // Popups and dialogs owned by a screen are top-level too: delete only the windows nobody
    // owns, each once.
    QList<QPointer<QWidget>> windows;
    // A completion list has no parent but belongs to its completer, which deletes it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->parent() == nullptr && window->windowType() != Qt::Popup)
            windows << window;
    }
    for (const QPointer<QWidget>& window : windows) {
        delete window.data();
    }
}

Connection AppFixture::connect(DatabaseKind kind) const {
    return Connection(context.dataPath(databaseFileName(kind)), kind);
}

void AppFixture::exec(const QString& sql, const QVariantList& values, DatabaseKind kind) const {
    Connection connection = connect(kind);
    runSql(connection.db(), sql, values);
}

QList<QVariantList> AppFixture::rows(const QString& sql, const QVariantList& values,
                                     DatabaseKind kind) const {
    Connection connection = connect(kind);
    QList<QVariantList> result;
    {
        QSqlQuery query = runSql(connection.db(), sql, values);
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            result << row;
        }
    }
    return result;
}

QVariant AppFixture::value(const QString& sql, const QVariantList& values,
                           DatabaseKind kind) const {
    const QList<QVariantList> all = rows(sql, values, kind);
    return all.isEmpty() || all.first().isEmpty() ? QVariant() : all.first().first();
}

QStringList AppFixture::programFileLines(const QString& fileName) const {
    QFile file(context.writablePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QWidget* AppFixture::open(const QString& formName) {
    QWidget* screen = screens->open(formName);
    if (screen == nullptr) {
        ADD_FAILURE() << "no screen " << formName.toStdString();
    }
    return screen;
}

void AppFixture::activate(QWidget* screen) {
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen, 2000)) {
        ADD_FAILURE() << screen->objectName().toStdString() << " did not become active";
    }
}

void AppFixture::type(QWidget* screen, const QString& name, const QString& text) {
    QWidget* field = control(screen, name);
    if (field == nullptr)
        return;
    field->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        // Deleting the whole selection also leaves a masked box's cursor at its start; moving
        // the cursor after selecting would drop the selection and delete one character only.
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeKeys(edit, text);
    } else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->isEditable()) {
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
        typeKeys(combo->lineEdit(), text);
    } else {
        typeKeys(field, text);
    }
}

void AppFixture::setText(QWidget* screen, const QString& name, const QString& text) {
    QWidget* field = control(screen, name);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        combo->setCurrentText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(field)) {
        rich->setPlainText(text);
    } else if (field != nullptr) {
        ADD_FAILURE() << name.toStdString() << " takes no text";
    }
}

QString AppFixture::text(QWidget* screen, const QString& name) const {
    QWidget* field = control(screen, name);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(field))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(field))
        return button->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(field))
        return rich->toPlainText();
    return {};
}

void AppFixture::leave(QWidget* screen, const QString& name) {
    QWidget* field = control(screen, name);
    if (field == nullptr)
        return;
    if (QApplication::focusWidget() == field) {
        // In an active window the focus really moves on, as a Tab from the operator does; the
        // field then gets its FocusOut once, from that move. While an editable combo box shows
        // its completion list, the operator's Tab goes to the list, which closes and moves on.
        QWidget* receiver = field;
        if (qobject_cast<QComboBox*>(field) != nullptr &&
            QApplication::activePopupWidget() != nullptr) {
            receiver = QApplication::activePopupWidget();
        }
        QTest::keyClick(receiver, Qt::Key_Tab);
        return;
    }
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &event);
}

void AppFixture::fill(QWidget* screen, const QString& name, const QString& text) {
    type(screen, name, text);
    leave(screen, name);
}

void AppFixture::click(QWidget* screen, const QString& name) {
    QWidget* target = control(screen, name);
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->click();
    } else if (target != nullptr) {
        QTest::mouseClick(target, Qt::LeftButton);
    }
}

void AppFixture::clickGridRow(QWidget* screen, const QString& gridName, int row) {
    auto* view = control<QTableView>(screen, gridName);
    if (view == nullptr)
        return;
    QAbstractItemModel* model = view->model();
    if (model == nullptr) {
        ADD_FAILURE() << gridName.toStdString() << " shows no rows";
        return;
    }
    fetchRows(model, row + 1);
    if (row >= model->rowCount()) {
        ADD_FAILURE() << gridName.toStdString() << " has no line " << row;
        return;
    }
    const QModelIndex index = model->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QList<QStringList> AppFixture::gridRows(QWidget* screen, const QString& gridName) const {
    QList<QStringList> result;
    auto* view = control<QTableView>(screen, gridName);
    if (view == nullptr)
        return result;
    QAbstractItemModel* model = view->model();
    if (model == nullptr)
        return result;
    fetchRows(model);
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            cells << model->data(model->index(r, c)).toString();
        }
        result << cells;
    }
    return result;
}

void AppFixture::press(QWidget* screen, const QString& name, int key) {
    if (QWidget* target = control(screen, name)) {
        QTest::keyClick(target, static_cast<Qt::Key>(key));
    }
}

}  // namespace tavrel::test
