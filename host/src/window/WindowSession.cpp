#include "window/WindowSession.h"

#include "script/Interpreter.h"
#include "script/Output.h"
#include "tools/Mouse.h"
#include "ui/QtHost.h"
#include "window/SculptPanel.h"
#include "window/SculptSettings.h"
#include "window/ViewWidget.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <sstream>
#include <vector>

namespace rvhost::window {

namespace {

// Undo and redo go through the script commands, as a user's menu items would; never in
// the middle of a stroke, whose tool command is not finished yet.
void addHistoryAction(QMainWindow& main, const char* shortcut, const char* command,
                      ViewWidget& view) {
    auto* action = new QAction(&main);
    action->setShortcut(QKeySequence(shortcut));
    QObject::connect(action, &QAction::triggered, &view, [command, &view] {
        if (Mouse::instance().buttonDown()) return;
        script::Interpreter::instance().execute(command);
        view.update();
    });
    main.addAction(action);
}

// The window's own keys (undo, redo, close) act wherever the keyboard is: a text box of the
// panel would otherwise claim Ctrl+Z and Ctrl+Y for its own text undo. Refusing the
// shortcut override on their behalf leaves the keys to the window's actions.
class WindowKeys : public QObject {
public:
    explicit WindowKeys(std::vector<QKeySequence> keys, QObject* parent)
        : QObject(parent), keys_(std::move(keys)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(int(key->modifiers() & ~Qt::KeypadModifier) | key->key());
        return std::find(keys_.begin(), keys_.end(), pressed) != keys_.end();
    }

private:
    std::vector<QKeySequence> keys_;
};

void printWindowLine(const ViewWidget& view) {
    const QPoint corner = view.mapToGlobal(QPoint(0, 0));
    std::ostringstream line;
    line << "// Window: view " << corner.x() << ' ' << corner.y() << ' ' << view.width() << ' '
         << view.height() << '\n';
    script::Output::print(line.str());
    script::Output::out().flush();
}

} // namespace

bool runWindow(const std::string& onClose) {
    QMainWindow* main = ui::QtHost::mainWindow();
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new ViewWidget;
    auto* panel = new SculptPanel;
    layout->addWidget(view, 1);
    layout->addWidget(panel, 0, Qt::AlignTop);
    main->setCentralWidget(central);
    auto* status = new QLabel;
    main->statusBar()->addWidget(status, 1);

    auto showSettings = [status] {
        status->setText(QString::fromStdString(SculptSettings::load().statusText()));
    };
    showSettings();
    panel->changed = [view, showSettings] {
        showSettings();
        view->update();
    };
    view->settingsChanged = [panel, showSettings] {
        panel->refresh();
        showSettings();
    };
    // Printed once the first frame is on screen, not merely painted into the back buffer.
    view->firstFrameShown = [view] {
        QTimer::singleShot(0, view, [view] { printWindowLine(*view); });
    };

    addHistoryAction(*main, "Ctrl+Z", "undo;", *view);
    addHistoryAction(*main, "Ctrl+Y", "redo;", *view);
    auto* quit = new QAction(main);
    quit->setShortcut(QKeySequence("Ctrl+Q"));
    QObject::connect(quit, &QAction::triggered, main, &QMainWindow::close);
    main->addAction(quit);
    auto* keys = new WindowKeys(
        {QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Q")}, main);
    qApp->installEventFilter(keys);

    main->adjustSize();
    main->move(0, 0);
    main->show();
    main->raise();
    main->activateWindow();
    view->setFocus();
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();

    view->finishStroke();
    if (onClose.empty()) return true;
    return static_cast<bool>(script::Interpreter::instance().execute(onClose));
}

} // namespace rvhost::window
