#pragma once

#include "core/dialogs.h"

class QWidget;

namespace tavrel {

// The real dialogs, shown with Qt's standard boxes and choosers.
class QtDialogs final : public Dialogs {
public:
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
};

}  // namespace tavrel
