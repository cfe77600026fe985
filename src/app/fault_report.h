#pragma once
// The text shown when the program dies of a fatal fault. Everything here is safe to
// call from a signal handler: no allocation, no locks, no stdio.

#include <cstddef>
#include <cstdint>

namespace korvex {

// Most general registers a report lists (64-bit ARM: X0 to X30 and SP).
constexpr int kFaultRegisterMax = 32;

// Exception codes in the form commonly used for these faults (see fault_report.cpp).
constexpr uint32_t kFaultAccessViolation = 0xC0000005u;
constexpr uint32_t kFaultMisalignedData = 0x80000002u;
constexpr uint32_t kFaultIllegalInstruction = 0xC000001Du;
constexpr uint32_t kFaultPrivilegedInstruction = 0xC0000096u;
constexpr uint32_t kFaultIntegerDivideByZero = 0xC0000094u;
constexpr uint32_t kFaultIntegerOverflow = 0xC0000095u;
constexpr uint32_t kFaultFloatDivideByZero = 0xC000008Eu;
constexpr uint32_t kFaultFloatInexactResult = 0xC000008Fu;
constexpr uint32_t kFaultFloatInvalidOperation = 0xC0000090u;
constexpr uint32_t kFaultFloatOverflow = 0xC0000091u;
constexpr uint32_t kFaultFloatUnderflow = 0xC0000093u;
constexpr uint32_t kFaultArrayBoundsExceeded = 0xC000008Cu;
constexpr uint32_t kFaultProgramAborted = 0x40000015u;

// What a signal and its si_code mean for the report.
struct FaultKind {
    uint32_t code = 0;             // the "Error Code" value
    const char* message = "";      // the "Error Message" text (static storage)
    bool hasTargetAddress = false; // a failed memory access with a known address
};

// Classifies a caught signal. siCode <= 0 means the signal was sent by kill/raise
// rather than raised by an instruction, so no address was accessed.
FaultKind classifyFault(int signal, int siCode);

// Everything the report shows, gathered by the signal handler.
struct FaultReportInput {
    FaultKind kind;
    uint64_t codeAddress = 0;
    uint64_t targetAddress = 0;
    int registerCount = 0;
    const char* registerNames[kFaultRegisterMax] = {};
    uint64_t registerValues[kFaultRegisterMax] = {};
    const char* closingLine = nullptr; // last line after the registers, or none
};

// Writes the report (lines joined by a single carriage return, no line end after the
// last line) into out, never more than capacity bytes and always NUL-terminated when
// capacity > 0. Returns the number of text bytes written.
size_t buildFaultReport(const FaultReportInput& input, char* out, size_t capacity);

} // namespace korvex
