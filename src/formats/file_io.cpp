#include "formats/file_io.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {

std::optional<Bytes> readFileBytes(const std::string& path, size_t maxBytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    Bytes out;
    uint8_t chunk[65536];
    bool failed = false;
    while (maxBytes == 0 || out.size() < maxBytes) {
        size_t want = sizeof chunk;
        if (maxBytes != 0)
            want = std::min(want, maxBytes - out.size());
        const size_t got = std::fread(chunk, 1, want, f);
        out.insert(out.end(), chunk, chunk + got);
        if (got < want) {
            failed = std::ferror(f) != 0;
            break;
        }
    }
    std::fclose(f);
    if (failed)
        return std::nullopt;
    return out;
}

static bool fail(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

bool writeFileAtomic(const std::string& path, const Bytes& data, std::string* error) {
    if (path.empty()) {
        errno = ENOENT;
        return fail(error, "no file name");
    }
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return fail(error, "cannot create the file");
    const std::string tempPath(name.data());
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(tempPath.c_str());
            errno = saved;
            return fail(error, "cannot write the file");
        }
        done += size_t(n);
    }
    // Keep the usual permissions of a new file (mkstemp creates it 0600).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int saved = errno;
        ::unlink(tempPath.c_str());
        errno = saved;
        return fail(error, "cannot write the file");
    }
    if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(tempPath.c_str());
        errno = saved;
        return fail(error, "cannot replace the file");
    }
    return true;
}

bool writeFileAtomic(const std::string& path, const std::string& data, std::string* error) {
    return writeFileAtomic(path, Bytes(data.begin(), data.end()), error);
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string fileNamePart(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string withExtension(const std::string& name, const std::string& extension) {
    if (name.size() >= extension.size()) {
        const std::string tail = name.substr(name.size() - extension.size());
        if (std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) ==
                       std::toupper(static_cast<unsigned char>(b));
            }))
            return name;
    }
    return name + extension;
}

} // namespace korvex
