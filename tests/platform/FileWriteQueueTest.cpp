// The background file writer: what a reader sees, the order and replacement of work on one
// file, jobs run at once or queued, and failures reported to the callers and by Flush.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/FileIo.h"
#include "platform/FileWriteQueue.h"
#include "profiles/JsonFile.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

class FileWriteQueueTest : public ::testing::Test {
protected:
    ~FileWriteQueueTest() override {
        queue_.SetBackground(false);
        queue_.Flush();
    }

    // A job that writes value into file, after waiting for gate when one is given.
    static FileWriteQueue::Job WriteValue(std::filesystem::path file, int value, std::atomic<bool>* gate = nullptr) {
        return [file, value, gate] {
            while (gate != nullptr && !gate->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            Json::Value document;
            document["value"] = value;
            return WriteJsonFile(file, document) == 0;
        };
    }

    FileWriteQueue& queue_ = FileWriteQueue::Instance();
    test::TempFolder folder_;
};

TEST_F(FileWriteQueueTest, AReaderFindsTheNewestQueuedContent) {
    const auto file = folder_ / "a.mac";
    std::atomic<int> written{0};
    std::string content(100000, 'a');
    for (int i = 0; i < 50; ++i) {
        content.back() = static_cast<char>('0' + i % 10);
        queue_.Write(file, content, [&](bool ok) { written += ok ? 1 : 100; });
    }
    EXPECT_EQ(ReadWholeFile(file, 1 << 20), content);
    EXPECT_TRUE(queue_.Flush());
    EXPECT_EQ(written, 50);  // every caller hears of the write that carried its content
}

TEST_F(FileWriteQueueTest, NoQueuedContentLandsOverALaterWriteOrARemoval) {
    const auto file = folder_ / "b.mac";
    queue_.Write(file, std::string(200000, 'q'));
    ASSERT_TRUE(WriteFileAtomically(file, "direct"));
    queue_.Flush();
    EXPECT_EQ(ReadWholeFile(file, 1 << 20), "direct");

    queue_.Write(file, std::string(200000, 'q'));
    ASSERT_TRUE(RemoveFile(file));
    queue_.Flush();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(FileWriteQueueTest, AFailedWriteIsToldToItsCallerAndReportedByFlushOnce) {
    std::atomic<int> result{-1};
    queue_.Write(folder_ / "missing-folder" / "c.mac", "x", [&](bool ok) { result = ok ? 1 : 0; });
    EXPECT_FALSE(queue_.Flush());
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "missing-folder"));
    EXPECT_TRUE(queue_.Flush());

    queue_.SetBackground(true);
    EXPECT_TRUE(queue_.Submit(folder_ / "missing" / "a.json", WriteValue(folder_ / "missing" / "a.json", 1)));
    EXPECT_FALSE(queue_.Flush());
    EXPECT_TRUE(queue_.Flush());
}

TEST_F(FileWriteQueueTest, WithoutBackgroundAJobRunsAtOnceWithItsResult) {
    EXPECT_TRUE(queue_.Submit(folder_ / "a.json", WriteValue(folder_ / "a.json", 1)));
    EXPECT_EQ(readjsonFile(folder_ / "a.json")["value"].asInt(), 1);
    EXPECT_FALSE(queue_.Submit(folder_ / "missing" / "a.json", WriteValue(folder_ / "missing" / "a.json", 1)));
}

TEST_F(FileWriteQueueTest, AReaderSeesTheLastJobAndWaitingJobsOfAFileAreReplaced) {
    queue_.SetBackground(true);
    std::atomic<bool> gate{false};
    std::atomic<int> runs{0};
    const auto counted = [&](int value, std::atomic<bool>* wait) {
        return [&, job = WriteValue(folder_ / "a.json", value, wait)] {
            ++runs;
            return job();
        };
    };
    // The first job is held on the writer's thread; the next ones wait behind it, a write of
    // the same file among them.
    EXPECT_TRUE(queue_.Submit(folder_ / "a.json", counted(1, &gate)));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    queue_.Write(folder_ / "a.json", std::string("{\"value\": 9}"));
    EXPECT_TRUE(queue_.Submit(folder_ / "a.json", counted(2, nullptr)));
    EXPECT_TRUE(queue_.Submit(folder_ / "a.json", counted(3, nullptr)));
    EXPECT_TRUE(queue_.Submit(folder_ / "b.json", WriteValue(folder_ / "b.json", 7)));
    gate = true;
    EXPECT_EQ(readjsonFile(folder_ / "a.json")["value"].asInt(), 3);
    EXPECT_EQ(readjsonFile(folder_ / "b.json")["value"].asInt(), 7);
    EXPECT_EQ(runs.load(), 2);
    EXPECT_TRUE(queue_.Flush());
}

TEST_F(FileWriteQueueTest, LeavingTheBackgroundWritesWhatWaits) {
    queue_.SetBackground(true);
    std::atomic<bool> gate{false};
    EXPECT_TRUE(queue_.Submit(folder_ / "a.json", WriteValue(folder_ / "a.json", 5, &gate)));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        gate = true;
    });
    queue_.SetBackground(false);
    release.join();
    EXPECT_FALSE(queue_.InBackground());
    EXPECT_EQ(readjsonFile(folder_ / "a.json")["value"].asInt(), 5);
}

}  // namespace
}  // namespace morvek
