#include "event_loop.h"

#include <QCoreApplication>

namespace kestrova {

void yieldToEventLoop()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace kestrova
