#include "log/error_report.h"

#include <QCoreApplication>
#include <cctype>
#include <exception>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "log/text_file.h"

namespace tavrel {

QString errorText(const AppError& error, const QString& formName, const QString& location) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Erro No.") + QString::number(error.number()) + QStringLiteral(" - ") +
           error.description() + crlf + QStringLiteral("Formulário: ") + formName + crlf +
           QStringLiteral("Objeto: ") + error.source() + crlf + QStringLiteral("Procedure: ") +
           location + crlf + QStringLiteral("Anote as informações acima e contacte o suporte.");
}

QString procedureName(std::string_view functionName) {
    // The parameter list is the first parenthesis outside template arguments.
    std::size_t end = functionName.size();
    int angles = 0;
    for (std::size_t i = 0; i < functionName.size(); ++i) {
        const char c = functionName[i];
        if (c == '<') {
            ++angles;
        } else if (c == '>' && angles > 0) {
            --angles;
        } else if (c == '(' && angles == 0) {
            end = i;
            break;
        }
    }
    std::size_t start = end;
    while (start > 0) {
        const char c = functionName[start - 1];
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '~')) {
            break;
        }
        --start;
    }
    return QString::fromUtf8(functionName.substr(start, end - start));
}

void GravaErro(const Context& context, const QString& text) {
    const QDateTime now = context.clock->now();
    appendLines(context.writablePath(context.executableName + QStringLiteral(".log")),
                {QStringLiteral("Data: ") + now.toString(QStringLiteral("dd/MM/yyyy")) +
                     QStringLiteral(" Hora: ") + now.toString(QStringLiteral("hh:mm.ss")),
                 text, QStringLiteral(" "), QString(103, QLatin1Char('-'))});
}

void TrataErro(Context& context, const QString& formName, const AppError& error) {
    const QString text = errorText(error, formName, context.currentLocation);
    context.dialogs->message(text, QString::fromUtf8(kSystemTitle), DialogButtons::Ok,
                             DialogIcon::Critical);
    GravaErro(context, text);
}

bool runStep(Context& context, const QString& formName, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const AppError& error) {
        TrataErro(context, formName, error);
    } catch (const std::exception& error) {
        TrataErro(context, formName,
                  AppError(-1, QString::fromLocal8Bit(error.what()), QStringLiteral("Sistema")));
    }
    return false;
}

bool runSteps(Context& context, const QString& formName,
              std::initializer_list<std::function<void()>> steps) {
    bool allDone = true;
    for (const auto& step : steps) {
        allDone = runStep(context, formName, step) && allDone;
    }
    return allDone;
}

}  // namespace tavrel
