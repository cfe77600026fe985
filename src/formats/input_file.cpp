#include "formats/input_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {

InputFile::InputFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe waits until someone writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    // The descriptor is what gets read, so its own kind is what counts.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return;
    }
    fd_ = fd;
}

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

long InputFile::read(uint8_t* out, size_t size) {
    if (fd_ < 0)
        return -1;
    while (true) {
        const ssize_t n = ::read(fd_, out, size);
        if (n >= 0 || errno != EINTR)
            return long(n);
    }
}

} // namespace korvex
