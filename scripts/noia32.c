/* noia32 COMMAND [ARGS...]: runs COMMAND as a kernel without 32-bit
 * emulation would. Any system call made through a 32-bit ABI (int $0x80,
 * sysenter, or a 32-bit syscall: seccomp reports AUDIT_ARCH_I386 for all of
 * them) kills the whole process with SIGSYS, in COMMAND and every process it
 * starts. Such a kernel refuses to exec 32-bit ELF programs and faults on
 * int $0x80; both are fatal at the same points.
 *
 * x32 calls (the x86-64 ABI with bit 30 set in the call number) are let
 * through: they are 64-bit code and such a kernel keeps them. */
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
    };
    struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
    if (argc < 2) {
        fprintf(stderr, "usage: %s COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        perror("noia32: PR_SET_NO_NEW_PRIVS");
        return 1;
    }
    if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        perror("noia32: PR_SET_SECCOMP");
        return 1;
    }
    execvp(argv[1], argv + 1);
    perror("noia32: execvp");
    return 127;
}
