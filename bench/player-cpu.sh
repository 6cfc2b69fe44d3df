#!/usr/bin/env bash
# CPU cost of the whole player while it plays, beside a plain pipeline and mpv.
# For each size (640x480, 1280x720, 1920x1080, 2560x1440) ffmpeg writes a busy
# recording as a camera does (ASF, WMV2 + WMA2, 30 fps, key frame every 12
# frames) with a telemetry log beside it; then, one after another on the same
# private X server (Xvfb) and the same file:
#   gst         gst-launch-1.0 playbin video-sink="videoconvert ! ximagesink"
#   mpv         mpv --vo=x11 --ao=null
#   kestrelview the real player over a folder holding the recording: the list
#               shows it, OPEN plays it (as a user does), and it plays to its end
# CPU is read from /proc over the same window of steady playback for each
# (from WARM s after the start for SECONDS - 2 WARM s) and given as CPU seconds
# per second: the player's own process, and its browser processes (the map's
# QtWebEngineProcess helpers) apart. The X server's share in the same window is
# shown too. The player reports how many frames it drew of those in the file
# (every frame should be). Goals: kestrelview <= 1.3x gst and <= 1.0x mpv at 720p
# and 1080p, <= 1.5x gst at 1440p.
#
#   bash bench/player-cpu.sh [BUILD_DIR]   KESTREL_PLAYER_SECONDS=N (default 20)
#                                           KESTREL_PLAYER_SIZES="1280x720 ..."
set -uo pipefail
build=${1:-build}
seconds=${KESTREL_PLAYER_SECONDS:-20}
sizes=${KESTREL_PLAYER_SIZES:-"640x480 1280x720 1920x1080 2560x1440"}
name=player-cpu
for tool in ffmpeg ffprobe gst-launch-1.0; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$name: skipped, $tool is not installed"; exit 0
  fi
done
. "$(dirname "$0")/lib/session.sh"
session_prepare 3
generator="$build/tools/bin/make-recording"
[ -x "$generator" ] || { echo "$name: skipped, build make-recording first"; exit 0; }
mkdir -p "$work/runtime" "$work/wine" "$work/home"
chmod 700 "$work/runtime"
session_screen=2560x1440x24 session_start_xvfb
export KESTREL_XVFB_PID=$xvfb_pid
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
       WINEPREFIX="$work/wine" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
       XDG_DATA_HOME="$work/home/.local/share"

PYTHONPATH="$(dirname "$0")/lib" python3 - "$app_dir" "$work" "$seconds" "$generator" $sizes <<'PY'
import os, re, shutil, subprocess, sys, time

from session import FrameBuffer, end_session, session_processes, wait_for, window_mapped

app_dir, work, seconds, generator = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4]
sizes = [tuple(int(v) for v in s.split("x")) for s in sys.argv[5:]]
FPS = 30
BITRATE = {480: "2M", 720: "5M", 1080: "8M", 1440: "12M"}
WARM = 3.0
WINDOW = max(2.0, seconds - 2 * WARM)
PREVIEW = (681, 349, 289, 215)
VIDEO = (50, 63, 605, 382)
OPEN_BUTTON = ("833", "70")
PARKED = ("2500", "1400")
TICK = os.sysconf("SC_CLK_TCK")
GOALS = {720: (1.3, 1.0), 1080: (1.3, 1.0), 1440: (1.5, None)}


