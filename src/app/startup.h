#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace tavrel {

struct Context;
class SingleInstance;

// How the program ended before its main menu was shown.
namespace exit_code {
inline constexpr int kNormal = 0;          // installer closed, login cancelled
inline constexpr int kDataFailed = 1;      // the data folder or the lock could not be used
inline constexpr int kAlreadyRunning = 2;  // another copy runs from the same folder
}  // namespace exit_code

// The program's start: a single copy per folder, the installation marker and its data folder,
// the login, the splash screen and the main menu. Keeps the single-copy lock while it lives.
class Startup {
public:
    explicit Startup(Context& context);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Runs the sequence. Returns the main menu, shown, when the program goes on; nullptr when it
    // must end now (see exitCode()).
    QWidget* run();
    int exitCode() const { return exitCode_; }

private:
    QWidget* end(int code);
    // The installer offered after a message about the marker; the program ends either way.
    QWidget* offerInstaller(const QString& problem);
    bool prepareData(const QString& dataFolder);
    bool login();
    QWidget* showMainMenu();

    Context& context_;
    std::unique_ptr<SingleInstance> instance_;
    int exitCode_ = exit_code::kNormal;
};

}  // namespace tavrel
