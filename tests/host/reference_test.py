#!/usr/bin/env python3
"""Compares the plug-in's conversions and hashes with Python's codecs,
hashlib and zlib: writes a script for the test host, runs it under Wine and
checks every line it prints.

usage: reference_test.py WINE_RUN HOST_EXE (codepages ANSI OEM | hashes)
"""
import hashlib
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib


RESULT = "=> "


def result_line(key, value):
    return 'Print "%s%s %s"' % (RESULT, key, value)


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_host(wine_run, host, lines, workdir):
    script = os.path.join(workdir, "reference.nbs")
    with open(script, "wb") as f:
        f.write("\r\n".join(lines).encode("ascii") + b"\r\n")
    done = subprocess.run([wine_run, host, wine_path(script)], capture_output=True, timeout=600)
    if done.returncode != 0:
        sys.exit("host failed (%d):\n%s\n%s" % (done.returncode, done.stdout.decode("latin-1"),
                                               done.stderr.decode("latin-1")))
    # Only lines the script printed with the result marker count: the host
    # prints its own lines too (the plug-in it loaded, traces).
    out = {}
    for line in done.stdout.decode("latin-1").splitlines():
        if not line.startswith(RESULT):
            continue
        key, _, value = line[len(RESULT):].strip().partition(" ")
        if key in out:
            sys.exit("result %s printed twice" % key)
        out[key] = value
    return out


def codes(data):
    return "".join("#%d" % b for b in data)


def from_codes(text):
    return bytes(int(p) for p in text.split("#") if p)


def convert_lines(key, mode, data):
    """Script lines that convert raw bytes (built from "#" codes, so the
    script itself stays ASCII) and print the result as codes again."""
    return ['qvConvertString "AsciiToStr" "%s" "[in]"' % codes(data),
            'qvConvertString "%s" "[in]" "[out]"' % mode,
            'qvConvertString "StrToAscii" "[out]" "[codes]"',
            result_line(key, "[codes]")]


def windows_decode(data, codepage):
    # Windows gives bytes a code page leaves undefined the code point of
    # the same number; Python refuses them.
    return "".join(bytes([b]).decode(codepage, errors="ignore") or chr(b) for b in data)


def check_codepages(wine_run, host, ansi, oem, workdir):
    problems = []
    every = bytes(range(1, 256))
    cyrillic = "".join(chr(c) for c in range(0x410, 0x450)) + "Ёё"
    win_letters = cyrillic.encode("cp1251")
    koi_letters = cyrillic.encode("koi8_r")
    others = bytes(b for b in every if b not in win_letters)
    # Characters both code pages hold; others are replaced by best-fit rules
    # that Python does not know.
    text = windows_decode(every, ansi)
    utf8 = "".join(ch for ch in text if ch != "\0").encode("utf-8")
    lines = (convert_lines("a2u", "AnsiToUtf8", every) + convert_lines("u2a", "Utf8ToAnsi", utf8) +
             convert_lines("d2w", "DosToWin", every) + convert_lines("w2d", "WinToDos", every) +
             convert_lines("w2k", "WinToKoi", win_letters + others) +
             convert_lines("k2w", "KoiToWin", koi_letters) + ["Exit"])
    got = {k: from_codes(v) for k, v in run_host(wine_run, host, lines, workdir).items()}

    def expect(key, want, got_bytes=None):
        have = got.get(key) if got_bytes is None else got_bytes
        if have != want:
            problems.append("%s: want %r\n     got %r" % (key, want, have))

    expect("a2u", text.encode("utf-8"))
    expect("u2a", every)
    expect("w2k", koi_letters + others)
    expect("k2w", win_letters)
    for key, src, dst in (("d2w", oem, ansi), ("w2d", ansi, oem)):
        out = got.get(key, b"")
        if len(out) != len(every):
            problems.append("%s: length %d" % (key, len(out)))
            continue
        checked = 0
        for b, o in zip(every, out):
            ch = windows_decode(bytes([b]), src)
            try:
                want = ch.encode(dst)
            except UnicodeEncodeError:
                continue
            checked += 1
            if bytes([o]) != want:
                problems.append("%s: byte %d gives %d, want %r" % (key, b, o, want))
        if checked < 100:
            problems.append("%s: only %d bytes comparable" % (key, checked))
    return problems


def check_hashes(wine_run, host, workdir):
    rng = random.Random(20261208)
    sizes = [0, 1, 3, 4, 15, 16, 63, 64, 65, 4003, 4004, 65535, 65536, 65537, 3 * 65536,
             4 * 1024 * 1024 + 17]
    expected, lines = {}, []
    for size in sizes:
        data = rng.randbytes(size)
        path = os.path.join(workdir, "f%d.bin" % size)
        with open(path, "wb") as f:
            f.write(data)
        words = len(data) // 4
        expected["md5_%d" % size] = hashlib.md5(data).hexdigest().upper()
        expected["sha1_%d" % size] = hashlib.sha1(data).hexdigest().upper()
        expected["crc32_%d" % size] = "%08X" % zlib.crc32(data)
        if words > 0:
            first = words // 2
            count = min(words - 1 - first, 500)
            summed = struct.unpack_from("<%dI" % count, data, first * 4)
            expected["crc_%d" % size] = str(sum(summed) & 0xFFFFFFFF)
        for kind in ("md5", "sha1", "crc32", "crc"):
            key = "%s_%d" % (kind, size)
            if key in expected:
                lines += ['qvGetFileHash "%s" "[h]" "%s"' % (wine_path(path), kind.upper()),
                          result_line(key, "[h]")]
    for length in (1, 2, 31, 32, 33, 55, 56, 63, 64, 65, 200):
        data = bytes(rng.randrange(1, 256) for _ in range(length))
        expected["smd5_%d" % length] = hashlib.md5(data).hexdigest().upper()
        expected["scrc_%d" % length] = str(zlib.crc32(data))
        lines += ['qvConvertString "AsciiToStr" "%s" "[s]"' % codes(data),
                  'qvGetStringHash "[s]" "[h]" "MD5" ""', result_line("smd5_%d" % length, "[h]"),
                  'qvGetStringHash "[s]" "[h]" "CRC32" "Int"', result_line("scrc_%d" % length, "[h]")]
    got = run_host(wine_run, host, lines + ["Exit"], workdir)
    return ["%s: want %s got %s" % (k, v, got.get(k)) for k, v in expected.items()
            if got.get(k) != v]


def main():
    wine_run, host, what = sys.argv[1], sys.argv[2], sys.argv[3]
    with tempfile.TemporaryDirectory(prefix="kelvane-ref-") as workdir:
        if what == "codepages":
            problems = check_codepages(wine_run, host, sys.argv[4], sys.argv[5], workdir)
        else:
            problems = check_hashes(wine_run, host, workdir)
    for p in problems:
        print("reference:", p)
    print("reference: %s, %d problems" % (what, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
