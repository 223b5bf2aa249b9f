#!/usr/bin/python3
"""The page in a headless browser (browsers.py), on the site served as a
static host serves it (scripts/serve-site), checked as a viewer would use it.

  page_test.py SITE BROWSER CHECK [ARGS]      BROWSER: chromium or firefox

  hash RENDER SEED FPS   every hash line equals snolk-render's
  live                   the letter row at the top of a picture that fills the
                         window, after a click; what a link preview and a tab
                         need (description, preview picture, icon)
  parameters             a bad value shows the usage text; a shared link's
                         unknown parameters are ignored, with one console line
  missing                with a data file gone, the show reaches the last scene
  tab                    hidden for longer than a scene, the show comes back in
                         step with the music (chromium: sound)
  download               without sound no track is fetched and the visit stays
                         under 1.3 MB; with sound under 3.5 MB (chromium)
  sizes                  the picture fills the limiting side at every window
                         size, with sharp pixels (chromium: emulated screens)
  keys                   Space pauses the show and the music, F full screen,
                         Escape there keeps the show, Escape ends it (chromium)
  offline                a second visit plays with the server gone (chromium)
  timeline RENDER        paused, the timeline shows; a click, a tap, Shift with an
                         arrow and the frame keys land on the very frames
                         snolk-render draws there (chromium)
"""
import importlib.machinery
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browsers  # noqa: E402

serve_site = importlib.machinery.SourceFileLoader("serve_site", os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "serve-site")).load_module()

PICTURE = ("(() => { const r = document.getElementById('screen').getBoundingClientRect();"
           " return [r.left, r.top, r.width, r.height, innerWidth, innerHeight]; })()")


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


def start_silently(browser, url):
    """Opens the page and clicks "play without sound" as a user does."""
    browser.open(url)
    if not browser.wait_for_console(r"^ready", 60):
        return "the page did not offer to play"
    browser.evaluate("document.getElementById('silent').click()", gesture=True)
    return None


def letters_problem(browser):
    """None when the picture fills the window's limiting side, centred, with
    the row of letters at its top on black."""
    left, top, width, height, room_x, room_y = picture = browser.evaluate(PICTURE)
    if max(width / room_x, height / room_y) < 0.9 or width > room_x + 1 or \
            height > room_y + 1 or abs(2 * left + width - room_x) > 1 or \
            abs(2 * top + height - room_y) > 1:
        return "the picture does not fill the window, centred: %s" % (picture,)
    box = lit_box(browser.screenshot())
    if box is None:
        return "the page is black"
    scale = height / 480
    inside = left - 1 <= box[0] and box[2] <= left + width and top - 1 <= box[1] and \
        box[3] <= top + height
    if not inside or box[2] - box[0] < 300 * scale or box[1] - top > 40 * scale or \
            box[3] - top > 120 * scale:
        return "no row of letters at the top of the picture, on black: lit %s, picture %s" % (
            box, picture)
    return None


def check_hash(browser, site, render, seed, fps):
    # The renderer works on the other core meanwhile, into a file: a pipe
    # would stop it when full.
    lines = tempfile.TemporaryFile(mode="w+")
    reference = subprocess.Popen([render, "--hash", "--seed", seed, "--fps", fps],
                                 stdout=lines, stderr=subprocess.DEVNULL)
    browser.open(site.url + "index.html?hash&seed=%s&fps=%s" % (seed, fps))
    finished = browser.wait_for_console(r"^done$", 400)
    reference.wait()
    lines.seek(0)
    expected = lines.read().splitlines()
    if reference.returncode != 0:
        return "snolk-render failed with status %d" % reference.returncode
    if not finished:
        return "the page did not finish within 400 s"
    got = [line for line in browser.console if line.startswith("frame ")]
    for n, (want, have) in enumerate(zip(expected, got), 1):
        if want != have:
            return "frame %d differs:\n  snolk-render: %s\n  page:         %s" % (n, want, have)
    if len(got) != len(expected):
        return "%d hash lines from the page, %d from snolk-render" % (len(got), len(expected))
    print("%d frames equal" % len(got))
    return None


