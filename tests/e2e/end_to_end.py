#!/usr/bin/env python3
"""The real program, used as a person would, against a fake update service.

usage: end_to_end.py PROGRAM FIXTURE SCREENSHOT
"""

import shutil
import sys
import tempfile
import time

from harness import (BUTTON, FIXTURE_LINK, IDENTIFIER, UPDATE_HOST, FakeUpdateService, Session, expect,
                     run_in_namespaces, wait_for)

DEFAULT_AGENT = ("Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; WEPLO; .NET CLR 2.0.50727; "
                 ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)")


def lowercase_anchor(fixture):
    head, body = fixture.split(b"\r\n\r\n", 1)
    return head + b"\r\n\r\n" + body.replace(b"<A HREF=", b"<a href=").replace(b"</A>", b"</a>")


def run_cases(program, fixture, screenshot):
    workdir = tempfile.mkdtemp(prefix="quillory-e2e-")
    service = FakeUpdateService(fixture)
    session = Session([program], workdir)
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
                expect(session.opened()[-1] == ("1", FIXTURE_LINK), "opened: %r" % (session.opened()[-1],))
            else:
                time.sleep(1.5)
                expect(len(session.opened()) == before_opened, "opened: %r" % session.opened()[before_opened:])

        print("case: a normal identifier")
        click_and_check(IDENTIFIER, IDENTIFIER, True)
        session.screenshot(screenshot)

        print("case: surrounding spaces arrive as %20")
        click_and_check(" abc ", "%20abc%20", True)

        print("case: the empty edit box still asks")
        click_and_check("", "", True)

        print("case: a page whose anchor is in lower case opens nothing")
        service.response = lowercase_anchor(fixture)
        click_and_check(IDENTIFIER, IDENTIFIER, False)
        service.response = fixture

        print("case: an unreachable service opens nothing and the window works after")
        service.stop()
        before = len(session.opened())
        session.type_identifier(IDENTIFIER)
        session.click(BUTTON)
        time.sleep(2)
        expect(len(session.opened()) == before, "opened with no service")
        expect(session.alive(), "the program ended")
        service = FakeUpdateService(fixture)
        click_and_check(IDENTIFIER, IDENTIFIER, True)

        print("case: Esc closes the window and ends the program")
        expect(session.close_with_escape() == 0, "exit code %r" % session.program.returncode)
    finally:
        session.close()
        service.stop()
        shutil.rmtree(workdir, ignore_errors=True)


def main():
    program, fixture_path, screenshot = sys.argv[1:4]

    def body():
        with open(fixture_path, "rb") as response:
            run_cases(program, response.read(), screenshot)
        print("end to end: all cases passed")

    return run_in_namespaces(__file__, [program, fixture_path, screenshot], body)


if __name__ == "__main__":
    sys.exit(main())
