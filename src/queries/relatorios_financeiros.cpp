#include "queries/relatorios_financeiros.h"

#include <QDir>

#include "core/ptbr.h"

namespace tavrel {

QString formulaPeriodo(PeriodoPor por, const QDate& inicio, const QDate& fim) {
    const QString coluna = por == PeriodoPor::Deposito ? QStringLiteral("{cheques.dt_deposito}")
                                                       : QStringLiteral("{cheques.dt_troca}");
    return coluna + QStringLiteral(" >=  ") + formulaDate(inicio) + QStringLiteral(" AND ") +
           coluna + QStringLiteral(" <= ") + formulaDate(fim);
}

QString formulaPeriodoCliente(PeriodoPor por, const QDate& inicio, const QDate& fim,
                              const QString& codigoCliente) {
    // A quote inside the code is doubled, as the formula language reads it.
    QString codigo = codigoCliente;
    codigo.replace(QLatin1Char('\''), QStringLiteral("''"));
    return formulaPeriodo(por, inicio, fim) + QStringLiteral(" and {cheques.cd_cliente}='") +
           codigo + QLatin1Char('\'');
}

QStringList modelosFinanceiros(const QString& dataFolder) {
    QStringList modelos;
    const QStringList files =
        QDir(dataFolder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        if (file.startsWith(QLatin1String("1_"), Qt::CaseInsensitive) &&
            file.endsWith(QLatin1String(".rpt"), Qt::CaseInsensitive)) {
            modelos << file;
        }
    }
    return modelos;
}

}  // namespace tavrel
