#!/usr/bin/env python3
"""What a developer would write in CPython for the decode-and-extract step:
unquote, UTF-8 decoding and GBK encoding with errors="replace", then the
marker search, on the page that bench/page.h builds.

usage: python_baseline.py SIZE [RUNS]   (prints the median seconds)"""

import statistics
import sys
import time
import urllib.parse

BLOCK = (b'<p class="row">Item %E4%B8%AD%E6%96%87 text with escapes %41%42%43 and \xd6\xd0\xce\xc4 words '
         b'&amp; more</p>\r\n')
ANCHOR = b'<A HREF="https://clients2.googleusercontent.com/crx/blobs/AV8X/AAPB_2_0_16_0%20x.crx">here</A>\r\n'
MARKER = b'">here</A>'


def make_page(size):
    count = (size - len(ANCHOR)) // len(BLOCK)
    page = BLOCK * count
    return page + b" " * (size - len(ANCHOR) - len(page)) + ANCHOR


def decode_and_extract(page):
    text = urllib.parse.unquote_to_bytes(page).decode("utf-8", errors="replace").encode("gbk", errors="replace")
    start = text.find(b'<A HREF="')
    end = text.find(MARKER, start)
    return text[start + 9:end]


def main():
    size = int(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    page = make_page(size)
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        link = decode_and_extract(page)
        times.append(time.perf_counter() - start)
    assert link.endswith(b" x.crx"), link
    print("%.6f" % statistics.median(times))


if __name__ == "__main__":
    main()
