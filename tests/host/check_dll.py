#!/usr/bin/env python3
"""Checks the plug-in DLL's exports and imports with objdump.

    check_dll.py OBJDUMP DLL [IMPORT_LIST]

With IMPORT_LIST (one "dll!function" a line, "#" starts a comment) every
function the DLL imports statically must be on the list: the functions the
oldest Windows the plug-in supports has. Anything newer must be looked up
at run time (GetProcAddress), with a fallback.
"""
import re
import subprocess
import sys

EXPORTS = {
    "nbInitPlugIn", "nbRegisterPlugIn", "nbRegisterScriptProcessor",
    "nbRegisterInterfaceAccess", "nbRegisterStreamAccess", "nbMessage",
    "nbExecAction", "nbEditAction", "nbAbout",
}
# DLLs every Windows installation has; nothing of the compiler's runtime.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "ole32.dll", "oleaut32.dll", "comdlg32.dll", "comctl32.dll", "shlwapi.dll",
    "wininet.dll", "msvcrt.dll", "version.dll", "psapi.dll", "winmm.dll", "mpr.dll",
}


def imported_functions(text):
    """{dll: [function, ...]} from objdump -p's import tables."""
    functions = {}
    dll = None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).lower()
            functions.setdefault(dll, [])
            continue
        if dll is None:
            continue
        if not line.strip():
            dll = None  # the table of this DLL ended
            continue
        # "<vma> <hint> <name>", or "<vma> <ordinal>" for an import by number.
        entry = re.match(r"\s*([0-9a-f]+)\s+(\d+)(?:\s+(\S+))?\s*$", line)
        if entry:
            functions[dll].append(entry.group(3) or "#" + entry.group(2))
    return functions


def read_list(path):
    allowed = set()
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                dll, function = line.split("!")
                allowed.add((dll.lower(), function))
    return allowed


def main():
    objdump, dll = sys.argv[1], sys.argv[2]
    text = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                          text=True).stdout
    problems = []
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", text)}
    for name in sorted(imports - SYSTEM_DLLS):
        problems.append("imports non-system DLL " + name)
    table = text.split("[Ordinal/Name Pointer] Table", 1)
    names = set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)$", table[1], re.M)) if len(table) == 2 else set()
    if names != EXPORTS:
        problems.append("exports %s, expected %s" % (sorted(names), sorted(EXPORTS)))
    if "PE32+" in text or "pei-i386" not in subprocess.run(
            [objdump, "-f", dll], capture_output=True, text=True).stdout:
        problems.append("not a 32-bit x86 DLL")
    if len(sys.argv) > 3:
        allowed = read_list(sys.argv[3])
        functions = imported_functions(text)
        if not any(functions.values()):
            problems.append("found no imported functions")
        for name in sorted(functions):
            print("check_dll: %s (%d): %s" % (name, len(functions[name]),
                                               " ".join(sorted(functions[name]))))
            for function in sorted(functions[name]):
                if (name, function) not in allowed:
                    problems.append("imports %s!%s, which is not on %s" %
                                    (name, function, sys.argv[3]))
    for p in problems:
        print("check_dll:", p)
    print("check_dll: imports", ", ".join(sorted(imports)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
