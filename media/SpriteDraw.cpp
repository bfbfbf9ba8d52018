// media/SpriteDraw.cpp — the software sprite renderer.
//
// The rotating rasteriser walks the destination box row by row in 16.16 fixed
// point. Because the source position moves linearly along a row, the pixels
// whose source lies inside the source rectangle form one run; its ends are
// solved for once per row, so the inner loop carries no bounds test. Row
// starts are formed in 128 bits, since a far-away pivot can push them past
// 64; inside a run every value is a source coordinate and fits easily.

#include "media/SpriteDraw.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <type_traits>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SKYREND_ROTATED_AVX2 1
#endif

namespace skyrend {

namespace {

using i128 = __int128;

// ---------------------------------------------------------------- blending

struct CopyOp {
    uint32_t operator()(uint32_t, uint32_t s) const { return s; }
};

// destination + source * alpha / 255, each channel saturating.
struct AdditiveOp {
    uint32_t alpha;
    uint32_t operator()(uint32_t d, uint32_t s) const {
        uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            uint32_t c = ((d >> shift) & 0xFF) + ((s >> shift) & 0xFF) * alpha / 255;
            out |= std::min(c, 255u) << shift;
        }
        return out;
    }
};

// source * alpha / 255 + destination * (1 - alpha / 255).
struct AlphaBlendOp {
    uint32_t alpha;
    uint32_t operator()(uint32_t d, uint32_t s) const {
        uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            uint32_t c = (((s >> shift) & 0xFF) * alpha + ((d >> shift) & 0xFF) * (255 - alpha)) / 255;
            out |= c << shift;
        }
        return out;
    }
};

// destination * (1 - source * alpha / 255), the source taken as 0 .. 1.
struct SubtractiveOp {
    uint32_t alpha;
    uint32_t operator()(uint32_t d, uint32_t s) const {
        uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            uint32_t dc = (d >> shift) & 0xFF;
            uint32_t c = dc - dc * ((s >> shift) & 0xFF) * alpha / (255 * 255);
            out |= c << shift;
        }
        return out;
    }
};

// Copies n pixels, leaving those equal to the key out. A key pixel writes
// back what was there: without a branch the loop copies several pixels a
// step. The two rows must not overlap.
void KeyedCopy(uint32_t* __restrict dp, const uint32_t* __restrict sp, int64_t n, uint32_t key) {
    for (int64_t i = 0; i < n; ++i) {
        const uint32_t p = sp[i], q = dp[i];
        dp[i] = p == key ? q : p;
    }
}

// Calls f with the pixel operation of the blend and the keyed flag as
// compile-time values, so that each combination gets its own tight loop.
template <class F>
void WithPixelOp(const TBlend& blend, bool keyed, F&& f) {
    uint32_t alpha = static_cast<uint32_t>(std::clamp(blend.Alpha, 0, 255));
    auto keyedOrNot = [&](auto op) {
        if (keyed)
            f(op, std::true_type{});
        else
            f(op, std::false_type{});
    };
    switch (blend.Kind) {
    case TBlendKind::Copy: return keyedOrNot(CopyOp{});
    case TBlendKind::Additive: return keyedOrNot(AdditiveOp{alpha});
    case TBlendKind::AlphaBlended: return keyedOrNot(AlphaBlendOp{alpha});
    case TBlendKind::Subtractive: return keyedOrNot(SubtractiveOp{alpha});
    }
}

// ---------------------------------------------------------------- arithmetic

// Truncation toward zero of a double that must stay well inside 64 bits.
bool Trunc(double value, int64_t& out) {
    constexpr double limit = 4611686018427387904.0;  // 2^62
    if (!(value > -limit && value < limit)) return false;
    out = static_cast<int64_t>(value);
    return true;
}

