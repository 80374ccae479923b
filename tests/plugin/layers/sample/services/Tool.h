#include "display/Draw.h"
#include "heightmap/Picture.h"
#include "sculpt/Base.h"
#include <QObject>
