#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

// Readable failure messages for Qt values in GoogleTest assertions.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QVariant& value, std::ostream* out) {
    if (value.isNull()) {
        *out << "NULL";
    } else {
        *out << value.typeName() << '(' << value.toString().toStdString() << ')';
    }
}

inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << "[" << list.join(QStringLiteral(" | ")).toStdString() << "]";
}
