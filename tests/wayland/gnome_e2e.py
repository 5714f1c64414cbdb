#!/usr/bin/python3
# The game on GNOME Shell, headless, played by keyboard through the shell's remote-desktop
# interface, as an unprivileged user (run_as_player.sh sets that up). It wins a game and
# checks that the name question and the Black List open over the main window, that the
# results window has the keyboard once the list has closed, that Space presses "Great",
# and that the exit question opens over the main window. Before that it opens the main
# window once on native Wayland, and holds the game's logo and step count to that window's
# sharpness at the same scale. As GNOME players start it (platform auto), the game must run
# through X11 at a whole scale and on Wayland at a fractional one. Given the reshow helper,
# it then has it show one modal dialog on Wayland, hide it and show it again: the dialog must
# open over its window both times, and the helper's connection must live to the end. The
# shell itself, asked through its Eval interface, reports each window's frame, focus and
# title-bar owner.
# Usage: gnome_e2e.py <tobrinel> <tobrinel_solution> <platform: auto|wayland|xcb> <scale> <shots dir or -> <reshow or ->
import json
import os
import subprocess
import sys
import time

import gi

gi.require_version('Gio', '2.0')
gi.require_version('GdkPixbuf', '2.0')
from gi.repository import GdkPixbuf, Gio, GLib  # noqa: E402
import numpy  # noqa: E402

sys.dont_write_bytecode = True  # nothing written beside the sources
from driverkit import SKIP, cleanup, failures, run, start, wait_until  # noqa: E402
import driverkit  # noqa: E402


def bail(code, message):
    driverkit.bail(code, message, ('shell.log', 'shell.log.err', 'game.log', 'game.log.err'))


game, solution, platform, scale = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
shots = sys.argv[5] if len(sys.argv) > 5 and sys.argv[5] != '-' else None
reshow = sys.argv[6] if len(sys.argv) > 6 and sys.argv[6] != '-' else None
sysconf = os.path.join(run, 'system.conf')
with open(sysconf, 'w') as f:
    f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN" '
            '"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
            '<busconfig><type>system</type><listen>unix:path=%s/system_bus</listen>'
            '<policy context="default"><allow send_destination="*" eavesdrop="true"/>'
            '<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n' % run)
start(['dbus-daemon', '--config-file=' + sysconf, '--nofork'], 'system-bus.log')
start(['dbus-daemon', '--session', '--address=unix:path=%s/bus' % run, '--nofork'], 'session-bus.log')
os.environ['DBUS_SYSTEM_BUS_ADDRESS'] = 'unix:path=%s/system_bus' % run
os.environ['DBUS_SESSION_BUS_ADDRESS'] = 'unix:path=%s/bus' % run
if not wait_until(lambda: os.path.exists(run + '/bus') and os.path.exists(run + '/system_bus'), 10):
    bail(1, 'the D-Bus daemons did not start')

data = os.environ['XDG_DATA_HOME']
os.makedirs(data + '/gnome-shell', exist_ok=True)
open(data + '/gnome-shell/lock-warning-shown', 'w').close()
# The monitor at the scale asked for; a fractional one needs mutter's framebuffer scaling.
if float(scale) != int(float(scale)):
    subprocess.run(['gsettings', 'set', 'org.gnome.mutter', 'experimental-features',
                    "['scale-monitor-framebuffer']"], check=False)
# No key repeat: the driver sends a key's press and release as two calls, and a shell that
# stalls between them (two loaded cores) would make Xwayland or the game repeat the key.
subprocess.run(['gsettings', 'set', 'org.gnome.desktop.peripherals.keyboard', 'repeat', 'false'], check=False)
display_name = 'tobw-gnome-%d' % os.getpid()
shell_env = dict(os.environ, XDG_CURRENT_DESKTOP='GNOME', XDG_SESSION_TYPE='wayland')
# The scale from the first frame, as in a session that starts at it; the scale is set
# again below should the shell not take this file.
# A monitor of 1280x900 logical pixels at every scale, room for every window; mutter
# offers a scale only where the monitor's size divides by it (1280x900 would give 1.54, not 1.5).
width, height = round(1280 * float(scale)), round(900 * float(scale))
with open(os.path.join(os.environ['XDG_CONFIG_HOME'], 'monitors.xml'), 'w') as f:
    f.write('<monitors version="2"><configuration><logicalmonitor><x>0</x><y>0</y><scale>%s</scale>'
            '<primary>yes</primary><monitor><monitorspec><connector>Meta-0</connector><vendor>MetaVendor</vendor>'
            '<product>MetaVirtualMonitor</product><serial>0x00</serial></monitorspec><mode><width>%d</width>'
            '<height>%d</height><rate>60</rate></mode></monitor></logicalmonitor></configuration></monitors>\n'
            % (scale, width, height))
