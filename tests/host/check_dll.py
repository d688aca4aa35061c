#!/usr/bin/env python3
"""Checks the plug-in DLL's exports and imports with objdump."""
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
    for p in problems:
        print("check_dll:", p)
    print("check_dll: imports", ", ".join(sorted(imports)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
