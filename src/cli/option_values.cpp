#include "cli/option_values.h"

#include "cli/cli_failure.h"
#include "cli/output.h"
#include "formats/file_io.h"
#include "formats/source_export.h"
#include "formats/text_number.h"

#include <cctype>

namespace korvex::cli {

namespace {

[[noreturn]] void badValue(const ParsedCommand& command, const std::string& option,
                           const std::string& value, const std::string& accepted) {
    usageFailure("bad value '" + value + "' for " + option + " (" + accepted + ")",
                 command.form->name);
}

std::string rangeText(int lo, int hi) {
    return std::to_string(lo) + ".." + std::to_string(hi);
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool readWholeNumber(const std::string& text, int lo, int hi, int& out) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    if (i >= text.size() || text.size() - i > 9)
        return false; // nothing, or more digits than any accepted value has
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    if (value < lo || value > hi)
        return false;
    out = int(value);
    return true;
}

int numberOption(const ParsedCommand& command, const std::string& option, int lo, int hi,
                 int fallback) {
    const auto text = command.value(option);
    if (!text)
        return fallback;
    int value = 0;
    if (!readWholeNumber(*text, lo, hi, value))
        badValue(command, option, *text, "a whole number " + rangeText(lo, hi));
    return value;
}

std::vector<int> numberListOption(const ParsedCommand& command, const std::string& option,
                                  const std::vector<int>& lo, const std::vector<int>& hi) {
    const std::string text = command.value(option).value_or("");
    std::string accepted = std::to_string(lo.size()) + " numbers separated by commas: ";
    for (size_t i = 0; i < lo.size(); ++i)
        accepted += (i ? ", " : "") + rangeText(lo[i], hi[i]);

    std::vector<int> values;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string piece = text.substr(start, comma - start);
        const size_t k = values.size();
        int value = 0;
        if (k >= lo.size() || !readWholeNumber(piece, lo[k], hi[k], value))
            badValue(command, option, text, accepted);
        values.push_back(value);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (values.size() != lo.size())
        badValue(command, option, text, accepted);
    return values;
}

int addressOption(const ParsedCommand& command, const std::string& option) {
    const std::string text = command.value(option).value_or("");
    int value = 0;
    if (!readAddress(text, value))
        badValue(command, option, text, "an address 0..65535: decimal, $hexadecimal or %binary");
    return value;
}

PictureFileKind pictureKindOfOutput(const ParsedCommand& command) {
    const std::string path = command.output().value_or("");
    const auto endsWith = [&](const std::string& extension) {
        return withExtension(path, extension) == path;
    };
    // Standard output has no name to choose by, and takes PNG.
    if (isStandardOutput(path) || endsWith(".png"))
        return PictureFileKind::Png;
    if (endsWith(".bmp"))
        return PictureFileKind::Bmp;
    usageFailure("the output " + path + " must end in .png or .bmp (it chooses the format)",
                 command.form->name);
}

int languageOption(const ParsedCommand& command) {
    const std::string text = command.value("--lang").value_or("");
    const int language = exportLanguageFromName(text);
    if (language < 0)
        badValue(command, "--lang", text,
                 "0..6 or asm-dec, asm-hex, action-dec, action-hex, basic, madpascal, "
                 "fastbasic");
    return language;
}

int64_t colourOption(const ParsedCommand& command, const std::string& option, int64_t fallback) {
    const auto text = command.value(option);
    if (!text)
        return fallback;
    const std::string digits = !text->empty() && (*text)[0] == '#' ? text->substr(1) : *text;
    if (digits.size() != 6)
        badValue(command, option, *text, "RRGGBB in hexadecimal, red first");
    int channels[3] = {};
    for (int c = 0; c < 3; ++c) {
        const int high = hexDigitValue(digits[2 * c]);
        const int low = hexDigitValue(digits[2 * c + 1]);
        if (high < 0 || low < 0)
            badValue(command, option, *text, "RRGGBB in hexadecimal, red first");
        channels[c] = 16 * high + low;
    }
    return channels[0] + 256 * int64_t(channels[1]) + 65536 * int64_t(channels[2]);
}

} // namespace korvex::cli
