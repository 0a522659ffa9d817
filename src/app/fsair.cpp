#include "app/fsair.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/readable_text.h"
namespace tavrel {

fsair::fsair(Context& context, QWidget* parent) : Screen(context, QStringLiteral("fsair"), parent) {
    setWindowTitle(QStringLiteral("Sair do Sistema"));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(QStringLiteral("Deseja realmente sair do sistema ?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    question->setAlignment(Qt::AlignCenter);
    question->setFrameShape(QFrame::StyledPanel);
    question->setMargin(12);
    layout->addWidget(question, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* back = new QPushButton(QStringLiteral("Retornar"), this);
    back->setObjectName(QStringLiteral("Command1"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(back);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { confirma(); });
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    resize(340, 140);
    keepTextReadable(this);
}

void fsair::confirma() {
    registraLog(QStringLiteral("************EFETUOU LOG OFF NO SISTEMA************"),
                QStringLiteral("**"));
    emit saidaConfirmada();
}

}  // namespace tavrel
