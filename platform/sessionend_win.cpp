// Windows ends a session through messages to the program's windows, not signals, and a
// program without a console gets no Ctrl+C. Qt's platform plugin answers the query itself;
// at WM_ENDSESSION the game marks itself as ending, so that no question is asked again, and
// quits. A save the system cuts short still leaves the stored list whole (its replace is
// atomic).
#include "platform/sessionend.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <windows.h>

namespace {

bool ending = false;

class EndOfSession final : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (eventType == "windows_generic_MSG" && msg->message == WM_ENDSESSION && msg->wParam) {
            ending = true;
            QCoreApplication::quit();
        }
        return false; // Qt still answers it
    }
};

} // namespace

bool sessionEnding()
{
    return ending;
}

void quitOnSessionEnd(QCoreApplication &app)
{
    static EndOfSession filter;
    app.installNativeEventFilter(&filter);
}
