#include "app/fault_report.h"

#include <csignal>

namespace korvex {

// How Linux signals become the report's "Error Code" and "Error Message" lines.
//
// The code is the exception code that names the same fault on other desktop
// systems (0xC0000005 access violation, 0xC0000094 integer division by zero, ...),
// not the signal number. Those codes are one per kind of fault, so they say more
// than the signal alone (SIGFPE covers integer and floating-point faults alike),
// they are what people search for, and the report's own rule - a "Target Address"
// line only for an access violation - is stated in them. The message names the
// fault in words, adds the detail si_code gives, and ends with the Linux signal
// name, so a reader on Linux sees both.
//
//   SIGSEGV, any fault                 0xC0000005 access violation, with target
//   SIGBUS  BUS_ADRALN                 0x80000002 misaligned data
//   SIGBUS  other faults               0xC0000005 access violation, with target
//   SIGILL  ILL_PRVOPC, ILL_PRVREG     0xC0000096 privileged instruction
//   SIGILL  other                      0xC000001D illegal instruction
//   SIGFPE  FPE_INTDIV                 0xC0000094 integer division by zero
//   SIGFPE  FPE_INTOVF                 0xC0000095 integer overflow
//   SIGFPE  FPE_FLTDIV/OVF/UND/RES     0xC000008E/91/93/8F floating-point faults
//   SIGFPE  FPE_FLTSUB                 0xC000008C array bounds exceeded
//   SIGFPE  FPE_FLTINV and other       0xC0000090 floating-point invalid operation
//   SIGABRT                            0x40000015 fatal application exit (abort)
//
// A signal sent by kill, raise or sigqueue (si_code <= 0) keeps the code of its
// signal but never has a target address: no memory access failed, and si_addr
// does not hold one.

namespace {

constexpr FaultKind makeKind(uint32_t code, const char* message, bool target = false) {
    return FaultKind{code, message, target};
}

FaultKind classifySegv(int siCode) {
    switch (siCode) {
    case SEGV_MAPERR:
        return makeKind(kFaultAccessViolation,
                        "Invalid memory access: address not mapped (SIGSEGV)", true);
    case SEGV_ACCERR:
        return makeKind(kFaultAccessViolation,
                        "Invalid memory access: access not permitted (SIGSEGV)", true);
    default:
        return makeKind(kFaultAccessViolation, "Invalid memory access (SIGSEGV)", true);
    }
}

FaultKind classifyBus(int siCode) {
    switch (siCode) {
    case BUS_ADRALN:
        return makeKind(kFaultMisalignedData, "Misaligned memory access (SIGBUS)");
    case BUS_ADRERR:
        return makeKind(kFaultAccessViolation,
                        "Invalid memory access: nonexistent physical address (SIGBUS)", true);
    case BUS_OBJERR:
        return makeKind(kFaultAccessViolation,
                        "Invalid memory access: object-specific hardware error (SIGBUS)", true);
    default:
        return makeKind(kFaultAccessViolation, "Invalid memory access (SIGBUS)", true);
    }
}

FaultKind classifyIll(int siCode) {
    switch (siCode) {
    case ILL_ILLOPC:
        return makeKind(kFaultIllegalInstruction, "Illegal instruction: illegal opcode (SIGILL)");
    case ILL_ILLOPN:
        return makeKind(kFaultIllegalInstruction, "Illegal instruction: illegal operand (SIGILL)");
    case ILL_ILLADR:
        return makeKind(kFaultIllegalInstruction,
                        "Illegal instruction: illegal addressing mode (SIGILL)");
    case ILL_ILLTRP:
        return makeKind(kFaultIllegalInstruction, "Illegal instruction: illegal trap (SIGILL)");
    case ILL_PRVOPC:
        return makeKind(kFaultPrivilegedInstruction,
                        "Privileged instruction: privileged opcode (SIGILL)");
    case ILL_PRVREG:
        return makeKind(kFaultPrivilegedInstruction,
                        "Privileged instruction: privileged register (SIGILL)");
    case ILL_COPROC:
        return makeKind(kFaultIllegalInstruction,
                        "Illegal instruction: coprocessor error (SIGILL)");
    case ILL_BADSTK:
        return makeKind(kFaultIllegalInstruction,
                        "Illegal instruction: internal stack error (SIGILL)");
    default:
        return makeKind(kFaultIllegalInstruction, "Illegal instruction (SIGILL)");
    }
}

FaultKind classifyFpe(int siCode) {
    switch (siCode) {
    case FPE_INTDIV:
        return makeKind(kFaultIntegerDivideByZero, "Integer division by zero (SIGFPE)");
    case FPE_INTOVF:
        return makeKind(kFaultIntegerOverflow, "Integer overflow (SIGFPE)");
    case FPE_FLTDIV:
        return makeKind(kFaultFloatDivideByZero, "Floating-point division by zero (SIGFPE)");
    case FPE_FLTOVF:
        return makeKind(kFaultFloatOverflow, "Floating-point overflow (SIGFPE)");
    case FPE_FLTUND:
        return makeKind(kFaultFloatUnderflow, "Floating-point underflow (SIGFPE)");
    case FPE_FLTRES:
        return makeKind(kFaultFloatInexactResult, "Floating-point inexact result (SIGFPE)");
    case FPE_FLTINV:
        return makeKind(kFaultFloatInvalidOperation, "Floating-point invalid operation (SIGFPE)");
    case FPE_FLTSUB:
        return makeKind(kFaultArrayBoundsExceeded, "Subscript out of range (SIGFPE)");
    default:
        return makeKind(kFaultFloatInvalidOperation, "Arithmetic fault (SIGFPE)");
    }
}

FaultKind classifySent(int signal) {
    switch (signal) {
    case SIGSEGV:
        return makeKind(kFaultAccessViolation, "Invalid memory access signal sent to the program "
                                               "(SIGSEGV)");
    case SIGBUS:
        return makeKind(kFaultAccessViolation, "Bus error signal sent to the program (SIGBUS)");
    case SIGILL:
        return makeKind(kFaultIllegalInstruction,
                        "Illegal instruction signal sent to the program (SIGILL)");
    case SIGFPE:
        return makeKind(kFaultFloatInvalidOperation,
                        "Arithmetic fault signal sent to the program (SIGFPE)");
    case SIGABRT:
        return makeKind(kFaultProgramAborted, "Program aborted (SIGABRT)");
    default:
        return makeKind(0, "Unexpected signal");
    }
}

// Appends text to a bounded buffer, silently dropping what does not fit.
struct ReportWriter {
    char* out;
    size_t capacity;
    size_t length = 0;

