#include "queries/fselperiodo.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/clock.h"
#include "core/context.h"
#include "queries/fconsultaperiodo.h"
#include "ui/named_button.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

QDateEdit* datePicker(QWidget* parent, const char* name, const QDate& date) {
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    picker->setCalendarPopup(true);
    return picker;
}

}  // namespace

fselperiodo::fselperiodo(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fselperiodo"), parent) {
    setWindowTitle(QStringLiteral("Seleção de Período"));
    // The current month.
    const QDate today = context.clock->today();
    const QDate first(today.year(), today.month(), 1);
    DTPicker1 = datePicker(this, "DTPicker1", first);
    DTPicker2 = datePicker(this, "DTPicker2", first.addMonths(1).addDays(-1));
    auto* Command1 = namedButton(this, "Command1", QStringLiteral("&Selecionar e Sair"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("De:"), this), 0, 0);
    layout->addWidget(DTPicker1, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("A"), this), 0, 2);
    layout->addWidget(DTPicker2, 0, 3);
    layout->addWidget(Command1, 1, 0, 1, 4);
    keepTextReadable(this);
    connect(Command1, &QPushButton::clicked, this, [this] { selecionarESair(); });
}

void fselperiodo::selecionarESair() {
    registraLog(QStringLiteral("SELECIONA O PERIODO PARA SELEÇÃO DO MOVIMENTO"));
    if (consulta_) {
        consulta_->selecionaPeriodo(DTPicker1->date(), DTPicker2->date());
    }
    close();
}

}  // namespace tavrel
