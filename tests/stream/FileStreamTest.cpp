// tests/stream/FileStreamTest.cpp — the file stream reads what a plain read
// of the file gives, whatever the mix of small reads, large reads and seeks
// that its buffer serves.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "media/Errors.h"
#include "media/Streams.h"

namespace skyrend::test {
namespace {

class FileStreamFixture : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("skyrend-filestream-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        // Larger than the stream's buffer several times, and not a multiple of it.
        bytes_.resize(300000 + 77);
        std::mt19937 rng(5);
        for (uint8_t& b : bytes_) b = static_cast<uint8_t>(rng());
        WriteWholeFile(path_.string(), bytes_);
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::filesystem::path path_;
    std::vector<uint8_t> bytes_;
};

TEST_F(FileStreamFixture, MixedReadsAndSeeksGiveTheFileBytes) {
    TFileStream stream(path_.string());
    EXPECT_EQ(stream.Size(), static_cast<int64_t>(bytes_.size()));
    std::mt19937 rng(9);
    for (int step = 0; step < 400; ++step) {
        if (step % 7 == 0) stream.SetPosition(static_cast<int64_t>(rng() % bytes_.size()));
        const int64_t at = stream.Position();
        // Mostly small reads, now and then one larger than the buffer.
        const size_t count = step % 11 == 0 ? 70000 + rng() % 90000 : rng() % 40;
        std::vector<uint8_t> got(count);
        const size_t n = stream.Read(got.data(), count);
        const size_t expected = std::min<size_t>(count, bytes_.size() - static_cast<size_t>(at));
        ASSERT_EQ(n, expected) << "step " << step;
        ASSERT_TRUE(std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(n), bytes_.begin() + at))
            << "step " << step;
        ASSERT_EQ(stream.Position(), at + static_cast<int64_t>(n));
    }
}

TEST_F(FileStreamFixture, EndAndPastTheEndAndNegativePositions) {
    TFileStream stream(path_.string());
    stream.SetPosition(static_cast<int64_t>(bytes_.size()) - 3);
    uint8_t four[4] = {};
    EXPECT_EQ(stream.Read(four, 4), 3u);
    EXPECT_EQ(four[2], bytes_.back());
    EXPECT_EQ(stream.Read(four, 4), 0u);
    EXPECT_THROW(stream.ReadBuffer(four, 1), EReadError);

    stream.SetPosition(static_cast<int64_t>(bytes_.size()) + 1000);
    EXPECT_EQ(stream.Read(four, 4), 0u);
    EXPECT_EQ(stream.Remaining(), -1000);

    stream.SetPosition(10);
    stream.SetPosition(-5);  // refused, as a seek of the file is
    EXPECT_EQ(stream.Position(), 10);
    ASSERT_EQ(stream.Read(four, 4), 4u);
    EXPECT_EQ(four[0], bytes_[10]);
    // Back into what was read before, and on past it.
    stream.SetPosition(2);
    std::vector<uint8_t> run(100);
    ASSERT_EQ(stream.Read(run.data(), run.size()), run.size());
    EXPECT_TRUE(std::equal(run.begin(), run.end(), bytes_.begin() + 2));
}

// A window onto the file: reads stop at its end, positions count from its
// start, and the file is read at the right place whatever the file's own
// position was moved to in between.
TEST_F(FileStreamFixture, AWindowReadsOnlyItsPartOfTheFile) {
    TFileStream stream(path_.string());
    stream.SetPosition(1000);
    TStreamWindow window(stream, 200000);
    EXPECT_EQ(window.Size(), 200000);
    EXPECT_EQ(window.Position(), 0);

    std::vector<uint8_t> head(10);
    ASSERT_EQ(window.Read(head.data(), head.size()), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes_.begin() + 1000));
    stream.SetPosition(5);  // someone else moves the file on
    std::vector<uint8_t> large(150000);
    ASSERT_EQ(window.Read(large.data(), large.size()), large.size());
    EXPECT_TRUE(std::equal(large.begin(), large.end(), bytes_.begin() + 1010));

    // Past its end: short reads, then none, and ReadBuffer fails.
    window.SetPosition(199990);
    std::vector<uint8_t> tail(50);
    EXPECT_EQ(window.Read(tail.data(), tail.size()), 10u);
    EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 10, bytes_.begin() + 1000 + 199990));
    EXPECT_EQ(window.Read(tail.data(), tail.size()), 0u);
    EXPECT_THROW(window.ReadBuffer(tail.data(), 1), EReadError);

    // Positions are kept inside the window; writing is refused.
    window.SetPosition(-4);
    EXPECT_EQ(window.Position(), 0);
    window.SetPosition(300000);
    EXPECT_EQ(window.Position(), 200000);
    EXPECT_EQ(window.Remaining(), 0);
    EXPECT_EQ(window.Write(head.data(), head.size()), 0u);
}

}  // namespace
}  // namespace skyrend::test
