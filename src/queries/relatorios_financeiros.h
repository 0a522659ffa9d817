#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavrel {

// Which date of the cheques the financial reports select the period by.
enum class PeriodoPor { Deposito, Troca };

// The selection formula of "&Executar {Dt Deposito}" or "&Executar {Dt Troca}", both dates
// included: {cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} <= #2026/12/31#
// (two blanks after ">=", as the report screens have always written it).
QString formulaPeriodo(PeriodoPor por, const QDate& inicio, const QDate& fim);

// The same for one client: "... <= #2026/12/31# and {cheques.cd_cliente}='00003'". With no
// client chosen the code is empty and the report selects nothing.
QString formulaPeriodoCliente(PeriodoPor por, const QDate& inicio, const QDate& fim,
                              const QString& codigoCliente);

// The financial report templates of a data folder: every file named "1_" ... ".rpt" (letter case
// ignored), in name order.
QStringList modelosFinanceiros(const QString& dataFolder);

}  // namespace tavrel
