#pragma once

#include <QString>

namespace tavrel {

// What the program asks of the desktop: opening a file with its associated program and
// knowing where the user's desktop and documents folders are.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool openFile(const QString& path) = 0;
    virtual QString desktopFolder() const = 0;
    virtual QString documentsFolder() const = 0;
    virtual QString operatingSystemUser() const = 0;
};

}  // namespace tavrel
