#include "ui/DpiHook.h"
#include "base/DebugLog.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {
using GetDeviceCapsFn = int(WINAPI*)(HDC, int);

#if defined(_M_X64) || defined(__x86_64__)
constexpr bool kIs64Bit = true;
// mov rax, imm64 ; jmp rax  (rax is neither an argument nor preserved at a call's entry)
constexpr size_t kPatchBytes = 12;
// jmp [rip+0] followed by the absolute address
constexpr size_t kJumpBackBytes = 14;
constexpr size_t kAtomicBlock = 16;
#else
constexpr bool kIs64Bit = false;
// jmp rel32
constexpr size_t kPatchBytes = 5;
constexpr size_t kJumpBackBytes = 5;
constexpr size_t kAtomicBlock = 8;
#endif
constexpr size_t kMaxCopiedBytes = kPatchBytes + 15;  // whole instructions covering the patch
constexpr size_t kTrampolineBytes = 64;
static_assert(kMaxCopiedBytes + kJumpBackBytes <= kTrampolineBytes, "trampoline room");

struct PatchState {
    std::mutex lock;  // install and removal only; calls take no lock
    BYTE* target = nullptr;
    BYTE saved[kMaxCopiedBytes] = {};
    BYTE* trampoline = nullptr;  // never freed: a call may still run in it
    std::atomic<GetDeviceCapsFn> original{nullptr};
    bool installed = false;
    bool failed = false;        // not tried again: the same failure would repeat
    bool removalArranged = false;
};

PatchState& State()
{
    static PatchState state;
    return state;
}

std::atomic<LONG> g_calls{0};

// Length of the instruction at p, for the instructions a function's prologue uses; 0 for any
// other (relative branches and, on x86-64, operands relative to the instruction pointer
// cannot be moved into the trampoline).
size_t InstructionLength(const BYTE* p)
{
    size_t n = 0;
    bool operand16 = false, rexW = false;
    for (;; ++n) {
        BYTE b = p[n];
        if (b == 0x66) operand16 = true;
        else if (b == 0x67 || b == 0xF2 || b == 0xF3 || b == 0x2E || b == 0x36 || b == 0x3E || b == 0x26 || b == 0x64 || b == 0x65) {}
        else break;
    }
    if (kIs64Bit && (p[n] & 0xF0) == 0x40) {
        rexW = (p[n] & 0x08) != 0;
        ++n;
    }
    const BYTE op = p[n++];
    const size_t imm32 = operand16 ? 2 : 4;
    auto modrm = [&](size_t immediate) -> size_t {
        const BYTE m = p[n++];
        const int mod = m >> 6, rm = m & 7;
        if (mod != 3 && rm == 4) {
            const BYTE sib = p[n++];
            if (mod == 0 && (sib & 7) == 5) n += 4;
        }
        if (mod == 0 && rm == 5) {
            if (kIs64Bit) return 0;  // relative to the instruction pointer
            n += 4;
        }
        if (mod == 1) n += 1;
        if (mod == 2) n += 4;
        return n + immediate;
    };
    if (op >= 0x50 && op <= 0x5F) return n;                     // push, pop
    if (op == 0x90) return n;                                   // nop
    if (op == 0x6A) return n + 1;                               // push imm8
    if (op == 0x68) return n + 4;                               // push imm32
    if (op >= 0xB0 && op <= 0xB7) return n + 1;                 // mov r8, imm8
    if (op >= 0xB8 && op <= 0xBF) return n + (rexW ? 8 : imm32);  // mov r, imm
    if (op < 0x40 && (op & 7) <= 3) return modrm(0);            // add, or, adc, sbb, and, sub, xor, cmp r/m
    if (op < 0x40 && (op & 7) == 4) return n + 1;               // the same on al, imm8
    if (op < 0x40 && (op & 7) == 5) return n + imm32;           // the same on eax, imm
    if ((op >= 0x84 && op <= 0x8B) || op == 0x8D || (kIs64Bit && op == 0x63)) return modrm(0);  // test, xchg, mov, lea, movsxd
    if (op == 0x80 || op == 0x83 || op == 0xC6) return modrm(1);
    if (op == 0x81 || op == 0xC7) return modrm(imm32);
    if (op == 0xFF) {
        const int reg = (p[n] >> 3) & 7;
        return (reg == 0 || reg == 1 || reg == 6) ? modrm(0) : 0;  // inc, dec, push; not call or jmp
    }
    if (op == 0x0F) {
        const BYTE op2 = p[n++];
        if (op2 == 0x1F || op2 == 0xB6 || op2 == 0xB7 || op2 == 0xBE || op2 == 0xBF) return modrm(0);
    }
    return 0;
}

