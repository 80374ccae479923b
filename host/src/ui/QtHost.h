#pragma once
#include <string>

class QMainWindow;

namespace rvhost::ui {

// The host's Qt side: one QApplication, on the offscreen platform unless QT_QPA_PLATFORM
// names another, and the main window that MQtUtil::mainWindow hands to plug-ins. Both live
// until the process ends: tearing Qt down at exit gains nothing, and its offscreen platform
// does not free its screen when destroyed.
class QtHost {
public:
    // Makes the application (unless one exists) and the main window; later calls do nothing.
    // Call on the main thread at host start.
    static void start();
    // Before start: the application shows its windows on the X display named by DISPLAY
    // instead of off screen, and the main window stays hidden until shown. False, with
    // `error` set, when there is no display to use.
    static bool useDisplay(std::string& error);
    // The main window, starting Qt first if that has not happened yet.
    static QMainWindow* mainWindow();
};

} // namespace rvhost::ui