def check_live(browser, site):
    problem = start_silently(browser, site.url + "index.html?ns")
    if problem:
        return problem
    head = browser.evaluate(
        "[document.querySelector('meta[name=description]').content,"
        " document.querySelector('meta[property=\"og:image\"]').content,"
        " document.querySelector('link[rel=icon]').getAttribute('href'),"
        " document.querySelector('.keys').textContent]")
    keys = head[3]
    if len(head[0]) < 40 or not all(word in keys for word in ("Space", "F", "Esc")):
        return "no description or keyboard help on the page: %s" % (head,)
    for path in head[1:3]:
        if not os.path.isfile(os.path.join(site.folder, path)):
            return "the site has no %s" % path
    browser.pause(5)  # the two-second pause, then the letters come in
    problem = letters_problem(browser)
    cursor = browser.evaluate("getComputedStyle(document.getElementById('screen')).cursor")
    return problem or (None if cursor == "none" else "the cursor shows over the picture")


def check_parameters(browser, site):
    browser.open(site.url + "index.html?fps=fast&utm_source=x")
    if not browser.wait_for_console(r"Options are", 60):
        return "no usage text on the console"
    shown = browser.evaluate("document.getElementById('text').textContent")
    if "bad parameter: fps=fast" not in shown or "start=n    move the show's clock" not in shown \
            or "scene=n    jump to scene" not in shown:
        return "the page does not show the usage text: %r" % shown
    # Neither the title with its buttons nor the data files: no show.
    if browser.evaluate("document.getElementById('title').hidden && "
                        "!Module.FS.analyzePath('/data').exists") is not True:
        return "the page goes on towards the show"
    problem = start_silently(browser, site.url + "index.html?fbclid=IwAR0&ns&utm_medium=social")
    said = [line for line in browser.console if line.startswith("ignored parameters")]
    if problem or said != ["ignored parameters: fbclid, utm_medium"]:
        return problem or "a shared link's parameters are not ignored in one line: %s" % said
    browser.pause(4)
    return letters_problem(browser)


def check_missing(browser, site):
    copy = tempfile.mkdtemp(prefix="snolk-site-")
    try:
        shutil.copytree(site.folder, copy, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("deps*", "obj"))
        os.remove(os.path.join(copy, "data", "star.png"))
        other = serve_site.Site(copy)
        try:
            browser.open(other.url + "index.html?hash")
            if not browser.wait_for_console(r" scene 7 hash ", 300):
                return "the show did not reach the last scene without data/star.png"
        finally:
            other.close()
    finally:
        shutil.rmtree(copy, ignore_errors=True)
    return None


def scene_and_music(browser):
    return browser.evaluate("[Module._webScene(), Module.musicPosition()]")


def check_tab(browser, site):
    # The logo (ten seconds) from its place in the music; hidden two seconds
    # in, for longer than the rest of it.
    browser.open(site.url + "index.html?play&scene=2")
    if not browser.wait_for_console(r"^music from", 60):
        return "the music did not start"
    browser.pause(4)
    before = scene_and_music(browser)
    browser.hide(True)
    browser.pause(12)
    state = browser.evaluate("document.visibilityState")
    browser.hide(False)
    after = scene_and_music(browser)
    if state != "hidden" or after[1] - before[1] > 0.5:
        return "the music went on while the page was %s: %s, then %s" % (state, before, after)
    # The plasma must start where it stands in the music.
    plasma_at = browser.evaluate("Module._webTrackMsOfScene(3)") / 1000
    deadline = time.time() + 30
    while time.time() < deadline:
        scene, music = scene_and_music(browser)
        if scene >= 3:
            print("the plasma started at %.3f s of the music, its place is %.3f s" % (
                music, plasma_at))
            if abs(music - plasma_at) > 0.5:
                return "the pictures are out of step with the music by %.1f s" % (
                    music - plasma_at)
            return None
        browser.pause(0.05)
    return "the plasma never came"


