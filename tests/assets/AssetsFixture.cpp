// tests/assets/AssetsFixture.cpp — one run of the asset maker shared by the
// tests, and small helpers over its pictures.

#include "tests/assets/AssetsFixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace skyrend::assets_test {

fs::path MakeAssetsProgram() { return fs::path(SKYREND_GAME_DIR).parent_path() / "make-assets"; }

std::string Quote(const fs::path& path) {
    std::string quoted(1, '\'');
    quoted.append(path.string());
    quoted.push_back('\'');
    return quoted;
}

int RunMakeAssets(const std::string& arguments) {
    std::string command = Quote(MakeAssetsProgram());
    command.push_back(' ');
    command.append(arguments);
    command.append(" >/dev/null 2>&1");
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path ScratchDir(const std::string& tag) {
    std::string name = "skyrend-assets-";
    name.append(tag).append("-").append(std::to_string(getpid()));
    fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

namespace {

// Removes the shared run's folder when the tests end.
class SharedRun : public ::testing::Environment {
public:
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }
    fs::path dir;
};

SharedRun* shared = static_cast<SharedRun*>(::testing::AddGlobalTestEnvironment(new SharedRun));

}  // namespace

const fs::path& AssetsDir() {
    if (shared->dir.empty()) {
        fs::path dir = ScratchDir("shared");
        if (RunMakeAssets(Quote(dir)) != 0) throw std::runtime_error("make-assets failed");
        shared->dir = dir;
    }
    return shared->dir;
}

std::unique_ptr<TPictureCollection> LoadPictures(const std::string& fileName) {
    auto list = std::make_unique<TPictureCollection>();
    list->LoadFromFile((AssetsDir() / "gfx" / fileName).string());
    return list;
}

const TImage32& Pixels(const TPictureCollection& list, int32_t index) {
    return list.GetItem(index).Picture.Image();
}

Box ArtBox(const TImage32& image) {
    Box box{image.Width, image.Height, 0, 0};
    for (int32_t y = 0; y < image.Height; ++y)
        for (int32_t x = 0; x < image.Width; ++x)
            if (image.At(x, y) != Key) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

int64_t KeyPixelsIn(const TImage32& image, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    int64_t count = 0;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x) count += image.At(x, y) == Key;
    return count;
}

int64_t ArtPixelsOutside(const TImage32& image, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    int64_t count = 0;
    for (int32_t y = 0; y < image.Height; ++y)
        for (int32_t x = 0; x < image.Width; ++x)
            if (x < left || x >= right || y < top || y >= bottom) count += image.At(x, y) != Key;
    return count;
}

}  // namespace skyrend::assets_test
