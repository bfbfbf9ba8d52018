// tests/platform/FrameHashTest.cpp — the frame hash: the vector code gives
// what the plain description gives, for rows with and without a partial
// last block and with gaps between rows; the hash taken while presenting
// equals the frame's own hash, as a replay computes it.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/common/FrameHash.h"
#include "platform/headless/HeadlessPlatform.h"

namespace skyrend::platform {
namespace {

// The hash as FrameHash.h describes it, one pixel pair at a time.
uint64_t Described(const std::vector<uint32_t>& pixels, int width, int height, int pitch) {
    const uint64_t keys[16] = {
        0xbe4ba423396cfeb8, 0x1cad21f72c81017c, 0xdb979083e96dd4de, 0x1f67b3b7a4a44072,
        0x78e5c0cc4ee679cb, 0x2172ffcc7dd05a82, 0x8e2443f7744608b8, 0x4c263a81e69035e0,
        0xcb00c391bb52283c, 0xa32e531b8b65d088, 0x4ef90da297486471, 0xd8acdea946ef1938,
        0x3f349ce33f76faa8, 0x1d4f0bc7c7bbdcf9, 0x3159b4cd4be0518a, 0x647378d9c97e9fc8};
    const uint64_t p64 = 0x9e3779b97f4a7c15;
    auto avalanche = [](uint64_t h) {
        h = (h ^ (h >> 33)) * 0xff51afd7ed558ccd;
        h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53;
        return h ^ (h >> 33);
    };
    uint64_t lanes[16];
    for (int k = 0; k < 16; ++k) lanes[k] = keys[k] * p64;
    const int padded = (width + 31) / 32 * 32;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < padded; x += 2) {
            auto at = [&](int i) -> uint64_t { return i < width ? pixels[static_cast<size_t>(y) * pitch + i] : 0; };
            const uint64_t v = at(x) | at(x + 1) << 32;
            const int k = (x % 32) / 2;
            const uint64_t d = v ^ keys[k];
            lanes[k] += (d & 0xffffffff) * (d >> 32) + ((v << 32) | (v >> 32));
        }
        for (uint64_t& lane : lanes) lane = ((lane ^ (lane >> 47)) ^ p64) * 0x9e3779b1;
    }
    uint64_t h = (static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height)) * p64;
    for (uint64_t lane : lanes) h = (h ^ avalanche(lane)) * p64;
    return avalanche(h);
}

std::vector<uint32_t> Noise(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(n);
    for (uint32_t& p : pixels) p = random() & 0xffffff;
    return pixels;
}

TEST(FrameHash, VectorsGiveTheDescribedHashWhateverTheRowLength) {
    for (int width : {1, 31, 32, 33, 70, 1680}) {
        const int height = 3, pitch = width + 5;
        const std::vector<uint32_t> pixels = Noise(static_cast<size_t>(pitch) * height, width);
        const PixelView view{const_cast<uint32_t*>(pixels.data()), width, height, pitch};
        EXPECT_EQ(HashFrame(view), Described(pixels, width, height, pitch)) << width;
    }
    // One changed pixel, and the same pixels in another shape, hash apart.
    std::vector<uint32_t> pixels = Noise(64 * 4, 7);
    const uint64_t before = HashFrame({pixels.data(), 64, 4, 64});
    EXPECT_NE(HashFrame({pixels.data(), 32, 8, 32}), before);
    pixels[200] ^= 0x800000;
    EXPECT_NE(HashFrame({pixels.data(), 64, 4, 64}), before);
}

TEST(FrameHash, PresentingHashesTheFrameAsAReplayDoes) {
    HeadlessPlatform p;
    ASSERT_TRUE(p.SetDisplayMode({1024, 768, 32}));
    std::vector<uint32_t> pixels = Noise(1024 * 768, 3);
    const PixelView frame{pixels.data(), 1024, 768, 1024};
    uint64_t hash = 0;
    ASSERT_TRUE(p.Present(frame, {0, 0, 1024, 768}, false));
    EXPECT_FALSE(p.PresentedFrameHash(hash));   // only when asked for
    p.HashPresentedFrames(true);
    ASSERT_TRUE(p.Present(frame, {0, 0, 1024, 768}, false));
    ASSERT_TRUE(p.PresentedFrameHash(hash));
    EXPECT_EQ(hash, HashFrame(frame));
    EXPECT_EQ(p.LastPresented().pixels, pixels);
    // Placed elsewhere the frame is still hashed whole.
    ASSERT_TRUE(p.Present(frame, {10, 10, 522, 394}, false));
    ASSERT_TRUE(p.PresentedFrameHash(hash));
    EXPECT_EQ(hash, HashFrame(frame));
}

TEST(FrameHash, AScreenNotKeptIsStillCheckedAndHashedButHoldsNoPicture) {
    HeadlessPlatform p;
    p.KeepScreen(false);
    ASSERT_TRUE(p.SetDisplayMode({1024, 768, 32}));
    p.HashPresentedFrames(true);
    std::vector<uint32_t> pixels = Noise(1024 * 768, 5);
    const PixelView frame{pixels.data(), 1024, 768, 1024};
    uint64_t hash = 0;
    ASSERT_TRUE(p.Present(frame, {0, 0, 1024, 768}, false));
    ASSERT_TRUE(p.PresentedFrameHash(hash));
    EXPECT_EQ(hash, HashFrame(frame));
    EXPECT_EQ(p.PresentCount(), 1u);
    EXPECT_TRUE(p.LastPresented().pixels.empty());
    EXPECT_FALSE(p.Present({nullptr, 1024, 768, 1024}, {0, 0, 1024, 768}, false));
}

}  // namespace
}  // namespace skyrend::platform
