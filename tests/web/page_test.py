#!/usr/bin/env python3
"""The page in headless Chromium: serves the site on a free local port, opens
it through the DevTools protocol on a pipe (a screenshot from the command line
is taken at the load event, long before the show has run) and checks it.

  page_test.py SITE hash RENDER SEED FPS   every hash line equals snolk-render's
  page_test.py SITE live                   after a few seconds, the letter row,
                                           on black and centred, at a user's click
  page_test.py SITE usage                  a bad parameter shows the usage text
  page_test.py SITE missing                with a data file gone, the show still
                                           reaches the last scene
"""
import base64
import functools
import http.server
import json
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import threading
import time

WINDOW = (1000, 700)  # room for the picture at scale 1 only, with black around it


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Server:
    """The site on 127.0.0.1 at a port the system picks, in a thread."""

    def __init__(self, folder):
        handler = functools.partial(Quiet, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """Headless Chromium driven over --remote-debugging-pipe: commands on its
    descriptor 3, answers and events on 4, each a JSON text ending in NUL."""

    def __init__(self):
        to_browser, self.commands = os.pipe()
        self.events, from_browser = os.pipe()
        self.profile = tempfile.mkdtemp(prefix="snolk-page-")
        args = ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
                "--remote-debugging-pipe", "--no-first-run", "--mute-audio",
                "--user-data-dir=" + self.profile, "--window-size=%d,%d" % WINDOW]
        self.process = subprocess.Popen(
            args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            pass_fds=(3, 4), preexec_fn=lambda: (os.dup2(to_browser, 3), os.dup2(from_browser, 4)))
        os.close(to_browser)
        os.close(from_browser)
        self.buffer = b""
        self.next_id = 0
        self.session = None
        self.console = []

    def send(self, method, params=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        return self.wait_for(lambda m: m.get("id") == self.next_id, 60)["result"]

    def read_message(self, deadline):
        while b"\0" not in self.buffer:
            if time.time() > deadline:
                return None
            ready, _, _ = select.select([self.events], [], [], 0.2)
            if ready:
                chunk = os.read(self.events, 1 << 20)
                if not chunk:
                    raise RuntimeError("chromium closed its pipe")
                self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        message = json.loads(text)
        if message.get("method") == "Runtime.consoleAPICalled":
            args = message["params"]["args"]
            self.console.append(" ".join(str(a.get("value", "")) for a in args))
        elif message.get("method") == "Runtime.exceptionThrown":
            details = message["params"]["exceptionDetails"]
            self.console.append("exception: " + details.get("exception", {}).get(
                "description", details.get("text", "")))
        return message

    def wait_for(self, wanted, seconds):
        deadline = time.time() + seconds
        while True:
            message = self.read_message(deadline)
            if message is None or wanted(message):
                return message

    def wait_for_console(self, pattern, seconds):
        """True once a console line matches pattern."""
        seen = 0
        deadline = time.time() + seconds
        while True:
            if any(re.search(pattern, line) for line in self.console[seen:]):
                return True
            seen = len(self.console)
            if self.read_message(deadline) is None and time.time() > deadline:
                return False

    def pause(self, seconds):
        self.wait_for(lambda m: False, seconds)

    def open(self, url):
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        self.send("Runtime.enable")
        self.send("Page.enable")
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression, gesture=False):
        return self.send("Runtime.evaluate", {"expression": expression, "userGesture": gesture,
                                              "returnByValue": True})["result"].get("value")

    def screenshot(self):
        return base64.b64decode(self.send("Page.captureScreenshot", {"format": "png"})["data"])

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self.commands)
        os.close(self.events)
        shutil.rmtree(self.profile, ignore_errors=True)


def lit_box(png):
    """The smallest box (left, top, right, bottom) around everything that is
    not black in a screenshot, by ImageMagick; None when all is black."""
    with tempfile.NamedTemporaryFile(suffix=".png") as file:
        file.write(png)
        file.flush()
        box = subprocess.run(["convert", file.name, "-fuzz", "10%", "-format", "%@", "info:"],
                             check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True).stdout
    width, height, left, top = map(int, re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box).groups())
    return None if width == 0 else (left, top, left + width - 1, top + height - 1)