// Where an entry that is only a jump (an import thunk or a forwarder) leads; else p itself.
BYTE* FollowJumps(BYTE* p)
{
    for (int hops = 0; hops < 4; ++hops) {
        if (p[0] == 0xE9) {
            INT32 rel;
            memcpy(&rel, p + 1, sizeof rel);
            p = p + 5 + rel;
        } else if (p[0] == 0xFF && p[1] == 0x25) {
            INT32 disp;
            memcpy(&disp, p + 2, sizeof disp);
            BYTE* slot = kIs64Bit ? p + 6 + disp : reinterpret_cast<BYTE*>(static_cast<UINT_PTR>(static_cast<UINT32>(disp)));
            memcpy(&p, slot, sizeof p);
        } else {
            break;
        }
    }
    return p;
}

void MakeJump(BYTE* at, const BYTE* to, BYTE* out, bool patch)
{
    if (kIs64Bit && patch) {
        out[0] = 0x48;
        out[1] = 0xB8;
        memcpy(out + 2, &to, 8);
        out[10] = 0xFF;
        out[11] = 0xE0;
    } else if (kIs64Bit) {
        const BYTE jmp[6] = {0xFF, 0x25, 0, 0, 0, 0};
        memcpy(out, jmp, sizeof jmp);
        memcpy(out + 6, &to, 8);
    } else {
        const INT32 rel = static_cast<INT32>(reinterpret_cast<INT_PTR>(to) - reinterpret_cast<INT_PTR>(at) - 5);
        out[0] = 0xE9;
        memcpy(out + 1, &rel, sizeof rel);
    }
}

bool CompareExchangeBlock(BYTE* block, const BYTE* expected, const BYTE* desired);

// Writes code bytes. When they lie within one aligned block the block is swapped with one
// interlocked exchange, so a thread running the function never fetches half of a patch.
bool WriteCode(BYTE* at, const BYTE* bytes, size_t count)
{
    DWORD oldProtect = 0;
    if (!::VirtualProtect(at, count, PAGE_EXECUTE_READWRITE, &oldProtect)) {
        DebugLog(1, "[QxUI] InstallDpiHook() VirtualProtect fail, error code = %d\n", ::GetLastError());
        return false;
    }
    bool ok = false;
    auto* block = reinterpret_cast<BYTE*>(reinterpret_cast<UINT_PTR>(at) & ~(static_cast<UINT_PTR>(kAtomicBlock) - 1));
    if (at + count <= block + kAtomicBlock) {
        alignas(16) BYTE now[kAtomicBlock], next[kAtomicBlock];
        do {
            memcpy(now, block, kAtomicBlock);
            memcpy(next, now, kAtomicBlock);
            memcpy(next + (at - block), bytes, count);
            ok = CompareExchangeBlock(block, now, next);
        } while (!ok);
    } else {
        SIZE_T written = 0;
        ok = ::WriteProcessMemory(::GetCurrentProcess(), at, bytes, count, &written) && written == count;
        if (!ok) DebugLog(1, "[QxUI] InstallDpiHook() WriteProcessMemory fail, error code = %d\n", ::GetLastError());
    }
    ::VirtualProtect(at, count, oldProtect, &oldProtect);
    ::FlushInstructionCache(::GetCurrentProcess(), at, count);
    return ok;
}

// One interlocked compare-and-exchange of an aligned block of kAtomicBlock bytes.
bool CompareExchangeBlock(BYTE* block, const BYTE* expected, const BYTE* desired)
{
#if defined(_M_X64) || defined(__x86_64__)
    UINT64 expectLow, expectHigh, desireLow, desireHigh;
    memcpy(&expectLow, expected, 8);
    memcpy(&expectHigh, expected + 8, 8);
    memcpy(&desireLow, desired, 8);
    memcpy(&desireHigh, desired + 8, 8);
    bool swapped;
    __asm__ __volatile__("lock cmpxchg16b %1\n\tsete %0"
                         : "=q"(swapped), "+m"(*reinterpret_cast<volatile __int128*>(block)), "+a"(expectLow), "+d"(expectHigh)
                         : "b"(desireLow), "c"(desireHigh)
                         : "cc", "memory");
    return swapped;
#else
    LONG64 compare, exchange;
    memcpy(&compare, expected, sizeof compare);
    memcpy(&exchange, desired, sizeof exchange);
    return ::InterlockedCompareExchange64(reinterpret_cast<volatile LONG64*>(block), exchange, compare) == compare;
#endif
}

