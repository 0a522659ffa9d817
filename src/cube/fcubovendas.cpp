#include "cube/fcubovendas.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/context.h"
#include "cube/cube_print.h"
#include "cube/measure_format.h"
#include "cube/pivot_view.h"
#include "cube/pivot_widget.h"
#include "data/connection.h"
#include "ui/gradient.h"
#include "ui/named_button.h"

namespace tavrel {
namespace {

// A band of the screen painted with the gradient, as the screen's own background is.
class Band : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override;
};

void Band::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PintaFundo(painter, size(), 0, 64, 160, true, 4);
}

}  // namespace

fcubovendas::fcubovendas(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fcubovendas"), parent) {
    constroiTela();
    preencheMedidas();
    iniciaLeitura();
}

fcubovendas::~fcubovendas() {
    if (leitura_.valid()) {
        progressoLeitura_.cancelled = true;
        leitura_.wait();
    }
}

void fcubovendas::constroiTela() {
    setWindowTitle(QStringLiteral("Bi - Business Inteligence"));
    setGradient(0, 128, 255, true, 4);
    resize(1100, 700);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* menuBar = new QMenuBar(this);
    QMenu* menu = menuBar->addMenu(QStringLiteral("Menu Opções"));
    menu->setObjectName(QStringLiteral("Menu"));
    const auto entry = [this, menu](const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    // Cube files, ranking, charts, markers and export come with their own windows; until then
    // their entries are there but do nothing.
    for (const auto& [name, caption] :
         {std::pair{"Abrir", "Abrir"}, std::pair{"Salvar", "Salvar"},
          std::pair{"Classificar", "Classificar"}, std::pair{"graficos", "Graficos"}}) {
        entry(name, caption)->setEnabled(false);
    }
    connect(entry("retirar", "Retirar Totais"), &QAction::triggered, this,
            [this] { SetAllGroupFooterTypes(0); });
    connect(entry("Inserir", "Inserir Totais"), &QAction::triggered, this,
            [this] { SetAllGroupFooterTypes(-1); });
    entry("Marcadores", "Marcadores")->setEnabled(false);
    entry("Exportar", "Exportar")->setEnabled(false);
    layout->setMenuBar(menuBar);

    // Title band across the top.
    auto* top = new Band(this);
    top->setObjectName(QStringLiteral("faixaTitulo"));
    auto* topLayout = new QVBoxLayout(top);
    auto* title = new QLabel(QStringLiteral("Gerador de Relatórios Multi - Dimensional"), top);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* subtitle = new QLabel(QStringLiteral("Olap Server"), top);
    for (QLabel* label : {title, subtitle}) {
        topLayout->addWidget(label, 0, Qt::AlignLeft);
    }
    layout->addWidget(top);

    // The left band holds the measure list and the commands; the cube fills the rest.
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 6, 0);
    auto* left = new Band(this);
    left->setObjectName(QStringLiteral("faixaEsquerda"));
    left->setFixedWidth(170);
    auto* leftLayout = new QVBoxLayout(left);
    lstVisDataField = new QListWidget(left);
    lstVisDataField->setObjectName(QStringLiteral("lstVisDataField"));
    leftLayout->addWidget(lstVisDataField);
    auto* cmdPreview = namedButton(left, "cmdPreview", QStringLiteral("Visualizar"));
    cmdPreview->setToolTip(QStringLiteral("Print Preview"));
    leftLayout->addWidget(cmdPreview);
    auto* Command1 = namedButton(left, "Command1", QStringLiteral("Sair"));
    leftLayout->addWidget(Command1);
    body->addWidget(left);
    cube_ = new PivotWidget(this);
    cube_->setObjectName(QStringLiteral("DCube1"));
    body->addWidget(cube_, 1);
    layout->addLayout(body, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAutoFillBackground(true);  // readable over the dark end of the gradient
    for (int panel = 1; panel <= 6; ++panel) {
        auto* label = new QLabel(StatusBar1);
        label->setObjectName(QStringLiteral("painel%1").arg(panel));
        StatusBar1->addWidget(label, panel == 1 ? 1 : 0);
    }
    StatusBar1->findChild<QLabel*>(QStringLiteral("painel1"))->setText(context().dataFolder);
    StatusBar1->findChild<QLabel*>(QStringLiteral("painel2"))->setText(QStringLiteral("USUARIO"));
    progresso_ = new QProgressBar(StatusBar1);
    progresso_->setObjectName(QStringLiteral("progressoLeitura"));
    progresso_->setFormat(QStringLiteral("Lendo cheques: %p%"));
    progresso_->setMinimumWidth(220);
    progresso_->setMaximumWidth(320);
    StatusBar1->addPermanentWidget(progresso_);
    layout->addWidget(StatusBar1);

    connect(cmdPreview, &QPushButton::clicked, this, [this] {
        if (cube_->view() != nullptr) {
            imprimeCubo(context(), formName(), *cube_->view());
        }
    });
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(lstVisDataField, &QListWidget::itemChanged, this, &fcubovendas::mostraMedida);
    cube_->setCellColouring(
        [this](int measure, std::optional<double> value) { return formataCelula(measure, value); });
}

void fcubovendas::preencheMedidas() {
    step([this] {
        const QSignalBlocker quiet(lstVisDataField);
        const CubeLayout& layout = cube_->layout();
        for (int measure = 0; measure < layout.measureCount(); ++measure) {
            auto* item = new QListWidgetItem(layout.field(layout.measureField(measure)).caption,
                                             lstVisDataField);
            item->setData(Qt::UserRole, measure);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    });
}

void fcubovendas::mostraMedida(QListWidgetItem* item) {
    step([this, item] {
        cube_->setMeasureVisible(item->data(Qt::UserRole).toInt(),
                                 item->checkState() == Qt::Checked);
    });
}

void fcubovendas::SetAllGroupFooterTypes(int footerType) {
    step([this, footerType] {
        cube_->layout().setAllGroupFooterTypes(footerType);
        cube_->recalculate();
    });
}

void fcubovendas::iniciaLeitura() {
    const QString path = context().dataPath(databaseFileName(DatabaseKind::Cheques));
    leitura_ = std::async(std::launch::async,
                          [path, progress = &progressoLeitura_]() -> std::unique_ptr<Cube> {
                              std::optional<CubeData> read = readCubeSource(path, progress);
                              if (!read) {
                                  return nullptr;  // the screen closed while reading
                              }
                              return std::make_unique<Cube>(std::move(*read));
                          });
    acompanhamento_ = new QTimer(this);
    acompanhamento_->setInterval(50);
    connect(acompanhamento_, &QTimer::timeout, this, &fcubovendas::acompanhaLeitura);
    acompanhamento_->start();
}

void fcubovendas::acompanhaLeitura() {
    const long long total = progressoLeitura_.total;
    progresso_->setRange(0, static_cast<int>(std::min<long long>(total, 1 << 30)));
    progresso_->setValue(static_cast<int>(std::min(progressoLeitura_.read.load(), total)));
    if (leitura_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return;
    }
    acompanhamento_->stop();
    progresso_->hide();
    std::future<std::unique_ptr<Cube>> done = std::move(leitura_);
    step([this, &done] {
        std::unique_ptr<Cube> read = done.get();  // rethrows what made the read fail
        if (read) {
            cube_->setCube(std::move(read));
        }
    });
}

std::optional<CellColours> fcubovendas::formataCelula(int measure, std::optional<double> value) {
    if (marcadores_.Count() == 0) {
        return std::nullopt;
    }
    std::optional<CellColours> colours;
    step([&] {
        const CubeField& field = cube_->layout().field(cube_->layout().measureField(measure));
        const std::optional<double> shown =
            value ? std::optional<double>(shownValue(field.numberFormat, *value)) : std::nullopt;
        colours = markerColours(marcadores_, field.identifier, shown);
    });
    return colours;
}

}  // namespace tavrel
