#include "setup/ffaleconosco.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/maker_contact.h"
#include "ui/company_logo.h"
#include "ui/named_button.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ffaleconosco::ffaleconosco(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("ffaleconosco"), parent) {
    setWindowTitle(QStringLiteral("Fale Conosco"));
    auto* layout = new QHBoxLayout(this);
    QLabel* picture = makeLabel(this, "Image1", {});
    picture->setPixmap(companyLogo(96));
    layout->addWidget(picture, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    QLabel* pedido = makeLabel(
        this, "Label1",
        QStringLiteral("Ajude-nos a melhorar a qualidade dos nossos produtos. A sua satisfação é "
                       "muito importante para nós.Por favor nos informe sobre suas dúvidas ou "
                       "sugestões para que possamos melhor atendê-lo."));
    pedido->setWordWrap(true);
    texts->addWidget(pedido);
    texts->addWidget(
        makeLabel(this, "Label2",
                  QStringLiteral("Telefone: %1").arg(QString::fromUtf8(maker_contact::kTelefone))));
    texts->addWidget(
        makeLabel(this, "Label3",
                  QStringLiteral("E-mail: %1").arg(QString::fromUtf8(maker_contact::kEmail))));
    texts->addStretch();
    QPushButton* sair = namedButton(this, "Command1", QStringLiteral("&Sair"));
    texts->addWidget(sair, 0, Qt::AlignRight);
    layout->addLayout(texts, 1);

    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    keepTextReadable(this);
    resize(460, 240);
}

}  // namespace tavrel
