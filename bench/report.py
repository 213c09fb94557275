#!/usr/bin/env python3
"""Turns the measurements of script/bench into one table of medians, ratios
and budgets (Markdown, for BENCHMARKS.md as well).

usage: report.py DIR   (DIR holds what script/bench wrote)"""

import json
import os
import sys


def load(path):
    with open(path) as source:
        return json.load(source)


def kernel_medians(path):
    """{(name, size): seconds per iteration} from Google Benchmark's JSON."""
    medians = {}
    for row in load(path)["benchmarks"]:
        if row.get("aggregate_name") != "median":
            continue
        name, size = row["run_name"].split("/")[0:2]
        unit = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[row["time_unit"]]
        medians[(name, int(size))] = row["real_time"] * unit
    return medians


def hyperfine_medians(path):
    return [(result["command"], result["median"]) for result in load(path)["results"]]


def verdict(ok):
    return "met" if ok else "NOT met"


def main():
    folder = sys.argv[1]
    small, large = 4 << 20, 64 << 20
    lines = []
    out = lines.append

    kernels = kernel_medians(os.path.join(folder, "kernels.json"))
    out("### 1. Text and resolver kernels (median per call)")
    out("")
    out("| kernel | 4 MB | 64 MB | MB/s at 64 MB | cost per byte 64 MB / 4 MB | budget |")
    out("|---|---|---|---|---|---|")
    for name in ["BM_StringViewFind", "BM_FindText", "BM_FindTextReverse", "BM_ReplaceText", "BM_SplitText",
                 "BM_TrimBoth", "BM_PercentDecode", "BM_PercentDecodeFromUtf8", "BM_ExtractDownloadLink"]:
        a, b = kernels[(name, small)], kernels[(name, large)]
        ratio = (b / large) / (a / small)
        budget = "baseline" if name == "BM_StringViewFind" else "%s (<= 1.5)" % verdict(ratio <= 1.5)
        out("| %s | %.3f ms | %.2f ms | %.0f | %.2f | %s |" % (name[3:], a * 1e3, b * 1e3, large / b / 1e6, ratio,
                                                             budget))
    out("")
    for name in ["BM_FindText", "BM_FindTextReverse"]:
        ratio = kernels[(name, large)] / kernels[("BM_StringViewFind", large)]
        out("- %s against `std::string_view::find` on the 64 MB page: %.2f times (budget <= 3: %s)" % (
            name[3:], ratio, verdict(ratio <= 3)))
    with open(os.path.join(folder, "python_4mb.txt")) as source:
        python_seconds = float(source.read())
    ours = kernels[("BM_ExtractDownloadLink", small)]
    speedup = python_seconds / ours
    out("- decode and extract of the 4 MB page: %.1f ms here, %.1f ms in CPython (%.1f MB/s): %.1f times faster "
        "(budget >= 20: %s)" % (ours * 1e3, python_seconds * 1e3, small / python_seconds / 1e6, speedup,
                                verdict(speedup >= 20)))
    out("")

    out("### 2. Fetching a 256 MB body from loopback")
    out("")
    fetch = dict(hyperfine_medians(os.path.join(folder, "fetch.json")))
    with open(os.path.join(folder, "fetch_peak.json")) as source:
        peaks = json.load(source)
    out("| program | median wall time | peak memory |")
    out("|---|---|---|")
    for label, command in peaks["commands"].items():
        out("| %s | %.3f s | %.0f MB |" % (label, fetch[command], peaks["peak_kib"][label] / 1024))
    ratio = fetch[peaks["commands"]["FetchUrl"]] / fetch[peaks["commands"]["minimal libcurl"]]
    headroom = peaks["peak_kib"]["FetchUrl"] / 1024 - 256
    out("")
    out("- FetchUrl against the minimal libcurl program: %.2f times the wall time (budget <= 1.2: %s)" % (
        ratio, verdict(ratio <= 1.2)))
    out("- FetchUrl's peak memory: the body plus %.0f MB (budget <= 32 MB: %s)" % (headroom, verdict(headroom <= 32)))
    out("")

    out("### 3. Click to open")
    out("")
    click = load(os.path.join(folder, "click.json"))
    click_seconds = next(row["real_time"] * 1e-3 for row in click["benchmarks"]
                         if row.get("aggregate_name") == "median")
    pipeline = hyperfine_medians(os.path.join(folder, "pipeline.json"))[0][1]
    out("| path | median |")
    out("|---|---|")
    out("| the download command, click to opener | %.2f ms |" % (click_seconds * 1e3))
    out("| `curl -s … \\| sed …` in a shell | %.2f ms |" % (pipeline * 1e3))
    out("")
    out("- %.1f times faster than the shell pipeline (budget: faster: %s)" % (
        pipeline / click_seconds, verdict(click_seconds < pipeline)))
    out("")

    out("### 4. Start-up under Xvfb")
    out("")
    with open(os.path.join(folder, "startup.txt")) as source:
        startup = dict((line.split()[0], (float(line.split()[1]), int(line.split()[2]))) for line in source)
    out("| program | median time to the window | median peak memory |")
    out("|---|---|---|")
    names = {"quillory": "quillory", "minimal_window": "minimal window, one label",
             "minimal_window_controls": "minimal window with the same three controls"}
    for label, name in names.items():
        out("| %s | %.1f ms | %.1f MB |" % (name, startup[label][0], startup[label][1] / 1024))
    time_ratio = startup["quillory"][0] / startup["minimal_window"][0]
    memory_ratio = startup["quillory"][1] / startup["minimal_window"][1]
    out("")
    out("- time: %.2f times the minimal window (budget <= 1.2: %s)" % (time_ratio, verdict(time_ratio <= 1.2)))
    out("- memory: %.2f times the minimal window (budget <= 1.2: %s)" % (memory_ratio, verdict(memory_ratio <= 1.2)))
    out("- against the minimal window with the same three controls: %.2f times the time, %.2f times the memory" % (
        startup["quillory"][0] / startup["minimal_window_controls"][0],
        startup["quillory"][1] / startup["minimal_window_controls"][1]))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
