#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/file_io.h"

int main(int argc, char** argv) {
    // A build interrupted with Ctrl+C leaves no hidden half-written files.
    qm::RemoveTemporariesOnSignals();
    return qm::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc));
}
