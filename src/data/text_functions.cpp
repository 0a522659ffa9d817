#include "data/text_functions.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include "core/errors.h"
#include "data/sql.h"

namespace tavrel {
namespace {

// tavrel_fold(text): ASCII texts (codes, most names) are folded byte by byte without leaving
// SQLite's buffer; others go through Qt's Unicode case folding.
void foldFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    sqlite3_value* value = arguments[0];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(value);
    const int bytes = sqlite3_value_bytes(value);
    bool ascii = true;
    for (int i = 0; i < bytes && ascii; ++i) {
        ascii = text[i] < 0x80;
    }
    if (ascii) {
        auto* folded = static_cast<char*>(sqlite3_malloc(bytes + 1));
        if (folded == nullptr) {
            sqlite3_result_error_nomem(context);
            return;
        }
        for (int i = 0; i < bytes; ++i) {
            const unsigned char c = text[i];
            folded[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
        folded[bytes] = '\0';
        sqlite3_result_text(context, folded, bytes, sqlite3_free);
        return;
    }
    const QByteArray folded =
        foldCase(QString::fromUtf8(reinterpret_cast<const char*>(text), bytes)).toUtf8();
    sqlite3_result_text(context, folded.constData(), static_cast<int>(folded.size()),
                        SQLITE_TRANSIENT);
}

}  // namespace

void registerTextFunctions(const QSqlDatabase& db) {
    const QVariant handle = db.driver() != nullptr ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        throw DataError(QStringLiteral("tavrel_fold"), QStringLiteral("a conexão não é do SQLite"));
    }
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    const int result = sqlite3_create_function_v2(
        connection, "tavrel_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
        nullptr, foldFunction, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        throw DataError(QStringLiteral("tavrel_fold"), QString::fromUtf8(sqlite3_errstr(result)));
    }
}

QString foldCase(const QString& text) {
    return text.toCaseFolded();
}

QString likePrefix(const QString& prefix) {
    return escapeLike(foldCase(prefix)) + QLatin1Char('%');
}

}  // namespace tavrel
