#pragma once
// The lines of a project file, as its reader takes them: CR LF, LF and a lone CR
// each end a line, a final line end gives no empty line after it, and a UTF-8
// byte-order mark at the start is dropped. Only the lines and the parts of lines
// that can matter are kept, so a file costs at most about 16 MiB of memory
// whatever its size, and reading stops as soon as the last line that counts is
// complete.

#include "formats/file_io.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex {

// Only a project's first lines count.
constexpr size_t kMaxProjectLines = 1023;

// Of each line only this many bytes are kept; the rest is read past. The longest
// line with a use is a FONT_DATA_10= line of 1024 byte values. Written by the
// program each value takes at most four bytes with its space, but one written by
// hand may use the longest form the number reader takes for a byte, "%11111111"
// and a space, ten bytes: 14 + 10240 bytes in all, which 16 KiB holds with room to
// spare. A font name is a file name, at most 255 bytes.
constexpr size_t kMaxProjectLineBytes = 16384;

// The most of a file that can count when its lines are no longer than that: every
// line that counts with a CR LF, and a byte-order mark. The program's own files
// (a recovery copy above all) are far shorter, so they can be read up to this.
constexpr size_t kMaxProjectFileBytes = kMaxProjectLines * (kMaxProjectLineBytes + 2) + 3;

// Splits a file handed over piece by piece, as it is read.
class ProjectLineSplitter {
public:
    // Takes the next piece of the file. False once every line that counts is
    // complete: nothing after it is needed.
    bool feed(ByteView piece);
    // The lines, once the whole file (or all that is needed) has been fed.
    std::vector<std::string> finish();

private:
    void take(ByteView piece);
    void endLine();
    bool full() const { return lines_.size() >= kMaxProjectLines; }

    std::vector<std::string> lines_;
    std::string line_;         // the kept part of the line being read
    bool lineStarted_ = false; // the line being read has at least one byte
    bool afterCr_ = false;     // the last byte was a CR, whose LF is part of the same end
    Bytes head_;               // the first bytes, held until a byte-order mark is ruled out
    bool headDone_ = false;
};

// Splits the whole text at once.
std::vector<std::string> splitFileLines(ByteView bytes);

// The lines of the file at `path`, read piece by piece; nothing when it cannot be
// read or is no regular file.
std::optional<std::vector<std::string>> readProjectFileLines(const std::string& path);

} // namespace korvex
