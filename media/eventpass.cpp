#include "media/eventpass.h"

#include <QCoreApplication>

void QtEventPass::run()
{
    QCoreApplication::processEvents();
}
