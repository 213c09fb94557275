#!/usr/bin/env python3
"""The real program, used as a person would, against a fake update service.

The test re-runs itself in a network and mount namespace of its own, where
lo is up, the update host resolves to 127.0.0.1 and a fake service listens on
port 80. Under Xvfb, xdotool types into the window and clicks the button; a
stand-in xdg-open first on PATH records what it was given.

usage: end_to_end.py PROGRAM FIXTURE SCREENSHOT
"""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
UPDATE_HOST = "clients2.google.com"
DEFAULT_AGENT = ("Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; WEPLO; .NET CLR 2.0.50727; "
                 ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)")
FIXTURE_LINK = ("https://clients2.googleusercontent.com/crx/blobs/AV8Xwo4r9mEvLqxHm0xgBnT5RWMs0Dl_YxU1bgc2c3BOb2x0/"
                "AAPBDBDOMJKKJKAONFHKKIKFGJLLCLEB_2_0_16_0.crx")
# Positions within the window's client area.
EDIT_BOX = (100, 23)
BUTTON = (52, 69)


class FakeUpdateService:
    """Answers every request on 127.0.0.1:80 with `response` and records it."""

    def __init__(self, response):
        self.response = response
        self.requests = []
        self.listener = socket.create_server(("127.0.0.1", 80))
        self.listener.settimeout(0.2)
        self.running = True
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        while self.running:
            try:
                connection, _ = self.listener.accept()
            except (socket.timeout, OSError):
                continue
            with connection:
                connection.settimeout(5)
                request = b""
                while b"\r\n\r\n" not in request:
                    chunk = connection.recv(4096)
                    if not chunk:
                        break
                    request += chunk
                self.requests.append(request)
                connection.sendall(self.response)

    def stop(self):
        self.running = False
        self.thread.join()
        self.listener.close()


