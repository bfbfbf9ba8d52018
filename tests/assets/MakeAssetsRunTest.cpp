// tests/assets/MakeAssetsRunTest.cpp — the asset maker as a command: it lays
// out gfx/ and sfx/, writes the same bytes on every run, and refuses bad
// command lines.

#include <fstream>
#include <iterator>
#include <vector>

#include "tests/assets/AssetsFixture.h"

namespace skyrend::assets_test {
namespace {

std::vector<char> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const Written[] = {
    "gfx/star1.dxg", "gfx/ship2.dxg", "gfx/plasma1.dxg", "gfx/enemy_plasma1.dxg",
    "gfx/radar.dxg", "gfx/rauch.dxg", "gfx/bonus.dxg", "gfx/enemy1.dxg",
    "gfx/explosion.dxg", "gfx/energy_balken_new.dxg", "gfx/startmenue.dxg", "sfx/weapons.dxw",
};

TEST(MakeAssetsRun, TwoRunsWriteIdenticalFilesIntoNewFolders) {
    fs::path second = ScratchDir("again") / "nested" / "game";
    ASSERT_EQ(RunMakeAssets(Quote(second)), 0);
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(second)) files += entry.is_regular_file();
    EXPECT_EQ(files, std::size(Written));
    for (const char* name : Written) {
        SCOPED_TRACE(name);
        std::vector<char> a = Bytes(AssetsDir() / name), b = Bytes(second / name);
        ASSERT_FALSE(a.empty());
        EXPECT_TRUE(a == b);
    }
    fs::remove_all(second.parent_path().parent_path());
}

// The game folder the build laid out holds the same files.
TEST(MakeAssetsRun, BuildGameFolderMatchesAFreshRun) {
    for (const char* name : Written) EXPECT_TRUE(Bytes(AssetsDir() / name) == Bytes(fs::path(SKYREND_GAME_DIR) / name)) << name;
}

TEST(MakeAssetsRun, BadCommandLinesAreRefused) {
    EXPECT_EQ(RunMakeAssets(""), 2);
    EXPECT_EQ(RunMakeAssets("--bogus x"), 2);
    EXPECT_EQ(RunMakeAssets("a b"), 2);
    // An output folder that cannot be made (a file is in the way).
    fs::path dir = ScratchDir("blocked");
    std::ofstream(dir / "file") << "x";
    EXPECT_EQ(RunMakeAssets(Quote(dir / "file")), 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace skyrend::assets_test
