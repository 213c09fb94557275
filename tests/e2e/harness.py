"""What the tests of the real program share: a namespace of their own where the
update host is 127.0.0.1, a fake update service on port 80, Xvfb, xdotool and
a stand-in xdg-open that records what it was given."""

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
FIXTURE_LINK = ("https://clients2.googleusercontent.com/crx/blobs/AV8Xwo4r9mEvLqxHm0xgBnT5RWMs0Dl_YxU1bgc2c3BOb2x0/"
                "AAPBDBDOMJKKJKAONFHKKIKFGJLLCLEB_2_0_16_0.crx")
IDENTIFIER = "hgopjbnkmdaecfilpoknjmhgbadcefil"
# Positions within the window's client area.
EDIT_BOX = (100, 23)
BUTTON = (52, 69)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_for(condition, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def read_request(connection):
    request = b""
    while b"\r\n\r\n" not in request:
        chunk = connection.recv(65536)
        if not chunk:
            break
        request += chunk
    return request


class FakeUpdateService:
    """Listens on 127.0.0.1:80. For each connection it reads the request,
    records it and hands the socket to `handler` (by default: send `response`)."""

    def __init__(self, response):
        self.response = response
        self.handler = None
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
            # The answer is chosen when the connection arrives, so that a test
            # may change it as soon as it sees the request.
            handler, response = self.handler, self.response
            with connection:
                try:
                    connection.settimeout(30)
                    self.requests.append(read_request(connection))
                    if handler is not None:
                        handler(connection, response)
                    else:
                        connection.sendall(response)
                except OSError:
                    pass

    def stop(self):
        self.running = False
        self.thread.join()
        self.listener.close()


class Session:
    """Xvfb, the program under test and the stand-in opener."""

    def __init__(self, command, workdir):
        self.workdir = workdir
        self.record = os.path.join(workdir, "opened")
        stub_dir = os.path.join(workdir, "bin")
        os.makedirs(stub_dir)
        stub = os.path.join(stub_dir, "xdg-open")
        with open(stub, "w") as out:
            # One line per call: the argument count, a tab, the first argument.
            out.write("#!/bin/sh\nprintf '%%s\\t%%s\\n' \"$#\" \"$1\" >> '%s'\n" % self.record)
        os.chmod(stub, 0o755)
        self.display = ":%d" % next(n for n in range(87, 300) if not os.path.exists("/tmp/.X%d-lock" % n))
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        runtime_dir = os.path.join(workdir, "runtime")
        os.makedirs(runtime_dir, mode=0o700)
        self.env = dict(os.environ, DISPLAY=self.display, PATH=stub_dir + os.pathsep + os.environ["PATH"],
                        XDG_RUNTIME_DIR=runtime_dir, QT_QPA_PLATFORM="xcb")
        wait_for(lambda: subprocess.call(["xdotool", "getmouselocation"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0, "Xvfb")
        self.program = subprocess.Popen(command, env=self.env)
        self.window = self.xdotool("search", "--sync", "--onlyvisible", "--name", "^Quillory$").split()[0]

    def xdotool(self, *args, timeout=60):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True, timeout=timeout).stdout

    def click(self, where, repeat=1):
        self.xdotool("mousemove", "--window", self.window, str(where[0]), str(where[1]),
                     "click", "--repeat", str(repeat), "--delay", "5", "1", timeout=600)

    def type_identifier(self, text):
        self.click(EDIT_BOX)
        self.xdotool("key", "--clearmodifiers", "ctrl+a", "BackSpace")
        if text:
            self.xdotool("type", "--delay", "20", "--", text)

    def opened(self):
        """Every call of the opener so far, as (argument count, first argument)."""
        if not os.path.exists(self.record):
            return []
        with open(self.record, encoding="utf-8", errors="surrogateescape") as lines:
            return [tuple(line.rstrip("\n").split("\t", 1)) for line in lines]

    def resident_kib(self):
        with open("/proc/%d/status" % self.program.pid) as status:
            return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))

    def open_descriptors(self):
        return len(os.listdir("/proc/%d/fd" % self.program.pid))

    def alive(self):
        return self.program.poll() is None

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", self.window, path], check=True, timeout=30)

    def close_with_escape(self, seconds=30):
        self.click(EDIT_BOX)
        self.xdotool("key", "Escape")
        return self.program.wait(timeout=seconds)

    def close(self):
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait()
        self.xvfb.terminate()
        self.xvfb.wait()


def run_in_namespaces(script, arguments, body):
    """Runs `body()` inside a network and mount namespace of its own, where
    lo is up and the update host resolves to 127.0.0.1. Outside root the test
    is skipped, except under CI, which must run it."""
    if "--inside" in sys.argv:
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        hosts = tempfile.NamedTemporaryFile("w", prefix="quillory-hosts-", delete=False)
        hosts.write("127.0.0.1 localhost %s\n" % UPDATE_HOST)
        hosts.close()
        subprocess.run(["mount", "--bind", hosts.name, "/etc/hosts"], check=True)
        try:
            body()
        finally:
            os.unlink(hosts.name)
        return 0
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
            print("cannot run (%s), and CI must run it" % why)
            return 1
        print("skipped (%s)" % why)
        return SKIP
    return subprocess.call(["unshare", "--net", "--mount", "--propagation", "private", sys.executable,
                            os.path.abspath(script), *arguments, "--inside"])
