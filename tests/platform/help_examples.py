#!/usr/bin/env python3
"""Runs the help's examples: every <pre class="example"> of help/topics/*.htm
and help/overview/*.htm, with the lines of the <!--check ...--> comment after
it, as a script of the test host against Kelvane.dll, each in a fresh
process with [ScriptFolder] a fresh empty folder. Fails naming the topic and
the example of each run that fails (an Expect line that does not hold, a
script error, a crash or a hang).

    help_examples.py --wine-run WINE_RUN --host KELVANE_HOST_EXE [--dll KELVANE_DLL]
                     --pages HELP_DIR --lock none|desktop|shell [--only TEXT]

--lock picks the examples marked data-lock="desktop" or "shell" (the test
that runs them holds that CTest lock), or those marked with neither. Those
that need the desktop run on a desktop of their own, where the input they
make reaches their own windows only. Examples marked data-run="no" are
counted, not run. --only runs the examples of the topics whose path holds
TEXT.

The route is the caller's (KELVANE_WINE, KELVANE_CACHE, KELVANE_LOCALE, as
scripts/wine-run reads them).
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 60  # seconds for one example


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def code_page():
    locale = os.environ.get("KELVANE_LOCALE", "")
    return "cp1251" if locale.lower().startswith("ru") else "cp1252"


def numbered(script):
    return "\n".join("%4d  %s" % (i + 1, line) for i, line in enumerate(script.rstrip("\n").split("\n")))


def run_example(args, example, encoding):
    """None when the example passes, else what went wrong."""
    folder = tempfile.mkdtemp(prefix="kelvane-help-")
    # The host makes the script's folder [ScriptFolder]; the example gets an
    # empty one beside the script instead.
    empty = os.path.join(folder, "ScriptFolder")
    os.mkdir(empty)
    script = 'SetVar "[ScriptFolder]" "%s"\n' % wine_path(empty) + example.full_script()
    try:
        try:
            data = script.replace("\n", "\r\n").encode(encoding)
        except UnicodeEncodeError as e:
            return "the script is not in the %s code page: %s" % (encoding, e)
        path = os.path.join(folder, "example.nbs")
        with open(path, "wb") as f:
            f.write(data)
        command = [args.wine_run, args.host]
        if args.dll:
            command += ["--dll", wine_path(args.dll)]
        if example.lock == "desktop":
            command += ["--desktop", "KelvaneHelp"]
        command.append(wine_path(path))
        try:
            done = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            return "no end after %d s\n%s" % (TIMEOUT, numbered(script))
        if done.returncode != 0:
            return "exit code %d\n%s\n--- output\n%s%s" % (
                done.returncode, numbered(script), done.stdout.decode(encoding, "replace"),
                done.stderr.decode(encoding, "replace"))
        return None
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--dll", default="")  # default: Kelvane.dll beside the host
    parser.add_argument("--pages", required=True)
    parser.add_argument("--lock", choices=("none", "desktop", "shell"), required=True)
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    sys.dont_write_bytecode = True  # no __pycache__ in the source tree
    sys.path.insert(0, os.path.abspath(args.pages))
    import help_pages

    wanted = "" if args.lock == "none" else args.lock
    encoding = code_page()
    run = shown = 0
    failures = []
    started = time.monotonic()
    for relative in help_pages.source_topics(args.pages):
        if args.only not in relative:
            continue
        topic = help_pages.Topic(args.pages, relative)
        for example in topic.examples:
            if example.lock != wanted:
                continue
            if not example.runs:
                shown += 1
                continue
            began = time.monotonic()
            problem = run_example(args, example, encoding)
            run += 1
            took = time.monotonic() - began
            if problem is None:
                print("ok    %s (%.1f s)" % (example.name(), took), flush=True)
            else:
                print("FAIL  %s (%.1f s): %s" % (example.name(), took, problem), flush=True)
                failures.append(example.name())
    print("%d examples run, %d shown only (%s, %.0f s)" % (
        run, shown, "no lock" if not wanted else "lock " + wanted, time.monotonic() - started))
    if failures:
        print("failed: " + "; ".join(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
