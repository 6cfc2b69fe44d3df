"""Pieces the benchmarks that run the real player share: the Xvfb screen,
the processes of the player's session, and their end."""
import mmap
import os
import signal
import struct
import subprocess
import time


class FrameBuffer:
    """Xvfb's screen as an XWD file kept up to date by the server (-fbdir)."""
    def __init__(self, path):
        f = open(path, "rb")
        self.data = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)
        h = struct.unpack(">25I", self.data[:100])
        self.bpp, self.stride, ncolors = h[11], h[12], h[19]
        self.offset = h[0] + ncolors * 12

    def samples(self, rect, step=8):
        """The colours of a grid of points in a rectangle of the screen."""
        x0, y0, w, h = rect
        size = self.bpp // 8
        out = []
        for y in range(y0 + step // 2, y0 + h, step):
            row = self.offset + y * self.stride
            for x in range(x0 + step // 2, x0 + w, step):
                out.append(bytes(self.data[row + x * size:row + x * size + 3]))
        return out

    def shows_picture(self, rect):
        # More than a handful of different colours: not a flat area.
        return len(set(self.samples(rect))) > 8

    def painted_fraction(self, rect, step=24):
        """The share of grid points that are no longer the black root."""
        points = self.samples(rect, step)
        return sum(p != b"\0\0\0" for p in points) / len(points)


def wait_for(predicate, timeout, step=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(step)
    return False


def session_processes(sid):
    """(pid, parent pid, command line) of the live (not zombie) processes of a session."""
    out = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat", "rb") as f:
                stat = f.read()
            fields = stat[stat.rindex(b")") + 2:].split()
            # Fields 3, 4 and 6 of stat: state, parent, session.
            if int(fields[3]) != sid or fields[0] == b"Z":
                continue
            with open(f"/proc/{name}/cmdline", "rb") as f:
                out.append((int(name), int(fields[1]), f.read().replace(b"\0", b" ").decode(errors="replace")))
        except (OSError, ValueError):
            pass
    return out


def window_mapped():
    r = subprocess.run(["xdotool", "search", "--maxdepth", "1", "--onlyvisible", "--name", "^Dashtrail$"],
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return r.returncode == 0 and r.stdout.strip() != b""


def end_session(proc):
    """Ends every process of the player's session, politely first."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for p, _, _ in session_processes(proc.pid):
            try:
                os.kill(p, sig)
            except OSError:
                pass
        if wait_for(lambda: proc.poll() is not None and not session_processes(proc.pid), 5, 0.05):
            return
    proc.wait(timeout=5)
