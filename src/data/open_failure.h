#pragma once

#include <QString>
#include <optional>

namespace tavrel {

class AppError;
class DataError;

// What writing into a folder meets, as a small probe file finds it.
enum class FolderWrite { Possible, NotPermitted, NoRoom, Failed };

// Creates, fills and removes a small file in `folder`; nothing is left behind.
FolderWrite probeFolderWrite(const QString& folder);

// The refusal of a file that is not one of our databases.
AppError notOurDatabase(const QString& path);

// Turns a failure met while opening the database `path` into what the operator can act on: the
// file is damaged, it is not one of ours, its folder cannot be written, the disk is full, the
// file is read-only. Nothing when it is none of these: the driver's own message then says more.
std::optional<AppError> explainOpenFailure(const QString& path, const DataError& error);

}  // namespace tavrel