monitor_size = '%dx%d' % (width, height)
shell = start(['gnome-shell', '--wayland', '--headless', '--unsafe-mode', '--virtual-monitor', monitor_size,
               '--wayland-display', display_name], 'shell.log', shell_env)
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def has_name(name):
    reply = bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                          'NameHasOwner', GLib.Variant('(s)', (name,)), None, 0, 2000, None)
    return reply.unpack()[0]


if not wait_until(lambda: shell.poll() is None and has_name('org.gnome.Shell'), 30):
    bail(SKIP if shell.poll() is not None else 1, 'GNOME Shell did not start here')


def shell_eval(js):
    reply = bus.call_sync('org.gnome.Shell', '/org/gnome/Shell', 'org.gnome.Shell', 'Eval',
                          GLib.Variant('(s)', (js,)), None, 0, 30000, None)
    ok, result = reply.unpack()
    if not ok:
        raise RuntimeError('Eval: ' + result)
    return json.loads(result) if result else None


def shell_ready():
    try:
        return shell_eval('global.display !== null')
    except (GLib.Error, RuntimeError):
        return False


if not wait_until(shell_ready, 30):
    bail(1, 'GNOME Shell did not answer Eval (is it in unsafe mode?)')
if scale != '1':
    # The virtual monitor at the asked scale, through the display configuration interface.
    state = bus.call_sync('org.gnome.Mutter.DisplayConfig', '/org/gnome/Mutter/DisplayConfig',
                          'org.gnome.Mutter.DisplayConfig', 'GetCurrentState', None, None, 0, 5000, None).unpack()
    serial, monitors = state[0], state[1]
    print('the shell started at scale %.3f' % state[2][0][2])
    connector = monitors[0][0][0]
    mode = next(m for m in monitors[0][1] if m[6].get('is-current'))
    wanted = float(scale)
    supported = mode[5]
    best = min(supported, key=lambda s: abs(s - wanted))
    config = [(0, 0, best, 0, True, [(connector, mode[0], {})])]
    bus.call_sync('org.gnome.Mutter.DisplayConfig', '/org/gnome/Mutter/DisplayConfig',
                  'org.gnome.Mutter.DisplayConfig', 'ApplyMonitorsConfig',
                  GLib.Variant('(uua(iiduba(ssa{sv}))a{sv})', (serial, 1, config, {})), None, 0, 5000, None)
    print('monitor %s at scale %.3f (supported: %s)' % (connector, best, ', '.join('%.2f' % s for s in supported)))

# A new session opens in the overview, once it has started up, and there no window has the keyboard.
wait_until(lambda: shell_eval('!imports.ui.main.layoutManager._startingUp'), 10)
time.sleep(0.5)
shell_eval('imports.ui.main.overview.hide()')
if not wait_until(lambda: shell_eval('!imports.ui.main.overview.visible && !imports.ui.main.overview.animationInProgress'), 10):
    bail(1, 'the overview did not close')
if shell_eval('new imports.gi.Gio.Settings({schema_id: "org.gnome.desktop.peripherals.keyboard"}).get_boolean("repeat")'):
    print('the shell repeats held keys: a stall between press and release can type a key twice')
x_display = shell_eval('imports.gi.GLib.getenv("DISPLAY")')
x_authority = shell_eval('imports.gi.GLib.getenv("XAUTHORITY")')
if x_display and float(scale) >= 2:
    # What GNOME's settings daemon tells X11 programs at a whole scale, so they draw to it.
    subprocess.run(['xrdb', '-merge'], input='Xft.dpi: %d\n' % (96 * int(float(scale))), text=True, check=False,
                   env=dict(os.environ, DISPLAY=x_display, XAUTHORITY=x_authority or ''))

