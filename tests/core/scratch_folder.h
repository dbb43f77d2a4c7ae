#pragma once

// A folder of the test's own under the system's temporary folder, removed
// with everything in it at the end.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/byte_stream.h"

namespace qm::test {

struct ScratchFolder {
    ScratchFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "qm-scratch-XXXXXX").string();
        root = mkdtemp(name.data());
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    std::filesystem::path root;
};

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

}  // namespace qm::test
