#include "run_tool.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qm::cli_test {

namespace {

int Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& outFile,
          const std::string& errFile) {
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0) _exit(127);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string TempName(const char* what) {
    return (std::filesystem::temp_directory_path() / ("qm_cli_" + std::to_string(getpid()) + what)).string();
}

}  // namespace

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

Run RunTool(const std::vector<std::string>& args) {
    const std::string out = TempName(".out"), err = TempName(".err");
    Run run;
    run.exitCode = Spawn(QUILLMERE_CLI, args, out, err);
    run.out = ReadFile(out);
    const Bytes errBytes = ReadFile(err);
    run.err.assign(errBytes.begin(), errBytes.end());
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

int RunProgram(const std::vector<std::string>& args, const std::string& stdoutFile) {
    return Spawn(args[0], {args.begin() + 1, args.end()}, stdoutFile, "/dev/null");
}

bool HaveProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

void FolderTest::SetUp() {
    const std::string suite = ::testing::UnitTest::GetInstance()->current_test_suite()->name();
    dir = std::filesystem::temp_directory_path() / ("qm_" + suite + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
}

void FolderTest::TearDown() { std::filesystem::remove_all(dir); }

}  // namespace qm::cli_test
