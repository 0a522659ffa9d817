#pragma once

#include <future>
#include <memory>
#include <optional>

#include "cube/cube.h"
#include "cube/cube_reader.h"
#include "cube/data_markers.h"
#include "ui/screen.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace tavrel {

class PivotWidget;

// The analysis cube "Bi - Business Inteligence": the cheques of every client pivoted freely by
// client, status, rate, days, document and dates, with their amounts, taxes and fees summed.
// It only reads the main database and writes nothing to the operation log. The cheques are read
// and summed for the first view on a thread of their own, with a progress bar, so the screen
// answers while a million cheques are read.
class fcubovendas : public Screen {
    Q_OBJECT

public:
    explicit fcubovendas(Context& context, QWidget* parent = nullptr);
    ~fcubovendas() override;

    // Sets the subtotal setting of every field: -1 shows the subtotals, 0 hides them.
    void SetAllGroupFooterTypes(int footerType);

    PivotWidget* DCube1() const { return cube_; }
    // The data markers of the screen, empty at opening and lost at closing.
    DataMarkerCollection& marcadores() { return marcadores_; }
    // The cube file last opened, empty until one is.
    const QString& arquivoCubo() const { return arquivoCubo_; }
    // True once the cheques have been read and the first view is shown (or the read failed).
    bool leituraConcluida() const { return !leitura_.valid(); }

private:
    void constroiTela();
    void preencheMedidas();
    void mostraMedida(QListWidgetItem* item);
    void iniciaLeitura();
    void acompanhaLeitura();
    std::optional<CellColours> formataCelula(int measure, std::optional<double> value);

    PivotWidget* cube_ = nullptr;
    QListWidget* lstVisDataField = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QProgressBar* progresso_ = nullptr;
    QTimer* acompanhamento_ = nullptr;
    DataMarkerCollection marcadores_;
    QString arquivoCubo_;
    ReadProgress progressoLeitura_;
    std::future<std::unique_ptr<Cube>> leitura_;
};

}  // namespace tavrel
