#include "audio/eventpass.h"

#include <QCoreApplication>

void QtEventPass::run()
{
    QCoreApplication::processEvents();
}
