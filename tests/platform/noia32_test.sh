#!/bin/sh
# The seccomp wrapper that the WoW64 route runs under must really forbid
# 32-bit system calls, or its green runs would prove nothing: a 64-bit
# program that makes one through int $0x80 dies, while ordinary 64-bit
# programs (and their children) run as before.
#
#   noia32_test.sh NOIA32_SOURCE
set -eu
SRC=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
cc -O2 -Wall -Werror -o "$T/noia32" "$SRC"
cat >"$T/int80.c" <<'C'
/* getpid through the i386 system call gate; prints the pid if it returns. */
#include <stdio.h>
int main(void) {
    long pid = 20; /* __NR_getpid in the i386 table */
    __asm__ volatile("int $0x80" : "+a"(pid) : : "memory");
    printf("%ld\n", pid);
    return 0;
}
C
cc -O2 -o "$T/int80" "$T/int80.c"

fail=0
# A plain 64-bit program, and one it starts, run normally.
out=$("$T/noia32" sh -c 'echo ok; /bin/true && echo child') || { echo "FAIL: 64-bit programs did not run"; fail=1; }
[ "$out" = "ok
child" ] || { echo "FAIL: unexpected output: $out"; fail=1; }

# Under the wrapper the 32-bit call kills the process: SIGSYS (31) from
# seccomp, or SIGSEGV (11) where the kernel itself has no 32-bit gate.
set +e
"$T/noia32" "$T/int80" >/dev/null 2>&1
rc=$?
set -e
case $rc in
    159 | 139) echo "int \$0x80 under noia32: killed (status $rc)" ;;
    *) echo "FAIL: int \$0x80 under noia32 ended with status $rc"; fail=1 ;;
esac
# The same through a child process: the filter is inherited.
set +e
"$T/noia32" sh -c '"$1"; exit $?' sh "$T/int80" >/dev/null 2>&1
rc=$?
set -e
[ "$rc" -ne 0 ] || { echo "FAIL: a child's int \$0x80 was let through"; fail=1; }

# Without the wrapper, on a kernel with 32-bit emulation, the same call works:
# the wrapper is what stops it.
if "$T/int80" >/dev/null 2>&1; then
    echo "without noia32: the 32-bit call works here (the kernel has 32-bit emulation)"
else
    echo "without noia32: the 32-bit call fails here too (the kernel has no 32-bit emulation)"
fi
exit $fail
