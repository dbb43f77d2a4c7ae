// Saving and opening the project: the format's writer and reader on bytes in
// memory, and the editor's own commands through the disk layer.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/file_io.h"
#include "bench_state.h"
#include "files/project_file.h"
#include "core/project_format.h"

namespace qm::bench {

namespace {

std::string ProjectPath() {
    return (std::filesystem::temp_directory_path() / ("quillmere-bench-" + std::to_string(::getpid()) + ".proj"))
        .string();
}

// The bytes of the editor's state as the save command writes them.
Bytes SavedProjectBytes(EditorState& s, const std::string& path) {
    s.doc.ProjectPath = path;
    SaveProject(s, SaveMode::Save);
    Bytes bytes;
    qm::ReadWholeFile(path, bytes);
    return bytes;
}

bool CheckSize(benchmark::State& state, const Bytes& bytes) {
    if (bytes.size() == kProjectSize) return true;
    state.SkipWithError(("project is " + std::to_string(bytes.size()) + " bytes").c_str());
    return false;
}

void WriteInMemory(benchmark::State& state) {
    EditorState& s = Editor();
    const std::string path = ProjectPath();
    const std::optional<ProjectData> project = ReadProject(SavedProjectBytes(s, path));
    std::filesystem::remove(path);
    if (!project) return state.SkipWithError("project did not read back");
    for (auto _ : state) benchmark::DoNotOptimize(WriteProject(*project));
    CheckSize(state, WriteProject(*project));
}

void ReadInMemory(benchmark::State& state) {
    EditorState& s = Editor();
    const std::string path = ProjectPath();
    const Bytes bytes = SavedProjectBytes(s, path);
    std::filesystem::remove(path);
    if (!CheckSize(state, bytes)) return;
    for (auto _ : state) benchmark::DoNotOptimize(ReadProject(bytes));
}

// The editor's whole save: every slot packed, written to a temporary file,
// flushed to disk and renamed over the old one.
void SaveThroughDisk(benchmark::State& state) {
    EditorState& s = Editor();
    const std::string path = ProjectPath();
    s.doc.ProjectPath = path;
    for (auto _ : state) SaveProject(s, SaveMode::Save);
    Bytes bytes;
    qm::ReadWholeFile(path, bytes);
    std::filesystem::remove(path);
    CheckSize(state, bytes);
}

// The editor's whole open: the requester answered, the file read and checked,
// every slot, set and register taken over.
void OpenThroughDisk(benchmark::State& state) {
    EditorState& s = Editor();
    const std::string path = ProjectPath();
    if (!CheckSize(state, SavedProjectBytes(s, path))) return;
    for (auto _ : state) {
        tk::QueueFileAnswer(path);
        OpenProject(s);
    }
    std::filesystem::remove(path);
    tk::ClearScript();
    if (s.doc.ProjectPath != path) state.SkipWithError("project was not opened");
}

}  // namespace

BENCHMARK(WriteInMemory)->Name("Project/WriteInMemory")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadInMemory)->Name("Project/ReadInMemory")->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveThroughDisk)->Name("Project/SaveThroughDisk")->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenThroughDisk)->Name("Project/OpenThroughDisk")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
