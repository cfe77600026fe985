#pragma once
// Reading the values of options. Every reader throws a usage CliFailure that names
// the option and the accepted values when the text does not fit.

#include "cli/arguments.h"
#include "formats/font_picture_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvex::cli {

// A whole decimal number lo..hi (digits only, an optional leading "-" when lo < 0).
int numberOption(const ParsedCommand& command, const std::string& option, int lo, int hi,
                 int fallback);

// Exactly `count` whole numbers separated by ",", each within lo[i]..hi[i].
std::vector<int> numberListOption(const ParsedCommand& command, const std::string& option,
                                  const std::vector<int>& lo, const std::vector<int>& hi);

// --lang: 0..6 or a language name; the export language index.
int languageOption(const ParsedCommand& command);

// A colour written RRGGBB or #RRGGBB (red first) as the document packs it:
// red + 256 * green + 65536 * blue.
int64_t colourOption(const ParsedCommand& command, const std::string& option, int64_t fallback);

// A memory address 0..65535 in any form the program reads numbers: decimal,
// "$" hexadecimal or "%" binary, the whole text being the number.
int addressOption(const ParsedCommand& command, const std::string& option);

// PNG or BMP, as the name of the -o file ends in .png or .bmp (any case).
PictureFileKind pictureKindOfOutput(const ParsedCommand& command);

// Parses one whole decimal number; false for anything else or a value outside
// lo..hi.
bool readWholeNumber(const std::string& text, int lo, int hi, int& out);

} // namespace korvex::cli
