#include "ui/register_screen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/context.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "ui/column_format_delegate.h"
#include "ui/field_events.h"
#include "ui/grid_choice.h"
#include "ui/grid_fit.h"
#include "ui/load_all_rows.h"
#include "ui/read_only_grid.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

const char* const kIncluirTip = "CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ";
const char* const kAlterarTip =
    "APÓS ESCOLHER O REGISTRO A SER ALTERADO E FAZER AS MODIFICAÇÕES NECESÁRIAS  CLICK AQUI";
const char* const kExcluirTip = "APÓS ESCOLHER O REGISTRO A SER EXCLUIDO CLICK AQUI";

// How many characters a box shows: an amount up to the millions, a text a full name.
constexpr int kNumberCharacters = 14;
constexpr int kTextCharacters = 40;

int boxCharacters(const RegisterField& field) {
    if (field.kind == RegisterField::Kind::Number)
        return kNumberCharacters;
    if (field.maxLength > 0)
        return std::min(field.maxLength + 1, kTextCharacters);
    return kTextCharacters;
}

void setWidthInCharacters(QLineEdit* box, int characters) {
    const QFontMetrics metrics(box->font());
    // The frame and text margins of the box around its text.
    box->setFixedWidth(metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + 16);
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const QString& tooltip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tooltip);
    return button;
}

}  // namespace

RegisterScreen::RegisterScreen(Context& context, RegisterSpec spec, QWidget* parent)
    : Screen(context, spec.formName, parent),
      spec_(std::move(spec)),
      gridModel_(std::make_unique<QSqlQueryModel>()) {
    setWindowTitle(spec_.title);
    buildScreen();
    // Opening: bind the grid and the working source to the database.
    step([this] {
        connection_ = std::make_unique<Connection>(
            this->context().dataPath(databaseFileName(spec_.database)), spec_.database);
    });
    step([this] { reload(); });
}

RegisterScreen::~RegisterScreen() {
    grid_->setModel(nullptr);
    gridModel_.reset();  // its query must end before the connection closes
}

