#pragma once

#include <QString>

namespace tavrel {

// The file name proposed when the operator saves a report as PDF: the template's name in lower
// case and the values its selection formula picks, e.g. "troca_00390.pdf" for troca.rpt with
// "{cheques.cd_troca}= '00390'", "baixas_2026-12-08_A.pdf" for a date and a status. Only
// letters, digits and hyphens come from the values, so the name is safe on any file system.
QString reportFileName(const QString& templateName, const QString& formula);

}  // namespace tavrel
