// The file kept from a thread of its own: whatever the burst of requests, the
// file ends as the last one asked, and a failure is never taken for success.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "core/background_writer.h"
#include "scratch_folder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

using Folder = test::ScratchFolder;
using test::ReadFile;

TEST(BackgroundWriterTest, ABurstOfWritesAndRemovalsEndsAsTheLastRequest) {
    Folder folder;
    const fs::path path = folder.root / "copy";
    std::mt19937 random(15);
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        auto writer = std::make_unique<BackgroundWriter>(path.string());
        bool removedLast = false;
        Bytes last;
        const int requests = 10 + static_cast<int>(random() % 30);
        for (int i = 0; i < requests; ++i) {
            // Spaced now and then, so some requests meet a write under way.
            if (random() % 3 == 0) std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            removedLast = random() % 3 == 0;
            if (removedLast) {
                writer->Remove();
                continue;
            }
            last.assign(20000 + random() % 5000, static_cast<unsigned char>(random()));
            writer->Write(last);
        }
        // Half the rounds wait for the writer, half end it with work pending.
        if (round % 2 == 0) {
            EXPECT_EQ(writer->Settle().failure, "");
        }
        writer.reset();
        if (removedLast) {
            EXPECT_FALSE(fs::exists(path));
        } else {
            EXPECT_EQ(ReadFile(path), last);
        }
        EXPECT_LE(std::distance(fs::directory_iterator(folder.root), fs::directory_iterator()), 1)
            << "no temporary file is left behind";
    }
}

TEST(BackgroundWriterTest, AFailedWriteIsReportedAsTheRequestItWas) {
    Folder folder;
    BackgroundWriter writer((folder.root / "missing" / "copy").string());
    EXPECT_EQ(writer.LastDone().request, 0u);
    const unsigned long long asked = writer.Write(Bytes(100, 1));
    const BackgroundWriter::Outcome outcome = writer.Settle();
    EXPECT_EQ(outcome.request, asked);
    EXPECT_NE(outcome.failure, "");
    EXPECT_EQ(writer.Remove(), asked + 1);
    EXPECT_EQ(writer.Settle().failure, "") << "removing what is not there is no failure";
}

}  // namespace
}  // namespace qm
