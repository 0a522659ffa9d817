#include "data/text_functions.h"

#include <sqlite3.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include "core/errors.h"

namespace tavrel {
namespace {

// Reads the code point at text[i] (UTF-8) and moves i past it. Malformed bytes read as
// themselves, so they can only match the same bytes.
char32_t nextCodePoint(const unsigned char* text, int length, int& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80) {
            return lead;
        }
        code = (code << 6) | (text[i++] & 0x3F);
    }
    return code;
}

char32_t fold(char32_t code) {
    if (code < 0x80) {
        return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
    }
    return QChar::toCaseFolded(code);
}

// tavrel_starts(text, prefix): the prefix arrives folded; the text is folded as it is read.
void startsFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL ||
        sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(arguments[0]);
    const int textLength = sqlite3_value_bytes(arguments[0]);
    const auto* prefix = sqlite3_value_text(arguments[1]);
    const int prefixLength = sqlite3_value_bytes(arguments[1]);
    int t = 0;
    int p = 0;
    while (p < prefixLength) {
        if (t >= textLength) {
            sqlite3_result_int(context, 0);
            return;
        }
        const char32_t wanted = nextCodePoint(prefix, prefixLength, p);
        if (fold(nextCodePoint(text, textLength, t)) != wanted) {
            sqlite3_result_int(context, 0);
            return;
        }
    }
    sqlite3_result_int(context, 1);
}

}  // namespace

void registerTextFunctions(const QSqlDatabase& db) {
    const QVariant handle = db.driver() != nullptr ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        throw DataError(QStringLiteral("tavrel_starts"),
                        QStringLiteral("a conexão não é do SQLite"));
    }
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    const int result = sqlite3_create_function_v2(
        connection, "tavrel_starts", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
        nullptr, startsFunction, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        throw DataError(QStringLiteral("tavrel_starts"), QString::fromUtf8(sqlite3_errstr(result)));
    }
}

QString foldCase(const QString& text) {
    QString folded;
    folded.reserve(text.size());
    for (const char32_t code : text.toUcs4()) {
        const char32_t one = fold(code);
        folded += QString::fromUcs4(&one, 1);
    }
    return folded;
}

}  // namespace tavrel