def cpu_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat", "rb") as f:
            fields = f.read().rsplit(b")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / TICK
    except (OSError, IndexError, ValueError):
        return None


XVFB = int(os.environ.get("KESTREL_XVFB_PID", "0")) or None


def measure(proc, groups):
    """CPU of each group of the session's processes and of the X server over
    the steady window; groups map a name to a predicate on a command line."""
    def sample():
        per = {g: 0.0 for g in groups}
        for p, _, cmd in session_processes(proc.pid):
            for g, match in groups.items():
                if match(p, cmd):
                    per[g] += cpu_seconds(p) or 0.0
                    break
        return per, cpu_seconds(XVFB) if XVFB else None, time.monotonic()
    a, xa, ta = sample()
    time.sleep(WINDOW)
    b, xb, tb = sample()
    span = tb - ta
    out = {g: (b[g] - a[g]) / span for g in groups}
    out["X server"] = (xb - xa) / span if xa is not None and xb is not None else None
    return out


def make_recording(w, h, folder):
    os.makedirs(folder, exist_ok=True)
    asf = os.path.join(folder, "REC0001.asf")
    subprocess.run(["ffmpeg", "-v", "error", "-y",
                    "-f", "lavfi", "-i", f"testsrc2=size={w}x{h}:rate={FPS}:duration={seconds}",
                    "-f", "lavfi", "-i", f"sine=frequency=440:sample_rate=44100:duration={seconds}",
                    "-c:v", "wmv2", "-b:v", BITRATE.get(h, "8M"), "-g", "12",
                    "-c:a", "wmav2", "-b:a", "128k", "-f", "asf", asf], check=True)
    subprocess.run([generator, "--out", asf, "--seconds", str(int(seconds)), "--log-only"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    probe = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-count_packets",
                            "-show_entries", "stream=nb_read_packets", "-of", "csv=p=0", asf],
                           stdout=subprocess.PIPE, text=True, check=True)
    return asf, int(probe.stdout.strip().split()[0])


def run_plain(argv):
    log = open(os.path.join(work, "plain.log"), "wb")
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    try:
        time.sleep(WARM)
        if proc.poll() is not None:
            raise RuntimeError(f"{argv[0]} ended early")
        return measure(proc, {"own": lambda p, c: p == proc.pid})
    finally:
        end_session(proc)
        log.close()


def xdotool(*args):
    subprocess.run(["xdotool", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def run_player(folder):
    with open(os.path.join(app_dir, "ZELPlayer.ini"), "w") as f:
        f.write(f"[VEXORAPLAYER]\nDefaultLang=0\nLastLoadPath={folder}/\n")
    fb = FrameBuffer(os.path.join(work, "fb", "Xvfb_screen0"))
    logpath = os.path.join(work, "kestrelview.log")
    log = open(logpath, "wb")
    env = dict(os.environ, QT_LOGGING_RULES="kestrel.playback.frames.debug=true")
    proc = subprocess.Popen([os.path.join(app_dir, "kestrelview")], cwd=os.environ["HOME"], env=env,
                            stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    try:
        if not wait_for(window_mapped, 60):
            raise RuntimeError("no player window appeared")
        if not wait_for(lambda: fb.shows_picture(PREVIEW), 30):
            raise RuntimeError("the record list's preview did not show")
        time.sleep(1)
        xdotool("mousemove", "--sync", *OPEN_BUTTON, "click", "1")
        xdotool("mousemove", "--sync", *PARKED)
        opened = time.monotonic()
        if not wait_for(lambda: fb.shows_picture(VIDEO), 30):
            raise RuntimeError("no picture in the video area after OPEN")
        time.sleep(max(0.0, WARM - (time.monotonic() - opened)))
        leader = proc.pid
        cpu = measure(proc, {"kestrelview": lambda p, c: p == leader,
                             "browser": lambda p, c: "QtWebEngineProcess" in c})
        # Played to its end, the engine is released and reports its frames.
        pattern = re.compile(rb"frames delivered (\d+) shown (\d+)")
        found = []

        def counted():
            # The preview's engine reports too, with its one still frame.
            with open(logpath, "rb") as f:
                found[:] = [int(m.group(2)) for m in pattern.finditer(f.read()) if int(m.group(1)) > 1]
            return bool(found)
        wait_for(counted, seconds + 10, 0.2)
        shown = found[-1] if found else None
        return cpu, shown
    finally:
        end_session(proc)
        log.close()


def ratio(a, b):
    return f"{a / b:5.2f}x" if a is not None and b else "    -"


print(f"{'player-cpu'}: CPU s per s of playback, {WINDOW:.0f} s window from {WARM:.0f} s, {seconds:.0f} s recordings, "
      f"{FPS} fps, Xvfb")
print(f"  {'size':<10}{'gst':>7}{'mpv':>7}{'kestrelview':>13}{'browser':>9}{'/gst':>8}{'/mpv':>8}"
      f"{'frames':>14}  {'X server gst/mpv/kv':<20}")
status = 0
have_mpv = shutil.which("mpv") is not None
for w, h in sizes:
    folder = os.path.join(work, f"rec{w}x{h}")
    try:
        asf, frames = make_recording(w, h, folder)
        uri = "file://" + asf
        gst = run_plain(["gst-launch-1.0", "-q", "playbin", f"uri={uri}", "video-sink=videoconvert ! ximagesink",
                         "audio-sink=fakesink sync=true"])
        mpv = run_plain(["mpv", "--no-config", "--really-quiet", "--vo=x11", "--ao=null", asf]) if have_mpv else None
        cpu, shown = run_player(folder)
    except (RuntimeError, subprocess.CalledProcessError) as e:
        print(f"  {w}x{h}: {e}")
        status = 1
        continue
    kv = cpu["kestrelview"]
    goal = GOALS.get(h)
    verdict = ""
    if goal:
        missed = kv / gst["own"] > goal[0] if gst["own"] else False
        if goal[1] and mpv and mpv["own"]:
            missed = missed or kv / mpv["own"] > goal[1]
        verdict = "  MISSED" if missed else "  met"
    if shown is not None and shown < frames:
        verdict += "  DROPPED FRAMES"
    xs = "/".join(f"{v:.2f}" if v is not None else "-" for v in
                  (gst["X server"], mpv["X server"] if mpv else None, cpu["X server"]))
    print(f"  {w}x{h:<5}{gst['own']:7.3f}{mpv['own'] if mpv else float('nan'):7.3f}{kv:13.3f}{cpu['browser']:9.3f}"
          f"{ratio(kv, gst['own']):>8}{ratio(kv, mpv['own'] if mpv else None):>8}"
          f"{(str(shown) if shown is not None else '?') + '/' + str(frames):>14}  {xs:<20}{verdict}")
print("  goals: kestrelview <= 1.3x gst and <= 1.0x mpv at 720p and 1080p, <= 1.5x gst at 1440p; every frame shown")
sys.exit(status)
PY
