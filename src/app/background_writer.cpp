#include "app/background_writer.h"

#include "formats/file_io.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace korvex {

BackgroundWriter::BackgroundWriter(std::string path)
    : path_(std::move(path)), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::write(std::string text) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = Request{false, std::move(text)};
    }
    changed_.notify_all();
}

void BackgroundWriter::remove() {
    {
        std::lock_guard lock(mutex_);
        waiting_ = Request{true, {}};
    }
    changed_.notify_all();
}

void BackgroundWriter::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !busy_; });
}

std::string BackgroundWriter::takeFailure() {
    std::lock_guard lock(mutex_);
    return std::exchange(failure_, {});
}

std::optional<std::string> BackgroundWriter::takeOutcome() {
    std::lock_guard lock(mutex_);
    return std::exchange(outcome_, std::nullopt);
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_)
            return; // stopping, nothing left to do
        const Request request = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        std::string error;
        const bool done = request.remove ? (::unlink(path_.c_str()) == 0 || errno == ENOENT)
                                         : writeFileAtomic(path_, request.text, &error);
        lock.lock();
        busy_ = false;
        if (!done)
            failure_ = request.remove ? "cannot remove the file" : error;
        outcome_ = done ? std::string() : failure_;
        changed_.notify_all();
    }
}

} // namespace korvex