def check_download(site):
    # Each visit is a first one: a browser of its own, nothing cached.
    with_sound = "data/laten2-web.mp3" if os.path.isfile(
        os.path.join(site.folder, "data", "laten2-web.mp3")) else "data/laten2.mp3"
    for query, click, sound, limit in (("?ns", None, False, 1.3e6),
                                       ("", "silent", False, 1.3e6),
                                       ("?play", None, True, 3.5e6)):
        browser = browsers.Chromium()
        site.reset()
        try:
            browser.open(site.url + "index.html" + query)
            if not browser.wait_for_console(r"^ready|^music from", 60):
                return "the page did not get ready"
            if click:
                browser.evaluate("document.getElementById('%s').click()" % click, gesture=True)
            browser.wait_for_console(r"^kept for offline", 10)
            browser.pause(2)
        finally:
            browser.close()
        tracks = [path for path in site.served if path.endswith(".mp3")]
        print("index.html%s: %d bytes, tracks %s" % (query, site.body_bytes, tracks))
        if tracks != (["/" + with_sound] if sound else []):
            return "index.html%s fetched the tracks %s" % (query, tracks)
        if site.body_bytes > limit and (not sound or with_sound.endswith("-web.mp3")):
            return "index.html%s transferred %d bytes" % (query, site.body_bytes)
    return None


def check_sizes(browser, site):
    problem = start_silently(browser, site.url + "index.html?ns")
    # Desktop windows, an exact double, a phone upright and on its side.
    for width, height, scale, mobile in ((1920, 1080, 1, False), (1280, 960, 1, False),
                                         (1366, 768, 1.25, False), (320, 568, 2, True),
                                         (844, 390, 3, True), (330, 250, 1, False)):
        browser.emulate(width, height, scale, mobile)
        browser.pause(0.5)
        left, top, css_width, css_height, room_x, room_y = browser.evaluate(PICTURE)
        backing, smooth = browser.evaluate(
            "[document.getElementById('screen').width,"
            " document.getElementById('screen').classList.contains('smooth')]")
        device = round(css_width * scale)
        whole = math.ceil(device / 640)
        case = "%dx%d at %g: picture %gx%g at %g,%g, canvas %d" % (
            width, height, scale, css_width, css_height, left, top, backing)
        if room_x != width:
            problem = problem or "the page is not laid out at the screen's width: " + case
        if max(css_width / room_x, css_height / room_y) < 0.9 or left < 0 or top < 0 or \
                left + css_width > room_x + 0.5 or top + css_height > room_y + 0.5:
            problem = problem or "the picture does not fill the limiting side: " + case
        # Sharp: whole factors, then at most one smooth step down by 1/2 ... 1.
        if backing != 640 * whole or smooth != (device != backing):
            problem = problem or "not whole factors and one smooth step: " + case
        print(case)
    return problem


def check_keys(browser, site):
    browser.open(site.url + "index.html?play")
    if not browser.wait_for_console(r"^music from", 60):
        return "the music did not start"
    browser.pause(4)
    shown = "[document.getElementById('%s').hidden, Module.musicPosition()," \
            " getComputedStyle(document.getElementById('screen')).cursor]"
    browser.key(" ", "Space")
    browser.pause(0.5)
    before, picture_before = browser.evaluate(shown % "paused"), browser.screenshot()
    browser.pause(1.5)
    after, picture_after = browser.evaluate(shown % "paused"), browser.screenshot()
    if before[0] or after[1] - before[1] > 0.05 or picture_before != picture_after or \
            after[2] == "none":
        return "Space does not pause pictures and music: %s, %s" % (before, after)
    browser.key(" ", "Space")
    browser.pause(1.5)
    going = browser.evaluate(shown % "paused")
    if not going[0] or going[1] - after[1] < 1:
        return "Space does not go on: %s, then %s" % (after, going)
    # A scene key begins a new show at that scene at once, the music from the
    # scene's place in the track.
    where = "[Module._webScene(), Module.musicPosition(), Module._webTrackMsOfScene(%d) / 1000]"
    for key, scene in (("ArrowRight", 1), ("Home", 0)):
        browser.key(key, key)
        browser.pause(1)
        jumped = browser.evaluate(where % scene)
        if jumped[0] != scene or abs(jumped[1] - (jumped[2] + 1)) > 0.5:
            return "%s does not begin scene %d with its music: %s" % (key, scene, jumped)
    browser.key("f", "KeyF")
    browser.pause(1)
    full = browser.evaluate("[!!document.fullscreenElement, screen.height,"
                            " document.getElementById('screen').getBoundingClientRect().height]")
    if not full[0] or abs(full[1] - full[2]) > 1:
        return "F does not show the picture at the screen's height: %s" % (full,)
    browser.key("Escape", "Escape")
    browser.pause(1)
    if not browser.evaluate("document.getElementById('end').hidden"):
        return "Escape in full screen ends the show"
    browser.evaluate("document.exitFullscreen()")
    browser.pause(1)
    browser.key("Escape", "Escape")
    browser.pause(1)
    end = browser.evaluate("[document.getElementById('end').hidden,"
                           " document.getElementById('rate').textContent,"
                           " document.activeElement.id]")
    if end[0] or not end[1].startswith("FPS=") or end[2] != "again":
        return "Escape does not end the show with the frame rate and 'play again': %s" % (end,)
    # Played again in the same page, not a new visit.
    browser.evaluate("window.sameVisit = true; document.getElementById('again').click()")
    browser.pause(1)
    again = browser.evaluate("[window.sameVisit, document.getElementById('end').hidden,"
                             " Module._webScene(), Module.musicPosition()]")
    if again[:3] != [True, True, 0] or not 0.5 < again[3] < 1.5:
        return "'play again' does not begin the show anew in the page: %s" % (again,)
    return None


