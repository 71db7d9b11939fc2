#include "resources.h"

#include <QtGlobal>

void initTarvelResources() {
    Q_INIT_RESOURCE(icons);
}
