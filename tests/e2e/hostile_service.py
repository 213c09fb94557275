#!/usr/bin/env python3
"""The real program against an update service that misbehaves, then a
thousand clicks in a row, then one click under valgrind's memcheck.

For every case the program stays alive, the next normal click still opens the
link, its memory stays under a generous bound, and nothing but an http(s) link
reaches the opener. Meant for the build with short limits.

usage: hostile_service.py PROGRAM FIXTURE
"""

import re
import select
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time

from harness import (BUTTON, FIXTURE_LINK, IDENTIFIER, FakeUpdateService, Session, expect, run_in_namespaces,
                     wait_for)

MEMORY_BOUND_KIB = 400 * 1024
PAGE_HEAD = b"HTTP/1.1 302 Found\r\nContent-Type: text/html; charset=UTF-8\r\n"


def page(body, head=PAGE_HEAD):
    return head + b"Content-Length: %d\r\n\r\n" % len(body) + body


def anchor(link):
    return b'<HTML><BODY>The document has moved <A HREF="' + link + b'">here</A>.</BODY></HTML>\r\n'


def wait_for_close(connection, _response):
    """Holds the connection silently until the client gives up."""
    connection.settimeout(60)
    while connection.recv(4096):
        pass


def reset_mid_body(connection, _response):
    connection.sendall(PAGE_HEAD + b"Content-Length: 100000\r\n\r\n<HTML><BODY>The document has")
    time.sleep(0.2)
    connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))


def endless_body(connection, _response):
    connection.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n")
    block = b"<p>more and more</p>" * 3000
    while True:
        connection.sendall(block)


def dripping_body(connection, _response):
    connection.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n")
    for _ in range(15):
        connection.sendall(b"<")
        # A byte every two seconds, until the client hangs up.
        if select.select([connection], [], [], 2)[0] and not connection.recv(1):
            return


def header_lines(count, make):
    return b"".join(make(i) for i in range(count))


