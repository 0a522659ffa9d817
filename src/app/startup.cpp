#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "app/frm_login.h"
#include "app/single_instance.h"
#include "app/start_plan.h"
#include "app/sys_ini.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "data/data_folder.h"
#include "data/open_failure.h"
#include "log/error_report.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

// Name under which start-up failures are reported.
const char* const kStartupSource = "Inicio";

// Why the single-copy lock could not be written, in words the operator can act on: without it
// the program would otherwise say that another copy is running.
AppError lockFailure(const QString& lockPath) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(lockPath).absolutePath());
    const QString file = QDir::toNativeSeparators(lockPath);
    const QString source = QStringLiteral("Trava de cópia única");
    switch (probeFolderWrite(QFileInfo(lockPath).absolutePath())) {
        case FolderWrite::NoRoom:
            return AppError(error_number::kDiskFull,
                            QStringLiteral("O disco da pasta %1 está cheio: não há espaço para o "
                                           "arquivo %2, que impede duas cópias do sistema "
                                           "abertas ao mesmo tempo. Libere espaço no disco e "
                                           "abra o sistema de novo.")
                                .arg(folder, file),
                            source);
        case FolderWrite::NotPermitted:
            return AppError(error_number::kPermissionDenied,
                            QStringLiteral("A pasta %1 não pode ser gravada, e o sistema precisa "
                                           "gravar nela o arquivo %2, que impede duas cópias do "
                                           "sistema abertas ao mesmo tempo.")
                                .arg(folder, file),
                            source);
        case FolderWrite::Possible:
        case FolderWrite::Failed:
            break;
    }
    return AppError(error_number::kFileAccess,
                    QStringLiteral("Não foi possível gravar o arquivo %1, que impede duas cópias "
                                   "do sistema abertas ao mesmo tempo.")
                        .arg(file),
                    source);
}

}  // namespace

Startup::Startup(Context& context) : context_(context) {}

Startup::~Startup() = default;

QWidget* Startup::run() {
    instance_ = std::make_unique<SingleInstance>(
        instanceLockPath(context_.programFolder, context_.writableFolder));
    if (!instance_->acquire()) {
        if (!instance_->heldByAnother()) {
            TrataErro(context_, QString::fromLatin1(kStartupSource),
                      lockFailure(instance_->path()));
            return end(exit_code::kDataFailed);
        }
        context_.dialogs->message(QStringLiteral("Programa Já Encontra-se Ativo..."), {});
        return end(exit_code::kAlreadyRunning);
    }

    std::optional<QString> markerLine;
    if (!runStep(context_, QString::fromLatin1(kStartupSource),
                 [&] { markerLine = readSysIni(sysIniPath(context_)); })) {
        return end(exit_code::kDataFailed);
    }
    const StartPlan plan = planStart(markerLine, context_.programFolder);
    switch (plan.step) {
        case StartStep::Install:
            context_.screens->openModal(QStringLiteral("finstalacao"));
            return end(exit_code::kNormal);
        case StartStep::NoFolderNamed:
            return offerInstaller(
                QStringLiteral("O arquivo de configuração sys.ini não indica a pasta de dados."));
        case StartStep::FolderMissing:
            return offerInstaller(
                QStringLiteral("A pasta de dados \"%1\", indicada no arquivo de configuração "
                               "sys.ini, não existe.")
                    .arg(QDir::toNativeSeparators(plan.dataFolder)));
        case StartStep::Login:
            break;
    }

    if (!prepareData(plan.dataFolder)) {
        return end(exit_code::kDataFailed);
    }
    if (!login()) {
        return end(exit_code::kNormal);
    }
    return showMainMenu();
}

QWidget* Startup::end(int code) {
    exitCode_ = code;
    return nullptr;
}

QWidget* Startup::offerInstaller(const QString& problem) {
    if (context_.dialogs->askYesNo(
            problem + QStringLiteral("\nDeseja executar o instalador agora?"),
            QString::fromUtf8(kSystemTitle), DialogIcon::Warning)) {
        context_.screens->openModal(QStringLiteral("finstalacao"));
    }
    return end(exit_code::kNormal);
}

bool Startup::prepareData(const QString& dataFolder) {
    context_.dataFolder = dataFolder;
    const QString source = QString::fromLatin1(kStartupSource);
    DataFolderReport report;
    const bool prepared = runStep(context_, source, [&] {
        report = prepareDataFolder(
            dataFolder, QDir(context_.programFolder).filePath(QStringLiteral("templates")));
    });
    if (!prepared) {
        return false;
    }
    if (!report.createdDatabases.isEmpty()) {
        context_.dialogs->inform(
            QStringLiteral("A pasta de dados \"%1\" não tinha os bancos de dados do sistema.\n"
                           "Foram criados: %2.")
                .arg(QDir::toNativeSeparators(dataFolder),
                     report.createdDatabases.join(QStringLiteral(", "))));
    }
    // The program can run without a template; the operator is told which prints will fail.
    for (const AppError& problem : report.problems) {
        TrataErro(context_, source, problem);
    }
    return true;
}

bool Startup::login() {
    // The login values are written once, by a successful login.
    context_.userName.clear();
    context_.userCode.clear();
    bool accepted = false;
    context_.screens->openModal(QStringLiteral("frmLogin"), nullptr, [&accepted](QWidget* screen) {
        if (auto* login = qobject_cast<frmLogin*>(screen)) {
            QObject::connect(login, &frmLogin::loginAceito, login,
                             [&accepted] { accepted = true; });
        }
    });
    return accepted;
}

QWidget* Startup::showMainMenu() {
    QWidget* splash = context_.screens->create(QStringLiteral("frmSplash"));
    if (splash != nullptr) {
        splash->show();
        splash->repaint();
        QApplication::processEvents();
    }
    QWidget* menu = context_.screens->create(QStringLiteral("fprincipal"));
    if (splash != nullptr) {
        splash->close();
    }
    if (menu != nullptr) {
        menu->showMaximized();
    }
    return menu;
}

}  // namespace tavrel
