#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace tavrel {

struct Context;
class AppError;

// The five-line error text shown to the operator and kept in the error log.
QString errorText(const AppError& error, const QString& formName, const QString& location);

// The bare name of a procedure from the compiler's full function name, as error reports show
// it: "virtual void tavrel::RegisterScreen::incluir()" gives "incluir"; a lambda gives the
// procedure it is written in.
QString procedureName(std::string_view functionName);

// Appends the error lines to the program's error log: date and time, the text, a blank line and
// 103 hyphens. Opened and closed at every call.
void GravaErro(const Context& context, const QString& text);

// Reports a failure of the screen `formName`: shows the error text with an OK button through
// the dialogs seam, then keeps it with GravaErro.
void TrataErro(Context& context, const QString& formName, const AppError& error);

// Runs one step of a procedure under the error convention: a failure is reported with
// TrataErro and swallowed. Returns true when the step completed.
bool runStep(Context& context, const QString& formName, const std::function<void()>& step);

// Runs the steps in order; a failed step is reported and the next one runs. Returns true when
// every step completed.
bool runSteps(Context& context, const QString& formName,
              std::initializer_list<std::function<void()>> steps);

}  // namespace tavrel
