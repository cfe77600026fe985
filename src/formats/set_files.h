#pragma once
// The set files: .set (the current set), .sets (all 100 sets) and the .bin export of
// the current set's glyph bytes. Cells are signed 16-bit little-endian values.

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

// The set file kinds: a .set (the current set), a .sets (all sets) and the .bin
// export of the current set's glyph bytes, which is never read.
enum class SetFileKind { Set = 1, Sets = 2, Bin = 3 };

enum class SetLoadResult { Loaded, WrongMagic };

// "KVXS" and the 25 cells of CurrentSet: 54 bytes.
Bytes setFileBytes(const Document& doc);

// "LVXS" and the 25 cells of sets 1 to 100 in order: 5004 bytes.
Bytes setsFileBytes(const Document& doc);

// The sizes of the two files; a loader reads no further.
constexpr size_t kSetFileBytes = 4 + 2 * kSetCells;
constexpr size_t kSetsFileBytes = 4 + 2 * kSetCells * kSetCount;

// A .set is read into CurrentSet, a .sets into all sets. A file without
// the kind's magic (or any other kind) changes nothing. Bytes past the end of a short
// file read as 0, so missing cells become glyph 0; longer files are cut.
SetLoadResult loadSetBytes(Document& doc, SetFileKind kind, ByteView bytes);

// Text for a file refused by loadSetBytes of `kind`.
const char* wrongSetMagicMessage(SetFileKind kind);

// The eight bytes of every filled cell of CurrentSet, cells 0 to 24 in order, taken
// from FontBuffer after encoding the current font into it.
Bytes setBinBytes(Document& doc);

} // namespace korvex
