#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/FileIo.h"
#include "platform/FileWriteQueue.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

class FileWriteQueueTest : public ::testing::Test {
protected:
    ~FileWriteQueueTest() override { queue_.WaitForAll(); }

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
    queue_.WaitForAll();
    EXPECT_EQ(written, 50);  // every caller hears of the write that carried its content
}

TEST_F(FileWriteQueueTest, NoQueuedContentLandsOverALaterWriteOrARemoval) {
    const auto file = folder_ / "b.mac";
    queue_.Write(file, std::string(200000, 'q'));
    ASSERT_TRUE(WriteFileAtomically(file, "direct"));
    queue_.WaitForAll();
    EXPECT_EQ(ReadWholeFile(file, 1 << 20), "direct");

    queue_.Write(file, std::string(200000, 'q'));
    ASSERT_TRUE(RemoveFile(file));
    queue_.WaitForAll();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(FileWriteQueueTest, AFailedWriteIsReported) {
    std::atomic<int> result{-1};
    queue_.Write(folder_ / "missing-folder" / "c.mac", "x", [&](bool ok) { result = ok ? 1 : 0; });
    queue_.WaitForAll();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "missing-folder"));
}

}  // namespace
}  // namespace morvek
