# What the Wayland desktop drivers (gnome_e2e.py, sway_e2e.py) share: the processes a run
# starts and ends, waiting with a deadline, how a run gives up, and the end of a won game. Each process writes its
# output to <log> and its errors to <log>.err in the run's private runtime folder.
import os
import subprocess
import sys
import time

SKIP = 77
run = os.environ['XDG_RUNTIME_DIR']
procs = []
failures = []


def start(args, log, env=None, **kwargs):
    p = subprocess.Popen(args, stdout=kwargs.pop('stdout', open(os.path.join(run, log), 'w')),
                         stderr=open(os.path.join(run, log + '.err'), 'w'), env=env or os.environ, **kwargs)
    procs.append(p)
    return p


def cleanup():
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
    deadline = time.time() + 5
    for p in reversed(procs):
        try:
            p.wait(max(0.1, deadline - time.time()))
        except subprocess.TimeoutExpired:
            p.kill()


def on_exception(kind, value, trace):
    sys.__excepthook__(kind, value, trace)
    cleanup()


sys.excepthook = on_exception


def wait_until(what, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = what()
        if value:
            return value
        time.sleep(0.1)
    return None


def tail(log, lines=15):
    try:
        return ''.join(open(os.path.join(run, log)).readlines()[-lines:])
    except OSError:
        return ''


def bail(code, message, logs):
    print(('SKIP: ' if code == SKIP else 'FAIL: ') + message, flush=True)
    for log in logs:
        text = tail(log)
        if text:
            print('--- ' + log + '\n' + text)
    cleanup()
    sys.exit(code)


def keyboard_game(solution, key, pace, give_up):
    """A new game from the menu, won by keyboard alone along the shortest solution, which
    tobrinel_solution prints as moves (46 of them) and as keys."""
    moves = subprocess.run([solution], capture_output=True, text=True, check=True).stdout.splitlines()
    if len(moves) != 46:
        give_up(1, 'the solver gave %d moves, not 46' % len(moves))
    key('alt+f', 0.3)
    key('p', 0.3)
    for name in subprocess.run([solution, 'keys'], capture_output=True, text=True, check=True).stdout.split():
        key(name.lower(), pace)


def results_then_exit(key, window, windows, check_over, shot, give_up):
    """With the Black List up: Return closes it, the results window must have the keyboard
    and Space press "Great"; then the exit question must open over the main window, and
    Return answers it. key, window, windows, check_over and shot are the driver's own;
    give_up(code, message) ends the run."""
    key('return', 0.5)
    if not wait_until(lambda: not window('Hi Scores'), 10):
        give_up(1, 'Return did not close the Black List')
    results = wait_until(lambda: (lambda w: w if w and w['focus'] else None)(window('You Win !!!')), 5)
    shot('results')
    if not results:
        failures.append('after the Black List the results window does not have the keyboard: %s' %
                        [w['title'] for w in windows() if w['focus']])
    else:
        print('after the Black List the results window has the keyboard')
        key('space', 0.5)
        if not wait_until(lambda: not window('You Win !!!'), 5):
            failures.append('Space did not press "Great"')
        else:
            print('Space pressed "Great"')

    key('alt+f', 0.3)
    key('g', 0.3)
    question = check_over('I miss you..') if wait_until(lambda: window('I miss you..'), 5) else None
    shot('exit-question')
    if not question:
        failures.append('the exit question did not open')
    key('return', 0.5)
