#pragma once
// Keeps one file up to date from a thread of its own, so that the caller never
// waits for the disk. Only the newest request counts: one still waiting when the
// next arrives is dropped. Writes go through writeFileAtomic.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace korvex {

class BackgroundWriter {
public:
    explicit BackgroundWriter(std::string path);
    // Carries out what is still waiting, then stops.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    const std::string& path() const { return path_; }
    void write(std::string text);
    void remove();
    // Returns once every request made so far has been carried out.
    void flush();
    // The reason the last failed write failed, once; empty when none failed since.
    std::string takeFailure();
    // How the last request carried out since the last call went: empty when it
    // succeeded, the reason when it failed; nothing when none was carried out.
    std::optional<std::string> takeOutcome();

private:
    struct Request {
        bool remove = false;
        std::string text;
    };
    void run();

    const std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Request> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    std::string failure_;
    std::optional<std::string> outcome_;
    std::thread thread_;
};

} // namespace korvex
