#include "core/background_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/file_io.h"

namespace qm {

namespace {

std::string RemoveFile(const std::string& path) {
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return {};
    return std::strerror(errno);
}

}  // namespace

BackgroundWriter::BackgroundWriter(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

unsigned long long BackgroundWriter::Write(Bytes bytes) { return Ask({0, false, std::move(bytes)}); }

unsigned long long BackgroundWriter::Remove() { return Ask({0, true, {}}); }

unsigned long long BackgroundWriter::Ask(Request request) {
    std::optional<Request> replaced;
    unsigned long long number = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        number = request.number = ++asked_;
        replaced = std::exchange(pending_, std::move(request));
    }
    wake_.notify_one();
    return number;  // the replaced bytes are freed outside the lock
}

BackgroundWriter::Outcome BackgroundWriter::Settle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
    return done_;
}

BackgroundWriter::Outcome BackgroundWriter::LastDone() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return done_;
}

void BackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;
        const Request request = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        std::string failure = request.remove ? RemoveFile(path_) : SaveFileSafely(path_, request.bytes);
        lock.lock();
        busy_ = false;
        done_ = {request.number, std::move(failure)};
        idle_.notify_all();
    }
}

}  // namespace qm
