// tests/assets/AssetsFixture.h — runs the asset maker once into a scratch
// folder and reads its files back with the media layer's own readers.

#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "media/Graphics.h"
#include "media/PictureCollection.h"
#include "media/WaveCollection.h"

namespace skyrend::assets_test {

namespace fs = std::filesystem;

// The make-assets program the build made beside the game folder.
fs::path MakeAssetsProgram();
// A path in single quotes for the shell.
std::string Quote(const fs::path& path);
// Runs make-assets with `arguments` (already quoted); its exit status.
int RunMakeAssets(const std::string& arguments);
// A fresh scratch folder (removed by the caller).
fs::path ScratchDir(const std::string& tag);

// The folder the shared run wrote (gfx/, sfx/), made on first use.
const fs::path& AssetsDir();

// A picture file of the shared run, read into a collection.
std::unique_ptr<TPictureCollection> LoadPictures(const std::string& fileName);
// The decoded pixels of an item (0x00RRGGBB, key = 0).
const TImage32& Pixels(const TPictureCollection& list, int32_t index);

constexpr uint32_t Key = 0x000000;

// The smallest box holding every pixel that is not the key (empty when the
// picture is all key).
struct Box {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    double CentreX() const { return (Left + Right) / 2.0; }
    double CentreY() const { return (Top + Bottom) / 2.0; }
    int32_t Width() const { return Right - Left; }
};
Box ArtBox(const TImage32& image);
// Pixels inside the rectangle that are the key.
int64_t KeyPixelsIn(const TImage32& image, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Pixels outside the rectangle that are not the key.
int64_t ArtPixelsOutside(const TImage32& image, int32_t left, int32_t top, int32_t right, int32_t bottom);

}  // namespace skyrend::assets_test
