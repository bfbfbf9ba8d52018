// platform/common/TextRasteriser.cpp — SDL2_ttf text, blended onto a surface.

#include "platform/common/TextRasteriser.h"

#include <SDL_surface.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace skyrend::platform {

namespace {

// The screen the game was made for: point sizes are given at 96 dpi.
constexpr int ScreenDpi = 96;
constexpr int DefaultPointSize = 8;
constexpr int LargestPointSize = 1000;

// Asks fontconfig for the file of the best match for `family`.
// A configuration of its own, dropped after the look-up, so that nothing of
// fontconfig stays behind.
std::string FindFontFile(const std::string& family) {
    std::unique_ptr<FcConfig, void (*)(FcConfig*)> config(FcInitLoadConfigAndFonts(), FcConfigDestroy);
    if (!config) return {};
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    if (!pattern) return {};
    FcConfigSubstitute(config.get(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config.get(), pattern, &result);
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// Font files do not move while the program runs: each family is looked up once.
std::string CachedFontFile(const std::string& family) {
    static std::mutex lock;
    static std::map<std::string, std::string> files;
    std::lock_guard<std::mutex> hold(lock);
    auto found = files.find(family);
    if (found == files.end()) found = files.emplace(family, FindFontFile(family)).first;
    return found->second;
}

uint8_t Mix(uint32_t src, uint32_t dst, uint32_t alpha) {
    return static_cast<uint8_t>((src * alpha + dst * (255 - alpha) + 127) / 255);
}

// Blends one anti-aliased glyph run (ARGB, colour in RGB, coverage in A) onto
// the target at (x, y), clipped to the target.
void Blend(const SDL_Surface& run, const PixelView& target, int x, int y) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + run.w, target.width);
    const int bottom = std::min(y + run.h, target.height);
    for (int ty = top; ty < bottom; ++ty) {
        const auto* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(run.pixels) +
                                                            static_cast<size_t>(ty - y) * run.pitch);
        uint32_t* dst = target.pixels + static_cast<size_t>(ty) * target.pitch;
        for (int tx = left; tx < right; ++tx) {
            const uint32_t s = src[tx - x];
            const uint32_t alpha = s >> 24;
            if (alpha == 0) continue;
            const uint32_t d = dst[tx];
            dst[tx] = uint32_t{Mix((s >> 16) & 0xFF, (d >> 16) & 0xFF, alpha)} << 16 |
                      uint32_t{Mix((s >> 8) & 0xFF, (d >> 8) & 0xFF, alpha)} << 8 |
                      Mix(s & 0xFF, d & 0xFF, alpha);
        }
    }
}

void FillBox(const PixelView& target, int x, int y, int width, int height, uint32_t color) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, target.width);
    const int bottom = std::min(y + height, target.height);
    for (int ty = top; ty < bottom; ++ty)
        std::fill(target.pixels + static_cast<size_t>(ty) * target.pitch + left,
                  target.pixels + static_cast<size_t>(ty) * target.pitch + right, color & 0xFFFFFF);
}

}  // namespace

struct TextRasteriser::Impl {
    std::string family;
    bool looked = false;
    bool ttfReady = false;
    std::string file;
    std::map<int, TTF_Font*> fonts;

    ~Impl() {
        for (auto& [size, font] : fonts) TTF_CloseFont(font);
        if (ttfReady) TTF_Quit();
    }

    // Finds the face once; SDL2_ttf counts its initialisations, so every
    // rasteriser takes and gives back its own.
    void Prepare() {
        if (looked) return;
        looked = true;
        ttfReady = TTF_Init() == 0;
        if (ttfReady) file = CachedFontFile(family);
    }

    TTF_Font* Font(int pointSize) {
        Prepare();
        if (file.empty()) return nullptr;
        auto found = fonts.find(pointSize);
        if (found != fonts.end()) return found->second;
        TTF_Font* font = TTF_OpenFontDPI(file.c_str(), pointSize, ScreenDpi, ScreenDpi);
        if (!font) return nullptr;
        fonts.emplace(pointSize, font);
        return font;
    }
};

TextRasteriser::TextRasteriser(std::string family) : impl_(std::make_unique<Impl>()) {
    impl_->family = std::move(family);
}

TextRasteriser::~TextRasteriser() = default;

const std::string& TextRasteriser::FontFile() {
    impl_->Prepare();
    return impl_->file;
}

void TextRasteriser::Draw(const PixelView& target, int x, int y, std::string_view utf8,
                          const TextStyle& style, int& width, int& height) {
    width = height = 0;
    int pointSize = style.pointSize < 1 ? DefaultPointSize : std::min(style.pointSize, LargestPointSize);
    TTF_Font* font = impl_->Font(pointSize);
    if (!font) return;

    const std::string text(utf8.substr(0, utf8.find('\0')));
    height = TTF_FontHeight(font);
    if (text.empty()) return;

    const SDL_Color color{static_cast<Uint8>(style.color >> 16), static_cast<Uint8>(style.color >> 8),
                          static_cast<Uint8>(style.color), 255};
    SDL_Surface* run = TTF_RenderUTF8_Blended(font, text.c_str(), color);
    if (run && run->format->format != SDL_PIXELFORMAT_ARGB8888) {
        SDL_Surface* converted = SDL_ConvertSurfaceFormat(run, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(run);
        run = converted;
    }
    if (!run) return;
    width = run->w;
    height = run->h;
    const bool drawable = target.pixels && target.width > 0 && target.height > 0;
    if (drawable) {
        if (style.opaque) FillBox(target, x, y, width, height, style.background);
        SDL_LockSurface(run);
        Blend(*run, target, x, y);
        SDL_UnlockSurface(run);
    }
    SDL_FreeSurface(run);
}

}  // namespace skyrend::platform
