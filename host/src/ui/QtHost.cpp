#include "ui/QtHost.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdlib>
#include <iostream>

namespace rvhost::ui {
namespace {

// QApplication keeps references to argc and argv for its whole life.
int argc = 1;
char programName[] = "rvhost";
char* argv[] = {programName, nullptr};

QMainWindow* window = nullptr;
bool onDisplay = false;

// Qt's own notes (such as a missing XDG_RUNTIME_DIR) would break the host's promise that
// standard error holds only its warnings and errors; only Qt's real failures get through.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "// Error: Qt: " << text.toStdString() << std::endl;
}

} // namespace

void QtHost::start() {
    if (window) return;
    // Headless unless a display was asked for: then no display is needed.
    if (!onDisplay) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(qtMessage);
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    window = new QMainWindow;
    window->setObjectName("rvhostMainWindow");
    window->setWindowTitle("rvhost");
    window->resize(640, 480);
    // Off screen the window is shown at once, as a host's main window is; on a display it
    // waits until the scripts have run.
    if (!onDisplay) window->show();
}

bool QtHost::useDisplay(std::string& error) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        error = "no display: DISPLAY is not set";
        return false;
    }
    onDisplay = true;
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return true;
}

QMainWindow* QtHost::mainWindow() {
    start();
    return window;
}

} // namespace rvhost::ui

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig, which Qt loads, keeps its caches to the end of the process, and so does D-Bus,
// which Qt loads on a display; in sanitizer builds that is not reported as the host's leak,
// and quietly, so the host's standard error stays what scripts expect.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif
