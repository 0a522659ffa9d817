#include "ui/grid_layout_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "core/errors.h"

namespace tavrel {
namespace {

const QString kFormat = QStringLiteral("tavrel-grid-layout");
constexpr int kVersion = 1;

AppError notALayout(const QString& fileName, const QString& why) {
    return AppError(
        error_number::kFileAccess,
        QStringLiteral("O arquivo %1 não é um lay-out de grade: %2.").arg(fileName, why), fileName);
}

}  // namespace

QByteArray writeGridLayout(const GridLayoutState& state) {
    QJsonArray columns;
    for (const GridColumnState& column : state.columns) {
        columns.append(QJsonObject{{QStringLiteral("field"), column.field},
                                   {QStringLiteral("visible"), column.visible},
                                   {QStringLiteral("position"), column.position},
                                   {QStringLiteral("width"), column.width}});
    }
    const QJsonObject document{
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("version"), kVersion},
        {QStringLiteral("columns"), columns},
        {QStringLiteral("groups"), QJsonArray::fromStringList(state.groups)}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

GridLayoutState readGridLayout(const QByteArray& bytes, const QString& fileName) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        throw notALayout(fileName, QStringLiteral("conteúdo ilegível"));
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat) {
        throw notALayout(fileName, QStringLiteral("formato desconhecido"));
    }
    if (root.value(QStringLiteral("version")).toInt() != kVersion) {
        throw notALayout(fileName, QStringLiteral("versão desconhecida"));
    }
    const QJsonValue columns = root.value(QStringLiteral("columns"));
    const QJsonValue groups = root.value(QStringLiteral("groups"));
    if (!columns.isArray() || !(groups.isArray() || groups.isUndefined())) {
        throw notALayout(fileName, QStringLiteral("colunas ausentes"));
    }
    GridLayoutState state;
    for (const QJsonValue& value : columns.toArray()) {
        const QJsonObject column = value.toObject();
        const QString field = column.value(QStringLiteral("field")).toString();
        if (field.isEmpty()) {
            throw notALayout(fileName, QStringLiteral("coluna sem campo"));
        }
        state.columns.append({field, column.value(QStringLiteral("visible")).toBool(true),
                              column.value(QStringLiteral("position")).toInt(),
                              column.value(QStringLiteral("width")).toInt()});
    }
    for (const QJsonValue& value : groups.toArray()) {
        if (!value.isString()) {
            throw notALayout(fileName, QStringLiteral("agrupamento inválido"));
        }
        state.groups << value.toString();
    }
    return state;
}

void saveGridLayout(const QString& path, const GridLayoutState& state) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeGridLayout(state)) < 0 ||
        !file.commit()) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível gravar o lay-out em %1: %2")
                           .arg(path, file.errorString()),
                       QFileInfo(path).fileName());
    }
}

GridLayoutState loadGridLayout(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(
            error_number::kFileAccess,
            QStringLiteral("Não foi possível ler o lay-out %1: %2").arg(path, file.errorString()),
            QFileInfo(path).fileName());
    }
    // A layout is a few kilobytes; anything much larger is not one.
    constexpr qint64 kLargest = 1 << 20;
    if (file.size() > kLargest) {
        throw notALayout(QFileInfo(path).fileName(), QStringLiteral("arquivo grande demais"));
    }
    return readGridLayout(file.readAll(), QFileInfo(path).fileName());
}

}  // namespace tavrel
