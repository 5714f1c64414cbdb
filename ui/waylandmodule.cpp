// The module tobrinel_wayland (see waylandmodule.h): the scale check before start, and the
// modal hint for GNOME's shell through gtk_shell1 on Qt's own Wayland connection.
//
// For the hint, our objects live on an event queue of their own, so that Qt's queue never
// sees an event meant for them and the module needs no part of Qt's event handling. The
// shell's answer to set_modal is nothing: the window it maps next is a modal dialog,
// attached to the parent Qt already named (xdg_toplevel.set_parent) and centred over it.
// The shell acts on set_modal only once the surface is a toplevel, and places the window
// at its first picture: so the request goes out when Qt has just made the window visible,
// which gives the surface its role but no picture yet (that waits for the shell's first
// configure, which Qt reads in its event loop). The window's visibleChanged signal and its
// show event come too early for it: Qt 6.4 sends both before it makes the role, and before
// it has a wl_surface at all for a window shown again.
#include "ui/waylandmodule.h"

#include "platform/monitorscale.h"

#include "gtkshell-modal-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstring>
#include <deque>
#include <vector>

namespace {

struct Shell
{
    wl_display *display = nullptr;
    wl_event_queue *queue = nullptr;
    gtk_shell1 *shell = nullptr;
};

void announced(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    auto *shell = static_cast<Shell *>(data);
    if (!shell->shell && std::strcmp(interface, gtk_shell1_interface.name) == 0)
        shell->shell = static_cast<gtk_shell1 *>(wl_registry_bind(registry, name, &gtk_shell1_interface, 1));
}

void withdrawn(void *, wl_registry *, uint32_t)
{
}

const wl_registry_listener registryListener{announced, withdrawn};

QPlatformNativeInterface *native()
{
    return QGuiApplication::platformNativeInterface();
}

// The shell's gtk_shell1, bound once, on the first dialog; null where there is none.
const Shell &shell()
{
    static const Shell bound = [] {
        Shell found;
        found.display = static_cast<wl_display *>(native()->nativeResourceForIntegration("wl_display"));
        if (!found.display)
            return found;
        found.queue = wl_display_create_queue(found.display);
        // The registry through a wrapper on our queue: the global and everything made from
        // it stay on that queue, and Qt's own registry is not disturbed.
        auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(found.display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), found.queue);
        wl_registry *registry = wl_display_get_registry(wrapper);
        wl_proxy_wrapper_destroy(wrapper);
        wl_registry_add_listener(registry, &registryListener, &found);
        wl_display_roundtrip_queue(found.display, found.queue);
        wl_registry_destroy(registry);
        return found;
    }();
    return bound;
}

// One window's gtk_surface1. The shell allows one for each wl_surface, ever: a second is a
// protocol error that ends the game's connection. Qt 6.4 destroys a window's wl_surface
// when it hides the window and makes a new one when it shows it again; the hint forgets
// its gtk_surface1 at the hide event, which comes once the surface is gone, so that a new
// surface at the old one's address still gets its own. Should Qt keep the surface, so
// does the hint.
class ModalHint final : public QObject
{
public:
    explicit ModalHint(QWindow *window) : QObject(window), m_window(window)
    {
        setObjectName(name());
        window->installEventFilter(this);
    }
    ~ModalHint() override { forget(); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && surface() != m_surface)
            forget();
        return false;
    }

    static QString name() { return QStringLiteral("tobrinel-shell-modal-hint"); }

    void shown()
    {
        wl_surface *current = surface();
        if (!current || (m_gtkSurface && current == m_surface))
            return;
        forget();
        const Shell &bound = shell();
        m_gtkSurface = gtk_shell1_get_gtk_surface(bound.shell, current);
        m_surface = current;
        gtk_surface1_set_modal(m_gtkSurface);
        wl_display_flush(bound.display);
        // Events for our objects are of no use; they are dropped rather than kept on the
        // queue for the rest of the run.
        wl_display_dispatch_queue_pending(bound.display, bound.queue);
    }

