#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavrel {

// Text files of rows separated by ";", as spreadsheets of this locale read and write them
// (the comma is the decimal separator). A field holding ";", a quote or a line break is
// written between double quotes, with its quotes doubled.

// The rows as CSV text, each line ended by CR LF.
QString csvText(const QList<QStringList>& rows);

// The rows of a CSV text (LF or CR LF line ends, a leading byte order mark ignored, blank lines
// skipped); nothing when a quoted field is never closed.
std::optional<QList<QStringList>> parseCsv(const QString& text);

}  // namespace tavrel
