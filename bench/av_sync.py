#!/usr/bin/env python3
"""How late the live show's sound reaches the ear against its pictures.

Plays the show from a scene (-scene N) in a virtual X server, its sound into
a PulseAudio null sink, and records two moments on one clock (the monotonic
clock of this script):
  - the picture: the middle of the screen, polled through Xlib, turning
    from black to a picture (the scene's first frame, after the black
    two-second pause) and, with the tree, back to black (the moonlit sky's
    first frame, at the next cut);
  - the sound: the null sink's monitor, recorded with parec. The first
    sample that is not silence is the first sample of the track the player
    sent (two seconds before the scene's first downbeat), so the downbeats
    are heard two and four seconds later. Each block parec hands over gives a bound on
    when its last sample was played; the earliest bound over all blocks
    anchors the recording.
Prints the sound's lateness against the picture at both cuts, in ms, one
line a run: positive when the sound comes after the picture it belongs to.

Usage: bench/av_sync.py [SNOLK [SCENE [RUNS]]]
  run from the folder that holds data/; SNOLK defaults to build/snolk,
  SCENE to 4 (the tree, whose first frame follows the plasma's music),
  RUNS to 3. SDL_AUDIODRIVER and LD_LIBRARY_PATH pass through, so that
  sdl12-compat can be measured as well as classic SDL.
"""
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time

RATE = 44100
FRAME_BYTES = 4  # 16-bit stereo
START_PAUSE = 2.0  # seconds of black before the first frame, as in the show
NEXT_CUT = 2.0  # the tree's length: its downbeat to the moonlit sky's
WIDTH, HEIGHT = 640, 480


def start_x_server():
    # A display number of its own, away from those other X servers take.
    number = 300 + os.getpid() % 600
    server = subprocess.Popen(
        ["Xvfb", f":{number}", "-screen", "0", f"{WIDTH}x{HEIGHT}x24", "-nolisten", "tcp"],
        stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return server, f":{number}"
        time.sleep(0.05)
    raise SystemExit("av_sync: Xvfb did not start")


def start_sound_server(folder):
    env = dict(os.environ, PULSE_RUNTIME_PATH=folder, PULSE_STATE_PATH=folder, HOME=folder)
    socket = os.path.join(folder, "native")
    server = subprocess.Popen(
        ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
         f"--load=module-null-sink sink_name=snolk rate={RATE}",
         f"--load=module-native-protocol-unix socket={socket} auth-anonymous=1"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(socket):
            break
        time.sleep(0.05)
    else:
        raise SystemExit("av_sync: pulseaudio did not start")
    # An idle null sink plays nothing and its monitor records nothing: a
    # stream of silence keeps it running, so that the recording is
    # continuous from its start.
    silence = subprocess.Popen(
        ["pacat", "--server", "unix:" + socket, "-d", "snolk", "--raw", "--format=s16le",
         f"--rate={RATE}", "--channels=2", "--latency-msec=2", "/dev/zero"])
    return server, silence, "unix:" + socket


class Recorder(threading.Thread):
    """parec on the sink's monitor; keeps the samples and, per block, when it came."""

    def __init__(self, server):
        super().__init__(daemon=True)
        self.process = subprocess.Popen(
            ["parec", "--server", server, "-d", "snolk.monitor", "--raw", "--format=s16le",
             f"--rate={RATE}", "--channels=2", "--latency-msec=2"], stdout=subprocess.PIPE)
        self.data = bytearray()
        self.anchor = None  # the clock's time of the recording's first frame

    def run(self):
        while True:
            block = self.process.stdout.read1(4096)
            now = time.monotonic()
            if not block:
                return
            self.data += block
            # The last frame of the block was played by now at the latest.
            bound = now - len(self.data) / FRAME_BYTES / RATE
            self.anchor = bound if self.anchor is None else min(self.anchor, bound)

    def first_sound(self):
        samples = memoryview(bytes(self.data)).cast("h")
        for index, sample in enumerate(samples):
            if sample != 0:
                return self.anchor + (index // 2) / RATE
        return None


class Screen:
    """The middle pixel of the X server's screen, read through Xlib."""

    def __init__(self, display):
        self.xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XGetImage.restype = ctypes.c_void_p
        self.xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                        ctypes.c_ulong, ctypes.c_int]
        self.xlib.XGetPixel.restype = ctypes.c_ulong
        self.xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
        for _ in range(50):
            self.display = self.xlib.XOpenDisplay(display.encode())
            if self.display:
                break
            time.sleep(0.1)
        else:
            raise SystemExit("av_sync: cannot open the X display " + display)
        self.root = self.xlib.XDefaultRootWindow(self.display)

    def middle_pixel(self):
        # A 3x3 patch, ZPixmap, all planes.
        image = self.xlib.XGetImage(self.display, self.root, WIDTH // 2 - 1, HEIGHT // 2 - 1,
                                    3, 3, 0xFFFFFFFF, 2)
        if not image:
            return 0
        pixel = max(self.xlib.XGetPixel(image, x, y) for x in range(3) for y in range(3))
        self.xlib.XDestroyImage(image)
        return pixel


def measure(snolk, scene, display, sound_server):
    screen = Screen(display)
    recorder = Recorder(sound_server)
    recorder.start()
    # Until parec has recorded half a second of the sink's silence.
    until = time.monotonic() + 10.0
    while len(recorder.data) < RATE // 2 * FRAME_BYTES and time.monotonic() < until:
        time.sleep(0.05)
    env = dict(os.environ, DISPLAY=display, PULSE_SERVER=sound_server,
               SDL_VIDEODRIVER="x11")
    env.setdefault("SDL_AUDIODRIVER", "pulse")
    show = subprocess.Popen([snolk, "-scene", str(scene)], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The scene's first frame turns the middle of the screen from black to
    # its picture; with the tree, the moonlit sky's first frame turns it
    # black again, two seconds on.
    pictures = []
    until = time.monotonic() + 8.0
    while len(pictures) < 2 and time.monotonic() < until:
        lit = screen.middle_pixel() & 0xFFFFFF != 0
        if lit == (len(pictures) == 0):
            pictures.append(time.monotonic())
        time.sleep(0.0002)
    time.sleep(0.5)
    show.send_signal(signal.SIGTERM)
    show.wait()
    time.sleep(0.2)
    recorder.process.terminate()
    recorder.join()
    sound = recorder.first_sound()
    if sound is None:
        return []
    return [(sound + START_PAUSE + cut * NEXT_CUT - picture) * 1000.0
            for cut, picture in enumerate(pictures)]


def main():
    snolk = sys.argv[1] if len(sys.argv) > 1 else "build/snolk"
    scene = int(sys.argv[2]) if len(sys.argv) > 2 else 4
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    with tempfile.TemporaryDirectory() as folder:
        x_server, display = start_x_server()
        sound, silence, server = start_sound_server(folder)
        try:
            for run in range(runs):
                lateness = measure(snolk, scene, display, server)
                print(f"{snolk} -scene {scene}: the sound comes " +
                      (", ".join(f"{late:+.1f} ms" for late in lateness) or "(not measured)") +
                      " after the picture, at the scene's first frame and at the next cut",
                      flush=True)
        finally:
            silence.terminate()
            sound.terminate()
            x_server.terminate()
            sound.wait()
            x_server.wait()


if __name__ == "__main__":
    main()