private:
    wl_surface *surface() const
    {
        return static_cast<wl_surface *>(native()->nativeResourceForWindow("surface", m_window));
    }

    // The shell has no request to end a gtk_surface1 in the version bound: it ends with
    // its wl_surface. Only our side of it goes.
    void forget()
    {
        if (m_gtkSurface)
            gtk_surface1_destroy(m_gtkSurface);
        m_gtkSurface = nullptr;
        m_surface = nullptr;
    }

    QWindow *m_window;
    wl_surface *m_surface = nullptr;
    gtk_surface1 *m_gtkSurface = nullptr;
};

// --- the scale check -------------------------------------------------------------------
// Each monitor's mode (wl_output) and logical size (xdg_output), for anyFractionalScale.
struct Output
{
    wl_output *output = nullptr;
    zxdg_output_v1 *logical = nullptr;
    MonitorSize size;
};

struct Outputs
{
    zxdg_output_manager_v1 *manager = nullptr;
    std::deque<Output> list; // stays where it is as the list grows: the listeners point into it
};

void outputGeometry(void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *, const char *,
                    int32_t)
{
}

void outputMode(void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        static_cast<Output *>(data)->size.modeWidth = width;
        static_cast<Output *>(data)->size.modeHeight = height;
    }
}

void outputDone(void *, wl_output *)
{
}

void outputScale(void *, wl_output *, int32_t)
{
}

void outputText(void *, wl_output *, const char *)
{
}

const wl_output_listener outputListener{outputGeometry, outputMode, outputDone, outputScale, outputText, outputText};

void logicalPosition(void *, zxdg_output_v1 *, int32_t, int32_t)
{
}

void logicalSize(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
{
    static_cast<Output *>(data)->size.logicalWidth = width;
    static_cast<Output *>(data)->size.logicalHeight = height;
}

void logicalDone(void *, zxdg_output_v1 *)
{
}

void logicalText(void *, zxdg_output_v1 *, const char *)
{
}

const zxdg_output_v1_listener logicalListener{logicalPosition, logicalSize, logicalDone, logicalText, logicalText};

void outputAnnounced(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *outputs = static_cast<Outputs *>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0 && version >= 2) {
        // Its mode comes right after the bind: the listener has to be there first.
        Output &output = outputs->list.emplace_back();
        output.output = static_cast<wl_output *>(wl_registry_bind(registry, name, &wl_output_interface, 2));
        wl_output_add_listener(output.output, &outputListener, &output);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !outputs->manager) {
        outputs->manager = static_cast<zxdg_output_manager_v1 *>(
            wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, 1));
    }
}

const wl_registry_listener outputRegistryListener{outputAnnounced, withdrawn};

int fractionalScale(wl_display *display)
{
    Outputs outputs;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &outputRegistryListener, &outputs);
    int answer = -1;
    if (wl_display_roundtrip(display) >= 0 && outputs.manager) {
        for (Output &output : outputs.list) {
            output.logical = zxdg_output_manager_v1_get_xdg_output(outputs.manager, output.output);
            zxdg_output_v1_add_listener(output.logical, &logicalListener, &output);
        }
        if (wl_display_roundtrip(display) >= 0) {
            std::vector<MonitorSize> sizes;
            for (const Output &output : outputs.list)
                sizes.push_back(output.size);
            answer = anyFractionalScale(sizes);
        }
    }
    for (const Output &output : outputs.list) {
        if (output.logical)
            zxdg_output_v1_destroy(output.logical);
        wl_output_destroy(output.output);
    }
    if (outputs.manager)
        zxdg_output_manager_v1_destroy(outputs.manager);
    wl_registry_destroy(registry);
    return answer;
}

} // namespace

extern "C" Q_DECL_EXPORT int tobrinelFractionalScale()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return -1;
    const int answer = fractionalScale(display);
    wl_display_disconnect(display);
    return answer;
}

extern "C" Q_DECL_EXPORT void tobrinelShellModalHint(QWindow *window)
{
    if (!window || !shell().shell)
        return;
    QObject *hint = window->findChild<QObject *>(ModalHint::name(), Qt::FindDirectChildrenOnly);
    static_cast<ModalHint *>(hint ? hint : new ModalHint(window))->shown();
}