void RegisterScreen::buildScreen() {
    auto* layout = new QVBoxLayout(this);
    // The fields on top, the main form on the left and the frames in columns beside it; the
    // grid below takes the rest of the height.
    fieldsRow_ = new QHBoxLayout;
    mainForm_ = new QFormLayout;
    mainForm_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    fieldsRow_->addLayout(mainForm_);
    layout->addLayout(fieldsRow_);

    codeBox_ = new QLineEdit(this);
    codeBox_->setObjectName(spec_.codeControl);
    codeBox_->setToolTip(spec_.codeTooltip);
    setWidthInCharacters(codeBox_, spec_.codeWidth + 2);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(codeBox_);
    if (!spec_.codeNote.isEmpty()) {
        codeRow->addWidget(new QLabel(spec_.codeNote, this));
    }
    codeRow->addStretch();
    mainForm_->addRow(spec_.codeLabel, codeRow);
    if (spec_.enterActsAsTab) {
        enterActsAsTab(codeBox_);
    }

    for (const RegisterField& spec : spec_.fields) {
        QWidget* control = createControl(spec);
        if (spec.group.isEmpty()) {
            mainForm_->addRow(spec.label, control);
        } else {
            auto* form = static_cast<QFormLayout*>(groupBox(spec.group)->layout());
            form->addRow(spec.label, control);
        }
    }
    fieldsRow_->addStretch();

    extras_ = new QVBoxLayout;
    layout->addLayout(extras_);

    auto* options = new QGroupBox(QStringLiteral("Opções"), this);
    auto* buttons = new QHBoxLayout(options);
    QPushButton* incluirButton =
        makeButton(options, "CONFIRMA", "&Incluir", QString::fromUtf8(kIncluirTip));
    QPushButton* alterarButton =
        makeButton(options, "alterar", "&Alterar", QString::fromUtf8(kAlterarTip));
    QPushButton* excluirButton =
        makeButton(options, "EXCLUIR", "&Excluir", QString::fromUtf8(kExcluirTip));
    QPushButton* limparButton =
        makeButton(options, "Command2", "&Limpa Campos", spec_.clearTooltip);
    QPushButton* sairButton = makeButton(options, "Command1", "&Sair", {});
    for (QPushButton* button :
         {incluirButton, alterarButton, excluirButton, limparButton, sairButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addWidget(options);
    connect(incluirButton, &QPushButton::clicked, this, [this] { incluir(); });
    connect(alterarButton, &QPushButton::clicked, this, [this] { alterar(); });
    connect(excluirButton, &QPushButton::clicked, this, [this] { excluir(); });
    connect(limparButton, &QPushButton::clicked, this, [this] { limpaCampos(); });
    connect(sairButton, &QPushButton::clicked, this, [this] { sair(); });

    grid_ = makeReadOnlyGrid(this, spec_.gridName, gridModel_.get());
    grid_->setToolTip(spec_.gridTooltip);
    for (int column = 0; column < spec_.gridColumns.size(); ++column) {
        if (spec_.gridColumns[column].format != ColumnFormat::Plain) {
            grid_->setItemDelegateForColumn(
                column, new ColumnFormatDelegate(spec_.gridColumns[column].format, grid_));
        }
    }
    fitGridToContents(grid_);
    grid_->setMinimumHeight(grid_->verticalHeader()->defaultSectionSize() * 8);
    layout->addWidget(grid_, 1);
    onLineChosen(grid_, [this](int row) { escolheLinha(row); });

    if (spec_.escapeCloses) {
        escapeCloses(this);
    }
    keepTextReadable(this);
    // Shrunk to the screen when shown; on a 1366 x 768 screen the grid keeps most of the height.
    resize(1100, 720);
}

QWidget* RegisterScreen::createControl(const RegisterField& spec) {
    QWidget* control = nullptr;
    if (spec.kind == RegisterField::Kind::Choice) {
        auto* combo = new QComboBox(this);
        for (const auto& choice : spec.choices)
            combo->addItem(choice.first, choice.second);
        combo->setCurrentIndex(-1);
        control = combo;
    } else {
        auto* edit = new QLineEdit(this);
        if (spec.kind == RegisterField::Kind::Password)
            edit->setEchoMode(QLineEdit::Password);
        if (spec.maxLength > 0)
            edit->setMaxLength(spec.maxLength);
        if (spec.selectAllOnEnter) {
            onEnter(edit, [edit] {
                QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
            });
        }
        setWidthInCharacters(edit, boxCharacters(spec));
        control = edit;
    }
    control->setObjectName(spec.control);
    control->setToolTip(spec.tooltip);
    if (spec_.enterActsAsTab) {
        enterActsAsTab(control);
    }
    return control;
}

QGroupBox* RegisterScreen::groupBox(const QString& caption) {
    for (const auto& group : groups_) {
        if (group.first == caption)
            return group.second;
    }
    auto* box = new QGroupBox(caption, this);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    groups_.append({caption, box});
    // A frame joins the column of the one before while the column stays no taller than the
    // main form, otherwise it starts a column of its own.
    const int rows = fieldsInGroup(caption);
    if (groupColumn_ == nullptr || groupColumnRows_ + rows > mainFormRows()) {
        groupColumn_ = new QVBoxLayout;
        groupColumn_->addStretch();
        fieldsRow_->addLayout(groupColumn_);
        groupColumnRows_ = 0;
    }
    groupColumn_->insertWidget(groupColumn_->count() - 1, box);
    groupColumnRows_ += rows;
    return box;
}

int RegisterScreen::fieldsInGroup(const QString& caption) const {
    int rows = 0;
    for (const RegisterField& field : spec_.fields)
        rows += field.group == caption ? 1 : 0;
    return rows;
}

int RegisterScreen::mainFormRows() const {
    return fieldsInGroup(QString()) + 1;  // and the code
}

QLineEdit* RegisterScreen::addShownValue(const QString& control, const QString& label,
                                         const QString& tooltip, const QString& group) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(control);
    edit->setToolTip(tooltip);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    setWidthInCharacters(edit, kNumberCharacters);
    auto* form = group.isEmpty() ? mainForm_ : static_cast<QFormLayout*>(groupBox(group)->layout());
    form->addRow(label, edit);
    return edit;
}

QSqlDatabase RegisterScreen::db() const {
    return connection_ ? connection_->db() : QSqlDatabase();
}

std::optional<Row> RegisterScreen::findByCode(const QString& code) const {
    return fetchRow(db(),
                    QStringLiteral("SELECT * FROM %1 WHERE %2 = ? ORDER BY id LIMIT 1")
                        .arg(spec_.table, spec_.codeColumn),
                    {code});
}

std::optional<Row> RegisterScreen::currentGridRow() const {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) {
        return std::nullopt;
    }
    return findByCode(gridModel_->data(gridModel_->index(current.row(), 0)).toString());
}