# --- input ----------------------------------------------------------------------------------
rd_path = bus.call_sync('org.gnome.Mutter.RemoteDesktop', '/org/gnome/Mutter/RemoteDesktop',
                        'org.gnome.Mutter.RemoteDesktop', 'CreateSession', None, None, 0, 5000, None).unpack()[0]


# Generous: on a loaded machine (the sanitizer builds run beside it) the shell may stall for
# seconds before it takes a key, and a key given up on is a test lost for nothing.
def session(method, args=None):
    return bus.call_sync('org.gnome.Mutter.RemoteDesktop', rd_path, 'org.gnome.Mutter.RemoteDesktop.Session',
                         method, args, None, 0, 30000, None)


session('Start')
KEYS = {'alt': 56, 'shift': 42, 'ctrl': 29, 'tab': 15, 'space': 57, 'return': 28, 'escape': 1,
        'a': 30, 'e': 18, 'f': 33, 'g': 34, 'k': 37, 'p': 25, 's': 31, 'y': 21}


def key(combo, pause=0.03):
    parts = [KEYS[p] for p in combo.split('+')]
    for code in parts:
        session('NotifyKeyboardKeycode', GLib.Variant('(ub)', (code, True)))
    for code in reversed(parts):
        session('NotifyKeyboardKeycode', GLib.Variant('(ub)', (code, False)))
    time.sleep(pause)



# --- the game -----------------------------------------------------------------------------
WINDOWS_JS = '''global.get_window_actors().map(a => a.meta_window).map(w => {
    const r = w.get_frame_rect(), c = w.frame_rect_to_client_rect(r);
    return {title: w.get_title(), x: r.x, y: r.y, w: r.width, h: r.height, cx: c.x, cy: c.y, focus: w.has_focus(),
            csd: w.is_client_decorated(), x11: w.get_client_type() === 1,
            transient: w.get_transient_for() ? w.get_transient_for().get_title() : null};
})'''


def windows():
    return shell_eval(WINDOWS_JS)


def window(title):
    return next((w for w in windows() if w['title'] == title), None)


def screenshot(name, folder=None):
    folder = folder or shots
    if not folder:
        return None
    path = os.path.join(folder, name + '.png')
    try:
        bus.call_sync('org.gnome.Shell.Screenshot', '/org/gnome/Shell/Screenshot', 'org.gnome.Shell.Screenshot',
                      'Screenshot', GLib.Variant('(bbs)', (False, False, path)), None, 0, 10000, None)
        print('screenshot ' + path)
        return path
    except GLib.Error as error:
        print('no screenshot: ' + error.message)
        return None


# --- sharpness ----------------------------------------------------------------------------
# The logo and the step count, in the main window's logical pixels from its client area's
# corner (below the title bar): what a player reads first, and what goes soft when mutter
# enlarges an X11 program's 1x pixels.
CROPS = {'logo': (8, 34, 212, 100), 'step count': (10, 138, 86, 74)}


def load_grey(path):
    pixbuf = GdkPixbuf.Pixbuf.new_from_file(path)
    rows = numpy.frombuffer(pixbuf.get_pixels(), dtype=numpy.uint8).reshape(pixbuf.get_height(), -1)
    channels = pixbuf.get_n_channels()
    rgb = rows[:, :pixbuf.get_width() * channels].reshape(pixbuf.get_height(), pixbuf.get_width(), channels)
    return rgb[:, :, :3].astype(numpy.float64) @ numpy.array([0.299, 0.587, 0.114])


def client_corner(w, layout, factor):
    """The client area's corner in screen pixels; layout is the screen's pixels to the shell's
    (1 at a whole scale, where mutter lays windows out in the screen's pixels). The shell knows
    the corner for a window it frames; a Wayland window's own title bar is about 30 of the
    game's pixels high, and the reference crop is found by matching anyway."""
    if w['csd']:
        return round(w['x'] * layout), round(w['y'] * layout + 30 * factor)
    return round(w['cx'] * layout), round(w['cy'] * layout)


def mean_gradient(grey):
    gy, gx = numpy.gradient(grey)
    return float(numpy.hypot(gx, gy).mean())


