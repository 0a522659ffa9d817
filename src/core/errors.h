#pragma once

#include <QString>
#include <stdexcept>

namespace tavrel {

// A failure the error convention reports: a number, a description and the object that failed.
// Thrown by value, caught by reference.
class AppError : public std::runtime_error {
public:
    AppError(int number, QString description, QString source);

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& source() const { return source_; }

private:
    int number_;
    QString description_;
    QString source_;
};

// Error numbers, kept close to the ones operators and support already know.
namespace error_number {
inline constexpr int kTypeMismatch = 13;       // text that is not a number or a date
inline constexpr int kFileNotFound = 53;       // a file the step needs is missing
inline constexpr int kDiskFull = 61;           // no room left on the disk
inline constexpr int kPermissionDenied = 70;   // a folder or file that may not be written
inline constexpr int kFileAccess = 75;         // a file could not be read or written
inline constexpr int kDatabase = 3000;         // a statement the database refused
inline constexpr int kDamagedDatabase = 3049;  // one of our databases, damaged
inline constexpr int kNotOurDatabase = 3343;   // a file that is not one of our databases
inline constexpr int kReport = 20500;          // a report could not be produced
}  // namespace error_number

// Operator text that is not a valid number or date.
class ConversionError : public AppError {
public:
    explicit ConversionError(const QString& text,
                             const QString& source = QStringLiteral("Conversão"));
};

// A database statement that failed; carries the statement, the driver's message and the
// engine's own error code (SQLite's extended result code as text, empty when unknown).
class DataError : public AppError {
public:
    DataError(QString statement, QString driverMessage, int number = error_number::kDatabase,
              QString nativeCode = {});

    const QString& statement() const { return statement_; }
    const QString& driverMessage() const { return driverMessage_; }
    const QString& nativeCode() const { return nativeCode_; }

private:
    QString statement_;
    QString driverMessage_;
    QString nativeCode_;
};

}  // namespace tavrel
