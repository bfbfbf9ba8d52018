// platform/common/FrameHash.h — the fingerprint of a presented frame.
//
// A frame is hashed as the game drew it (its own surface as handed to
// Present, before any scaling), so the real window and the headless screen
// give the same hash for the same picture. The hash is built to ride on the
// copy that presenting makes anyway: each row is hashed in the same pass
// that copies it, which costs next to nothing on top of the copy, since the
// copy waits on memory and the hash only on the arithmetic units.
//
// The function: 16 lanes of 64 bits; every row, padded with zero pixels to
// a multiple of 32, is taken in blocks of 32 pixels, pixel pair k of a block
// going to lane k: the pair as one 64-bit word v (the left pixel low) is
// mixed with the lane's key, d = v ^ key; the lane adds the product of d's
// two halves and v with its halves swapped. After every row each lane is
// scrambled (xor-shift, key, multiply); the seed (width, height) and the
// lanes are folded into 64 bits at the end. The same in vectors and in
// plain code.

#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace skyrend::platform {

class FrameHasher {
public:
    FrameHasher(int width, int height);
    // The next row of `width` pixels.
    void Row(const uint32_t* pixels);
    // The same, copying it to `copy` on the way.
    void CopyRow(const uint32_t* pixels, uint32_t* copy);
    uint64_t Finish() const;

    static constexpr int Lanes = 16;

private:
    alignas(32) uint64_t lanes_[Lanes];
    int width_;
    int height_;
};

// The whole frame's hash; 0 for an empty view.
uint64_t HashFrame(const PixelView& frame);

}  // namespace skyrend::platform