def matching_crop(grey, template, near, reach):
    """Where in grey, within reach pixels of near, template fits best (least mean absolute
    difference): the same crop from a window whose title bar is another height."""
    h, w = template.shape
    best = None
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            y, x = near[1] + dy, near[0] + dx
            if y < 0 or x < 0 or y + h > grey.shape[0] or x + w > grey.shape[1]:
                continue
            score = numpy.abs(grey[y:y + h, x:x + w] - template).mean()
            if best is None or score < best[0]:
                best = (score, x, y)
    return grey[best[2]:best[2] + h, best[1]:best[1] + w], (best[1], best[2])


def sharpness(measured_path, measured, reference_path, reference, factor, folder):
    """factor: the game's pixels to the screen's. Each crop's mean gradient magnitude in the game as started, over the same crop from
    native Wayland at the same scale. Saves both crops at 1:1 beside the screenshots."""
    shot, ref = load_grey(measured_path), load_grey(reference_path)
    layout = shot.shape[1] / shell_eval('global.stage.width')
    corner, ref_corner = client_corner(measured, layout, factor), client_corner(reference, layout, factor)
    ratios = {}
    for name, (x, y, w, h) in CROPS.items():
        x0, y0 = corner[0] + round(x * factor), corner[1] + round(y * factor)
        crop = shot[y0:y0 + round(h * factor), x0:x0 + round(w * factor)]
        near = (ref_corner[0] + round(x * factor), ref_corner[1] + round(y * factor))
        ref_crop, _ = matching_crop(ref, crop, near, round(12 * factor))
        ratios[name] = mean_gradient(crop) / mean_gradient(ref_crop)
        for tag, pixels in (('game', crop), ('wayland', ref_crop)):
            out = GdkPixbuf.Pixbuf.new_from_bytes(
                GLib.Bytes.new(numpy.repeat(pixels.clip(0, 255).astype(numpy.uint8)[:, :, None], 3, 2).tobytes()),
                GdkPixbuf.Colorspace.RGB, False, 8, pixels.shape[1], pixels.shape[0], pixels.shape[1] * 3)
            out.savev(os.path.join(folder, '%s-%s-%s.png' % (scale, name.replace(' ', '-'), tag)), 'png', [], [])
    return ratios


MAIN = 'Tobrinel - Karvolen 2003'
game_env = dict(os.environ, XDG_CURRENT_DESKTOP='GNOME', XDG_SESSION_TYPE='wayland', WAYLAND_DISPLAY=display_name)
game_env.pop('QT_QPA_PLATFORM', None)
if x_display:
    game_env['DISPLAY'] = x_display
    if x_authority:
        game_env['XAUTHORITY'] = x_authority
else:
    game_env.pop('DISPLAY', None)
# The same main window on native Wayland first, at the same scale: the sharpness the game is
# measured against.
reference_env = dict(game_env, QT_QPA_PLATFORM='wayland')
reference_game = start([game], 'reference.log', reference_env)
reference = wait_until(lambda: window(MAIN), 20)
if not reference:
    bail(1, 'the main window did not open on Wayland: %s' % windows())
time.sleep(1.5)  # painted
reference = window(MAIN)
reference_shot = screenshot('%s-reference-wayland' % scale, run)
reference_game.terminate()
reference_game.wait(10)
if not wait_until(lambda: not window(MAIN), 10):
    bail(1, 'the Wayland main window did not close')
if platform != 'auto':
    game_env['QT_QPA_PLATFORM'] = platform
started = time.time()
start([game], 'game.log', game_env)
main = wait_until(lambda: window(MAIN), 20)
if not main:
    bail(1, 'the main window did not open: %s' % windows())
if not wait_until(lambda: window(MAIN)['focus'], 3):
    # A headless shell with no input yet gives a new window no focus; a player's click would.
    print('the main window opened without the keyboard (overview %s); activating it' %
          shell_eval('imports.ui.main.overview.visible'))
    shell_eval('global.get_window_actors().map(a => a.meta_window).filter(w => w.get_title() === "%s")'
               '.forEach(w => w.activate(global.get_current_time())), true' % MAIN)
    if not wait_until(lambda: window(MAIN)['focus'], 3):
        bail(1, 'the main window cannot be given the keyboard')
