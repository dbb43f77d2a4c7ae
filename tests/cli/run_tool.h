#pragma once

// Runs the built quillmere-cli as a process, as a Makefile would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/byte_stream.h"

namespace qm::cli_test {

struct Run {
    int exitCode = -1;
    Bytes out;
    std::string err;
    std::string Out() const { return std::string(out.begin(), out.end()); }
};

Run RunTool(const std::vector<std::string>& args);
// Runs a program found on PATH with its output discarded; its exit code, or
// -1 when it could not be started.
int RunProgram(const std::vector<std::string>& args, const std::string& stdoutFile = "/dev/null");
bool HaveProgram(const std::string& name);

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);

// A test with a fresh folder of its own, removed after it.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    std::filesystem::path dir;
};

}  // namespace qm::cli_test
