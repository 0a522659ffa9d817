#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavrel::test {

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const ShownDialog& dialog : shown_)
        result << dialog.text;
    return result;
}

const ShownDialog& ScriptedDialogs::last() const {
    static const ShownDialog none{DialogKind::Message, {}, {}, DialogIcon::None, DialogButtons::Ok};
    if (shown_.empty()) {
        ADD_FAILURE() << "no dialog was shown";
        return none;
    }
    return shown_.back();
}

DialogAnswer ScriptedDialogs::message(const QString& text, const QString& title,
                                      DialogButtons buttons, DialogIcon icon) {
    shown_.push_back({DialogKind::Message, title, text, icon, buttons});
    if (buttons == DialogButtons::Ok &&
        (answers_.empty() || answers_.front() != DialogAnswer::Ok)) {
        return DialogAnswer::Ok;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return buttons == DialogButtons::OkCancel ? DialogAnswer::Cancel : DialogAnswer::No;
    }
    const DialogAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::nextText(DialogKind kind, const QString& title,
                                                 const QString& text, const QString& folder) {
    shown_.push_back({kind, title, text, DialogIcon::None, DialogButtons::OkCancel, folder});
    if (texts_.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << title.toStdString() << " " << text.toStdString();
        return std::nullopt;
    }
    const TextAnswer answer = texts_.front();
    texts_.pop_front();
    return answer.given ? std::optional<QString>(answer.text) : std::nullopt;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString&) {
    return nextText(DialogKind::Input, title, prompt);
}

std::optional<QString> ScriptedDialogs::password(const QString& prompt, const QString& title) {
    return nextText(DialogKind::Password, title, prompt);
}

std::optional<QString> ScriptedDialogs::openFile(const QString& title, const QString& folder,
                                                 const QString& filter) {
    return nextText(DialogKind::OpenFile, title, filter, folder);
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& title, const QString& folder,
                                                 const QString& filter) {
    return nextText(DialogKind::SaveFile, title, filter, folder);
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title, const QString& folder) {
    return nextText(DialogKind::Folder, title, folder, folder);
}

std::optional<RgbColor> ScriptedDialogs::chooseColor(RgbColor) {
    shown_.push_back({DialogKind::Color, {}, {}, DialogIcon::None, DialogButtons::OkCancel});
    if (colors_.empty()) {
        ADD_FAILURE() << "unscripted colour chooser";
        return std::nullopt;
    }
    std::optional<RgbColor> color = colors_.front();
    colors_.pop_front();
    return color;
}

}  // namespace tavrel::test
