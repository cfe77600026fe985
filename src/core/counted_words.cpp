#include "core/counted_words.h"

namespace korvex {

std::string counted(int64_t count, const std::string& singular, const std::string& plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string counted(int64_t count, const std::string& singular) {
    return counted(count, singular, singular + "s");
}

} // namespace korvex