template <class T>
T FloorDiv(T a, T b) {  // b > 0
    T q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

template <class T>
T CeilDiv(T a, T b) {  // b > 0
    T q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

// The steps k >= 0 of a row for which lo <= s + k * d < hi, as [k0, k1),
// clamped to [0, n).
template <class T>
void SolveRun(T s, T d, T lo, T hi, int64_t n, int64_t& k0, int64_t& k1) {
    T a, b;
    if (d == 0) {
        bool inside = s >= lo && s < hi;
        k0 = 0;
        k1 = inside ? n : 0;
        return;
    }
    if (d > 0) {
        a = CeilDiv<T>(lo - s, d);
        b = CeilDiv<T>(hi - s, d);
    } else {
        a = FloorDiv<T>(s - hi, -d) + 1;
        b = FloorDiv<T>(s - lo, -d) + 1;
    }
    k0 = a <= 0 ? 0 : a >= n ? n : static_cast<int64_t>(a);
    k1 = b <= 0 ? 0 : b >= n ? n : static_cast<int64_t>(b);
}

void SolveRunWide(i128 s, int64_t d, int64_t lo, int64_t hi, int64_t n, int64_t& k0, int64_t& k1) {
    constexpr i128 narrow = i128{1} << 62;
    if (s > -narrow && s < narrow)
        SolveRun<int64_t>(static_cast<int64_t>(s), d, lo, hi, n, k0, k1);
    else
        SolveRun<i128>(s, d, lo, hi, n, k0, k1);
}

struct Box {
    int64_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

bool InsideSurface(const platform::Rect& r, const TDirectDrawSurface& s) {
    return r.left >= 0 && r.top >= 0 && r.right <= s.Width() && r.bottom <= s.Height();
}

#if defined(SKYREND_ROTATED_AVX2)
// A keyed copy run, eight pixels a step: the source positions
// of eight neighbours at once, their pixels fetched with one gather, key
// pixels replaced by what the destination held. Inside a run every position
// is a source coordinate, so 32 bits hold each; the caller makes sure the
// steps and the surface are small enough for that. The last few pixels go
// through masked lanes. Returns how many pixels it drew (all of them).
__attribute__((target("avx2"))) int64_t KeyedRotatedRunAvx2(uint32_t* dp, int64_t n, int64_t sx, int64_t sy,
                                                            int64_t stepX, int64_t stepY, const uint32_t* pixels,
                                                            int64_t pitch, uint32_t key) {
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i offX = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(static_cast<int32_t>(stepX)));
    const __m256i offY = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(static_cast<int32_t>(stepY)));
    const __m256i rowPitch = _mm256_set1_epi32(static_cast<int32_t>(pitch));
    const __m256i keys = _mm256_set1_epi32(static_cast<int32_t>(key));
    int64_t i = 0;
    for (; i + 8 <= n; i += 8, sx += 8 * stepX, sy += 8 * stepY) {
        const __m256i x = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(sx)), offX);
        const __m256i y = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(sy)), offY);
        const __m256i index =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(y, 16), rowPitch), _mm256_srai_epi32(x, 16));
        const __m256i p = _mm256_i32gather_epi32(reinterpret_cast<const int*>(pixels), index, 4);
        __m256i* out = reinterpret_cast<__m256i*>(dp + i);
        const __m256i d = _mm256_loadu_si256(out);
        _mm256_storeu_si256(out, _mm256_blendv_epi8(p, d, _mm256_cmpeq_epi32(p, keys)));
    }
    if (i < n) {
        // The last few: lanes past the run are neither fetched nor written.
        const __m256i x = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(sx)), offX);
        const __m256i y = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(sy)), offY);
        const __m256i index =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(y, 16), rowPitch), _mm256_srai_epi32(x, 16));
        const __m256i inRun = _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int32_t>(n - i)), lanes);
        const __m256i p = _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), reinterpret_cast<const int*>(pixels),
                                                      index, inRun, 4);
        const __m256i write = _mm256_andnot_si256(_mm256_cmpeq_epi32(p, keys), inRun);
        _mm256_maskstore_epi32(reinterpret_cast<int*>(dp + i), write, p);
        i = n;
    }
    return i;
}


bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

