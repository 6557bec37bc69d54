#!/usr/bin/python3
"""How long does the window stop answering after a setting changes? Measured from outside.

    bench/ui-stall.py [--runs 3] [--spin 間隔] [--ini TEXT] QUILMO PICTURE...

Starts QUILMO on a virtual screen with the pictures, waits until it is idle, clicks the up arrow
of the spin box whose accessible name contains --spin (the gap box by default) with xdotool, and
then reads an accessible label's name through AT-SPI every 5 ms for 6 s. Each read needs the
window's thread, so the longest read is the longest time the window did not answer. Prints the
five longest reads of each run (seconds after the click, milliseconds) and the worst of all runs.
--ini writes that text to quilmo.ini beside a copy of the program first (default: none).

Needs Xvfb, dbus-x11, at-spi2-core, python3-pyatspi, xdotool (installed on first use).
"""
import argparse, os, random, shutil, signal, subprocess, sys, tempfile, time

PKGS = ['xvfb', 'xauth', 'dbus', 'dbus-x11', 'at-spi2-core', 'python3-pyatspi', 'gir1.2-atspi-2.0',
        'xdotool', 'fonts-ipafont-gothic']


def ensure_tools():
    if all(shutil.which(t) for t in ('Xvfb', 'dbus-launch', 'xdotool')) and \
            os.path.exists('/usr/libexec/at-spi-bus-launcher'):
        return
    env = dict(os.environ, DEBIAN_FRONTEND='noninteractive')
    subprocess.run(['apt-get', 'install', '-y', '-q', '--no-install-recommends', *PKGS], env=env,
                   capture_output=True)


def walk(node, found, role=None, text=None):
    try:
        name = node.name or ''
        if (role is None or node.getRoleName() == role) and (text is None or text in name):
            found.append(node)
        for child in node:
            walk(child, found, role, text)
    except Exception:
        pass
    return found


def one_run(program, pictures, spin_text, ini):
    work = tempfile.mkdtemp(prefix='ui-stall-')
    app = os.path.join(work, os.path.basename(program))
    shutil.copy(program, app)
    if ini is not None:
        with open(os.path.join(work, 'quilmo.ini'), 'w', encoding='utf-8') as f:
            f.write(ini)
    display = f':{random.randint(60, 89)}'
    procs = [subprocess.Popen(['Xvfb', display, '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                              stderr=subprocess.DEVNULL, start_new_session=True)]
    time.sleep(1)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM='xcb', QT_ACCESSIBILITY='1',
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', NO_AT_BRIDGE='0')
    env.pop('WAYLAND_DISPLAY', None)
    bus_pid = None
    for line in subprocess.run(['dbus-launch', '--sh-syntax'], capture_output=True, text=True).stdout.splitlines():
        if line.startswith('DBUS_SESSION_BUS_ADDRESS='):
            env['DBUS_SESSION_BUS_ADDRESS'] = line.split('=', 1)[1].strip().rstrip(';').strip("'")
        if line.startswith('DBUS_SESSION_BUS_PID='):
            bus_pid = int(line.split('=', 1)[1].strip().rstrip(';'))
    os.environ.update({k: env[k] for k in ('DISPLAY', 'DBUS_SESSION_BUS_ADDRESS')})
    procs.append(subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True))
    time.sleep(1)
    try:
        import pyatspi
        procs.append(subprocess.Popen([app, *pictures], cwd=work, env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL, start_new_session=True))
        window, end = None, time.time() + 60
        while window is None and time.time() < end:
            for a in pyatspi.Registry.getDesktop(0):
                for w in (a or []):
                    if w is not None and (w.name or '').startswith('Quilmo'):
                        window = w
            time.sleep(0.25)
        if window is None:
            raise SystemExit('ui-stall: the window did not appear')
        time.sleep(6)  # let the pictures load and the first build end
        spins = walk(window, [], 'spin button', spin_text)
        labels = walk(window, [], 'label')
        if not spins or not labels:
            raise SystemExit(f'ui-stall: no spin box named like {spin_text!r} or no label')
        box = spins[0].queryComponent().getExtents(0)
        subprocess.run(['xdotool', 'mousemove', str(box.x + box.width - 6), str(box.y + 4)], env=env)
        probe = labels[-1]
        reads, t0 = [], time.perf_counter()
        subprocess.run(['xdotool', 'click', '1'], env=env)
        while time.perf_counter() < t0 + 6:
            t = time.perf_counter()
            probe.clear_cache()
            _ = probe.get_name()
            reads.append((t - t0, time.perf_counter() - t))
            time.sleep(0.005)
        return sorted(reads, key=lambda r: -r[1])[:5]
    finally:
        for p in reversed(procs):
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except OSError:
                pass
        if bus_pid:
            try:
                os.kill(bus_pid, signal.SIGKILL)
            except OSError:
                pass
        shutil.rmtree(work, ignore_errors=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--runs', type=int, default=3)
    ap.add_argument('--spin', default='間隔')
    ap.add_argument('--ini', default=None)
    ap.add_argument('--single', action='store_true', help=argparse.SUPPRESS)
    ap.add_argument('program')
    ap.add_argument('pictures', nargs='+')
    a = ap.parse_args()
    ensure_tools()
    if a.single:  # one run in a fresh process: the accessibility library keeps its first bus
        top = one_run(os.path.abspath(a.program), [os.path.abspath(p) for p in a.pictures], a.spin, a.ini)
        print(' '.join(f'{at:.3f}/{ms:.4f}' for at, ms in top))
        return
    worst = 0.0
    for i in range(a.runs):
        args = [sys.executable, os.path.abspath(__file__), '--single', '--spin', a.spin]
        if a.ini is not None:
            args += ['--ini', a.ini]
        for _ in range(3):  # a virtual screen that fails to start is tried again
            out = subprocess.run([*args, a.program, *a.pictures], capture_output=True, text=True)
            last = (out.stdout.strip().splitlines() or [''])[-1]
            if out.returncode == 0 and '/' in last:
                break
        if out.returncode or '/' not in last:
            raise SystemExit(f'run {i + 1} failed: {(out.stderr or out.stdout).strip()[-300:]}')
        top = [tuple(map(float, r.split('/'))) for r in last.split()]
        print(f'run {i + 1}: longest reads (s after click, ms):',
              ', '.join(f'{at:.2f}/{ms * 1000:.0f}' for at, ms in top))
        worst = max(worst, top[0][1])
    print(f'ui-stall: longest time the window did not answer: {worst * 1000:.0f} ms')


if __name__ == '__main__':
    main()
