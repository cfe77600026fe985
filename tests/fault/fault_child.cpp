// Test helper: installs the fault handler and then commits the fault named on the
// command line, so the tests can read the report it leaves behind.
//
//   fault_child MODE [REPORTER]
//
// MODE is write, divide, stackoverflow, abort, trap or raise. Without REPORTER the
// report goes to standard error only; REPORTER "-" uses the reporter the editor would
// find from this program's folder. Where the faulting instruction's address is
// known in advance it is printed on standard output first.
#include "app/fault_handler.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__)
// Both faults load known values into the reported registers first (RDI gets the
// stack pointer) and export the address of the faulting instruction. They never
// return, so clobbering callee-saved registers is harmless.
asm(R"(
    .text
    .globl faultChildWrite
    .type faultChildWrite, @function
faultChildWrite:
    movq $16, %rax
    movq $1001, %rbx
    movq $1002, %rcx
    movq $1003, %rdx
    movq $1004, %rbp
    movq $1005, %rsi
    movq %rsp, %rdi
    .globl faultChildWriteSite
faultChildWriteSite:
    movl $1, (%rax)
    ud2
    .size faultChildWrite, .-faultChildWrite

    .globl faultChildDivide
    .type faultChildDivide, @function
faultChildDivide:
    movq $7, %rax
    movq $1001, %rbx
    xorl %ecx, %ecx
    xorl %edx, %edx
    movq $1004, %rbp
    movq $1005, %rsi
    movq %rsp, %rdi
    .globl faultChildDivideSite
faultChildDivideSite:
    idivq %rcx
    ud2
    .size faultChildDivide, .-faultChildDivide
)");

extern "C" {
[[noreturn]] void faultChildWrite();
[[noreturn]] void faultChildDivide();
extern char faultChildWriteSite[];
extern char faultChildDivideSite[];
}

namespace {

void printSite(const char* site) {
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(site)));
    std::fflush(stdout);
}

[[noreturn]] void writeFault() {
    printSite(faultChildWriteSite);
    faultChildWrite();
}

[[noreturn]] void divideFault() {
    printSite(faultChildDivideSite);
    faultChildDivide();
}

} // namespace

#else

namespace {

__attribute__((no_sanitize("address,undefined"))) void writeFault() {
    volatile int* bad = reinterpret_cast<volatile int*>(static_cast<uintptr_t>(16));
    *bad = 1;
}

volatile int zero = 0;

__attribute__((no_sanitize("undefined"))) void divideFault() {
    volatile int seven = 7;
    seven = seven / zero;
}

} // namespace

#endif

namespace {

volatile int recursionLimit = -1; // never reached: the stack runs out first

__attribute__((noinline)) int recurse(volatile char* previous, int depth) {
    volatile char block[4096];
    block[0] = static_cast<char>(depth);
    block[sizeof block - 1] = previous ? previous[0] : 0;
    if (depth == recursionLimit)
        return 0;
    return recurse(block, depth + 1) + block[1];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const char* mode = argv[1];
    // "-" for the reporter: the one the editor would find from this program's folder.
    if (argc > 2 && std::strcmp(argv[2], "-") == 0)
        korvex::installFaultHandler();
    else
        korvex::installFaultHandler(argc > 2 ? argv[2] : nullptr);

    if (std::strcmp(mode, "write") == 0)
        writeFault();
    else if (std::strcmp(mode, "divide") == 0)
        divideFault();
    else if (std::strcmp(mode, "stackoverflow") == 0)
        recurse(nullptr, 0);
    else if (std::strcmp(mode, "abort") == 0)
        std::abort();
    else if (std::strcmp(mode, "trap") == 0)
        __builtin_trap();
    else if (std::strcmp(mode, "raise") == 0)
        std::raise(SIGSEGV);
    return 3; // unknown mode, or the fault did not end the program
}