def check_offline(browser, site):
    browser.open(site.url + "index.html?ns")
    if not browser.wait_for_console(r"^kept for offline visits", 60):
        return "the site was not kept for offline visits"
    site.close()
    problem = start_silently(browser, site.url + "index.html?ns")
    browser.pause(5)
    return problem or letters_problem(browser)


def rendered_hash(render, frame):
    """The hash of frame `frame` as snolk-render draws it, seed 1, 60 fps."""
    lines = subprocess.run([render, "--hash", "--seed", "1", "--frames", str(frame)],
                           check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                           text=True).stdout.splitlines()
    return lines[-1].split()[-1]


def check_timeline(browser, site, render):
    browser.open(site.url + "index.html?ns&play&seed=1")
    for _ in range(120):
        browser.pause(0.5)
        if browser.evaluate("document.body.classList.contains('playing')"):
            break
    else:
        return "the page did not start"
    browser.pause(3)
    browser.key(" ", "Space")
    browser.pause(0.5)
    if browser.evaluate("document.getElementById('timeline').className") != "":
        return "the timeline is not shown while paused"
    # The frame the show stands at: the first of the renderer's run at or
    # after its place in the track.
    state = "[Module._webLandedMs, Module.UTF8ToString(Module._webScreenHash())]"
    frame_at = lambda ms: 1 + math.ceil((ms - 2000) * 60 / 1000 - 1e-9)
    track = browser.evaluate("(() => { const r = document.getElementById('track')"
                             ".getBoundingClientRect(); return [r.left, r.top, r.width]; })()")
    moves = [("a click at the middle", lambda: browser.click(track[0] + track[2] / 2, track[1] + 2)),
             ("Shift and the right arrow", lambda: browser.key("ArrowRight", "ArrowRight", True)),
             ("a full stop", lambda: browser.key(".", "Period")),
             ("a comma", lambda: browser.key(",", "Comma")),
             ("a tap at a fifth", lambda: browser.tap(track[0] + track[2] / 5, track[1] + 2))]
    for what, move in moves:
        move()
        browser.pause(0.5)
        landed, shown = browser.evaluate(state)
        if landed is None or landed < 2000:
            return "%s does not move the show: %s" % (what, landed)
        expected = rendered_hash(render, frame_at(landed))
        if shown != expected:
            return "%s lands at %d ms on %s, not the renderer's %s" % (what, landed, shown,
                                                                        expected)
    return None


CHECKS = {"hash": check_hash, "live": check_live, "parameters": check_parameters,
          "missing": check_missing, "tab": check_tab, "sizes": check_sizes,
          "keys": check_keys, "offline": check_offline, "timeline": check_timeline}


def main():
    folder, kind, check, rest = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    if not os.path.exists(os.path.join(folder, "snolk.wasm")):
        print("FAILED: no site in %s: make web builds it" % folder)
        return 1
    site = serve_site.Site(folder)
    if check == "download":
        problem, console = check_download(site), []
    else:
        browser = browsers.BROWSERS[kind]()
        try:
            problem = CHECKS[check](browser, site, *rest)
        finally:
            browser.close()
            console = browser.console
    site.close()
    if problem:
        print("FAILED: " + problem)
        print("console:\n  " + "\n  ".join(console[-20:]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