    void put(char c) {
        if (length + 1 < capacity)
            out[length++] = c;
    }
    void put(const char* text) {
        for (; *text; ++text)
            put(*text);
    }
    void putDecimal(uint64_t value) {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0)
            put(digits[--count]);
    }
    void line(const char* text) {
        put(text);
        put('\r');
    }
    void line(const char* label, uint64_t value) {
        put(label);
        putDecimal(value);
        put('\r');
    }
};

} // namespace

FaultKind classifyFault(int signal, int siCode) {
    if (siCode <= 0)
        return classifySent(signal);
    switch (signal) {
    case SIGSEGV:
        return classifySegv(siCode);
    case SIGBUS:
        return classifyBus(siCode);
    case SIGILL:
        return classifyIll(siCode);
    case SIGFPE:
        return classifyFpe(siCode);
    default:
        return classifySent(signal);
    }
}

size_t buildFaultReport(const FaultReportInput& input, char* out, size_t capacity) {
    ReportWriter w{out, capacity};
    w.line("A program error was detected:");
    w.put("Error Message:   ");
    w.line(input.kind.message ? input.kind.message : "");
    w.line("Error Code:      ", input.kind.code);
    w.line("Code Address:    ", input.codeAddress);
    if (input.kind.hasTargetAddress)
        w.line("Target Address:  ", input.targetAddress);
    // No line information is compiled into the program.
    w.line("Sourcecode line: Enable OnError lines support to get code line information.");
    w.line("");
    w.put("Register content:");
    const int count = input.registerCount < 0                   ? 0
                      : input.registerCount > kFaultRegisterMax ? kFaultRegisterMax
                                                                : input.registerCount;
    for (int i = 0; i < count; ++i) {
        w.put('\r');
        w.put(input.registerNames[i] ? input.registerNames[i] : "?");
        w.put(" = ");
        w.putDecimal(input.registerValues[i]);
    }
    if (input.closingLine) {
        w.put('\r');
        w.put(input.closingLine);
    }
    if (capacity > 0)
        out[w.length] = '\0';
    return w.length;
}

} // namespace korvex
