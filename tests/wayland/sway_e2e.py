#!/usr/bin/python3
# The game on sway, headless, played by keyboard through a keyboard held on the seat for the
# whole run (the typist), as an unprivileged user (run_as_player.sh sets that up). It wins a
# game and checks that the name question, the Black List and the exit question open over
# the main window (sway centres floating windows on the screen, and the main window is
# where sway put it), that the results window has the keyboard once the list has closed,
# and that Space presses "Great". Before that it checks that the main window's title bar and
# menu bar are on the screen, also where the game is larger than the screen (scale
# <output>:<game>, the game scaled by Qt on top of the output's scale). sway's tree gives each
# window's rectangle, title bar and focus.
# Usage: sway_e2e.py <tobrinel> <tobrinel_solution> <platform> <scale> <shots dir or -> <typist>
import glob
import json
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written beside the sources
from driverkit import SKIP, cleanup, failures, run, start, wait_until  # noqa: E402
import driverkit  # noqa: E402


def bail(code, message):
    driverkit.bail(code, message, ('sway.log.err', 'game.log.err', 'typist.log.err'))


game, solution, platform, scale = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
output_scale, _, game_scale = scale.partition(':')
shots = sys.argv[5] if sys.argv[5] != '-' else None
typist_path = sys.argv[6]
config = os.path.join(run, 'sway.conf')
with open(config, 'w') as f:
    f.write('output HEADLESS-1 resolution 1280x900 scale %s\n' % output_scale)
    # Floating, as on a stacking desktop.
    f.write('for_window [app_id=".*"] floating enable\n')
    # No key repeat, so a stalled compositor cannot turn one key into two.
    f.write('input type:keyboard repeat_rate 0\n')
sway_env = dict(os.environ, WLR_BACKENDS='headless', WLR_LIBINPUT_NO_DEVICES='1', WLR_RENDERER='pixman',
                XDG_CURRENT_DESKTOP='sway', XDG_SESSION_TYPE='wayland')
sway_env.pop('WAYLAND_DISPLAY', None)
sway_env.pop('DISPLAY', None)
sway = start(['sway', '-c', config], 'sway.log', sway_env)
sock = wait_until(lambda: sway.poll() is None and glob.glob(run + '/sway-ipc.*.sock'), 15)
if not sock:
    bail(SKIP if sway.poll() is not None else 1, 'sway did not start here')
os.environ['SWAYSOCK'] = sock[0]
wayland = wait_until(lambda: [os.path.basename(p) for p in glob.glob(run + '/wayland-*') if not p.endswith('.lock')], 10)
if not wayland:
    bail(1, 'sway made no Wayland socket')
os.environ['WAYLAND_DISPLAY'] = wayland[0]

typist = start([typist_path], 'typist.log', stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
if typist.stdout.readline().strip() != 'ready':
    bail(1, 'the typist could not hold a keyboard on the seat')
KEYS = {'alt': 56, 'shift': 42, 'ctrl': 29, 'tab': 15, 'space': 57, 'return': 28, 'escape': 1,
        'a': 30, 'e': 18, 'f': 33, 'g': 34, 'k': 37, 'p': 25, 's': 31, 'y': 21}


def key(combo, pause=0.03):
    typist.stdin.write('+'.join(str(KEYS[p]) for p in combo.split('+')) + '\n')
    typist.stdin.flush()
    if typist.stdout.readline().strip() != 'ok':
        bail(1, 'the typist stopped')
    time.sleep(pause)


def windows():
    tree = json.loads(subprocess.run(['swaymsg', '-t', 'get_tree'], capture_output=True, text=True, timeout=10).stdout)
    found = []

    def walk(node):
        if node.get('type') in ('con', 'floating_con') and node.get('name') and (node.get('app_id') or node.get('pid')):
            r = node['rect']
            found.append({'title': node['name'], 'x': r['x'], 'y': r['y'], 'w': r['width'], 'h': r['height'],
                          'focus': node.get('focused', False), 'title_bar': node.get('deco_rect')})
        for child in node.get('nodes', []) + node.get('floating_nodes', []):
            walk(child)

    walk(tree)
    return found


def window(title):
    return next((w for w in windows() if w['title'] == title), None)


def screenshot(name):
    if shots:
        path = os.path.join(shots, 'sway-%s-%s.png' % (scale.replace(':', 'x'), name))
        if subprocess.run(['grim', path], capture_output=True, timeout=20).returncode == 0:
            print('screenshot ' + path)


MAIN = 'Tobrinel - Karvolen 2003'
game_env = dict(os.environ, XDG_CURRENT_DESKTOP='sway', XDG_SESSION_TYPE='wayland')
game_env.pop('QT_QPA_PLATFORM', None)
if game_scale:
    game_env['QT_SCALE_FACTOR'] = game_scale
if platform != 'auto':
    game_env['QT_QPA_PLATFORM'] = platform
start([game], 'game.log', game_env)
main = wait_until(lambda: (lambda w: w if w and w['focus'] else None)(window(MAIN)), 20)
if not main:
    bail(1, 'the main window did not open with the keyboard: %s' % windows())
print('main window: %d,%d %dx%d' % (main['x'], main['y'], main['w'], main['h']))
time.sleep(0.5)  # painted
screenshot('main')
# The title bar is sway's, just above the window; the menu bar is the top of the window.
main = window(MAIN)
screen = next(o['rect'] for o in json.loads(subprocess.run(['swaymsg', '-t', 'get_outputs'], capture_output=True,
                                                           text=True, timeout=10).stdout) if o.get('active'))
bar = main['title_bar']
top = bar['y'] if bar and bar['height'] > 0 else main['y']
print('title bar from y %d, screen %dx%d' % (top, screen['width'], screen['height']))
if top < screen['y'] or main['x'] < screen['x']:
    failures.append('the main window\'s title bar is off the screen: window at %d,%d, title bar from y %d' %
                    (main['x'], main['y'], top))
if main['y'] + main['h'] > screen['y'] + screen['height']:
    failures.append('the main window (%d high from y %d) does not fit the screen (%d high)' %
                    (main['h'], main['y'], screen['height']))


def off_centre(w, owner):
    return max(abs((w['x'] + w['w'] / 2) - (owner['x'] + owner['w'] / 2)),
               abs((w['y'] + w['h'] / 2) - (owner['y'] + owner['h'] / 2)))


def check_over(title):
    w = wait_until(lambda: window(title), 10)
    if not w:
        bail(1, '"%s" did not open' % title)
    time.sleep(0.3)
    w, owner = window(title), window(MAIN)
    distance = off_centre(w, owner)
    print('"%s": %.0f px from the centre of the main window, focus %s' % (title, distance, w['focus']))
    if w['w'] > screen['width'] or w['h'] > screen['height']:
        # sway holds a window larger than the screen to the screen's corner; there is no
        # centring it over anything.
        print('"%s" is larger than the screen (%dx%d)' % (title, w['w'], w['h']))
    elif distance > 40:
        failures.append('"%s" opens %.0f px away from the centre of the main window' % (title, distance))
    return w


driverkit.keyboard_game(solution, key, 0.005, bail)
check_over('Selamat yaa, kong !!')
screenshot('name-question')
key('ctrl+a')
for letter in 'keys':
    key(letter)
key('return', 0.3)
check_over('Hi Scores')
screenshot('black-list')
driverkit.results_then_exit(key, window, windows, check_over, screenshot, bail)

cleanup()
if failures:
    for failure in failures:
        print('FAIL: ' + failure)
    sys.exit(1)
print('PASS: sway at scale %s' % scale)
