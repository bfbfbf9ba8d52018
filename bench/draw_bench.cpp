// bench/draw_bench.cpp — the game's sprite drawing beside SDL's.
//
// `Draw` of colour-keyed 32-bit sprites against SDL2's SDL_BlitSurface with
// SDL_SetColorKey on the same pixels, and `DrawRotated` against SDL2_gfx's
// rotozoomSurface followed by a colour-keyed blit of its result. The sprites
// are the game's own pictures (a star, an enemy ship, the player's ship, an
// explosion), drawn into the game's surface at positions of which a quarter
// straddle an edge of it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/GameHarness.h"
#include "media/PictureCollection.h"
#include "platform/sdl/bench/BenchPeers.h"

namespace skyrend::bench {
namespace {

struct Sprite {
    TPictureCollectionItem* item = nullptr;
    TPictureCollectionItemPattern pattern;
    std::string label;
};

// The game's picture of that size: 30 a star, 50 an enemy ship, 68 the
// player's ship (68 x 50), 100 an explosion.
Sprite GameSprite(TSkyrendMain& m, int64_t size) {
    Sprite s;
    switch (size) {
    case 30: s.item = &m.Stars1->Items.GetItem(0), s.label = "star 30x30"; break;
    case 50: s.item = &m.Enemy->Items.GetItem(20), s.label = "enemy 50x50"; break;
    case 68: s.item = &m.Ship1->Items.GetItem(20), s.label = "ship 68x50"; break;
    default: s.item = &m.Explosion->Items.GetItem(40), s.label = "explosion 100x100"; break;
    }
    s.item->Pattern(0, s.pattern);
    return s;
}

platform::PixelView SpriteView(const Sprite& s) {
    const platform::Rect& r = s.pattern.Rect;
    auto* surface = const_cast<TDirectDrawSurface*>(s.pattern.Surface);
    return {surface->Row(r.top) + r.left, r.Width(), r.Height(), surface->Pitch()};
}

// Top-left corners: three in four inside the surface, one in four across an
// edge (each edge as often).
std::vector<std::pair<int, int>> Positions(int w, int h, int sw, int sh) {
    std::mt19937 rng(7);
    std::vector<std::pair<int, int>> out(1024);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (size_t k = 0; k < out.size(); ++k) {
        int x = in(0, w - sw), y = in(0, h - sh);
        switch (k % 16) {
        case 0: x = in(-sw + 1, -1); break;
        case 4: x = in(w - sw + 1, w - 1); break;
        case 8: y = in(-sh + 1, -1); break;
        case 12: y = in(h - sh + 1, h - 1); break;
        default: break;
        }
        out[k] = {x, y};
    }
    return out;
}

std::vector<float> Angles() {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> turn(0.0f, 256.0f);
    std::vector<float> out(1024);
    for (float& a : out) a = turn(rng);
    return out;
}

void CountPixels(benchmark::State& state, const Sprite& s) {
    state.SetItemsProcessed(state.iterations() * s.pattern.Rect.Width() * s.pattern.Rect.Height());
    state.SetLabel(s.label);
}

void BM_Draw(benchmark::State& state) {
    HarnessScope scope(0, 0, false, 1);
    TDirectDrawSurface& dest = scope.game.surface();
    const Sprite s = GameSprite(scope.game.m(), state.range(0));
    const auto at = Positions(dest.Width(), dest.Height(), s.pattern.Rect.Width(), s.pattern.Rect.Height());
    size_t k = 0;
    for (auto _ : state) {
        const auto [x, y] = at[k++ & 1023];
        s.item->Draw(&dest, x, y, 0);
    }
    CountPixels(state, s);
}
BENCHMARK(BM_Draw)->ArgName("size")->Arg(30)->Arg(50)->Arg(68)->Arg(100);

void BM_DrawSdlBlit(benchmark::State& state) {
    HarnessScope scope(0, 0, false, 1);
    TDirectDrawSurface& dest = scope.game.surface();
    const Sprite s = GameSprite(scope.game.m(), state.range(0));
    const auto at = Positions(dest.Width(), dest.Height(), s.pattern.Rect.Width(), s.pattern.Rect.Height());
    auto* source = const_cast<TDirectDrawSurface*>(s.pattern.Surface);
    platform::bench::KeyedBlitPeer peer(source->View(), dest.View(), source->ColorKey());
    if (!peer.Ready()) return state.SkipWithError("SDL could not wrap the surfaces");

    // Both draw the same pixels: the first positions drawn each way compare equal.
    std::vector<uint32_t> ours;
    for (int pass = 0; pass < 2; ++pass) {
        dest.Fill(0x123456);
        for (size_t k = 0; k < 64; ++k) {
            if (pass == 0)
                s.item->Draw(&dest, at[k].first, at[k].second, 0);
            else
                peer.Blit(s.pattern.Rect, at[k].first, at[k].second);
        }
        if (pass == 0) ours.assign(dest.Pixels(), dest.Pixels() + dest.Width() * dest.Height());
    }
    if (!std::equal(ours.begin(), ours.end(), dest.Pixels()))
        return state.SkipWithError("SDL_BlitSurface drew other pixels than Draw");

    size_t k = 0;
    for (auto _ : state) {
        const auto [x, y] = at[k++ & 1023];
        peer.Blit(s.pattern.Rect, x, y);
    }
    CountPixels(state, s);
}
BENCHMARK(BM_DrawSdlBlit)->ArgName("size")->Arg(30)->Arg(50)->Arg(68)->Arg(100);

// Rotated sprites are centred on their position: the centres of the
// unturned squares at the positions above.
std::vector<std::pair<int, int>> Centres(int w, int h, int size) {
    auto out = Positions(w, h, size, size);
    for (auto& [x, y] : out) x += size / 2, y += size / 2;
    return out;
}

void BM_DrawRotated(benchmark::State& state) {
    HarnessScope scope(0, 0, false, 1);
    TDirectDrawSurface& dest = scope.game.surface();
    const Sprite s = GameSprite(scope.game.m(), state.range(0));
    const int size = s.pattern.Rect.Width();
    const auto at = Centres(dest.Width(), dest.Height(), size);
    const auto angles = Angles();
    size_t k = 0;
    for (auto _ : state) {
        const auto [x, y] = at[k & 1023];
        s.item->DrawRotated(&dest, x, y, size, size, 0, 0.5, 0.5, angles[k & 1023]);
        ++k;
    }
    CountPixels(state, s);
}
BENCHMARK(BM_DrawRotated)->ArgName("size")->Arg(50)->Arg(100);

#if SKYREND_HAVE_SDL2GFX
void BM_DrawRotatedSdlGfx(benchmark::State& state) {
    HarnessScope scope(0, 0, false, 1);
    TDirectDrawSurface& dest = scope.game.surface();
    const Sprite s = GameSprite(scope.game.m(), state.range(0));
    const auto at = Centres(dest.Width(), dest.Height(), s.pattern.Rect.Width());
    const auto angles = Angles();
    platform::bench::RotozoomPeer peer(SpriteView(s), dest.View(), s.pattern.Surface->ColorKey());
    if (!peer.Ready()) return state.SkipWithError("SDL could not wrap the surfaces");
    size_t k = 0;
    for (auto _ : state) {
        const auto [x, y] = at[k & 1023];
        peer.Draw(x, y, angles[k & 1023] * 360.0 / 256.0);
        ++k;
    }
    CountPixels(state, s);
}
BENCHMARK(BM_DrawRotatedSdlGfx)->ArgName("size")->Arg(50)->Arg(100);
#endif

}  // namespace
}  // namespace skyrend::bench
