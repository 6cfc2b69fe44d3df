#!/usr/bin/env bash
# Memory of the real player while it plays: build/bin/kestrelview runs in a
# private X server (Xvfb) over a demo card of three recordings 5 s longer than
# the time played (so the first still plays when memory is read); once the
# record list shows the card, OPEN (833, 70) plays the first recording, and
# after 30 s of playing the resident memory is read from /proc:
#   kestrelview   VmRSS and its peak VmHWM (the goal: RSS under 300 MB)
#   session       every process of the program's session (the browser's
#                 QtWebEngineProcess helpers, rootsweep while it runs): the sum
#                 of RSS (counts shared pages once per process) and of PSS
#                 (shares them out, the fairer total)
# The program's RSS is also sampled every second while it plays; the growth
# over the last 20 s shows memory that playing keeps taking. The largest
# resident mappings of the program are listed too (shared libraries count in
# RSS; under Xvfb, Mesa's software GL with its LLVM is among them).
#
#   bash bench/memory.sh [BUILD_DIR]      KESTREL_MEMORY_SECONDS=N (default 30)
set -uo pipefail
build=${1:-build}
seconds=${KESTREL_MEMORY_SECONDS:-30}
name=memory
. "$(dirname "$0")/lib/session.sh"
session_prepare $((seconds + 5))
mkdir -p "$work/runtime" "$work/wine" "$work/home"
chmod 700 "$work/runtime"
session_start_xvfb
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
       WINEPREFIX="$work/wine" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
       XDG_DATA_HOME="$work/home/.local/share"

PYTHONPATH="$(dirname "$0")/lib" python3 - "$app_dir/kestrelview" "$work" "$seconds" <<'PY'
import os, statistics, subprocess, sys, time

from session import FrameBuffer, end_session, session_processes, wait_for, window_mapped

program, work, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
PREVIEW = (681, 349, 289, 215)   # preview below the record list, screen pixels
VIDEO = (50, 63, 605, 382)       # the main window's video area
OPEN_BUTTON = ("833", "70")
PARKED = ("1250", "790")         # off the window: no hover look, no tooltip
GOAL_MB = 300


