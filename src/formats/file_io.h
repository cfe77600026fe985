#pragma once
// Whole-file reading and atomic writing. Every save of the program goes through
// writeFileAtomic: the data goes to a temporary file beside the target, is flushed
// to disk and then renamed over it, so a failed or interrupted save leaves the old
// file as it was.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvex {

using Bytes = std::vector<uint8_t>;
// Bytes to read, wherever they are held: every loader takes its file's contents
// this way, and the form that takes a path reads the file and hands them over.
using ByteView = std::span<const uint8_t>;

// The first maxBytes bytes of the file (all of it when maxBytes is 0), or nothing
// when it cannot be opened or read or is no regular file (see InputFile). Every
// loader passes the most its format can use, so no file costs more than that.
std::optional<Bytes> readFileBytes(const std::string& path, size_t maxBytes = 0);

// Writes the file atomically; false (and the old file untouched, no temporary file
// left behind) on any failure. On failure `error` (when given) receives a short
// reason. The new file keeps the permission bits, owner and group of the file it
// replaces; a new file gets the folder's defaults (0666 less the umask).
// A path that is a symbolic link is written through: its target is replaced and
// the link stays. Once renamed into place, the folder is synced so the new name
// survives a power cut; a failure of that last sync alone is not a failed save, the
// new file being in place already.
//
// An existing file that is no regular file (see outputRefusal), or that the user may
// not write, is refused and left alone. A file of another owner or group that the
// user may write, but could not give back to its owner after a rename, is written in
// place instead, once the new contents are whole and synced in the temporary file
// beside it; should that in-place write fail, the temporary file is left holding
// the new contents and the reason names it.
//
// The temporary file is named ".NAME.korvex-save-XXXXXXXXXXXX~" and is locked while
// a save uses it; a save finds and removes the unlocked ones a killed save left
// for the same file.
bool writeFileAtomic(const std::string& path, const Bytes& data, std::string* error = nullptr);
bool writeFileAtomic(const std::string& path, const std::string& data,
                     std::string* error = nullptr);

// Why an existing `path` must not be replaced by a save, in words for a message
// ("it is a named pipe, not a regular file", "you may not write it: ..."); empty when it
// may be written or names nothing yet. A rename would turn a pipe, socket, device
// or folder into a regular file, and replace a file the user may not write.
std::string outputRefusal(const std::string& path);

// Whether `name` (no folder) is that of a temporary file of a save, and, when
// `forName` is given, of a save of that file name.
bool isSaveTemporaryName(const std::string& name, const std::string& forName = {});

// Removes from `folder` the temporary files that saves of `forName` (of any file
// when empty) left behind and no save still uses. Returns how many went.
int removeStaleTemporaries(const std::string& folder, const std::string& forName = {});

// Removes the regular file at `path` unless a process holds its lock (flock), as a
// save holds its temporary file's. True when it went.
bool removeWhenUnlocked(const std::string& path);

// The steps of writeFileAtomic, in their order.
enum class WriteStep { CreateTemporary, Write, Sync, Rename, SyncFolder };

// For tests: until called again with nothing, every atomic write fails at `step` as
// if the system had refused it (EIO), and goes on as it does after a real failure.
// A failing Write has written part of the data first.
void setFailingWriteStep(std::optional<WriteStep> step);

// Lines joined with CR LF after every line, as every text file of the program.
std::string joinCrLf(const std::vector<std::string>& lines);

// The part of a path after its last "/" (the only folder separator here); the
// whole path if it has none.
std::string fileNamePart(const std::string& path);

// Appends `extension` (e.g. ".fnt") unless the name already ends in it, compared
// case-insensitively.
std::string withExtension(const std::string& name, const std::string& extension);

} // namespace korvex
