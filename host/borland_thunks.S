/*
 * The host side of Borland's register calling convention, written out by
 * hand so that it shares nothing with the plug-in's C++ declarations.
 *
 * Rules followed: arguments 1-3 in EAX, EDX, ECX; arguments 4 and later
 * pushed in left-to-right order; the callee removes the pushed arguments;
 * EBX, ESI, EDI and EBP survive the call; a Boolean result is AL.
 */
        .intel_syntax noprefix
        .text

/*
 * uint32_t kvh_borland_call(const void* fn, const uint32_t* args,
 *                           uint32_t count, int32_t* status,
 *                           uint32_t skew)                     (cdecl)
 *
 * The stack is first aligned to 16 bytes and then lowered by `skew`
 * bytes (0, 4, 8 or 12), so callers can try every alignment a host may
 * call with; a host only guarantees 4.
 *
 * args must hold at least three elements (unused ones are loaded but
 * ignored by the callee). status[0] receives the number of bytes the
 * callee left on the stack (0 when it removed exactly its arguments,
 * negative when it removed too many); status[1] is 1 when EBX or ESI
 * did not survive the call. Returns EAX as the callee left it.
 */
        .globl  _kvh_borland_call
_kvh_borland_call:
        push    ebp
        mov     ebp, esp
        push    ebx
        push    esi
        push    edi
        mov     esi, [ebp + 12]
        mov     ecx, [ebp + 16]
        and     esp, -16
        sub     esp, [ebp + 24]
        mov     edi, esp                /* where the stack must be after the call */
        mov     ebx, 3
1:      cmp     ebx, ecx                /* push args[3..count-1], left to right */
        jae     2f
        push    dword ptr [esi + ebx * 4]
        inc     ebx
        jmp     1b
2:      mov     eax, [esi]
        mov     edx, [esi + 4]
        mov     ecx, [esi + 8]
        mov     ebx, 0x5EB0C0DE         /* must survive the call */
        call    dword ptr [ebp + 8]
        mov     ecx, edi
        sub     ecx, esp                /* bytes the callee failed to remove */
        lea     esp, [ebp - 12]         /* back to the saved registers */
        xor     edx, edx
        cmp     ebx, 0x5EB0C0DE
        setne   dl
        cmp     esi, [ebp + 12]
        je      3f
        mov     dl, 1
3:      mov     ebx, [ebp + 20]
        mov     [ebx], ecx
        mov     [ebx + 4], edx
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret

/*
 * Callbacks the plug-in calls. Each gathers its arguments, in their
 * logical order, into an array on the stack and hands it to
 *     uint32_t kvh_callback(uint32_t which, const uint32_t* args)  (cdecl)
 * then returns that value in EAX and removes its own stack arguments.
 * The stack arguments were pushed left to right, so the last one is
 * nearest: [ebp+8] holds the last argument, [ebp+8+4*(n-1)] the first
 * of them (argument 4).
 */
        .macro  BORLAND_CALLBACK name, which, stacked
        .globl  _\name
_\name:
        push    ebp
        mov     ebp, esp
        .set    slot_at, 8
        .rept   \stacked
        push    dword ptr [ebp + slot_at]
        .set    slot_at, slot_at + 4
        .endr
        push    ecx
        push    edx
        push    eax
        mov     eax, esp
        push    eax
        push    \which
        call    _kvh_callback
        mov     esp, ebp
        pop     ebp
        ret     \stacked * 4
        .endm

        /* HostAddAction(ID, Name, Hint, Codes: array of Byte, NumParams):
           the open array is two positions, so three values are stacked. */
        BORLAND_CALLBACK kvh_cb_add_action, 0, 3
        BORLAND_CALLBACK kvh_cb_aux_proc, 1, 0
        BORLAND_CALLBACK kvh_cb_get_var, 2, 0
        BORLAND_CALLBACK kvh_cb_set_var, 3, 0
        BORLAND_CALLBACK kvh_cb_script_processor, 4, 0
        BORLAND_CALLBACK kvh_cb_interface_access, 5, 0
        BORLAND_CALLBACK kvh_cb_stream_access, 6, 0
