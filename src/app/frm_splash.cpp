#include "app/frm_splash.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "app/version.h"
#include "core/context.h"
#include "ui/company_logo.h"
#include "ui/readable_text.h"

namespace tavrel {

frmSplash::frmSplash(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("frmSplash"), parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(QString::fromUtf8(kSystemTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);

    auto* logo = new QLabel(this);
    logo->setPixmap(companyLogo(96));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);

    auto* product = new QLabel(QString::fromUtf8(kSystemTitle), this);
    product->setObjectName(QStringLiteral("produto"));
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    auto* version = new QLabel(QStringLiteral("Versão ") + programVersion(), this);
    version->setObjectName(QStringLiteral("versao"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    resize(460, 260);
    keepTextReadable(this);
}

}  // namespace tavrel
