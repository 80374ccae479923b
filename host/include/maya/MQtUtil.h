#pragma once
#include <maya/MTypes.h>

class QWidget;

// Qt access for plug-ins.
class OPENMAYA_EXPORT MQtUtil {
public:
    // The host's main window (off screen in this host); plug-ins install event filters on it.
    static QWidget* mainWindow();
};
