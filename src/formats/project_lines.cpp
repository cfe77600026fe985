#include "formats/project_lines.h"

#include "formats/input_file.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace korvex {

namespace {

constexpr uint8_t kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};
constexpr size_t kReadPieceBytes = size_t(1) << 18;

// The first `c` at or after `from`, or `end` when there is none.
const uint8_t* findByte(const uint8_t* from, const uint8_t* end, uint8_t c) {
    const void* hit = std::memchr(from, c, size_t(end - from));
    return hit ? static_cast<const uint8_t*>(hit) : end;
}

} // namespace

bool ProjectLineSplitter::feed(ByteView piece) {
    if (!headDone_) {
        const size_t wanted = std::min(sizeof kByteOrderMark - head_.size(), piece.size());
        head_.insert(head_.end(), piece.begin(), piece.begin() + ptrdiff_t(wanted));
        piece = piece.subspan(wanted);
        if (head_.size() < sizeof kByteOrderMark)
            return true;
        headDone_ = true;
        if (!std::equal(head_.begin(), head_.end(), kByteOrderMark))
            take(head_);
    }
    take(piece);
    return !full();
}

std::vector<std::string> ProjectLineSplitter::finish() {
    if (!headDone_) {
        // Too short to hold a byte-order mark: the bytes are text.
        headDone_ = true;
        take(head_);
    }
    if (lineStarted_ && !full())
        endLine();
    return std::move(lines_);
}

void ProjectLineSplitter::take(ByteView piece) {
    const uint8_t* p = piece.data();
    const uint8_t* const end = p + piece.size();
    // The next CR and LF, each looked for again only once passed, so a piece of
    // many short lines is still scanned only once.
    const uint8_t* cr = nullptr;
    const uint8_t* lf = nullptr;
    while (p < end && !full()) {
        if (afterCr_) {
            afterCr_ = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        if (cr < p)
            cr = findByte(p, end, '\r');
        if (lf < p)
            lf = findByte(p, end, '\n');
        const uint8_t* const lineEnd = std::min(cr, lf);
        const size_t room = kMaxProjectLineBytes - line_.size();
        line_.append(reinterpret_cast<const char*>(p), std::min(room, size_t(lineEnd - p)));
        lineStarted_ = lineStarted_ || lineEnd > p;
        if (lineEnd == end)
            return;
        afterCr_ = *lineEnd == '\r';
        endLine();
        p = lineEnd + 1;
    }
}

void ProjectLineSplitter::endLine() {
    lines_.push_back(std::move(line_));
    line_.clear();
    lineStarted_ = false;
}

std::vector<std::string> splitFileLines(ByteView bytes) {
    ProjectLineSplitter splitter;
    splitter.feed(bytes);
    return splitter.finish();
}

std::optional<std::vector<std::string>> readProjectFileLines(const std::string& path) {
    InputFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    ProjectLineSplitter splitter;
    // Left unfilled: only what a read wrote is looked at, and a small file touches
    // only the first pages of the piece.
    const auto piece = std::make_unique_for_overwrite<uint8_t[]>(kReadPieceBytes);
    while (true) {
        const long got = file.read(piece.get(), kReadPieceBytes);
        if (got < 0)
            return std::nullopt;
        if (got == 0 || !splitter.feed(ByteView(piece.get(), size_t(got))))
            break;
    }
    return splitter.finish();
}

} // namespace korvex