// Whether a keyed copy of this draw may take the eight-pixel path: the
// processor has it, source and destination differ, and the steps and source
// offsets fit the path's 32-bit lanes.
bool WideKeyedRun(const TDirectDrawSurface& src, const TDirectDrawSurface& dest, int64_t stepX, int64_t stepY) {
#if defined(SKYREND_ROTATED_AVX2)
    constexpr int64_t StepLimit = int64_t{1} << 27;  // eight steps stay below 2^31
    const int64_t extent = int64_t{src.Height()} * src.Pitch();
    return HasAvx2() && &src != &dest && std::abs(stepX) < StepLimit && std::abs(stepY) < StepLimit &&
           extent < (int64_t{1} << 31) && (int64_t{src.Width()} << 16) < (int64_t{1} << 31) &&
           (int64_t{src.Height()} << 16) < (int64_t{1} << 31);
#else
    (void)src, (void)dest, (void)stepX, (void)stepY;
    return false;
#endif
}

// One run of the rotating rasteriser: n destination pixels from dp on,
// source position (sx, sy) moving by (stepX, stepY) per pixel, 16.16. Every
// value arrives by value and the call stays a call, so the loops keep them
// all in registers. A keyed copy first fetches the run's source pixels, then
// lays them down with the keyed row copy, which handles several pixels a
// step and never branches on the key.
template <bool Keyed, class Op>
[[gnu::noinline]] void RotatedRun(uint32_t* dp, int64_t n, int64_t sx, int64_t sy, int64_t stepX, int64_t stepY,
                                  const uint32_t* pixels, int64_t pitch, uint32_t key, Op op, bool wide) {
    if constexpr (Keyed && std::is_same_v<Op, CopyOp>) {
#if defined(SKYREND_ROTATED_AVX2)
        if (wide) {
            const int64_t done = KeyedRotatedRunAvx2(dp, n, sx, sy, stepX, stepY, pixels, pitch, key);
            dp += done;
            n -= done;
            sx += done * stepX;
            sy += done * stepY;
        }
#endif
        constexpr int64_t Chunk = 256;
        uint32_t fetched[Chunk];
        while (n > 0) {
            const int64_t m = std::min(n, Chunk);
            for (int64_t i = 0; i < m; ++i, sx += stepX, sy += stepY)
                fetched[i] = pixels[(sy >> 16) * pitch + (sx >> 16)];
            KeyedCopy(dp, fetched, m, key);
            dp += m;
            n -= m;
        }
    } else {
        (void)wide;
        for (; n > 0; --n, ++dp, sx += stepX, sy += stepY) {
            const uint32_t p = pixels[(sy >> 16) * pitch + (sx >> 16)];
            if (!Keyed || p != key) *dp = op(*dp, p);
        }
    }
}

}  // namespace

// ---------------------------------------------------------------- angles

const std::array<double, 256>& AngleTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        constexpr double pi = std::numbers::pi;
        for (int i = 0; i < 256; ++i) t[i] = std::cos(i * 2 * pi / 256);
        return t;
    }();
    return table;
}

bool RoundAngle(float angle, int32_t& rounded) {
    if (!std::isfinite(angle)) return false;
    // rint rounds ties to even (as nearbyint, without keeping the inexact
    // flag clear, which nothing reads); floats this large are whole numbers,
    // so the remainder is exact.
    double whole = std::fmod(std::rint(static_cast<double>(angle)), 256.0);
    rounded = static_cast<int32_t>(whole) & 255;
    return true;
}

// ---------------------------------------------------------------- Draw

