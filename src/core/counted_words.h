#pragma once
// Counts in words that read right for one and for many: "1 cell", "3 cells".

#include <cstdint>
#include <string>

namespace korvex {

// The count, a space and the noun, singular for exactly one.
std::string counted(int64_t count, const std::string& singular, const std::string& plural);

// The same with the plural made by an "s".
std::string counted(int64_t count, const std::string& singular);

} // namespace korvex
