#pragma once
// A file opened for reading, which must be a regular file. A folder, a named pipe,
// a socket or a device is refused at the open: none of them is a file the
// program wrote, a pipe could keep a reader waiting for ever and a device such as
// /dev/zero never ends. A named pipe is opened without waiting for a writer.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvex {

class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the path names no regular file or it cannot be opened.
    bool isOpen() const { return fd_ >= 0; }

    // Reads up to `size` bytes into `out`: the count read, 0 at the end of the file,
    // -1 on a read error.
    long read(uint8_t* out, size_t size);

private:
    int fd_ = -1;
};

} // namespace korvex
