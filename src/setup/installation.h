#pragma once

#include <QString>

namespace tavrel {

// The files the installer writes. Each write replaces the whole file at once, so a failure
// leaves the previous file as it was; a failure throws AppError.

// The installation marker: the data folder as its only line, ended by CR LF.
void writeSysIni(const QString& path, const QString& dataFolder);

// Name of the desktop shortcut, a desktop entry file.
inline constexpr const char* kShortcutFileName = "Tavrel Troca de Cheques.desktop";

// The text of a desktop entry that starts the program at `programPath`.
QString desktopEntryText(const QString& programPath);

// Writes the shortcut into `desktopFolder` (created when missing), replacing one of the same
// name, and returns its path.
QString writeDesktopShortcut(const QString& desktopFolder, const QString& programPath);

}  // namespace tavrel
