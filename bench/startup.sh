#!/usr/bin/env bash
# Start-up time of the real player: build/bin/kestrelview is started N times in
# a private X server (Xvfb) over a small demo card (the record list is filled
# and its first recording previewed, as for a user whose last folder is
# remembered), and each run is timed from the launch to
#   mapped    the main window "Dashtrail" is viewable (xdotool)
#   painted   the window's area of the screen is drawn (read straight from
#             Xvfb's memory-mapped frame buffer, -fbdir): at least a fifth of a
#             grid of points in it are no longer the black root
#   page      tmp-map.html has been written to the runtime folder
#   renderer  the browser's renderer process runs (a QtWebEngineProcess forked
#             by the browser's zygote, in the program's session)
#   loaded    the map page has finished loading: the page's target in the
#             browser's DevTools endpoint (QTWEBENGINE_REMOTE_DEBUGGING on a
#             free local port) answers document.readyState == "complete" in
#             the map page's own document (not the empty one before it), so
#             the page and its map library (file:///usr/share/javascript/
#             leaflet) are in; map tiles come later and are not waited for
#   ready     the later of painted and loaded
# The information panel (which holds the map) is hidden at start, so "loaded"
# is the hidden browser's page. Each run has a fresh runtime folder (no
# leftover page) and an empty WINEPREFIX (rootsweep has no drive to touch);
# all runs share one private HOME. The first run, shown but not counted, is a
# first start for that HOME: it pays for GStreamer's plugin registry and the
# other per-user caches, as a user's very first start does. Goal: the median
# of ready under 1.5 s.
#
#   bash bench/startup.sh [BUILD_DIR]      KESTREL_STARTUP_RUNS=N (default 5)
set -uo pipefail
build=${1:-build}
runs=${KESTREL_STARTUP_RUNS:-5}
name=startup
. "$(dirname "$0")/lib/session.sh"
session_prepare 5
session_start_xvfb

PYTHONPATH="$(dirname "$0")/lib" python3 - "$app_dir/kestrelview" "$work" "$runs" <<'PY'
import base64, json, os, signal, socket, statistics, struct, subprocess, sys, time, urllib.request

from session import FrameBuffer, end_session, session_processes, window_mapped

program, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
WINDOW = (0, 0, 1024, 724)   # the main window's place on a screen without a window manager
TIMEOUT = 30.0
EVENTS = ["mapped", "painted", "page", "renderer", "loaded"]
# Until the navigation commits, the page target still runs the empty first
# document (already "complete"): only the map page's own state counts.
PAGE_STATE = 'location.href.endsWith("/tmp-map.html") ? document.readyState : "not yet"'


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def renderer_running(sid):
    # Renderers are forked by the browser's zygote and keep its command line
    # (--type=zygote): a browser helper whose parent is a browser helper.
    procs = session_processes(sid)
    helpers = {pid for pid, _, cmd in procs if "QtWebEngineProcess" in cmd}
    return any("QtWebEngineProcess" in cmd and (ppid in helpers or "--type=renderer" in cmd)
               for _, ppid, cmd in procs)