def status_kb(pid, key):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(key + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def pss_kb(pid):
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def rss_by_mapping(pid, count=6):
    """The largest resident shares of a process by mapped file ([heap] and anonymous as such)."""
    sizes = {}
    current = None
    try:
        with open(f"/proc/{pid}/smaps") as f:
            for line in f:
                head = line.split()
                if not head:
                    continue
                if "-" in head[0] and len(head) >= 5 and not head[0].endswith(":"):
                    current = os.path.basename(head[5]) if len(head) > 5 else "[anonymous]"
                elif head[0] == "Rss:" and current is not None:
                    sizes[current] = sizes.get(current, 0) + int(head[1])
    except OSError:
        return []
    return sorted(sizes.items(), key=lambda kv: -kv[1])[:count]


def role(pid, ppid, cmd, helpers, leader):
    if pid == leader:
        return "kestrelview"
    if "QtWebEngineProcess" in cmd:
        if ppid in helpers:
            return "browser renderer"
        kind = next((a.split("=", 1)[1] for a in cmd.split() if a.startswith("--type=")), "helper")
        return f"browser {kind}"
    return os.path.basename(cmd.split(" ", 1)[0]) or "?"


def xdotool(*args):
    subprocess.run(["xdotool", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def mb(kb):
    return f"{kb / 1024:7.1f}" if kb is not None else "      -"


fb = FrameBuffer(os.path.join(work, "fb", "Xvfb_screen0"))
log = open(os.path.join(work, "kestrelview.log"), "wb")
proc = subprocess.Popen([program], cwd=os.environ["HOME"], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                        start_new_session=True)
status = 0
try:
    if not wait_for(window_mapped, 60):
        raise RuntimeError("no window named Dashtrail appeared")
    if not wait_for(lambda: fb.shows_picture(PREVIEW), 30):
        raise RuntimeError("the record list's preview of the first recording did not show")
    time.sleep(1)
    idle = status_kb(proc.pid, "VmRSS")

    xdotool("mousemove", "--sync", *OPEN_BUTTON, "click", "1")
    xdotool("mousemove", "--sync", *PARKED)
    opened = time.monotonic()
    if not wait_for(lambda: fb.shows_picture(VIDEO), 30):
        raise RuntimeError("no picture in the video area after OPEN")
    first = fb.samples(VIDEO)
    time.sleep(0.5)
    if fb.samples(VIDEO) == first:
        raise RuntimeError("the picture in the video area does not move after OPEN")

    trail = []   # (seconds since OPEN, RSS kB)
    while time.monotonic() - opened < seconds:
        trail.append((time.monotonic() - opened, status_kb(proc.pid, "VmRSS")))
        time.sleep(1)
    if proc.poll() is not None:
        raise RuntimeError("kestrelview ended while playing")
    moving = fb.samples(VIDEO)
    time.sleep(0.3)
    still_playing = fb.samples(VIDEO) != moving

    largest = rss_by_mapping(proc.pid)
    procs = session_processes(proc.pid)
    helpers = {p for p, _, c in procs if "QtWebEngineProcess" in c}
    rows = [(role(p, pp, c, helpers, proc.pid), p, status_kb(p, "VmRSS"), pss_kb(p)) for p, pp, c in procs]
    rows.sort(key=lambda r: (r[0] != "kestrelview", r[0]))
    rss = status_kb(proc.pid, "VmRSS")
    hwm = status_kb(proc.pid, "VmHWM")
    anon = status_kb(proc.pid, "RssAnon")
    files = status_kb(proc.pid, "RssFile")

    print(f"memory: kestrelview playing a demo-card recording under Xvfb, read after {seconds:.0f} s of playing")
    print(f"  kestrelview RSS  before OPEN {mb(idle)} MB, after {seconds:.0f} s {mb(rss)} MB "
          f"(anonymous {mb(anon).strip()} MB, files {mb(files).strip()} MB), peak {mb(hwm).strip()} MB")
    late = [(t, kb) for t, kb in trail if t >= seconds - 20 and kb is not None]
    if len(late) >= 2:
        slope = (late[-1][1] - late[0][1]) / 1024 / (late[-1][0] - late[0][0]) * 60
        print(f"  kestrelview RSS growth while playing (last {late[-1][0] - late[0][0]:.0f} s): {slope:+.1f} MB/min")
    print("  kestrelview's largest resident parts: "
          + ", ".join(f"{name} {kb / 1024:.0f} MB" for name, kb in largest))
    print(f"  {'process':<22}{'pid':>8}{'RSS MB':>10}{'PSS MB':>10}")
    for name, pid, r, p in rows:
        print(f"  {name:<22}{pid:>8}{mb(r):>10}{mb(p):>10}")
    total_rss = sum(r for _, _, r, _ in rows if r)
    total_pss = sum(p for _, _, _, p in rows if p)
    print(f"  {'session total':<22}{len(rows):>8}{mb(total_rss):>10}{mb(total_pss):>10}")
    verdict = "" if rss is not None and rss / 1024 < GOAL_MB else "  MISSED"
    print(f"  kestrelview RSS {mb(rss).strip()} MB (goal < {GOAL_MB} MB){verdict}")
    if not still_playing:
        print("  note: the picture no longer moved when memory was read (playback had stopped)")
except RuntimeError as e:
    print(f"memory: {e}")
    status = 1
finally:
    end_session(proc)
    log.close()
if status:
    with open(os.path.join(work, "kestrelview.log"), "rb") as f:
        sys.stdout.write(b"".join(f.readlines()[-10:]).decode(errors="replace"))
sys.exit(status)
PY
