#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace tavrel {

// A colour as 0xAARRGGBB, the same value as QRgb, without needing QtGui here.
using RgbColor = unsigned int;

enum class DialogKind { Message, Input, Password, OpenFile, SaveFile, Folder, Color };
enum class DialogIcon { None, Information, Warning, Critical, Question };
enum class DialogButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// Every message box, question, input box, file or folder chooser, password prompt and colour
// chooser goes through this interface: the program shows real dialogs, tests answer from a
// script and record what was asked.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual DialogAnswer message(const QString& text, const QString& title,
                                 DialogButtons buttons = DialogButtons::Ok,
                                 DialogIcon icon = DialogIcon::None) = 0;
    // Returns nothing when the operator cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& initial = {}) = 0;
    virtual std::optional<QString> password(const QString& prompt, const QString& title) = 0;
    virtual std::optional<QString> openFile(const QString& title, const QString& folder,
                                            const QString& filter) = 0;
    // `folder` may end with a proposed file name, which the chooser then offers.
    virtual std::optional<QString> saveFile(const QString& title, const QString& folder,
                                            const QString& filter) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& folder) = 0;
    virtual std::optional<RgbColor> chooseColor(RgbColor initial) = 0;

    // Convenience for the common "text and an OK button" box.
    void inform(const QString& text, const QString& title = {},
                DialogIcon icon = DialogIcon::Information) {
        message(text, title, DialogButtons::Ok, icon);
    }
    bool askYesNo(const QString& text, const QString& title,
                  DialogIcon icon = DialogIcon::Question) {
        return message(text, title, DialogButtons::YesNo, icon) == DialogAnswer::Yes;
    }
};

}  // namespace tavrel
