#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <optional>

#include "core/ptbr.h"
#include "data/connection.h"
#include "data/row.h"
#include "ui/formatted_query_model.h"
#include "ui/screen.h"

class QAbstractButton;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QSqlQueryModel;
class QTableView;
class QVBoxLayout;

namespace tavrel {

// One edited field of a register: the control, the column it shows and how its text is stored.
struct RegisterField {
    enum class Kind { Text, Number, Password, Choice };

    // Every member has a default, so a screen names only the ones it sets.
    QString control{};  // objectName of the control, e.g. "nm_cliente"
    QString column{};   // column of the table, e.g. "NM_CLIENTE"
    QString label{};
    QString tooltip{};
    Kind kind = Kind::Text;
    QString group{};                           // frame caption; empty for the main form
    QList<QPair<QString, QString>> choices{};  // Choice: shown text and stored value
    int maxLength = 0;                         // 0: no limit
    bool selectAllOnEnter = false;
    NumberKind numberKind = NumberKind::Amount;  // Number: a rate box refuses any dot
};

struct GridColumn {
    QString caption;
    QString column;
    ColumnFormat format = ColumnFormat::Plain;  // how the grid shows its values
};

// Everything that makes one register screen different from another.
struct RegisterSpec {
    QString formName;
    QString title;
    DatabaseKind database = DatabaseKind::Cheques;
    QString table;
    QString codeColumn;  // the key, given out by the screen
    int codeWidth = 5;
    QString codeControl;
    QString codeLabel = QStringLiteral("Código      :");
    QString codeTooltip;
    // Shown beside the code box; empty for a register keyed on a typed value (the blacklist).
    QString codeNote = QStringLiteral("Não Usar Preenchido automáticamente");
    QList<RegisterField> fields;
    QString nameColumn;  // shown in the delete question
    QString gridName = QStringLiteral("GridEX1");
    QString gridOrder;              // column the grid is ordered by
    QList<GridColumn> gridColumns;  // the first one holds the code
    QString gridTooltip;
    QString firstField;  // control that gets the focus after clearing
    QString clearTooltip;
    bool enterActsAsTab = true;
    bool escapeCloses = true;
};

// The register pattern shared by clients, users, blacklist, ledger descriptions and accounts:
// a code box, the fields, a read-only grid of all rows, and the commands add ("&Incluir"),
// change ("&Alterar"), delete ("&Excluir"), clear ("&Limpa Campos") and leave ("&Sair").
// Every step of a command runs under the error convention. Screens adjust the behaviour through
// the virtual procedures and hooks.
class RegisterScreen : public Screen {
    Q_OBJECT

public:
    RegisterScreen(Context& context, RegisterSpec spec, QWidget* parent = nullptr);
    ~RegisterScreen() override;

    const RegisterSpec& spec() const { return spec_; }

    // Commands.
    virtual void incluir();
    virtual void alterar();
    virtual void excluir();
    virtual void limpaCampos();
    virtual void sair();

    // Shows the row of a grid line (a click on it, or the keyboard moving to it in the grid).
    void escolheLinha(int gridRow);

protected:
    // --- data ---
    QSqlDatabase db() const;
    std::optional<Row> findByCode(const QString& code) const;
    // The row of the grid's current line, found by its code; nothing when no line is current.
    std::optional<Row> currentGridRow() const;
    QString nextCode() const;
    // How many rows of `table` (of this screen's database) have `column` equal to `value`.
    long long countWhere(const QString& table, const QString& column, const QVariant& value) const;
    void reload();

    // --- fields ---
    QLineEdit* codeBox() const { return codeBox_; }
    QWidget* field(const QString& control) const;
    QString fieldText(const QString& control) const;
    void setFieldText(const QString& control, const QString& text);
    QTableView* grid() const { return grid_; }
    QSqlQueryModel* gridModel() const { return gridModel_.get(); }
    // Layout below the fields where a screen adds its own controls.
    QVBoxLayout* extrasLayout() const { return extras_; }
    QGroupBox* groupBox(const QString& caption);
    // Adds a read-only value with its label to a group (or the main form).
    QLineEdit* addShownValue(const QString& control, const QString& label, const QString& tooltip,
                             const QString& group = {});

    // The value to store for a field; nothing leaves the column as it is (unset on a new row).
    // A Number whose text is not a number throws ConversionError (reported, column left unset).
    virtual std::optional<QVariant> valueToStore(const RegisterField& field, bool changing);
    // Puts a stored value into the field's control.
    virtual void showValue(const RegisterField& field, const QVariant& value);
    // Shows a whole row: the code and every field.
    virtual void mostraRegistro(const Row& row);

    // Why a row must stay (the rows of other tables that refer to it, named for the operator);
    // empty when it may be deleted. Deleting it would hand that history to the next row given
    // its code.
    virtual QString motivoParaManter(const Row&) { return {}; }

    // Hooks around the commands (defaults do nothing).
    virtual void afterIncluir() {}
    virtual void afterAlterar() {}
    virtual void beforeExcluir(const Row&) {}
    virtual void afterExcluir(const Row&) {}
    virtual void afterMostra(const Row&) {}

    // Writes a new row or changes `existing` from the fields, each column converted in its own
    // step (a failing conversion is reported and that column left out).
    void writeFields(const QString& code, const std::optional<Row>& existing);

    // The row last shown in the fields, which "&Alterar" changes; nothing after clearing.
    const std::optional<Row>& shownRow() const { return shown_; }

private:
    void buildScreen();
    QWidget* createControl(const RegisterField& field);
    int fieldsInGroup(const QString& caption) const;
    int mainFormRows() const;
    // Deletes the row in one transaction, checking again that nothing refers to it; false (and
    // `motivo` set) when something now does.
    bool deleteRow(const Row& row, QString& motivo);

    RegisterSpec spec_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<QSqlQueryModel> gridModel_;
    QLineEdit* codeBox_ = nullptr;
    QTableView* grid_ = nullptr;
    QHBoxLayout* fieldsRow_ = nullptr;
    QFormLayout* mainForm_ = nullptr;
    QVBoxLayout* groupColumn_ = nullptr;  // the column of frames being filled
    int groupColumnRows_ = 0;
    QVBoxLayout* extras_ = nullptr;
    QList<QPair<QString, QGroupBox*>> groups_;
    std::optional<Row> shown_;
};

}  // namespace tavrel
