#include "registers/fparametros.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/errors.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/row.h"
#include "data/sql.h"

namespace tavrel {
namespace {

// One line of the screen: a switch, a value, or a switch and its value.
struct Linha {
    const char* chave;       // switch column and control, or nullptr
    const char* textoChave;  // its caption
    const char* valor;       // value column, or nullptr
    const char* rotulo;      // the value's label
    const char* dica;        // the value's tooltip
};

// In the order of the screen.
const Linha kLinhas[] = {
    {"st_jzero", "Permitir Juros Zero", nullptr, nullptr, nullptr},
    {"st_advalorem", "Incluir AD Valorem", "vl_advalorem", "Valor do Ad Valorem:", ""},
    {"st_tacper", "Incluir Tac Percentual", "vl_tacper",
     "Valor do Tac:", "Digite o valor do tac em percentual"},
    {"st_custodia", "Incluir Custódia", "vl_custodia", "Valor da Custódia:",
     "Caso cobre um valor a título de custódia por cheque coloque aqui o valor"},
    {"st_dia", "Incluir Dia da Operação", nullptr, nullptr, nullptr},
    {"st_tac", "Incluir Tac", "vl_tac", "Valor do Tac:", "Incluir o valor to tac em especie"},
    {"st_consulta", "Incluir Consulta de Cheques", "vl_consulta", "Valor da Consulta:",
     "Caso deseja repassar a seu cliente a consulta de cheque lance aqui o valor unitário cobrado "
     "por consulta"},
    {nullptr, nullptr, "vl_concentracao", "Concentração por Documento:",
     "Digite o valor maximo a ser aceito pelo sistema dentro do mesmo cpf ou cgc"},
    {"st_iof", "Incluir Iof {Formula Oficial  (Tax*Dias)*juros}", "vl_iof",
     "Iof:", "Digite o valor a ser descontado a título de iof"},
    {"st_cpmf", "Incluir Cpmf", "vl_cpmf",
     "Cpmf:", "Digite o Valor a ser descontato a titulo de cpmf"},
    {"st_incluirdias", "Incluir D+", "vl_dmais",
     "D+:", "Digite o numero de dias que deve ser incluido no prazo de cada cheque"},
    {"cr_numerodias", "Usar Configuração de dias mínimos", "vl_diasminimo",
     "Numero dias Minimo:", "Diga o numero de dias mínimos cobrado em cada cheque"},
};

// The order in which the row fills the controls, and the order in which the controls are
// copied back (the two differ).
const char* const kOrdemLeitura[] = {
    "cr_numerodias", "st_incluirdias", "st_cpmf",         "st_iof",        "vl_dmais",
    "vl_cpmf",       "vl_iof",         "vl_concentracao", "vl_diasminimo", "st_consulta",
    "vl_consulta",   "vl_tac",         "st_tac",          "st_dia",        "st_tacper",
    "vl_tacper",     "st_custodia",    "vl_custodia",     "st_advalorem",  "vl_advalorem",
    "st_jzero",
};
const char* const kOrdemGravacao[] = {
    "cr_numerodias", "vl_diasminimo", "st_incluirdias",  "st_cpmf",      "st_iof",      "vl_dmais",
    "vl_cpmf",       "vl_iof",        "vl_concentracao", "st_consulta",  "vl_consulta", "vl_tac",
    "st_tac",        "st_dia",        "st_tacper",       "st_advalorem", "st_custodia", "vl_tacper",
    "vl_custodia",   "vl_advalorem",  "st_jzero",
};

// The boxes of rates and percentages (multipliers such as 0.0038): never in the thousands, so
// any dot in them is refused rather than read as a thousands separator.
bool ehTaxa(const QString& coluna) {
    static const QStringList taxas{QStringLiteral("vl_advalorem"), QStringLiteral("vl_tacper"),
                                   QStringLiteral("vl_iof"), QStringLiteral("vl_cpmf")};
    return taxas.contains(coluna);
}

// The minimum days are edited in a box of another name.
QString controleDe(const QString& coluna) {
    return coluna == QLatin1String("vl_diasminimo") ? QStringLiteral("NR_dias") : coluna;
}

}  // namespace

fparametros::fparametros(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fparametros"), parent) {
    setWindowTitle(QStringLiteral("Parametros"));
    buildScreen();
    step([this] {
        registraLog(QStringLiteral("ENTROU NO MÓDULO DE CONFIGURAÇÃO"),
                    this->context().clock->today());
    });
    carrega();
}

fparametros::~fparametros() = default;

void fparametros::buildScreen() {
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Parâmetros"), this);
    auto* grid = new QGridLayout(frame);
    int line = 0;
    for (const Linha& linha : kLinhas) {
        if (linha.chave != nullptr) {
            auto* box = new QCheckBox(QString::fromUtf8(linha.textoChave), frame);
            box->setObjectName(QString::fromLatin1(linha.chave));
            grid->addWidget(box, line, 0);
            switches_.insert(box->objectName(), box);
        }
        if (linha.valor != nullptr) {
            const QString coluna = QString::fromLatin1(linha.valor);
            auto* edit = new QLineEdit(frame);
            edit->setObjectName(controleDe(coluna));
            edit->setToolTip(QString::fromUtf8(linha.dica));
            grid->addWidget(new QLabel(QString::fromUtf8(linha.rotulo), frame), line, 1);
            grid->addWidget(edit, line, 2);
            values_.insert(coluna, edit);
        }
        ++line;
    }
    layout->addWidget(frame);

    auto* sair = new QPushButton(QStringLiteral("&Sair e Salvar"), this);
    sair->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(sair);
    connect(sair, &QPushButton::clicked, this, [this] { sairESalvar(); });
}

void fparametros::carrega() {
    std::optional<Row> row;
    step([this] {
        connection_ = std::make_unique<Connection>(
            context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    });
    step([&] {
        row = fetchRow(connection_ ? connection_->db() : QSqlDatabase(),
                       QStringLiteral("SELECT * FROM CONFIG ORDER BY id LIMIT 1"));
        if (!row) {
            throw AppError(error_number::kDatabase,
                           QStringLiteral("A tabela de parâmetros não tem registro."),
                           QStringLiteral("CONFIG"));
        }
        rowId_ = row->id();
    });
    if (!row)
        return;  // the controls stay empty
    for (const char* name : kOrdemLeitura) {
        const QString coluna = QString::fromLatin1(name);
        const QVariant valor = row->value(coluna);
        step([&] {
            if (QCheckBox* box = switches_.value(coluna)) {
                box->setChecked(!valor.isNull() && valor.toLongLong() != 0);
            } else if (QLineEdit* edit = values_.value(coluna)) {
                edit->setText(valor.isNull() ? QString() : formatNumber(valor.toDouble()));
                lidos_.insert(coluna, valor);
            }
        });
    }
}

void fparametros::salva() {
    step([this] {
        if (!rowId_) {
            throw AppError(error_number::kDatabase,
                           QStringLiteral("A tabela de parâmetros não tem registro."),
                           QStringLiteral("CONFIG"));
        }
    });
    // Each control is copied in its own step: a value that is not a number is reported and its
    // field keeps the stored value, while the others are still saved.
    QStringList assignments;
    QVariantList values;
    for (const char* name : kOrdemGravacao) {
        const QString coluna = QString::fromLatin1(name);
        step([&] {
            QVariant valor;
            if (QCheckBox* box = switches_.value(coluna)) {
                valor = box->isChecked() ? 1 : 0;
            } else if (QLineEdit* edit = values_.value(coluna)) {
                const QVariant lido = lidos_.value(coluna);
                if (!lido.isNull() && edit->text() == formatNumber(lido.toDouble())) {
                    valor = lido;  // not changed by the operator: stored as it is, to the last bit
                } else {
                    const std::optional<double> number = parseNumber(
                        edit->text(), ehTaxa(coluna) ? NumberKind::Rate : NumberKind::Amount);
                    if (!number)
                        throw ConversionError(edit->text(), edit->objectName());
                    valor = *number;
                }
            }
            assignments << coluna + QStringLiteral(" = ?");
            values << valor;
        });
    }
    step([&] {
        if (!rowId_ || assignments.isEmpty())
            return;  // no row: already reported above
        runSql(connection_->db(),
               QStringLiteral("UPDATE CONFIG SET %1 WHERE id = ?")
                   .arg(assignments.join(QStringLiteral(", "))),
               values + QVariantList{*rowId_});
    });
}

void fparametros::sairESalvar() {
    salva();
    step([this] {
        registraLog(QStringLiteral("SAIU NO MÓDULO DE CONFIGURAÇÃO"), context().clock->today());
    });
    close();
}

}  // namespace tavrel