def check_hash(browser, url, render, seed, fps):
    # The renderer works on the other core meanwhile, into a file: a pipe
    # would stop it when full.
    lines = tempfile.TemporaryFile(mode="w+")
    reference = subprocess.Popen([render, "--hash", "--seed", seed, "--fps", fps],
                                 stdout=lines, stderr=subprocess.DEVNULL)
    browser.open(url + "index.html?hash&seed=%s&fps=%s" % (seed, fps))
    finished = browser.wait_for_console(r"^done$", 300)
    reference.wait()
    lines.seek(0)
    expected = lines.read().splitlines()
    if reference.returncode != 0:
        return "snolk-render failed with status %d" % reference.returncode
    if not finished:
        return "the page did not finish within 300 s"
    got = [line for line in browser.console if line.startswith("frame ")]
    for n, (want, have) in enumerate(zip(expected, got), 1):
        if want != have:
            return "frame %d differs:\n  snolk-render: %s\n  page:         %s" % (n, want, have)
    if len(got) != len(expected):
        return "%d hash lines from the page, %d from snolk-render" % (len(got), len(expected))
    print("%d frames equal" % len(got))
    return None


def check_live(browser, url):
    browser.open(url + "index.html?ns")
    if not browser.wait_for_console(r"^ready", 60):
        return "the page did not offer to play"
    # A click on "play without sound", as a user makes it.
    browser.evaluate("document.getElementById('silent').click()", gesture=True)
    browser.pause(5)  # the two-second pause, then the letters come in
    picture = browser.evaluate("(() => { const r = document.getElementById('screen')"
                               ".getBoundingClientRect(); return [r.left, r.top, r.width, r.height,"
                               " innerWidth, innerHeight]; })()")
    left, top, width, height, room_x, room_y = picture
    if (width, height) != (640, 480) or abs(2 * left + width - room_x) > 1 or \
            abs(2 * top + height - room_y) > 1:
        return "the picture is not 640 x 480 in the middle of the page: %s" % (picture,)
    box = lit_box(browser.screenshot())
    if box is None:
        return "the page is black"
    inside = left <= box[0] and box[2] < left + width and top <= box[1] and box[3] < top + height
    # The word's letters stand in a row along the top of the picture.
    if not inside or box[2] - box[0] < 300 or box[1] - top > 40 or box[3] - top > 120:
        return "no row of letters at the top of the picture, on black: lit %s, picture %s" % (
            box, picture)
    return None


def check_usage(browser, url):
    browser.open(url + "index.html?fps=fast")
    if not browser.wait_for_console(r"Options are", 60):
        return "no usage text on the console"
    shown = browser.evaluate("document.getElementById('text').textContent")
    if "bad parameter: fps=fast" not in shown or "start=n" not in shown:
        return "the page does not show the usage text: %r" % shown
    # Neither the title with its buttons nor the data files: no show.
    if browser.evaluate("document.getElementById('title').hidden && "
                        "!Module.FS.analyzePath('/data').exists") is not True:
        return "the page goes on towards the show"
    return None


def check_missing(browser, site):
    copy = tempfile.mkdtemp(prefix="snolk-site-")
    try:
        for name in ("index.html", "snolk.js", "snolk.wasm", "data"):
            source = os.path.join(site, name)
            copy_one = shutil.copytree if os.path.isdir(source) else shutil.copy
            copy_one(source, os.path.join(copy, name))
        os.remove(os.path.join(copy, "data", "star.png"))
        server = Server(copy)
        try:
            browser.open(server.url + "index.html?hash")
            if not browser.wait_for_console(r" scene 7 hash ", 300):
                return "the show did not reach the last scene without data/star.png"
        finally:
            server.close()
    finally:
        shutil.rmtree(copy, ignore_errors=True)
    return None


def main():
    site, mode, rest = sys.argv[1], sys.argv[2], sys.argv[3:]
    if not os.path.exists(os.path.join(site, "snolk.wasm")):
        print("FAILED: no site in %s: make web builds it" % site)
        return 1
    server = Server(site)
    browser = Browser()
    try:
        if mode == "hash":
            problem = check_hash(browser, server.url, *rest)
        elif mode == "live":
            problem = check_live(browser, server.url)
        elif mode == "usage":
            problem = check_usage(browser, server.url)
        elif mode == "missing":
            problem = check_missing(browser, site)
        else:
            problem = "unknown check " + mode
    finally:
        browser.close()
        server.close()
    if problem:
        print("FAILED: " + problem)
        print("console:\n  " + "\n  ".join(browser.console[-20:]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
