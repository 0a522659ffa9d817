#pragma once

#include "core/desktop.h"

namespace tavrel {

// The real desktop: files open with their associated program.
class QtDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override;
    QString desktopFolder() const override;
    QString documentsFolder() const override;
    QString operatingSystemUser() const override;
};

}  // namespace tavrel