time.sleep(1.5)  # painted
main = window(MAIN)
main_shot = screenshot('%s-%s-main' % (platform, scale), run)
key('shift')  # a new remote keyboard can lose its first key
print('main window after %.2f s: %s, %s, %d,%d %dx%d' % (
    time.time() - started, 'X11' if main['x11'] else 'Wayland',
    "game's own title bar" if main['csd'] else "GNOME's title bar", main['x'], main['y'], main['w'], main['h']))
if not (main_shot and reference_shot):
    bail(1, 'the shell took no screenshot')
ratios = sharpness(main_shot, main, reference_shot, reference, float(scale), shots or run)
print('sharpness against native Wayland: %s (crops in %s)' % (
    ', '.join('%s %.3f' % item for item in ratios.items()), shots or run))
for name, ratio in ratios.items():
    if ratio < 0.95:
        failures.append('the %s is soft: %.3f of its sharpness on native Wayland' % (name, ratio))
if platform == 'auto':
    # The game's choice (the README's desktop notes): mutter 43 enlarges an X11 program's
    # pixels at a fractional scale, and at a whole one X11 gives GNOME's own title bars.
    fractional = float(scale) != int(float(scale))
    if main['x11'] == fractional:
        failures.append('at scale %s the game chose %s' % (scale, 'X11' if main['x11'] else 'Wayland'))


def off_centre(w, owner):
    return max(abs((w['x'] + w['w'] / 2) - (owner['x'] + owner['w'] / 2)),
               abs((w['y'] + w['h'] / 2) - (owner['y'] + owner['h'] / 2)))


def check_over(title, owner_title=MAIN):
    w = wait_until(lambda: window(title), 10)
    if not w:
        bail(1, '"%s" did not open' % title)
    time.sleep(0.3)  # placed once mapped
    w, owner = window(title), window(owner_title)
    distance = off_centre(w, owner)
    print('"%s": %.0f px from the centre of "%s", %s, focus %s' % (
        title, distance, owner_title, "game's own title bar" if w['csd'] else "GNOME's title bar", w['focus']))
    if distance > 20:
        failures.append('"%s" opens %.0f px away from the centre of "%s"' % (title, distance, owner_title))
    return w


driverkit.keyboard_game(solution, key, 0.005 if float(scale) < 2 else 0.03, bail)
prompt = check_over('Selamat yaa, kong !!')
screenshot('%s-%s-name-question' % (platform, scale))
key('ctrl+a')
for letter in 'keys':
    key(letter)
key('return', 0.3)
black_list = check_over('Hi Scores') if window('Hi Scores') or wait_until(lambda: window('Hi Scores'), 5) else None
screenshot('%s-%s-black-list' % (platform, scale))
driverkit.results_then_exit(key, window, windows, check_over,
                            lambda name: screenshot('%s-%s-%s' % (platform, scale, name)), bail)


def reshow_twice(helper):
    """One dialog shown, hidden and shown again: each show is a new Wayland surface, and a
    second modal request for one surface would end the helper's connection."""
    owner = 'Reshow owner'
    helper_env = dict(game_env, QT_QPA_PLATFORM='wayland')
    process = start([helper], 'reshow.log', helper_env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def ask(command):
        process.stdin.write(command + '\n')
        process.stdin.flush()
        return process.stdout.readline().strip() == 'done ' + command

    if not wait_until(lambda: window(owner), 20):
        bail(1, 'the reshow helper opened no window')
    for round in ('first', 'second'):
        if not ask('show'):
            bail(1, 'the reshow helper did not show its dialog a %s time' % round)
        check_over('Reshow dialog', owner)
        if not ask('hide') or not wait_until(lambda: not window('Reshow dialog'), 10):
            bail(1, 'the reshow helper did not hide its dialog')
    ask('quit')
    try:
        code = process.wait(10)
    except subprocess.TimeoutExpired:
        code = None
    if code != 0:
        failures.append('the reshow helper ended with %s: %s' % (code, driverkit.tail('reshow.log.err', 3)))
    else:
        print('a dialog shown twice: the connection lived')


if reshow:
    reshow_twice(reshow)

cleanup()
if failures:
    for failure in failures:
        print('FAIL: ' + failure)
    sys.exit(1)
print('PASS: GNOME Shell, game on %s at scale %s' % (platform, scale))
