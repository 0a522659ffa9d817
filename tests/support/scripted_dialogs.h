#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "core/desktop.h"
#include "core/dialogs.h"

namespace tavrel::test {

// A dialog as the program asked for it.
struct ShownDialog {
    DialogKind kind;
    QString title;
    QString text;
    DialogIcon icon = DialogIcon::None;
    DialogButtons buttons = DialogButtons::Ok;
    QString folder{};  // file and folder choosers: the folder (or proposed file) offered
};

// Answers dialogs from a script and records every one shown. A message with only an OK button
// needs no scripted answer; a question, input or chooser without one fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    // Queue the answers, in the order the dialogs will be shown.
    void answer(DialogAnswer answer) { answers_.push_back(answer); }
    // An answer typed or chosen; nothing stands for Cancel.
    void answerText(std::optional<QString> text) {
        texts_.push_back({text.has_value(), text.value_or(QString())});
    }
    void answerColor(std::optional<RgbColor> color) { colors_.push_back(color); }

    const std::vector<ShownDialog>& shown() const { return shown_; }
    // Texts of the dialogs shown so far.
    QStringList texts() const;
    // The last dialog shown; fails the test when none was.
    const ShownDialog& last() const;
    void clear() { shown_.clear(); }
    // True when every scripted answer was used.
    bool scriptUsed() const { return answers_.empty() && texts_.empty() && colors_.empty(); }

    DialogAnswer message(const QString& text, const QString& title, DialogButtons buttons,
                         DialogIcon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    std::optional<QString> password(const QString& prompt, const QString& title) override;
    std::optional<QString> openFile(const QString& title, const QString& folder,
                                    const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& folder,
                                    const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& folder) override;
    std::optional<RgbColor> chooseColor(RgbColor initial) override;

private:
    std::optional<QString> nextText(DialogKind kind, const QString& title, const QString& text,
                                    const QString& folder = {});

    std::vector<ShownDialog> shown_;
    std::deque<DialogAnswer> answers_;
    struct TextAnswer {
        bool given;
        QString text;
    };
    std::deque<TextAnswer> texts_;
    std::deque<std::optional<RgbColor>> colors_;
};

// Records the files the program asks the desktop to open.
class RecordingDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override {
        opened << path;
        return true;
    }
    QString desktopFolder() const override { return desktop; }
    QString documentsFolder() const override { return documents; }
    QString operatingSystemUser() const override { return osUser; }

    QStringList opened;
    QString desktop;
    QString documents;
    QString osUser = QStringLiteral("operador");
};

}  // namespace tavrel::test
