// Loaded into the installed game with LD_PRELOAD by packagetest.sh. Under the offscreen
// platform nothing outside the process can see a window, so this library watches from the
// inside: when the game shows its first top-level window, it prints what a desktop matches
// that window by, then ends the game the way its event loop ends normally.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class WindowProbe final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isWindow())
            return false;
        qApp->removeEventFilter(this);
        std::printf("probe: title=%s\n", qPrintable(widget->windowTitle()));
        std::printf("probe: desktop-file=%s\n", qPrintable(QGuiApplication::desktopFileName()));
        // Qt's X11 window class is the application name.
        std::printf("probe: wm-class=%s\n", qPrintable(QCoreApplication::applicationName()));
        std::printf("probe: organisation=%s\n", qPrintable(QCoreApplication::organizationName()));
        std::printf("probe: icon-16=%s\n", widget->windowIcon().pixmap(16, 16).isNull() ? "missing" : "present");
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

void installProbe() { qApp->installEventFilter(new WindowProbe(qApp)); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
