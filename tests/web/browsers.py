"""Headless browsers driven through their own remote protocols, with one face
for the page's checks: open a URL, evaluate an expression, read the console,
take a screenshot. A screenshot from the command line is taken at the load
event, long before the show has run, so neither browser is used that way.

Chromium speaks the DevTools protocol on a pipe; Firefox speaks WebDriver
BiDi on a WebSocket (Debian's python3-websocket)."""
import base64
import json
import os
import re
import select
import shutil
import subprocess
import tempfile
import threading
import time

WINDOW = (1000, 700)


class Browser:
    """What both browsers share: the console lines seen so far, and waiting
    on them. A subclass reads one message with read_message(deadline)."""

    def __init__(self):
        self.console = []
        self.profile = tempfile.mkdtemp(prefix="snolk-page-")

    def wait_for(self, wanted, seconds):
        deadline = time.time() + seconds
        while True:
            message = self.read_message(deadline)
            if message is None or wanted(message):
                return message

    def wait_for_console(self, pattern, seconds):
        """True once a console line of the page last opened matches pattern."""
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

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Chromium(Browser):
    """Commands on descriptor 3, answers and events on 4, each a JSON text
    ending in NUL."""

    name = "chromium"

    def __init__(self):
        super().__init__()
        to_browser, self.commands = os.pipe()
        self.events, from_browser = os.pipe()
        args = ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
                "--remote-debugging-pipe", "--no-first-run", "--mute-audio",
                "--autoplay-policy=no-user-gesture-required",
                "--user-data-dir=" + self.profile, "--window-size=%d,%d" % WINDOW]
        self.process = subprocess.Popen(
            args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            pass_fds=(3, 4), preexec_fn=lambda: (os.dup2(to_browser, 3), os.dup2(from_browser, 4)))
        os.close(to_browser)
        os.close(from_browser)
        self.buffer = b""
        self.next_id = 0
        self.session = None
        self.target = None

    def send(self, method, params=None, session=True):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        answer = self.wait_for(lambda m: m.get("id") == self.next_id, 60)
        if answer is None or "error" in answer:
            raise RuntimeError("%s: %s" % (method, answer))
        return answer["result"]

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

    def open(self, url):
        self.console.clear()
        if self.target is None:
            self.target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
            self.session = self.send("Target.attachToTarget",
                                     {"targetId": self.target, "flatten": True})["sessionId"]
            self.send("Runtime.enable")
            self.send("Page.enable")
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression, gesture=False):
        return self.send("Runtime.evaluate", {"expression": expression, "userGesture": gesture,
                                              "returnByValue": True})["result"].get("value")

    def screenshot(self):
        return base64.b64decode(self.send("Page.captureScreenshot", {"format": "png"})["data"])

    def key(self, key, code, shift=False):
        for kind in ("keyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code,
                                                 "modifiers": 8 if shift else 0})

    def click(self, x, y):
        """A mouse click at (x, y) in the page's CSS pixels."""
        self.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y,
                                                   "button": "left", "clickCount": 1})

    def tap(self, x, y):
        """A finger's tap at (x, y) in the page's CSS pixels."""
        self.send("Input.dispatchTouchEvent",
                  {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        self.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def emulate(self, width, height, scale, mobile):
        self.send("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})

    def hide(self, hidden):
        """Another tab in front of the page's, as a user switches tabs."""
        if hidden:
            self.other = self.send("Target.createTarget", {"url": "about:blank"},
                                   session=False)["targetId"]
            self.send("Target.activateTarget", {"targetId": self.other}, session=False)
        else:
            self.send("Target.closeTarget", {"targetId": self.other}, session=False)
            self.send("Target.activateTarget", {"targetId": self.target}, session=False)

    def close(self):
        super().close()
        os.close(self.commands)
        os.close(self.events)


def plain(value):
    """A value as BiDi serialises it, as Python's."""
    kind = value.get("type")
    if kind in ("array", "set"):
        return [plain(v) for v in value.get("value", [])]
    if kind == "object":
        return {k if isinstance(k, str) else plain(k): plain(v) for k, v in value["value"]}
    return value.get("value")


class Firefox(Browser):
    """WebDriver BiDi on the port Firefox picks and names on its standard
    error."""

    name = "firefox"

    def __init__(self):
        import websocket  # Debian's python3-websocket
        super().__init__()
        args = ["firefox-esr", "--headless", "--no-remote", "--remote-debugging-port=0",
                "--profile", self.profile, "--width=%d" % WINDOW[0], "--height=%d" % WINDOW[1]]
        self.process = subprocess.Popen(args, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        text=True)
        address = None
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        if address is None:
            raise RuntimeError("firefox-esr did not start its remote protocol")
        # The rest of its standard error is read and dropped, so that it
        # never blocks on a full pipe.
        threading.Thread(target=lambda: [None for _ in self.process.stderr], daemon=True).start()
        # Firefox refuses a WebSocket that names an origin.
        self.socket = websocket.create_connection(address + "/session", suppress_origin=True)
        self.next_id = 0
        self.send("session.new", {"capabilities": {}})
        self.send("session.subscribe", {"events": ["log.entryAdded"]})
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]

    def send(self, method, params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        answer = self.wait_for(lambda m: m.get("id") == self.next_id, 60)
        if answer is None or answer.get("type") != "success":
            raise RuntimeError("%s: %s" % (method, answer))
        return answer["result"]

    def read_message(self, deadline):
        import websocket
        left = deadline - time.time()
        if left <= 0:
            return None
        self.socket.settimeout(min(left, 0.5))
        try:
            message = json.loads(self.socket.recv())
        except websocket.WebSocketTimeoutException:
            return {}
        if message.get("method") == "log.entryAdded":
            self.console.append(message["params"].get("text") or "")
        return message

    def open(self, url):
        self.console.clear()
        self.send("browsingContext.navigate", {"context": self.context, "url": url,
                                               "wait": "none"})

    def evaluate(self, expression, gesture=False):
        answer = self.send("script.evaluate", {
            "expression": expression, "target": {"context": self.context},
            "awaitPromise": False, "userActivation": gesture})
        return plain(answer["result"]) if answer.get("type") == "success" else None

    def screenshot(self):
        return base64.b64decode(
            self.send("browsingContext.captureScreenshot", {"context": self.context})["data"])

    def close(self):
        self.socket.close()
        super().close()


BROWSERS = {"chromium": Chromium, "firefox": Firefox}
