#include "app/start_plan.h"

#include <QDir>
#include <QFileInfo>

namespace tavrel {

StartPlan planStart(const std::optional<QString>& markerLine, const QString& programFolder) {
    StartPlan plan;
    if (!markerLine) {
        plan.step = StartStep::Install;
        return plan;
    }
    const QString named = markerLine->trimmed();
    if (named.isEmpty()) {
        plan.step = StartStep::NoFolderNamed;
        return plan;
    }
    plan.dataFolder = QDir::cleanPath(QDir(programFolder).absoluteFilePath(named));
    if (!QFileInfo(plan.dataFolder).isDir()) {
        plan.step = StartStep::FolderMissing;
        return plan;
    }
    plan.step = StartStep::Login;
    return plan;
}

}  // namespace tavrel