QString RegisterScreen::nextCode() const {
    return tavrel::nextCode(db(), spec_.table, spec_.codeColumn, spec_.codeWidth);
}

long long RegisterScreen::countWhere(const QString& table, const QString& column,
                                     const QVariant& value) const {
    return scalarSql(db(),
                     QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(table, column),
                     {value})
        .toLongLong();
}

void RegisterScreen::reload() {
    QStringList columns;
    for (const GridColumn& column : spec_.gridColumns)
        columns << column.column;
    loadAllRows(*gridModel_, runSqlForModel(db(), QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                                      .arg(columns.join(QStringLiteral(", ")),
                                                           spec_.table, spec_.gridOrder)));
    for (int i = 0; i < spec_.gridColumns.size(); ++i) {
        gridModel_->setHeaderData(i, Qt::Horizontal, spec_.gridColumns[i].caption);
    }
}

QWidget* RegisterScreen::field(const QString& control) const {
    return findChild<QWidget*>(control);
}

QString RegisterScreen::fieldText(const QString& control) const {
    QWidget* widget = field(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    return {};
}

void RegisterScreen::setFieldText(const QString& control, const QString& text) {
    QWidget* widget = field(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(combo->findText(text));
    }
}

std::optional<QVariant> RegisterScreen::valueToStore(const RegisterField& spec, bool) {
    const QString text = fieldText(spec.control);
    switch (spec.kind) {
        case RegisterField::Kind::Number:
            if (shown_ && !shown_->value(spec.column).isNull() &&
                text == formatNumber(shown_->value(spec.column).toDouble())) {
                // Not changed by the operator: the stored value as it is, to the last bit.
                return shown_->value(spec.column);
            }
            if (std::optional<double> number = parseNumber(text, spec.numberKind))
                return QVariant(*number);
            throw ConversionError(text, spec.control);  // the report names the box
        case RegisterField::Kind::Choice:
            for (const auto& choice : spec.choices) {
                if (choice.first == text)
                    return QVariant(choice.second);
            }
            return std::nullopt;
        case RegisterField::Kind::Text:
        case RegisterField::Kind::Password:
            break;
    }
    return QVariant(text);
}

void RegisterScreen::showValue(const RegisterField& spec, const QVariant& value) {
    switch (spec.kind) {
        case RegisterField::Kind::Number:
            setFieldText(spec.control, value.isNull() ? QString() : formatNumber(value.toDouble()));
            return;
        case RegisterField::Kind::Choice:
            for (const auto& choice : spec.choices) {
                if (choice.second == value.toString())
                    setFieldText(spec.control, choice.first);
            }
            return;
        case RegisterField::Kind::Password:
            setFieldText(spec.control, QString());  // a stored password is never shown
            return;
        case RegisterField::Kind::Text:
            setFieldText(spec.control, value.isNull() ? QString() : value.toString());
            return;
    }
}

void RegisterScreen::mostraRegistro(const Row& row) {
    codeBox_->setText(row.text(spec_.codeColumn));
    for (const RegisterField& spec : spec_.fields) {
        step([&] { showValue(spec, row.value(spec.column)); });
    }
}

void RegisterScreen::escolheLinha(int gridRow) {
    markLocation();
    const QString code = gridModel_->data(gridModel_->index(gridRow, 0)).toString();
    std::optional<Row> row;
    step([&] { row = findByCode(code); });
    if (row) {
        shown_ = row;
        mostraRegistro(*row);
        afterMostra(*row);
    }
}

void RegisterScreen::writeFields(const QString& code, const std::optional<Row>& existing) {
    QStringList columns{spec_.codeColumn};
    QVariantList values{code};
    for (const RegisterField& spec : spec_.fields) {
        step([&] {
            if (std::optional<QVariant> value = valueToStore(spec, existing.has_value())) {
                columns << spec.column;
                values << *value;
            }
        });
    }
    step([&] {
        if (existing) {
            QStringList assignments;
            for (const QString& column : columns)
                assignments << column + QStringLiteral(" = ?");
            runSql(db(),
                   QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                       .arg(spec_.table, assignments.join(QStringLiteral(", "))),
                   values + QVariantList{existing->id()});
        } else {
            const QString placeholders =
                QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "));
            runSql(db(),
                   QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(spec_.table, columns.join(QStringLiteral(", ")), placeholders),
                   values);
        }
    });
}

void RegisterScreen::incluir() {
    markLocation();
    QString code;
    if (!step([&] { code = nextCode(); })) {
        return;  // without a code there is nothing safe to write
    }
    bool exists = true;
    step([&] { exists = findByCode(code).has_value(); });
    if (exists) {
        // Writing nothing and saying nothing would lose the typed row without a word.
        context().dialogs->inform(
            QStringLiteral("Não foi possível dar um código ao novo registro: o código %1 já "
                           "existe. Nada foi gravado.")
                .arg(code));
        return;
    }
    codeBox_->setText(code);
    writeFields(code, std::nullopt);
    step([this] { reload(); });
    afterIncluir();
    limpaCampos();
}

void RegisterScreen::alterar() {
    markLocation();
    // Only the row shown is changed, found by its id: a code typed over another code must not
    // overwrite that other row.
    if (!shown_) {
        context().dialogs->inform(
            QStringLiteral("Escolha na grade o registro a ser alterado antes de clicar em "
                           "Alterar. Nada foi alterado."));
        return;
    }
    const QString code = codeBox_->text();
    if (code != shown_->text(spec_.codeColumn)) {
        context().dialogs->inform(
            QStringLiteral("O código %1 não é o do registro escolhido na grade (%2). Escolha "
                           "na grade o registro a ser alterado. Nada foi alterado.")
                .arg(code, shown_->text(spec_.codeColumn)));
        return;
    }
    std::optional<Row> existing;
    step([&] {
        existing = fetchRow(db(), QStringLiteral("SELECT * FROM %1 WHERE id = ?").arg(spec_.table),
                            {shown_->id()});
    });
    if (!existing) {
        context().dialogs->inform(
            QStringLiteral("O registro escolhido não existe mais. Nada foi alterado."));
        step([this] { reload(); });
        limpaCampos();
        return;
    }
    writeFields(code, existing);
    step([this] { reload(); });
    afterAlterar();
    limpaCampos();
}

bool RegisterScreen::deleteRow(const Row& row, QString& motivo) {
    TransactionGuard transaction(db());
    motivo = motivoParaManter(row);
    if (!motivo.isEmpty()) {
        return false;
    }
    runSql(db(), QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(spec_.table), {row.id()});
    transaction.commit();
    return true;
}

void RegisterScreen::excluir() {
    markLocation();
    std::optional<Row> row;
    step([&] { row = currentGridRow(); });
    if (!row) {
        limpaCampos();
        return;
    }
    QString motivo;
    step([&] { motivo = motivoParaManter(*row); });
    if (!motivo.isEmpty()) {
        context().dialogs->inform(motivo, QStringLiteral("EXCLUSÃO"));
        return;
    }
    if (context().dialogs->askYesNo(QStringLiteral("Deseja Realmente excluir esse registro? :") +
                                        row->text(spec_.nameColumn),
                                    QStringLiteral("EXCLUSÃO"))) {
        beforeExcluir(*row);
        // Asked first, then written: the check runs again with the delete, in one transaction.
        bool deleted = false;
        step([&] { deleted = deleteRow(*row, motivo); });
        if (!motivo.isEmpty())
            context().dialogs->inform(motivo, QStringLiteral("EXCLUSÃO"));
        if (deleted)
            afterExcluir(*row);
        step([this] { reload(); });
    }
    limpaCampos();
}

void RegisterScreen::limpaCampos() {
    markLocation();
    shown_.reset();
    codeBox_->clear();
    for (const RegisterField& spec : spec_.fields) {
        if (spec.kind == RegisterField::Kind::Number) {
            setFieldText(spec.control, QStringLiteral("0"));
        } else if (spec.kind != RegisterField::Kind::Choice) {
            setFieldText(spec.control, QString());
        }
    }
    if (QWidget* first = field(spec_.firstField)) {
        first->setFocus();
    }
}

void RegisterScreen::sair() {
    close();
}

}  // namespace tavrel
