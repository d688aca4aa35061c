#!/usr/bin/env python3
"""Reads the JUnit files CTest wrote for each part of a test run and prints
what a reader needs at the end of it: every failed test with the last lines
of its output, and the slowest tests with their times.

    test-summary.py [--tail N] [--slowest N] LABEL=FILE.xml ...

A file that is missing or unreadable is reported: the part did not run to
its end.
"""
import argparse
import sys
import xml.etree.ElementTree as ET


def read(path):
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        return None, str(error)
    cases = []
    for case in root.iter("testcase"):
        status = case.get("status", "")
        failed = case.find("failure") is not None or case.find("error") is not None
        if status and status not in ("run", "notrun", "disabled"):
            failed = failed or status == "fail"
        out = case.findtext("system-out") or ""
        try:
            seconds = float(case.get("time", "0"))
        except ValueError:
            seconds = 0.0
        cases.append((case.get("name", "?"), seconds, failed, out))
    return cases, None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tail", type=int, default=30)
    parser.add_argument("--slowest", type=int, default=10)
    parser.add_argument("parts", nargs="+", metavar="LABEL=FILE")
    args = parser.parse_args()

    timings = []
    failures = []
    for part in args.parts:
        label, _, path = part.partition("=")
        cases, error = read(path)
        if cases is None:
            print(f"test: {label}: no results ({error})")
            continue
        for name, seconds, failed, out in cases:
            timings.append((seconds, label, name))
            if failed:
                failures.append((label, name, seconds, out))

    for label, name, seconds, out in failures:
        lines = out.rstrip("\n").splitlines()
        print(f"test: FAILED {label}: {name} ({seconds:.1f} s); "
              f"the last {min(args.tail, len(lines))} lines of its output:")
        for line in lines[-args.tail:]:
            print(f"test: | {line}")
    if timings:
        print(f"test: the {min(args.slowest, len(timings))} slowest tests:")
        for seconds, label, name in sorted(timings, reverse=True)[:args.slowest]:
            print(f"test: {seconds:8.1f} s  {label}: {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
