#pragma once
// Base64 text (RFC 4648, the standard alphabet) as bytes. Whitespace anywhere is
// skipped, as XML files break and indent long runs of it.

#include "formats/file_io.h"

#include <optional>
#include <string_view>

namespace korvex {

// The bytes the text encodes, or nothing when it holds another character, a
// padding "=" anywhere but at the end, or a length that is no whole group of four.
// Decoding stops with nothing as soon as more than maxBytes would come out.
std::optional<Bytes> decodeBase64(std::string_view text, size_t maxBytes);

} // namespace korvex