def big_page():
    filler = b"<p>%41 filler \xe4\xb8\xad text</p>\n" * (50 * 1024 * 1024 // 30)
    return page(filler + anchor(b"https://h.example/big.crx"))


def run_cases(program, fixture, workdir):
    figures = {}
    service = FakeUpdateService(fixture)
    session = Session([program], workdir)
    try:
        session.type_identifier(IDENTIFIER)

        def case(name, handler=None, response=None, opened=None, refused=False):
            """One hostile click, then a normal one; between them exactly
            `opened` (a link, or None for nothing) reaches the opener."""
            print("case:", name, flush=True)
            nonlocal service
            before = len(session.opened())
            if refused:
                service.stop()
                session.click(BUTTON)
                time.sleep(1)
                service = FakeUpdateService(fixture)
            else:
                service.handler, service.response = handler, response if response is not None else fixture
                requests = len(service.requests)
                session.click(BUTTON)
                wait_for(lambda: len(service.requests) > requests, "the request of " + name)
                service.handler, service.response = None, fixture
            session.click(BUTTON)
            expected = 1 + (opened is not None)
            wait_for(lambda: len(session.opened()) >= before + expected and session.opened()[-1] == ("1", FIXTURE_LINK),
                     "the normal click after " + name, seconds=90)
            expect(session.alive(), "the program ended")
            hostile = session.opened()[before:-1]
            expect(hostile == ([] if opened is None else [("1", opened)]), "%s opened %r" % (name, hostile))
            resident = session.resident_kib()
            figures[name] = resident
            expect(resident < MEMORY_BOUND_KIB, "%s: resident memory %d KiB" % (name, resident))

        case("connection refused", refused=True)
        case("accepted and silent", handler=wait_for_close)
        case("reset in mid-body", handler=reset_mid_body)
        case("a body that never ends", handler=endless_body)
        case("a body that drips", handler=dripping_body)
        case("a header block of 100 KB",
             response=page(anchor(FIXTURE_LINK.encode()),
                           PAGE_HEAD + header_lines(1000, lambda i: b"X-Pad-%04d: %s\r\n" % (i, b"p" * 88))),
             opened=FIXTURE_LINK)
        case("ten thousand Set-Cookie lines",
             response=page(anchor(FIXTURE_LINK.encode()),
                           PAGE_HEAD + header_lines(10000, lambda i: b"Set-Cookie: c%d=v; path=/\r\n" % i)),
             opened=FIXTURE_LINK)
        case("a page of 50 MB with the anchor at its end", response=big_page(), opened="https://h.example/big.crx")
        case("204 with no body", response=b"HTTP/1.1 204 No Content\r\n\r\n")
        case("an HTTP/1.0 answer", response=page(anchor(b"https://h.example/10.crx"), b"HTTP/1.0 200 OK\r\n"),
             opened="https://h.example/10.crx")
        case("a status line and the empty line only",
             response=b"HTTP/1.1 200 OK\r\n\r\n" + anchor(b"https://h.example/bare.crx"),
             handler=lambda connection, response: (connection.sendall(response), connection.shutdown(socket.SHUT_WR)),
             opened="https://h.example/bare.crx")
        body = anchor(b"https://h.example/chunked.crx")
        case("a chunked body",
             response=PAGE_HEAD + b"Transfer-Encoding: chunked\r\n\r\n" + b"%x\r\n" % len(body) + body + b"\r\n0\r\n\r\n",
             opened="https://h.example/chunked.crx")
        for bad in (b"file:///etc/passwd", b"/usr/bin/xterm", b"evil.desktop", b"javascript:alert(1)",
                    b"-e xterm", b"http://h.example/%0D%0Ax", b"http://h.example/%0Ax"):
            case("link " + bad.decode(), response=page(anchor(bad)))
        case("a zero byte once decoded is dropped by the decoder", response=page(anchor(b"http://h.example/a%00b")),
             opened="http://h.example/ab")
        case("invalid UTF-8 and escapes around a good link",
             response=page(b"\xc0%zz" + anchor(b"https://h.example/ok%20x") + b"\xe6%"),
             opened="https://h.example/ok x")

        print("a thousand clicks", flush=True)
        clicks = {}
        done = 0
        for target in (10, 100, 1000):
            opened_before = len(session.opened())
            session.click(BUTTON, repeat=target - done)
            wait_for(lambda: len(session.opened()) >= opened_before + target - done, "%d clicks" % target,
                     seconds=600)
            done = target
            time.sleep(0.5)
            clicks[target] = (session.resident_kib(), session.open_descriptors())
            print("  after %4d clicks: resident %d KiB, %d open descriptors" % (target, *clicks[target]), flush=True)
        expect(clicks[1000][0] - clicks[100][0] < 16 * 1024, "memory grew: %r" % clicks)
        expect(clicks[1000][1] - clicks[10][1] <= 2, "descriptors leaked: %r" % clicks)
        expect(session.close_with_escape() == 0, "exit code %r" % session.program.returncode)
    finally:
        session.close()
        service.stop()
    print("resident memory after each case (KiB):", figures)


def memcheck_one_click(program, fixture, workdir):
    """One click of the real program under valgrind: no definite leak of our own."""
    print("memcheck: one click under valgrind", flush=True)
    log = workdir + "/memcheck.log"
    service = FakeUpdateService(fixture)
    session = Session(["valgrind", "--leak-check=full", "--show-leak-kinds=definite", "--num-callers=40",
                       "--log-file=" + log, program], workdir + "/memcheck")
    try:
        session.type_identifier(IDENTIFIER)
        session.click(BUTTON)
        wait_for(lambda: len(session.opened()) == 1, "the click under valgrind", seconds=180)
        expect(session.close_with_escape(seconds=300) == 0, "exit code %r" % session.program.returncode)
    finally:
        session.close()
        service.stop()
    with open(log) as report:
        text = report.read()
    # A leak is ours when the frame that called the allocator is our code;
    # Qt and fontconfig keep caches for the whole process that valgrind counts
    # as lost even when our code is further up their stack.
    ours = []
    for block in re.split(r"\n==\d+== \n", text):
        if "definitely lost" not in block:
            continue
        frames = re.findall(r"(?:at|by) 0x[0-9A-F]+: (.*)", block)
        caller = next((frame for frame in frames if not re.match(r"(malloc|calloc|realloc|operator new)", frame)), "")
        if re.search(r"quillory::|\((text|resolver|web|app)/|main\.cc", caller):
            ours.append(block)
    summary = re.findall(r"definitely lost: .*", text)
    print("memcheck:", summary[-1] if summary else "no leak summary")
    expect(not ours, "definite leaks of our own:\n" + "\n".join(ours))
    expect("ERROR SUMMARY: 0 errors" in text or not re.search(r"Invalid (read|write)", text),
           "memcheck found invalid accesses")


def main():
    program, fixture_path = sys.argv[1:3]

    def body():
        with open(fixture_path, "rb") as response:
            fixture = response.read()
        workdir = tempfile.mkdtemp(prefix="quillory-hostile-")
        try:
            run_cases(program, fixture, workdir + "/cases")
            if shutil.which("valgrind"):
                memcheck_one_click(program, fixture, workdir)
            else:
                expect(False, "valgrind is missing")
        finally:
            shutil.rmtree(workdir, ignore_errors=True)
        print("hostile service: all cases passed")

    return run_in_namespaces(__file__, [program, fixture_path], body)


if __name__ == "__main__":
    sys.exit(main())
