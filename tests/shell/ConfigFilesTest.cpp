// Tests of the configuration files: the integer syntax, the profile table
// and what each failure leaves behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "media/Errors.h"
#include "shell/ConfigFiles.h"
#include "state/GameState.h"

namespace skyrend {
namespace {

class ConfigFilesTest : public ::testing::Test {
protected:
    std::filesystem::path dir, old;
    void SetUp() override {
        old = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("cfgtest-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(dir);
    }
    static void Write(const char* name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }
    static std::string ErrorOf(GameState& g) {
        try {
            ReadConfigFiles(g);
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }
};

TEST(StrToInt, AcceptsTheRuntimeSyntax) {
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt("2", v));
    EXPECT_EQ(v, 2);
    EXPECT_TRUE(TryStrToInt("   1", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(TryStrToInt("-17", v));
    EXPECT_EQ(v, -17);
    EXPECT_TRUE(TryStrToInt("+5", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(TryStrToInt("$1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(TryStrToInt("0x10", v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(TryStrToInt("0XfF", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryStrToInt("-$80000000", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(TryStrToInt("2147483647", v));
    EXPECT_EQ(v, INT32_MAX);
    EXPECT_TRUE(TryStrToInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(TryStrToInt("0000000000000000000007", v));
    EXPECT_EQ(v, 7);
}

TEST(StrToInt, RejectsEverythingElse) {
    int32_t v = 0;
    for (const char* bad : {"", " ", "1 ", "1.0", "+", "-", "$", "0x", "x10", "\t1", "2147483648",
                            "-2147483649", "$80000000", "$FFFFFFFF", "1e3", "--1", "+-1", "12a", "0x1g"})
        EXPECT_FALSE(TryStrToInt(bad, v)) << "'" << bad << "'";
}

TEST_F(ConfigFilesTest, FirstLineOnlyAndTheProfileApplied) {
    Write("aufloesung.cfg", "3\r\nwhatever\n7\n");
    Write("schiffe.cfg", "250");
    GameState g;
    g.shell.MenuPage = 4;
    g.shell.OptionsChoice = 2;
    ReadConfigFiles(g);
    EXPECT_EQ(g.config.ResolutionIndex, 3);
    EXPECT_EQ(g.config.EnemyCount, 250);
    EXPECT_EQ(g.config.ScreenWidth, 1680);
    EXPECT_EQ(g.config.ScreenHeight, 1050);
    EXPECT_EQ(g.config.ViewRange, 968);
    EXPECT_EQ(g.config.MenuLeft, 440);
    EXPECT_EQ(g.config.MenuTop, 225);
    EXPECT_EQ(g.config.ShipDrawX, 806);
    EXPECT_EQ(g.config.ShipDrawY, 500);
    EXPECT_EQ(g.shell.MenuPage, 0);
    EXPECT_EQ(g.shell.OptionsChoice, 0);
}

TEST_F(ConfigFilesTest, EveryProfileRow) {
    const int32_t rows[5][11] = {{1024, 768, 640, 512, 384, 478, 359, 112, 84, 100, 29},
                                 {1280, 800, 760, 640, 400, 606, 375, 240, 100, 100, 25},
                                 {1440, 900, 840, 720, 450, 686, 425, 320, 150, 95, 22},
                                 {1680, 1050, 968, 840, 525, 806, 500, 440, 225, 100, 20},
                                 {1920, 1200, 1080, 960, 600, 926, 575, 560, 300, 100, 13}};
    for (int i = 0; i < 5; ++i) {
        GameState g;
        g.config.ResolutionIndex = i;
        ApplyScreenProfile(g);
        const ConfigState& c = g.config;
        const int32_t got[11] = {c.ScreenWidth, c.ScreenHeight, c.ViewRange, c.ScreenCentreX, c.ScreenCentreY,
                                 c.ShipDrawX, c.ShipDrawY, c.MenuLeft, c.MenuTop, c.RadarOffsetY, c.RadarOffsetX};
        for (int k = 0; k < 11; ++k) EXPECT_EQ(got[k], rows[i][k]) << "profile " << i << " value " << k;
    }
}

TEST_F(ConfigFilesTest, IndexOutsideTheProfilesChangesNothing) {
    Write("aufloesung.cfg", "7");
    Write("schiffe.cfg", "3");
    GameState g;
    ReadConfigFiles(g);
    EXPECT_EQ(g.config.ResolutionIndex, 7);
    EXPECT_EQ(g.config.ScreenWidth, 0);
    EXPECT_EQ(g.config.ViewRange, 0);
    g.config.ResolutionIndex = 1;
    ApplyScreenProfile(g);
    g.config.ResolutionIndex = 5;
    ApplyScreenProfile(g);
    EXPECT_EQ(g.config.ScreenWidth, 1280);
}

TEST_F(ConfigFilesTest, MissingSecondFileKeepsTheIndexButNotTheProfile) {
    Write("aufloesung.cfg", "2\n");
    GameState g;
    g.config.EnemyCount = 9;
    EXPECT_EQ(ErrorOf(g), "Datei nicht gefunden");
    EXPECT_EQ(g.config.ResolutionIndex, 2);
    EXPECT_EQ(g.config.ScreenWidth, 0);
    EXPECT_EQ(g.config.EnemyCount, 9);
}

TEST_F(ConfigFilesTest, ConversionErrorsCarryTheLine) {
    Write("schiffe.cfg", "10");
    GameState g;
    g.config.ResolutionIndex = 4;
    Write("aufloesung.cfg", "1 \n");
    EXPECT_EQ(ErrorOf(g), "'1 ' ist kein gültiger Integerwert");
    EXPECT_EQ(g.config.ResolutionIndex, 4);
    Write("aufloesung.cfg", "");
    EXPECT_EQ(ErrorOf(g), "'' ist kein gültiger Integerwert");
    Write("aufloesung.cfg", "\n2\n");
    EXPECT_EQ(ErrorOf(g), "'' ist kein gültiger Integerwert");
    // The line's bytes are Latin-1.
    Write("aufloesung.cfg", "\xfc" "ber\r\n");
    EXPECT_EQ(ErrorOf(g), "'über' ist kein gültiger Integerwert");
}

TEST_F(ConfigFilesTest, HugeLinesAreReadWithoutHoldingThemWhole) {
    Write("aufloesung.cfg", std::string(3 << 20, ' ') + "1\n");
    Write("schiffe.cfg", std::string(3 << 20, '9'));
    GameState g;
    std::string error = ErrorOf(g);
    EXPECT_EQ(g.config.ResolutionIndex, 1);
    EXPECT_NE(error.find("ist kein gültiger Integerwert"), std::string::npos);
    EXPECT_LT(error.size(), (2u << 20));
}

// A line of any length is one number when its leading runs make it one.
TEST_F(ConfigFilesTest, HugeRunsOfLeadingSpacesAndZerosKeepTheValue) {
    std::string spaces(1 << 20, ' '), zeros(3 << 20, '0');
    Write("aufloesung.cfg", spaces.append("+").append(zeros).append("3\r\n7"));
    std::string hex("$");
    Write("schiffe.cfg", hex.append(zeros).append("1F"));
    GameState g;
    EXPECT_EQ(ErrorOf(g), "");
    EXPECT_EQ(g.config.ResolutionIndex, 3);
    EXPECT_EQ(g.config.EnemyCount, 31);
    // Folding the zeros must not make a decimal "000x1" hexadecimal.
    Write("aufloesung.cfg", zeros.append("x1"));
    EXPECT_NE(ErrorOf(g).find("ist kein gültiger Integerwert"), std::string::npos);
}

TEST_F(ConfigFilesTest, DirectoriesAndUnreadableFiles) {
    std::filesystem::create_directory("aufloesung.cfg");
    GameState g;
    EXPECT_EQ(ErrorOf(g), "Zugriff verweigert");
    std::filesystem::remove("aufloesung.cfg");
    if (geteuid() != 0) {
        Write("aufloesung.cfg", "1");
        chmod("aufloesung.cfg", 0);
        EXPECT_EQ(ErrorOf(g), "Zugriff verweigert");
    }
}

}  // namespace
}  // namespace skyrend
