// platform/common/FrameHash.cpp — the frame hash, in AVX2 vectors where the
// processor has them and in plain code elsewhere, with the same result.

#include "platform/common/FrameHash.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>

namespace skyrend::platform {

namespace {

constexpr int BlockPixels = 2 * FrameHasher::Lanes;

constexpr uint64_t Keys[FrameHasher::Lanes] = {
    0xbe4ba423396cfeb8, 0x1cad21f72c81017c, 0xdb979083e96dd4de, 0x1f67b3b7a4a44072,
    0x78e5c0cc4ee679cb, 0x2172ffcc7dd05a82, 0x8e2443f7744608b8, 0x4c263a81e69035e0,
    0xcb00c391bb52283c, 0xa32e531b8b65d088, 0x4ef90da297486471, 0xd8acdea946ef1938,
    0x3f349ce33f76faa8, 0x1d4f0bc7c7bbdcf9, 0x3159b4cd4be0518a, 0x647378d9c97e9fc8};
constexpr uint64_t Prime32 = 0x9e3779b1;
constexpr uint64_t Prime64 = 0x9e3779b97f4a7c15;

inline uint64_t Mix(uint64_t acc, uint64_t v, uint64_t key) {
    const uint64_t d = v ^ key;
    return acc + (d & 0xffffffff) * (d >> 32) + ((v << 32) | (v >> 32));
}

// One block of 32 pixels into the lanes.
void BlockPlain(uint64_t* lanes, const uint32_t* p) {
    for (int k = 0; k < FrameHasher::Lanes; ++k) {
        const uint64_t v = p[2 * k] | (static_cast<uint64_t>(p[2 * k + 1]) << 32);
        lanes[k] = Mix(lanes[k], v, Keys[k]);
    }
}

void RowPlain(uint64_t* lanes, const uint32_t* p, uint32_t* copy, int blocks) {
    for (int b = 0; b < blocks; ++b, p += BlockPixels) {
        if (copy) {
            std::memcpy(copy, p, BlockPixels * sizeof *p);
            copy += BlockPixels;
        }
        BlockPlain(lanes, p);
    }
}

__attribute__((target("avx2"))) inline __m256i MixVector(__m256i acc, __m256i v, __m256i key) {
    const __m256i d = _mm256_xor_si256(v, key);
    const __m256i product = _mm256_mul_epu32(d, _mm256_srli_epi64(d, 32));
    const __m256i swapped = _mm256_shuffle_epi32(v, 0xb1);
    return _mm256_add_epi64(acc, _mm256_add_epi64(product, swapped));
}

// Four registers of four lanes: a block of 32 pixels per step. With a
// copy, the stores go beside the loads in the same pass.
__attribute__((target("avx2"))) void RowAvx2(uint64_t* lanes, const uint32_t* p, uint32_t* copy, int blocks) {
    __m256i acc[4], key[4];
    for (int r = 0; r < 4; ++r) {
        acc[r] = _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes + 4 * r));
        key[r] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Keys + 4 * r));
    }
    for (int b = 0; b < blocks; ++b, p += BlockPixels) {
        for (int r = 0; r < 4; ++r) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 8 * r));
            if (copy) _mm256_storeu_si256(reinterpret_cast<__m256i*>(copy + 8 * r), v);
            acc[r] = MixVector(acc[r], v, key[r]);
        }
        if (copy) copy += BlockPixels;
    }
    for (int r = 0; r < 4; ++r) _mm256_store_si256(reinterpret_cast<__m256i*>(lanes + 4 * r), acc[r]);
}

using RowKernel = void (*)(uint64_t*, const uint32_t*, uint32_t*, int);

RowKernel PickRowKernel() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? RowAvx2 : RowPlain;
}

void Rows(uint64_t* lanes, const uint32_t* p, uint32_t* copy, int blocks) {
    static const RowKernel kernel = PickRowKernel();
    kernel(lanes, p, copy, blocks);
}

uint64_t Avalanche(uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccd;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53;
    return h ^ (h >> 33);
}

}  // namespace

FrameHasher::FrameHasher(int width, int height) : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    for (int k = 0; k < Lanes; ++k) lanes_[k] = Keys[k] * Prime64;
}

void FrameHasher::CopyRow(const uint32_t* pixels, uint32_t* copy) {
    const int blocks = width_ / BlockPixels;
    const int rest = width_ % BlockPixels;
    Rows(lanes_, pixels, copy, blocks);
    if (rest) {
        // The row's last pixels, padded with zeros to a whole block.
        uint32_t tail[BlockPixels] = {};
        std::memcpy(tail, pixels + blocks * BlockPixels, rest * sizeof *pixels);
        if (copy) std::memcpy(copy + blocks * BlockPixels, tail, rest * sizeof *pixels);
        BlockPlain(lanes_, tail);
    }
    for (uint64_t& lane : lanes_) lane = ((lane ^ (lane >> 47)) ^ Prime64) * Prime32;
}

void FrameHasher::Row(const uint32_t* pixels) { CopyRow(pixels, nullptr); }

uint64_t FrameHasher::Finish() const {
    uint64_t h = (static_cast<uint64_t>(width_) << 32 | static_cast<uint32_t>(height_)) * Prime64;
    for (uint64_t lane : lanes_) h = (h ^ Avalanche(lane)) * Prime64;
    return Avalanche(h);
}

uint64_t HashFrame(const PixelView& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0 || frame.pitch < frame.width) return 0;
    FrameHasher hasher(frame.width, frame.height);
    for (int y = 0; y < frame.height; ++y) hasher.Row(frame.pixels + static_cast<size_t>(y) * frame.pitch);
    return hasher.Finish();
}

}  // namespace skyrend::platform
