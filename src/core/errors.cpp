#include "core/errors.h"

namespace tavrel {

AppError::AppError(int number, QString description, QString source)
    : std::runtime_error(description.toStdString()),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

ConversionError::ConversionError(const QString& text, const QString& source)
    : AppError(error_number::kTypeMismatch, QStringLiteral("Tipo incompatível: \"%1\"").arg(text),
               source) {}

DataError::DataError(QString statement, QString driverMessage, int number, QString nativeCode)
    : AppError(number,
               driverMessage.isEmpty() ? QStringLiteral("Erro no banco de dados") : driverMessage,
               QStringLiteral("Banco de dados")),
      statement_(std::move(statement)),
      driverMessage_(std::move(driverMessage)),
      nativeCode_(std::move(nativeCode)) {}

}  // namespace tavrel