void DrawSprite(TDirectDrawSurface& dest, int32_t x, int32_t y, const TSpriteSource& source, TBlend blend) {
    if (!source.Surface || dest.Locked()) return;
    const TDirectDrawSurface& src = *source.Surface;
    Box s{source.Rect.left, source.Rect.top, source.Rect.right, source.Rect.bottom};
    Box d{x, y, int64_t{x} + (s.right - s.left), int64_t{y} + (s.bottom - s.top)};

    // Against the destination, then the source, moving both together.
    if (d.left < 0) s.left -= d.left, d.left = 0;
    if (d.top < 0) s.top -= d.top, d.top = 0;
    if (d.right > dest.Width()) s.right -= d.right - dest.Width(), d.right = dest.Width();
    if (d.bottom > dest.Height()) s.bottom -= d.bottom - dest.Height(), d.bottom = dest.Height();
    if (s.left < 0) d.left -= s.left, s.left = 0;
    if (s.top < 0) d.top -= s.top, s.top = 0;
    if (s.right > src.Width()) d.right -= s.right - src.Width(), s.right = src.Width();
    if (s.bottom > src.Height()) d.bottom -= s.bottom - src.Height(), s.bottom = src.Height();
    if (d.Empty() || s.Empty()) return;

    const int64_t w = d.right - d.left, h = d.bottom - d.top;
    const uint32_t key = src.ColorKey();
    WithPixelOp(blend, source.Transparent, [&](auto op, auto keyed) {
        for (int64_t row = 0; row < h; ++row) {
            const uint32_t* sp = src.Row(static_cast<int>(s.top + row)) + s.left;
            uint32_t* dp = dest.Row(static_cast<int>(d.top + row)) + d.left;
            if constexpr (!decltype(keyed)::value && std::is_same_v<decltype(op), CopyOp>) {
                std::copy(sp, sp + w, dp);
            } else if (std::is_same_v<decltype(op), CopyOp> && &src != &dest) {
                KeyedCopy(dp, sp, w, key);
            } else {
                for (int64_t i = 0; i < w; ++i) {
                    uint32_t p = sp[i];
                    if (!keyed || p != key) dp[i] = op(dp[i], p);
                }
            }
        }
    });
}

// ---------------------------------------------------------------- DrawRotated

