/*
 * Borland-convention functions with known behaviour, written by hand, to
 * check the test host's own call thunk before it is trusted with the DLL.
 */
        .intel_syntax noprefix
        .data
        .globl  _kvh_probe_args
_kvh_probe_args:
        .space  24

        .text
/* Six arguments: three in registers, three stacked; removes 12 bytes and
   returns AL = 1 with the other bytes of EAX not clean. */
        .globl  _kvh_probe_six
_kvh_probe_six:
        mov     [_kvh_probe_args], eax
        mov     [_kvh_probe_args + 4], edx
        mov     [_kvh_probe_args + 8], ecx
        mov     eax, [esp + 12]         /* argument 4, pushed first */
        mov     [_kvh_probe_args + 12], eax
        mov     eax, [esp + 8]
        mov     [_kvh_probe_args + 16], eax
        mov     eax, [esp + 4]          /* argument 6, pushed last */
        mov     [_kvh_probe_args + 20], eax
        mov     eax, 0x7A7A7A01
        ret     12

/* Breaks the convention: leaves its stacked arguments behind. */
        .globl  _kvh_probe_no_pop
_kvh_probe_no_pop:
        xor     eax, eax
        ret

/* Breaks the convention: does not preserve EBX. */
        .globl  _kvh_probe_clobber
_kvh_probe_clobber:
        xor     ebx, ebx
        xor     eax, eax
        ret

/* Returns the stack pointer it was entered with. */
        .globl  _kvh_probe_entry_esp
_kvh_probe_entry_esp:
        mov     eax, esp
        ret
