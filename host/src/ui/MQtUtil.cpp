#include <maya/MQtUtil.h>

#include "ui/QtHost.h"

#include <QMainWindow>

QWidget* MQtUtil::mainWindow() {
    return rvhost::ui::QtHost::mainWindow();
}
