#pragma once

#include "core/dialogs.h"

namespace tavrel::bench {

// Answers every question with Yes and every input with nothing, silently: the screens measured
// by the benchmarks are built, never shown.
class SilentDialogs final : public Dialogs {
public:
    DialogAnswer message(const QString&, const QString&, DialogButtons buttons,
                         DialogIcon) override {
        return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Yes;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> password(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<RgbColor> chooseColor(RgbColor) override { return std::nullopt; }
};

}  // namespace tavrel::bench