void DrawSpriteRotated(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                       const TSpriteSource& source, double centerX, double centerY, int32_t angle,
                       TBlend blend) {
    if (!source.Surface || dest.Locked()) return;
    const TDirectDrawSurface& src = *source.Surface;
    if (width == 0 || height == 0) return;
    if (dest.Width() <= 0 || dest.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
    const platform::Rect& r = source.Rect;
    if (!InsideSurface(r, src) || r.right <= r.left || r.bottom <= r.top) return;
    const int64_t L = r.left, T = r.top, sw = r.right - r.left, sh = r.bottom - r.top;

    // The box around the turned corners, clipped to the destination.
    const double cosA = Cos256(angle), sinA = Sin256(angle);
    int64_t minCX = std::numeric_limits<int64_t>::max(), maxCX = std::numeric_limits<int64_t>::min();
    int64_t minCY = minCX, maxCY = maxCX;
    for (int corner = 0; corner < 4; ++corner) {
        double lx = (corner & 1) ? width : 0, ly = (corner & 2) ? height : 0;
        int64_t ox, oy, cx, cy;
        if (!Trunc(lx - width * centerX, ox) || !Trunc(ly - height * centerY, oy)) return;
        const double fx = static_cast<double>(ox), fy = static_cast<double>(oy);
        if (!Trunc(fx * cosA - fy * sinA, cx) || !Trunc(fx * sinA + fy * cosA, cy)) return;
        cx += x;
        cy += y;
        minCX = std::min(minCX, cx), maxCX = std::max(maxCX, cx);
        minCY = std::min(minCY, cy), maxCY = std::max(maxCY, cy);
    }
    const int64_t minX = std::max<int64_t>(minCX, 0), minY = std::max<int64_t>(minCY, 0);
    const int64_t maxX = std::min<int64_t>(maxCX, dest.Width()), maxY = std::min<int64_t>(maxCY, dest.Height());
    if (maxX - minX < 1 || maxY - minY < 1) return;

    // 16.16 steps of the source position per destination pixel.
    const int64_t u = static_cast<int64_t>(Cos256(-angle) * 65536);
    const int64_t v = static_cast<int64_t>(Sin256(-angle) * 65536);
    const int64_t stepXx = sw * u / width, stepYx = sh * v / height;
    const int64_t stepXy = sw * v / width, stepYy = sh * u / height;
    int64_t baseX, baseY;
    if (!Trunc(centerX * sw * 65536, baseX) || !Trunc(centerY * sh * 65536, baseY)) return;
    const i128 originX = i128{baseX} + i128{L} * 65536 + i128{minX - x} * stepXx;
    const i128 originY = i128{baseY} + i128{T} * 65536 + i128{minX - x} * stepYx;

    const int64_t loX = L << 16, hiX = (L + sw) << 16, loY = T << 16, hiY = (T + sh) << 16;
    const int64_t span = maxX - minX;
    const uint32_t* srcPixels = src.Pixels();
    const int64_t pitch = src.Pitch();
    const uint32_t key = src.ColorKey();
    const bool wide = WideKeyedRun(src, dest, stepXx, stepYx);

    WithPixelOp(blend, source.Transparent, [&](auto op, auto keyed) {
        for (int64_t py = minY; py < maxY; ++py) {
            const i128 sx0 = originX + i128{y - py} * stepXy;
            const i128 sy0 = originY - i128{y - py} * stepYy;
            int64_t ax, bx, ay, by;
            SolveRunWide(sx0, stepXx, loX, hiX, span, ax, bx);
            SolveRunWide(sy0, stepYx, loY, hiY, span, ay, by);
            const int64_t k0 = std::max(ax, ay), k1 = std::min(bx, by);
            if (k0 >= k1) continue;
            int64_t sx = static_cast<int64_t>(sx0 + i128{k0} * stepXx);
            int64_t sy = static_cast<int64_t>(sy0 + i128{k0} * stepYx);
            uint32_t* dp = dest.Row(static_cast<int>(py)) + minX + k0;
            RotatedRun<decltype(keyed)::value>(dp, k1 - k0, sx, sy, stepXx, stepYx, srcPixels, pitch, key, op, wide);
        }
    });
}

// ---------------------------------------------------------------- stretched and waved

namespace {

// Draws the source scaled into a rectangle of width x height at (x, y), row r
// moved sideways by shift(r).
template <class Shift>
void DrawScaledRows(TDirectDrawSurface& dest, int64_t x, int64_t y, int64_t width, int64_t height,
                    const TSpriteSource& source, TBlend blend, Shift shift) {
    if (!source.Surface || dest.Locked() || width <= 0 || height <= 0) return;
    const TDirectDrawSurface& src = *source.Surface;
    const platform::Rect& r = source.Rect;
    if (!InsideSurface(r, src) || r.right <= r.left || r.bottom <= r.top) return;
    const int64_t sw = r.right - r.left, sh = r.bottom - r.top;
    const int64_t row0 = std::max<int64_t>(0, -y), row1 = std::min<int64_t>(height, dest.Height() - y);
    const uint32_t key = src.ColorKey();
    WithPixelOp(blend, source.Transparent, [&](auto op, auto keyed) {
        for (int64_t row = row0; row < row1; ++row) {
            const int64_t left = x + shift(row);
            const int64_t col0 = std::max<int64_t>(0, -left);
            const int64_t col1 = std::min<int64_t>(width, dest.Width() - left);
            if (col0 >= col1) continue;
            const uint32_t* sp = src.Row(static_cast<int>(r.top + row * sh / height)) + r.left;
            uint32_t* dp = dest.Row(static_cast<int>(y + row));
            for (int64_t col = col0; col < col1; ++col) {
                const uint32_t p = sp[col * sw / width];
                if (!keyed || p != key) dp[left + col] = op(dp[left + col], p);
            }
        }
    });
}

}  // namespace

void DrawSpriteStretched(TDirectDrawSurface& dest, const platform::Rect& destRect,
                         const TSpriteSource& source, TBlend blend) {
    DrawScaledRows(dest, destRect.left, destRect.top, int64_t{destRect.right} - destRect.left,
                   int64_t{destRect.bottom} - destRect.top, source, blend, [](int64_t) { return int64_t{0}; });
}

void DrawSpriteWaved(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                     const TSpriteSource& source, int32_t amplitude, int32_t length, int32_t phase,
                     TBlend blend) {
    auto shift = [=](int64_t row) -> int64_t {
        if (length <= 0) return 0;
        return static_cast<int64_t>(amplitude * Sin256(phase + row * 256 / length));
    };
    DrawScaledRows(dest, x, y, width, height, source, blend, shift);
}

}  // namespace skyrend
