#pragma once

#include <QString>
#include <optional>

namespace tavrel {

// What start-up does with what the installation marker says.
enum class StartStep {
    Install,        // no marker: the installer, then the end
    NoFolderNamed,  // the marker names nothing
    FolderMissing,  // the marker names a folder that does not exist
    Login,          // the data folder exists (its missing databases are created first)
};

struct StartPlan {
    StartStep step = StartStep::Install;
    QString dataFolder;  // absolute, for Login and FolderMissing
};

// Decides from the marker's last line (nothing when there is no marker). A relative folder is
// taken from the program's folder, never from wherever the program was started.
StartPlan planStart(const std::optional<QString>& markerLine, const QString& programFolder);

}  // namespace tavrel
