#pragma once

// A file kept up to date from a thread of its own, so that the one who asks
// never waits for the disk. Requests are carried out one at a time in the
// order given; a request not yet begun is replaced by the next one, since only
// the latest state of the file matters. So an older write can never land over
// a newer one, and a removal is never undone by a write asked before it.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/byte_stream.h"

namespace qm {

class BackgroundWriter {
public:
    // How the request done last went; request 0 before any.
    struct Outcome {
        unsigned long long request = 0;
        std::string failure;  // empty on success
    };

    explicit BackgroundWriter(std::string path);
    // Carries out what is still asked, then stops the thread.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Each returns the request's number, rising from 1. The file is written
    // the safe way and flushed.
    unsigned long long Write(Bytes bytes);
    unsigned long long Remove();
    // Waits until every request made so far has been carried out.
    Outcome Settle();
    Outcome LastDone() const;

private:
    struct Request {
        unsigned long long number = 0;
        bool remove = false;
        Bytes bytes;
    };

    unsigned long long Ask(Request request);
    void Run();

    const std::string path_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Request> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    unsigned long long asked_ = 0;
    Outcome done_;
    std::thread thread_;  // last: it starts once everything above is ready
};

}  // namespace qm
