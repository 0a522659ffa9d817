#include "queries/frelatorios.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/maker_contact.h"
#include "reports/print_report.h"
#include "ui/chosen_line.h"
#include "ui/named_button.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

QDateEdit* makeDate(QWidget* parent, const char* name, const QDate& date) {
    auto* edit = new QDateEdit(date, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

}  // namespace

frelatorios::frelatorios(Context& context, QWidget* parent)
    : frelatorios(context, QStringLiteral("frelatorios"), parent) {}

frelatorios::frelatorios(Context& context, const QString& formName, QWidget* parent)
    : Screen(context, formName, parent) {
    setWindowTitle(QStringLiteral("Relatórios Financeiros"));
    buildScreen();
    step([this] { diretorio->addItems(modelosFinanceiros(this->context().dataFolder)); });
}

void frelatorios::buildScreen() {
    auto* layout = new QVBoxLayout(this);

    auto* periodo = new QGroupBox(QStringLiteral("Período"), this);
    auto* periodoLayout = new QHBoxLayout(periodo);
    const QDate today = context().clock->today();
    dt_inicio = makeDate(periodo, "dt_inicio", today);
    dt_fim = makeDate(periodo, "dt_fim", today);
    periodoLayout->addWidget(new QLabel(QStringLiteral("De:"), periodo));
    periodoLayout->addWidget(dt_inicio);
    periodoLayout->addWidget(new QLabel(QStringLiteral("A"), periodo));
    periodoLayout->addWidget(dt_fim);
    periodoLayout->addStretch();
    layout->addWidget(periodo);

    extras_ = new QGridLayout;
    layout->addLayout(extras_);

    diretorio = new QListWidget(this);
    diretorio->setObjectName(QStringLiteral("diretorio"));
    layout->addWidget(diretorio, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* deposito =
        namedButton(this, "Command2", QStringLiteral("&Executar {Dt Deposito}"));
    QPushButton* troca = namedButton(this, "Command3", QStringLiteral("&Executar {Dt Troca}"));
    QPushButton* sair = namedButton(this, "Command1", QStringLiteral("&Sair"));
    buttons->addWidget(deposito);
    buttons->addWidget(troca);
    buttons->addStretch();
    buttons->addWidget(sair);
    layout->addLayout(buttons);

    auto* nota =
        new QLabel(QStringLiteral("Precisa de outro formato de relatório? Sugira-o no fórum: %1")
                       .arg(QString::fromUtf8(maker_contact::kForum)),
                   this);
    nota->setObjectName(QStringLiteral("Label3"));
    nota->setWordWrap(true);
    layout->addWidget(nota);

    connect(deposito, &QPushButton::clicked, this, [this] { executa(PeriodoPor::Deposito); });
    connect(troca, &QPushButton::clicked, this, [this] { executa(PeriodoPor::Troca); });
    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    keepTextReadable(this);
    resize(460, 420);
}

QString frelatorios::formula(PeriodoPor por) const {
    return formulaPeriodo(por, dt_inicio->date(), dt_fim->date());
}

QString frelatorios::modeloEscolhido() const {
    return chosenLine(*diretorio,
                      QStringLiteral("Nenhum modelo de relatório foi escolhido na lista."));
}

void frelatorios::executa(PeriodoPor por) {
    // A period that ends before it begins selects nothing: an empty report says less than this.
    if (dt_inicio->date() > dt_fim->date()) {
        context().dialogs->inform(
            QStringLiteral("A data inicial do período (De:) é posterior à data final (A)."),
            windowTitle(), DialogIcon::Warning);
        return;
    }
    QString modelo;
    if (step([&] { modelo = modeloEscolhido(); })) {
        imprimeRelatorio(context(), formName(), modelo, formula(por));
    }
}

}  // namespace tavrel