void RemoveAtExit()
{
    RemoveDpiHook();
}
}  // namespace

int WINAPI DpiGetDeviceCaps(HDC hdc, int index)
{
    ++g_calls;
    if (index == LOGPIXELSX || index == LOGPIXELSY) return kDpiLogicalPixels;
    GetDeviceCapsFn original = State().original.load();
    return original ? original(hdc, index) : ::GetDeviceCaps(hdc, index);
}

LONG DpiHookCallCount()
{
    return g_calls.load();
}

BOOL IsDpiHookInstalled()
{
    PatchState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.installed;
}

void InstallDpiHook()
{
    PatchState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.installed || s.failed) return;
    s.failed = true;  // until the patch is in place

    HMODULE gdi = ::LoadLibraryA("Gdi32.Dll");
    auto* entry = gdi ? reinterpret_cast<BYTE*>(::GetProcAddress(gdi, "GetDeviceCaps")) : nullptr;
    if (!entry) {
        DebugLog(1, "[QxUI] InstallDpiHook() GetProcAddress(\"GetDeviceCaps\") fail, error code = %d\n", ::GetLastError());
        if (gdi) ::FreeLibrary(gdi);
        return;
    }
    BYTE* target = FollowJumps(entry);
    ::FreeLibrary(gdi);  // the process keeps the library loaded

    // Whole instructions that cover the patch move into the trampoline.
    BYTE code[kMaxCopiedBytes] = {};
    SIZE_T read = 0;
    if (!::ReadProcessMemory(::GetCurrentProcess(), target, code, sizeof code, &read) || read != sizeof code) {
        DebugLog(1, "[QxUI] InstallDpiHook() ReadProcessMemory fail, error code = %d\n", ::GetLastError());
        return;
    }
    size_t copied = 0;
    while (copied < kPatchBytes) {
        size_t length = InstructionLength(code + copied);
        if (length == 0 || copied + length > kMaxCopiedBytes) {
            DebugLog(1, "[QxUI] InstallDpiHook() cannot move the instruction at GetDeviceCaps+%d (byte %02X)\n",
                     static_cast<int>(copied), code[copied]);
            return;
        }
        copied += length;
    }

    auto* trampoline = static_cast<BYTE*>(::VirtualAlloc(nullptr, kTrampolineBytes, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!trampoline) {
        DebugLog(1, "[QxUI] InstallDpiHook() VirtualAlloc fail, error code = %d\n", ::GetLastError());
        return;
    }
    memcpy(trampoline, code, copied);
    MakeJump(trampoline + copied, target + copied, trampoline + copied, false);
    ::FlushInstructionCache(::GetCurrentProcess(), trampoline, kTrampolineBytes);

    BYTE patch[kPatchBytes];
    MakeJump(target, reinterpret_cast<const BYTE*>(&DpiGetDeviceCaps), patch, true);
    s.original.store(reinterpret_cast<GetDeviceCapsFn>(trampoline));
    memcpy(s.saved, code, sizeof s.saved);
    if (!WriteCode(target, patch, kPatchBytes)) {
        s.original.store(nullptr);
        ::VirtualFree(trampoline, 0, MEM_RELEASE);
        return;
    }
    s.target = target;
    s.trampoline = trampoline;
    s.installed = true;
    s.failed = false;
    if (!s.removalArranged) s.removalArranged = std::atexit(RemoveAtExit) == 0;
    DebugLog(3, "[QxUI] InstallDpiHook() GetDeviceCaps answers %d dots per inch\n", kDpiLogicalPixels);
}

void RemoveDpiHook()
{
    PatchState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.installed) return;
    if (!WriteCode(s.target, s.saved, kPatchBytes)) return;
    s.installed = false;
    s.original.store(nullptr);
}
