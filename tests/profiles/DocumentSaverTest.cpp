// Saving profile documents in the background: what a reader sees, the order and replacement
// of saves of one file, and failures reported by Flush.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "profiles/DocumentSaver.h"
#include "profiles/JsonFile.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

class DocumentSaverTest : public ::testing::Test {
protected:
    void TearDown() override { DocumentSaver::Instance().SetBackground(false); }

    // A save that writes value into file, after waiting for gate when one is given.
    static DocumentSaver::Job Write(std::filesystem::path file, int value, std::atomic<bool>* gate = nullptr) {
        return [file, value, gate] {
            while (gate != nullptr && !gate->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            Json::Value document;
            document["value"] = value;
            return WriteJsonFile(file, document) == 0;
        };
    }

    test::TempFolder folder;
    DocumentSaver& saver = DocumentSaver::Instance();
};

TEST_F(DocumentSaverTest, WithoutBackgroundASaveRunsAtOnce) {
    EXPECT_TRUE(saver.Submit(folder / "a.json", Write(folder / "a.json", 1)));
    EXPECT_EQ(readjsonFile(folder / "a.json")["value"].asInt(), 1);
    EXPECT_FALSE(saver.Submit(folder / "missing" / "a.json", Write(folder / "missing" / "a.json", 1)));
}

TEST_F(DocumentSaverTest, AReaderSeesTheLastSaveAndWaitingSavesOfAFileAreReplaced) {
    saver.SetBackground(true);
    std::atomic<bool> gate{false};
    std::atomic<int> runs{0};
    const auto counted = [&](int value, std::atomic<bool>* wait) {
        return [&, job = Write(folder / "a.json", value, wait)] {
            ++runs;
            return job();
        };
    };
    // The first save is held on the saver's thread; the next two wait behind it.
    EXPECT_TRUE(saver.Submit(folder / "a.json", counted(1, &gate)));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(saver.Submit(folder / "a.json", counted(2, nullptr)));
    EXPECT_TRUE(saver.Submit(folder / "a.json", counted(3, nullptr)));
    EXPECT_TRUE(saver.Submit(folder / "b.json", Write(folder / "b.json", 7)));
    gate = true;
    EXPECT_EQ(readjsonFile(folder / "a.json")["value"].asInt(), 3);
    EXPECT_EQ(readjsonFile(folder / "b.json")["value"].asInt(), 7);
    EXPECT_EQ(runs.load(), 2);
    EXPECT_TRUE(saver.Flush());
}

TEST_F(DocumentSaverTest, FlushReportsAFailedSaveOnce) {
    saver.SetBackground(true);
    EXPECT_TRUE(saver.Submit(folder / "missing" / "a.json", Write(folder / "missing" / "a.json", 1)));
    EXPECT_FALSE(saver.Flush());
    EXPECT_TRUE(saver.Flush());
}

TEST_F(DocumentSaverTest, LeavingTheBackgroundWritesWhatWaits) {
    saver.SetBackground(true);
    std::atomic<bool> gate{false};
    EXPECT_TRUE(saver.Submit(folder / "a.json", Write(folder / "a.json", 5, &gate)));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        gate = true;
    });
    saver.SetBackground(false);
    release.join();
    EXPECT_FALSE(saver.InBackground());
    EXPECT_EQ(readjsonFile(folder / "a.json")["value"].asInt(), 5);
}

}  // namespace
}  // namespace morvek
