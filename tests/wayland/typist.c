/* A keyboard held on a wlroots compositor's seat for as long as it runs, for the sway test:
 * a headless sway has no input device, and a keyboard that comes and goes with each key
 * makes the game lose its first key and its focus. Reads lines from stdin:
 *   CODE[+CODE...]   press the evdev codes in order, release them in reverse
 *   sleep MS
 * and answers "ok" to each, once the compositor has had the keys. */
#define _GNU_SOURCE
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

static struct wl_seat *seat;
static struct zwp_virtual_keyboard_manager_v1 *manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "typist: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        fprintf(stderr, "typist: the compositor offers no virtual keyboard\n");
        return 1;
    }

    struct xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    struct xkb_rule_names names = {0};
    names.layout = "us";
    struct xkb_keymap *keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        fprintf(stderr, "typist: no keymap\n");
        return 1;
    }
    struct xkb_state *state = xkb_state_new(keymap);
    char *text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    size_t size = strlen(text) + 1;
    int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, text, size) != (ssize_t)size) {
        fprintf(stderr, "typist: cannot hand over the keymap\n");
        return 1;
    }

    struct zwp_virtual_keyboard_v1 *keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        if (strncmp(line, "sleep ", 6) == 0) {
            usleep((useconds_t)atoi(line + 6) * 1000);
        } else {
            unsigned codes[16];
            int count = 0;
            for (char *part = strtok(line, "+\n"); part && count < 16; part = strtok(NULL, "+\n"))
                codes[count++] = (unsigned)atoi(part);
            for (int i = 0; i < count * 2; ++i) {
                const int pressed = i < count;
                const unsigned code = pressed ? codes[i] : codes[2 * count - 1 - i];
                zwp_virtual_keyboard_v1_key(keyboard, now_ms(), code,
                                            pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
                /* xkb codes are evdev codes plus 8 */
                xkb_state_update_key(state, code + 8, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
                zwp_virtual_keyboard_v1_modifiers(keyboard, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                                                  xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
                                                  xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
                                                  xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
            }
        }
        if (wl_display_roundtrip(display) < 0)
            return 1;
        printf("ok\n");
        fflush(stdout);
    }
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_display_roundtrip(display);
    return 0;
}
