#include "app/fault_report.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>

using namespace korvex;

namespace {

FaultReportInput withRegisters(const char* const* names, const uint64_t* values, int count) {
    FaultReportInput input;
    for (int i = 0; i < count; ++i) {
        input.registerNames[i] = names[i];
        input.registerValues[i] = values[i];
    }
    input.registerCount = count;
    return input;
}

std::string build(const FaultReportInput& input) {
    char text[4096];
    const size_t length = buildFaultReport(input, text, sizeof text);
    EXPECT_EQ(std::strlen(text), length);
    return std::string(text, length);
}

const char* const k64Names[] = {"RAX", "RBX", "RCX", "RDX", "RBP", "RSI", "RDI", "RSP"};
const char* const k32Names[] = {"EAX", "EBX", "ECX", "EDX", "EBP", "ESI", "EDI", "ESP"};

TEST(FaultReport, AccessViolationOn64BitLayout) {
    const uint64_t values[] = {
        0, 1, 42, 18446744073709551615ull, 140737488346112ull, 7, 8, 140737488345000ull};
    FaultReportInput input = withRegisters(k64Names, values, 8);
    input.kind = classifyFault(SIGSEGV, SEGV_MAPERR);
    input.codeAddress = 94558357135462ull;
    input.targetAddress = 16;
    input.closingLine = "Display of registers R8-R15 skipped.";

    EXPECT_EQ(build(input),
              "A program error was detected:\r"
              "Error Message:   Invalid memory access: address not mapped (SIGSEGV)\r"
              "Error Code:      3221225477\r"
              "Code Address:    94558357135462\r"
              "Target Address:  16\r"
              "Sourcecode line: Enable OnError lines support to get code line information.\r"
              "\r"
              "Register content:\r"
              "RAX = 0\r"
              "RBX = 1\r"
              "RCX = 42\r"
              "RDX = 18446744073709551615\r"
              "RBP = 140737488346112\r"
              "RSI = 7\r"
              "RDI = 8\r"
              "RSP = 140737488345000\r"
              "Display of registers R8-R15 skipped.");
}

TEST(FaultReport, DivisionOn32BitLayoutHasNoTargetAndNoSkipLine) {
    const uint64_t values[] = {7, 0, 0, 0, 3221224000u, 5, 6, 3221223900u};
    FaultReportInput input = withRegisters(k32Names, values, 8);
    input.kind = classifyFault(SIGFPE, FPE_INTDIV);
    input.codeAddress = 134514000;
    input.targetAddress = 999; // must not appear: not a memory access

    EXPECT_EQ(build(input),
              "A program error was detected:\r"
              "Error Message:   Integer division by zero (SIGFPE)\r"
              "Error Code:      3221225620\r"
              "Code Address:    134514000\r"
              "Sourcecode line: Enable OnError lines support to get code line information.\r"
              "\r"
              "Register content:\r"
              "EAX = 7\r"
              "EBX = 0\r"
              "ECX = 0\r"
              "EDX = 0\r"
              "EBP = 3221224000\r"
              "ESI = 5\r"
              "EDI = 6\r"
              "ESP = 3221223900");
}

TEST(FaultReport, WithoutRegistersEndsAtTheirHeading) {
    FaultReportInput input;
    input.kind = classifyFault(SIGABRT, -6);
    const std::string text = build(input);
    EXPECT_TRUE(text.ends_with("information.\r\rRegister content:")) << text;
    EXPECT_EQ(text.find("Target Address"), std::string::npos);
    EXPECT_NE(text.find("Error Code:      1073741845\r"), std::string::npos);
}

TEST(FaultReport, StaysInsideItsBufferAndCountsAreClamped) {
    const uint64_t values[] = {1, 2, 3, 4, 5, 6, 7, 8};
    FaultReportInput input = withRegisters(k64Names, values, 8);
    input.kind = classifyFault(SIGSEGV, SEGV_ACCERR);
    input.closingLine = "Display of registers R8-R15 skipped.";
    const std::string full = build(input);

    for (size_t capacity : {size_t{1}, size_t{10}, size_t{100}, full.size(), full.size() + 1}) {
        char text[512];
        std::memset(text, '#', sizeof text);
        const size_t length = buildFaultReport(input, text, capacity);
        EXPECT_LT(length, capacity);
        EXPECT_EQ(text[length], '\0');
        EXPECT_EQ(std::string(text, length), full.substr(0, length));
        EXPECT_EQ(text[capacity], '#') << "wrote past capacity " << capacity;
    }
    char untouched = '#';
    EXPECT_EQ(buildFaultReport(input, &untouched, 0), 0u);
    EXPECT_EQ(untouched, '#');

    // A count beyond the table or below zero never reads outside it.
    input.registerCount = kFaultRegisterMax + 5;
    EXPECT_NE(build(input).find("RSP = 8"), std::string::npos);
    input.registerCount = -3;
    EXPECT_EQ(build(input).find(" = "), std::string::npos);
}

struct Classification {
    int signal;
    int siCode;
    uint32_t code;
    bool target;
    const char* message;
};

TEST(FaultReport, SignalsMapToCodesAndMessages) {
    const Classification cases[] = {
        {SIGSEGV, SEGV_MAPERR, 0xC0000005u, true,
         "Invalid memory access: address not mapped (SIGSEGV)"},
        {SIGSEGV, SEGV_ACCERR, 0xC0000005u, true,
         "Invalid memory access: access not permitted (SIGSEGV)"},
        {SIGSEGV, 99, 0xC0000005u, true, "Invalid memory access (SIGSEGV)"},
        {SIGBUS, BUS_ADRALN, 0x80000002u, false, "Misaligned memory access (SIGBUS)"},
        {SIGBUS, BUS_ADRERR, 0xC0000005u, true,
         "Invalid memory access: nonexistent physical address (SIGBUS)"},
        {SIGILL, ILL_ILLOPN, 0xC000001Du, false, "Illegal instruction: illegal operand (SIGILL)"},
        {SIGILL, ILL_PRVOPC, 0xC0000096u, false,
         "Privileged instruction: privileged opcode (SIGILL)"},
        {SIGFPE, FPE_INTDIV, 0xC0000094u, false, "Integer division by zero (SIGFPE)"},
        {SIGFPE, FPE_INTOVF, 0xC0000095u, false, "Integer overflow (SIGFPE)"},
        {SIGFPE, FPE_FLTDIV, 0xC000008Eu, false, "Floating-point division by zero (SIGFPE)"},
        {SIGFPE, FPE_FLTINV, 0xC0000090u, false, "Floating-point invalid operation (SIGFPE)"},
        {SIGABRT, SI_TKILL, 0x40000015u, false, "Program aborted (SIGABRT)"},
        // Sent by kill or raise: nothing was accessed, so never a target address.
        {SIGSEGV, SI_USER, 0xC0000005u, false,
         "Invalid memory access signal sent to the program (SIGSEGV)"},
        {SIGBUS, SI_TKILL, 0xC0000005u, false, "Bus error signal sent to the program (SIGBUS)"},
        {SIGFPE, SI_QUEUE, 0xC0000090u, false,
         "Arithmetic fault signal sent to the program (SIGFPE)"},
    };
    for (const Classification& c : cases) {
        const FaultKind kind = classifyFault(c.signal, c.siCode);
        SCOPED_TRACE(c.message);
        EXPECT_EQ(kind.code, c.code);
        EXPECT_EQ(kind.hasTargetAddress, c.target);
        EXPECT_STREQ(kind.message, c.message);
    }
}

} // namespace