class Session:
    """Xvfb, the program and the stand-in opener."""

    def __init__(self, program, workdir):
        self.workdir = workdir
        self.record = os.path.join(workdir, "opened.jsonl")
        stub_dir = os.path.join(workdir, "bin")
        os.makedirs(stub_dir)
        stub = os.path.join(stub_dir, "xdg-open")
        with open(stub, "w") as out:
            out.write("#!%s\nimport json, sys\nwith open(%r, 'a') as out:\n"
                      "    out.write(json.dumps(sys.argv[1:]) + '\\n')\n" % (sys.executable, self.record))
        os.chmod(stub, 0o755)
        self.display = ":%d" % next(n for n in range(87, 200) if not os.path.exists("/tmp/.X%d-lock" % n))
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.display, PATH=stub_dir + os.pathsep + os.environ["PATH"],
                        XDG_RUNTIME_DIR=workdir, QT_QPA_PLATFORM="xcb")
        wait_for(lambda: subprocess.call(["xdotool", "getmouselocation"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0, "Xvfb")
        self.program = subprocess.Popen([program], env=self.env)
        self.window = self.xdotool("search", "--sync", "--onlyvisible", "--name", "^Quillory$").split()[0]

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True, timeout=30).stdout

    def click(self, where):
        self.xdotool("mousemove", "--window", self.window, str(where[0]), str(where[1]), "click", "1")

    def type_identifier(self, text):
        self.click(EDIT_BOX)
        self.xdotool("key", "--clearmodifiers", "ctrl+a", "BackSpace")
        if text:
            self.xdotool("type", "--delay", "20", "--", text)

    def opened(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record) as lines:
            return [json.loads(line) for line in lines]

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", self.window, path], check=True, timeout=30)

    def close(self):
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait()
        self.xvfb.terminate()
        self.xvfb.wait()


def wait_for(condition, what, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def body_with_lowercase_anchor(fixture):
    head, body = fixture.split(b"\r\n\r\n", 1)
    lowered = body.replace(b"<A HREF=", b"<a href=").replace(b"</A>", b"</a>")
    return head + b"\r\n\r\n" + lowered


def run_cases(program, fixture, screenshot):
    workdir = tempfile.mkdtemp(prefix="quillory-e2e-")
    service = FakeUpdateService(fixture)
    session = Session(program, workdir)
    try:
        def click_and_check(identifier, expected_id, expect_link):
            before_requests, before_opened = len(service.requests), len(session.opened())
            session.type_identifier(identifier)
            session.click(BUTTON)
            wait_for(lambda: len(service.requests) > before_requests, "the request of " + repr(identifier))
            request = service.requests[-1].decode("latin-1")
            request_line = request.split("\r\n", 1)[0]
            expect(request_line == "GET /service/update2/crx?response=redirect&x=id%3D" + expected_id +
                   "%26uc%26lang%3Den-US&prod=chrome HTTP/1.1", "request line: " + request_line)
            address = "http://%s/service/update2/crx?response=redirect&x=id%%3D%s%%26uc%%26lang%%3Den-US&prod=chrome" % (
                UPDATE_HOST, identifier)
            for line in ("Host: " + UPDATE_HOST, "User-Agent: " + DEFAULT_AGENT, "Referer: " + address,
                         "Accept: */*", "Accept-Language: zh-cn",
                         "Content-Type: application/x-www-form-urlencoded"):
                expect("\r\n" + line + "\r\n" in request, "missing header line %r in %r" % (line, request))
            if expect_link:
                wait_for(lambda: len(session.opened()) > before_opened, "the opener")
                expect(session.opened()[-1] == [FIXTURE_LINK], "opened: %r" % session.opened()[-1])
            else:
                time.sleep(1.5)
                expect(len(session.opened()) == before_opened, "opened: %r" % session.opened()[before_opened:])

        print("case: a normal identifier")
        click_and_check("hgopjbnkmdaecfilpoknjmhgbadcefil", "hgopjbnkmdaecfilpoknjmhgbadcefil", True)
        session.screenshot(screenshot)

        print("case: surrounding spaces arrive as %20")
        click_and_check(" abc ", "%20abc%20", True)

        print("case: the empty edit box still asks")
        click_and_check("", "", True)

        print("case: a page whose anchor is in lower case opens nothing")
        service.response = body_with_lowercase_anchor(fixture)
        click_and_check("hgopjbnkmdaecfilpoknjmhgbadcefil", "hgopjbnkmdaecfilpoknjmhgbadcefil", False)
        service.response = fixture

        print("case: an unreachable service opens nothing and the window works after")
        service.stop()
        before = len(session.opened())
        session.type_identifier("hgopjbnkmdaecfilpoknjmhgbadcefil")
        session.click(BUTTON)
        time.sleep(2)
        expect(len(session.opened()) == before, "opened with no service")
        expect(session.program.poll() is None, "the program ended")
        service = FakeUpdateService(fixture)
        click_and_check("hgopjbnkmdaecfilpoknjmhgbadcefil", "hgopjbnkmdaecfilpoknjmhgbadcefil", True)

        print("case: Esc closes the window and ends the program")
        session.click(EDIT_BOX)
        session.xdotool("key", "Escape")
        expect(session.program.wait(timeout=15) == 0, "exit code %r" % session.program.returncode)
    finally:
        session.close()
        service.stop()
        shutil.rmtree(workdir, ignore_errors=True)


def inside_namespaces(program, fixture_path, screenshot):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    hosts = tempfile.NamedTemporaryFile("w", prefix="quillory-hosts-", delete=False)
    hosts.write("127.0.0.1 localhost %s\n" % UPDATE_HOST)
    hosts.close()
    subprocess.run(["mount", "--bind", hosts.name, "/etc/hosts"], check=True)
    with open(fixture_path, "rb") as response:
        fixture = response.read()
    try:
        run_cases(program, fixture, screenshot)
    finally:
        os.unlink(hosts.name)
    print("end to end: all cases passed")
    return 0


def main():
    program, fixture, screenshot = sys.argv[1:4]
    if "--inside" in sys.argv:
        return inside_namespaces(program, fixture, screenshot)
    missing = [tool for tool in ("unshare", "ip", "mount", "Xvfb", "xdotool", "import") if shutil.which(tool) is None]
    why = None
    if os.geteuid() != 0:
        why = "namespaces need root"
    elif missing:
        why = "missing tools: " + " ".join(missing)
    elif subprocess.call(["unshare", "--net", "--mount", "true"]) != 0:
        why = "namespaces cannot be made here"
    if why is not None:
        if os.environ.get("CI") == "true":
            print("end to end: cannot run (%s), and CI must run it" % why)
            return 1
        print("end to end: skipped (%s)" % why)
        return SKIP
    return subprocess.call(["unshare", "--net", "--mount", "--propagation", "private", sys.executable,
                            os.path.abspath(__file__), program, fixture, screenshot, "--inside"])


if __name__ == "__main__":
    sys.exit(main())