class DevTools:
    """Just enough of the DevTools protocol to ask a page one question."""
    def __init__(self, port):
        self.port, self.sock, self.next_id = port, None, 1

    def page_target(self):
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list", timeout=0.5) as r:
                targets = json.load(r)
        except (OSError, ValueError):
            return None
        for t in targets:
            if t.get("type") == "page" and t.get("url", "").endswith("tmp-map.html") and t.get("webSocketDebuggerUrl"):
                return t["webSocketDebuggerUrl"]
        return None

    def connect(self, url):
        rest = url.split("://", 1)[1]
        hostport, path = rest.split("/", 1)
        host, port = hostport.rsplit(":", 1)
        s = socket.create_connection((host, int(port)), timeout=2)
        key = base64.b64encode(os.urandom(16)).decode()
        s.sendall((f"GET /{path} HTTP/1.1\r\nHost: {hostport}\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   f"Sec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n").encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            chunk = s.recv(4096)
            if not chunk:
                raise OSError("DevTools closed the connection")
            reply += chunk
        if b" 101 " not in reply.split(b"\r\n", 1)[0]:
            raise OSError("DevTools refused the WebSocket")
        self.sock = s

    def _recv_exact(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise OSError("DevTools closed the connection")
            data += chunk
        return data

    def evaluate(self, expression):
        msg_id = self.next_id
        self.next_id += 1
        payload = json.dumps({"id": msg_id, "method": "Runtime.evaluate",
                              "params": {"expression": expression, "returnByValue": True}}).encode()
        mask = os.urandom(4)
        n = len(payload)
        header = bytes([0x81]) + (bytes([0x80 | n]) if n < 126 else bytes([0x80 | 126]) + struct.pack(">H", n))
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))
        while True:
            b0, b1 = self._recv_exact(2)
            length = b1 & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._recv_exact(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._recv_exact(8))[0]
            body = self._recv_exact(length)
            if b0 & 0x0F != 1:
                continue
            answer = json.loads(body)
            if answer.get("id") == msg_id:
                return answer.get("result", {}).get("result", {}).get("value")

    def close(self):
        if self.sock:
            self.sock.close()
            self.sock = None


def one_run(index):
    run_dir = os.path.join(work, f"run{index}")
    runtime, wine = os.path.join(run_dir, "runtime"), os.path.join(run_dir, "wine")
    home = os.path.join(work, "home")
    os.makedirs(home, exist_ok=True)
    for d in (runtime, wine):
        os.makedirs(d)
    os.chmod(runtime, 0o700)
    port = free_port()
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, WINEPREFIX=wine,
               XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_CACHE_HOME=os.path.join(home, ".cache"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"),
               QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{port}")
    page = os.path.join(runtime, "kestrelview", "tmp-map.html")
    fb = FrameBuffer(os.path.join(work, "fb", "Xvfb_screen0"))
    devtools = DevTools(port)
    # The server may still be taking down the previous run's window.
    deadline = time.monotonic() + 10
    while (window_mapped() or fb.painted_fraction(WINDOW) >= 0.2) and time.monotonic() < deadline:
        time.sleep(0.05)
    seen = {}
    log = open(os.path.join(run_dir, "kestrelview.log"), "wb")
    start = time.monotonic()
    proc = subprocess.Popen([program], cwd=home, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                            start_new_session=True)
    # Polling takes CPU from the program on a small machine: the cheap checks
    # every 10 ms, xdotool and /proc scans less often.
    last_proc_scan = last_devtools = last_xdotool = 0.0
    try:
        while len(seen) < len(EVENTS):
            now = time.monotonic()
            t = now - start
            if t > TIMEOUT or proc.poll() is not None:
                break
            if "mapped" not in seen and now - last_xdotool >= 0.02:
                last_xdotool = now
                if window_mapped():
                    seen["mapped"] = time.monotonic() - start
            if "painted" not in seen and fb.painted_fraction(WINDOW) >= 0.2:
                seen["painted"] = time.monotonic() - start
            if "page" not in seen and os.path.exists(page):
                seen["page"] = time.monotonic() - start
            if "renderer" not in seen and now - last_proc_scan >= 0.03:
                last_proc_scan = now
                if renderer_running(proc.pid):
                    seen["renderer"] = time.monotonic() - start
            if "loaded" not in seen and now - last_devtools >= 0.02:
                last_devtools = now
                try:
                    if devtools.sock is None:
                        url = devtools.page_target()
                        if url:
                            devtools.connect(url)
                    if devtools.sock is not None and devtools.evaluate(PAGE_STATE) == "complete":
                        seen["loaded"] = time.monotonic() - start
                except (OSError, ValueError):
                    devtools.close()
            time.sleep(0.01)
        booted = None
        if devtools.sock is not None:
            try:
                booted = devtools.evaluate("typeof window.L + (window.KV && KV.map ? ' map' : ' no map')")
            except (OSError, ValueError) as e:
                booted = f"no answer ({e})"
    finally:
        devtools.close()
        ended_early = proc.poll() is not None
        end_session(proc)
        log.close()
    if "painted" in seen and "loaded" in seen:
        seen["ready"] = max(seen["painted"], seen["loaded"])
    tail = b""
    if ended_early:
        with open(os.path.join(run_dir, "kestrelview.log"), "rb") as f:
            tail = b"".join(f.readlines()[-5:])
    return seen, booted, ended_early, tail


def fmt(value):
    return f"{value * 1000:7.0f}" if value is not None else "      -"


results = []
print(f"startup: kestrelview under Xvfb, {runs} runs after a first one (ms from launch)")
print("  run  " + "".join(f"{e:>9}" for e in EVENTS + ["ready"]))
for i in range(runs + 1):
    seen, booted, ended, tail = one_run(i)
    label = "first" if i == 0 else f"{i:5d}"
    print(f"  {label}" + "".join(f"  {fmt(seen.get(e))}" for e in EVENTS + ["ready"])
          + ("" if booted in (None, "object map") else f"  (page: {booted})")
          + ("  (program ended)" if ended else ""))
    if tail:
        sys.stdout.write(tail.decode(errors="replace"))
    if i > 0:
        results.append(seen)

medians = {}
for e in EVENTS + ["ready"]:
    values = [r[e] for r in results if e in r]
    medians[e] = statistics.median(values) if len(values) == len(results) and values else None
print("  med  " + "".join(f"  {fmt(medians[e])}" for e in EVENTS + ["ready"]))
ready = medians["ready"]
if ready is None:
    print("  ready: not reached in every run (a dash above: not seen within 30 s)")
    sys.exit(1)
print(f"  ready median {ready * 1000:.0f} ms (goal < 1500 ms){'' if ready < 1.5 else '  MISSED'}")
PY
