# What the Wayland desktop drivers (gnome_e2e.py, sway_e2e.py) share: the processes a run
# starts and ends, waiting with a deadline, and how a run gives up. Each process writes its
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
