// The recovery copy's timer: the look it takes every half second while the
// work is unsaved, and the look that writes the copy (flushed to disk by the
// writing thread). What counts is the main thread's wall time: the timer runs
// between frames, so a tick that waits for the disk holds up painting.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/recovery.h"
#include "bench_state.h"
#include "session/undo.h"

namespace qm::bench {

namespace {

namespace fs = std::filesystem;

// Recovery started in a folder of its own, removed afterwards.
class RecoveryFolderScope {
public:
    RecoveryFolderScope()
        : root_(fs::temp_directory_path() / ("quillmere-bench-state-" + std::to_string(::getpid()))) {
        fs::create_directories(root_);
        setenv("XDG_STATE_HOME", root_.c_str(), 1);
        StartRecovery(Editor());
    }
    ~RecoveryFolderScope() {
        EndRecovery(Editor());
        unsetenv("XDG_STATE_HOME");
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

private:
    fs::path root_;
};

void Touch(EditorState& s) { s.doc.Slots[1].Pixel(1, 0, 0) ^= 1; }

// Nothing new since the copy: the cost of every tick while the user is away.
void LookWithoutChange(benchmark::State& state) {
    RecoveryFolderScope scope;
    EditorState& s = Editor();
    Touch(s);
    RecoveryTick(s, 0);
    RecoveryTick(s, 10'000);
    long long now = 20'000;
    for (auto _ : state) RecoveryTick(s, now += 500);
    Touch(s);
}

// A change, then the tick a second later that writes it: what the tick costs
// the main thread. The ticks come half a second apart, far longer than a write
// takes, so each one finds the writer idle, as here.
void WriteAfterChange(benchmark::State& state) {
    RecoveryFolderScope scope;
    EditorState& s = Editor();
    long long now = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SettleRecovery(s);
        Touch(s);
        RecoveryTick(s, now);
        state.ResumeTiming();
        RecoveryTick(s, now += 10'000);
    }
    SettleRecovery(s);
    if (!fs::exists(RecoveryCopyPath(s))) state.SkipWithError("no copy written");
}

// The same tick and the wait until the copy is flushed to disk: how long the
// work done on the timer stays unprotected, all of it off the main thread.
void WriteUntilOnDisk(benchmark::State& state) {
    RecoveryFolderScope scope;
    EditorState& s = Editor();
    long long now = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Touch(s);
        RecoveryTick(s, now);
        state.ResumeTiming();
        RecoveryTick(s, now += 10'000);
        SettleRecovery(s);
    }
    if (!fs::exists(RecoveryCopyPath(s))) state.SkipWithError("no copy written");
}

}  // namespace

BENCHMARK(LookWithoutChange)->Name("Recovery/LookWithoutChange")->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteAfterChange)->Name("Recovery/WriteAfterChange")->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteUntilOnDisk)->Name("Recovery/WriteUntilOnDisk")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
