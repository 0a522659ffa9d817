#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "core/context.h"
#include "ui/message_text.h"

namespace tavrel {
namespace {

QWidget* activeWindow() {
    return QApplication::activeWindow();
}

QString titleOrSystem(const QString& title) {
    return title.isEmpty() ? QString::fromUtf8(kSystemTitle) : title;
}

// A message box grows with its text: keep its lines as wide as Qt lets them be on this screen,
// and at most a few of them for one line of the message.
constexpr int kMaxWrappedLines = 6;

int messageWidth(const QWidget& box) {
    const int screenWidth =
        box.screen() != nullptr ? box.screen()->availableGeometry().width() : 1024;
    return std::max(screenWidth / 2, std::min(screenWidth - 480, 1000));
}

QMessageBox::Icon toQt(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Information:
            return QMessageBox::Information;
        case DialogIcon::Warning:
            return QMessageBox::Warning;
        case DialogIcon::Critical:
            return QMessageBox::Critical;
        case DialogIcon::Question:
            return QMessageBox::Question;
        case DialogIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(DialogButtons buttons) {
    switch (buttons) {
        case DialogButtons::Ok:
            return QMessageBox::Ok;
        case DialogButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case DialogButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case DialogButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

DialogAnswer QtDialogs::message(const QString& text, const QString& title, DialogButtons buttons,
                                DialogIcon icon) {
    QMessageBox box(toQt(icon), titleOrSystem(title), {}, toQt(buttons), activeWindow());
    box.setText(fitMessageText(text, box.fontMetrics(), messageWidth(box), kMaxWrappedLines));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return DialogAnswer::Yes;
        case QMessageBox::No:
            return DialogAnswer::No;
        case QMessageBox::Cancel:
            return DialogAnswer::Cancel;
        default:
            return DialogAnswer::Ok;
    }
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(activeWindow(), titleOrSystem(title), prompt,
                                         QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtDialogs::password(const QString& prompt, const QString& title) {
    bool ok = false;
    QString text = QInputDialog::getText(activeWindow(), titleOrSystem(title), prompt,
                                         QLineEdit::Password, {}, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& folder,
                                           const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(activeWindow(), title, folder, filter);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& folder,
                                           const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(activeWindow(), title, folder, filter);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& folder) {
    const QString path = QFileDialog::getExistingDirectory(activeWindow(), title, folder);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<RgbColor> QtDialogs::chooseColor(RgbColor initial) {
    const QColor color = QColorDialog::getColor(QColor::fromRgb(initial), activeWindow());
    return color.isValid() ? std::optional<RgbColor>(color.rgb()) : std::nullopt;
}

}  // namespace tavrel
