#!/usr/bin/env python3
"""CPU time the tool spends taking in 1,000,000 bytes of monitor output through a
pseudo-terminal with window logging on (the log window shown).

Runs the real tool headless (QT_QPA_PLATFORM=offscreen) with its settings in a scratch
folder that maps Com1 to a fresh pseudo-terminal, waits until it has opened the port, then
writes the bytes into the terminal and reads the tool's user+system CPU time from
/proc/<pid>/stat before and after. An idle spell of the same length is measured too, so the
timers' own share can be told apart.

usage: bench/commlog_pty_cpu.py path/to/zorvex [bytes] [--hidden] [--no-log]
  --hidden  the log window stays hidden (logging on, nothing repainted)
  --no-log  "CommLogEnabled" off, for comparison: the link without the log
"""
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
TRANSCRIPT = b"rb\r\nAddr = 0x1A2C := 0x3F '?'\r\n#"


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # utime and stime are fields 14 and 15 of the whole line; 12 and 13 after the name.
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def bytes_read(pid):
    """What the process has read through system calls, from /proc/<pid>/io."""
    with open(f"/proc/{pid}/io") as f:
        for line in f:
            if line.startswith("rchar:"):
                return int(line.split()[1])
    return 0


def wait_until_idle(pid, quiet_for=0.6, step=0.1, limit=120.0):
    """Waits until the CPU time stops growing; returns the wall time it took."""
    start = time.monotonic()
    last = cpu_seconds(pid)
    still = 0.0
    while time.monotonic() - start < limit:
        time.sleep(step)
        now = cpu_seconds(pid)
        still = still + step if now == last else 0.0
        last = now
        if still >= quiet_for:
            break
    return time.monotonic() - start


def main():
    flags = {a for a in sys.argv[1:] if a.startswith("--")}
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    tool = os.path.abspath(args[0])
    total = int(args[1]) if len(args) > 1 else 1_000_000
    log_enabled = "False" if "--no-log" in flags else "True"
    log_open = "0" if "--hidden" in flags else "1"
    master, slave = os.openpty()
    tty.setraw(slave)
    device = os.ttyname(slave)

    home = tempfile.mkdtemp(prefix="zorvex-bench-")
    os.makedirs(os.path.join(home, "Zorvex"))
    with open(os.path.join(home, "Zorvex", "Zorvex5 Stroke Raster.conf"), "w") as f:
        f.write("[StartUp]\nRunType=1\n\n"
                f"[Configs]\nCommPort=1\nCommLogEnabled={log_enabled}\nCommLogOpen={log_open}\n\n"
                f"[Ports]\nCom1={device}\n")

    env = dict(os.environ, XDG_CONFIG_HOME=home)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")  # xcb with a DISPLAY, to watch it
    proc = subprocess.Popen([tool], env=env, cwd=home,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    written_by_tool = bytearray()
    first_write = threading.Event()

    def drain():
        while True:
            try:
                data = os.read(master, 4096)
            except OSError:
                return
            if not data:
                return
            written_by_tool.extend(data)
            first_write.set()

    threading.Thread(target=drain, daemon=True).start()
    try:
        if not first_write.wait(30):
            sys.exit("the tool never wrote to the pseudo-terminal: is the link wired in?")
        wait_until_idle(proc.pid)

        idle_before = cpu_seconds(proc.pid)
        read_before = bytes_read(proc.pid)
        payload = (TRANSCRIPT * (total // len(TRANSCRIPT) + 1))[:total]
        started = time.monotonic()
        view = memoryview(payload)
        while view:
            n = os.write(master, view[:4096])
            view = view[n:]
        wall = time.monotonic() - started
        wall += wait_until_idle(proc.pid)
        busy = cpu_seconds(proc.pid) - idle_before
        taken_in = bytes_read(proc.pid) - read_before

        idle_start = cpu_seconds(proc.pid)
        time.sleep(wall)
        idle = cpu_seconds(proc.pid) - idle_start

        print(f"bytes written: {total}; bytes the tool read meanwhile: {taken_in}")
        print(f"tool CPU time taking them in: {busy:.3f} s "
              f"(user+system, /proc/{proc.pid}/stat, {1 / CLOCK_TICKS:.3f} s resolution)")
        print(f"wall time until the tool was idle again: {wall:.3f} s")
        print(f"tool CPU time in an idle spell as long: {idle:.3f} s")
        print(f"still running afterwards: {proc.poll() is None}")
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        os.close(master)
        os.close(slave)


if __name__ == "__main__":
    main()
