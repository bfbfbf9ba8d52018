// tests/replay/ReplayFileTest.cpp — replay files written and read back: the
// folding of the idle polling, the player's answers and what it notices,
// and every way a file can be refused, each with its exact one-line error.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/replay/FileHash.h"
#include "platform/replay/ReplayPlayer.h"
#include "platform/replay/ReplayReader.h"
#include "platform/replay/ReplayWriter.h"

namespace skyrend::platform::replay {
namespace {

// A replay written by the writer into a temporary file, and its bytes.
class ReplayFileTest : public ::testing::Test {
protected:
    std::string path_ = ::testing::TempDir() + "replay-test.skr";
    void TearDown() override { std::remove(path_.c_str()); }

    std::vector<uint8_t> Bytes() {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static Answer Ok(bool ok) {
        Answer a;
        a.ok = ok;
        return a;
    }
    static Answer At(int x, int y) {
        Answer a;
        a.x = x;
        a.y = y;
        return a;
    }

    // Two ticks: the loop spinning on the clock, a cursor, a frame, cues.
    void WriteSession(bool end) {
        ReplayWriter w(path_);
        w.Clock(1000);
        for (int ms = 1; ms <= 33; ++ms)
            for (int spin = 0; spin < 50; ++spin) {
                w.EmptyPoll();
                w.Clock(1000 + ms);
            }
        w.Record(Kind::Cursor, At(3, 4));
        Answer frame = Ok(true);
        frame.hash = 0x1234;
        w.Record(Kind::Present, frame);
        w.Tick({{0, 0}});
        w.EmptyPoll();
        w.Clock(1040);
        w.Record(Kind::Cursor, At(3, 4));
        w.Record(Kind::Present, frame);
        w.Tick({});
        if (end) w.End();
    }

    ReplayFile Parse(std::vector<uint8_t> bytes) { return ParseReplay("f.skr", std::move(bytes)); }
};

TEST_F(ReplayFileTest, SpinningOnTheClockFoldsIntoIdleStepsAndPlaysBackWithoutTheRepeats) {
    WriteSession(true);
    const ReplayFile file = Parse(Bytes());
    EXPECT_TRUE(file.endedNormally);
    EXPECT_EQ(file.ticks, 2u);
    EXPECT_EQ(file.frames, 2u);
    // 10 header bytes, then a few bytes a tick although the clock was read 1650 times.
    EXPECT_LT(file.bytes.size(), 50u);

    ReplayPlayer player(file);
    Message m;
    EXPECT_EQ(player.Clock(), 1000u);
    for (uint32_t ms = 1; ms <= 33; ++ms) {
        EXPECT_FALSE(player.Poll(m));
        EXPECT_EQ(player.Clock(), 1000 + ms);
    }
    Answer a;
    ASSERT_TRUE(player.Take(Kind::Cursor, a));
    EXPECT_EQ(a.x, 3);
    EXPECT_TRUE(player.Present(0x1234));
    player.EndTick({{0, 0}});
    EXPECT_FALSE(player.Poll(m));
    EXPECT_EQ(player.Clock(), 1040u);
    EXPECT_EQ(player.RecordedClock(), 1040u);
    ASSERT_TRUE(player.Take(Kind::Cursor, a));   // written as "same as the last"
    EXPECT_EQ(a.y, 4);
    player.Present(0x1234);
    player.EndTick({});
    EXPECT_FALSE(player.FirstDifference());
    ASSERT_TRUE(player.Poll(m));
    EXPECT_EQ(m.kind, MessageKind::Close);
    EXPECT_EQ(player.Ticks(), 2u);
}

TEST_F(ReplayFileTest, ThePlayerNotesTheFirstDifferenceAndLeavesAtAWrongQuestion) {
    WriteSession(true);
    const ReplayFile file = Parse(Bytes());
    ReplayPlayer player(file);
    Message m;
    player.Clock();
    for (int ms = 1; ms <= 33; ++ms) player.Clock();   // the idle steps' polls may be left out
    Answer a;
    player.Take(Kind::Cursor, a);
    EXPECT_TRUE(player.Present(0x9999));
    player.EndTick({{1, 0}});
    ASSERT_TRUE(player.FirstDifference());
    EXPECT_EQ(player.FirstDifference()->tick, 1u);
    EXPECT_EQ(player.FirstDifference()->what, "frame 1 differs (hash 0000000000009999, recorded 0000000000001234)");

    ReplayPlayer wrong(file);
    wrong.Clock();
    EXPECT_FALSE(wrong.Take(Kind::Keyboard, a));
    EXPECT_TRUE(wrong.Finished());
    EXPECT_EQ(wrong.FirstDifference()->what,
              "the game asked for the keyboard where the recording has an idle step (recording byte 13)");
    ASSERT_TRUE(wrong.Poll(m));
    EXPECT_EQ(m.kind, MessageKind::Close);
}

TEST_F(ReplayFileTest, FilesThatDifferFromTheRecordedOnesAreNamed) {
    const std::string same = ::testing::TempDir() + "replay-same.cfg";
    const std::string other = ::testing::TempDir() + "replay-other.cfg";
    std::ofstream(same) << "60\r\n";
    std::ofstream(other) << "61\r\n";
    {
        ReplayWriter w(path_);
        for (const std::string& name : {same, other}) {
            Answer file;
            file.text = name;
            ASSERT_TRUE(HashFile(name, file.size, file.hash));
            w.Record(Kind::File, file);
        }
        w.Tick({});
        w.End();
    }
    std::ofstream(other) << "62\r\n";
    const ReplayFile file = Parse(Bytes());
    ReplayPlayer player(file);
    Message m;
    player.Poll(m);
    EXPECT_EQ(player.DifferingFiles(), std::set<std::string>{other});
    std::remove(same.c_str());
    std::remove(other.c_str());
}

TEST_F(ReplayFileTest, AFileThatStopsEarlyPlaysItsWholeTicks) {
    WriteSession(false);
    std::vector<uint8_t> bytes = Bytes();
    ReplayFile whole = Parse(bytes);
    EXPECT_EQ(whole.ticks, 2u);
    EXPECT_EQ(whole.early, "f.skr: the recording stops after tick 2 at byte " + std::to_string(bytes.size()) +
                               " without its end (the session did not end normally)");
    // Cut inside the second tick's frame hash.
    bytes.resize(bytes.size() - 5);
    ReplayFile cut = Parse(bytes);
    EXPECT_EQ(cut.ticks, 1u);
    EXPECT_EQ(cut.frames, 1u);
    EXPECT_EQ(cut.early, "f.skr: the recording ends inside tick 2 at byte " + std::to_string(bytes.size()) +
                             " (the session did not end normally); played up to tick 1");
    EXPECT_LT(cut.playEnd, bytes.size());
}

// Each row: how the good file is spoiled, and the error it must give.
struct Spoiled {
    const char* name;
    void (*spoil)(std::vector<uint8_t>& bytes);
    const char* error;
};

const Spoiled SpoiledFiles[] = {
    {"bad magic", [](std::vector<uint8_t>& b) { b[0] = 'X'; }, "f.skr: not a Skyrend replay (no SKYRPLAY mark) at byte 0"},
    {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, "f.skr: not a Skyrend replay (no SKYRPLAY mark) at byte 0"},
    {"cut header", [](std::vector<uint8_t>& b) { b.resize(9); }, "f.skr: the replay ends inside its header at byte 9"},
    {"newer version", [](std::vector<uint8_t>& b) { b[8] = 2; },
     "f.skr: replay format version 2 is newer than this program's (1) at byte 8"},
    {"version 0", [](std::vector<uint8_t>& b) { b[8] = 0; }, "f.skr: unknown replay format version 0 at byte 8"},
    {"unknown kind", [](std::vector<uint8_t>& b) { b[10] = 0x3f; }, "f.skr: corrupt replay: an unknown record kind 63 at byte 10"},
    {"repeat never given", [](std::vector<uint8_t>& b) { b[10] = 0x87; },
     "f.skr: corrupt replay: a repeat of the cursor that was never given at byte 10"},
    {"bad yes/no", [](std::vector<uint8_t>& b) { b[10] = 6, b[11] = 2; }, "f.skr: corrupt replay: a yes/no byte of 2 at byte 10"},
    {"number too long", [](std::vector<uint8_t>& b) { b.insert(b.begin() + 11, 10, 0xff); },
     "f.skr: corrupt replay: a number too long at byte 10"},
    {"record after the end", [](std::vector<uint8_t>& b) { b.push_back(6), b.push_back(1); },
     "f.skr: corrupt replay: a record after the end of the session at byte 41"},
};

TEST_F(ReplayFileTest, SpoiledFilesGiveOneErrorNamingTheFileAndTheByte) {
    WriteSession(true);
    const std::vector<uint8_t> good = Bytes();
    for (const Spoiled& s : SpoiledFiles) {
        std::vector<uint8_t> bytes = good;
        s.spoil(bytes);
        try {
            Parse(bytes);
            ADD_FAILURE() << s.name << ": accepted";
        } catch (const ReplayError& e) {
            EXPECT_STREQ(e.what(), s.error) << s.name;
        }
    }
}

TEST_F(ReplayFileTest, AMissingFileIsAnErrorAtByteZero) {
    try {
        LoadReplay(path_ + ".none");
        ADD_FAILURE() << "accepted";
    } catch (const ReplayError& e) {
        EXPECT_EQ(std::string(e.what()), path_ + ".none: cannot be read (No such file or directory) at byte 0");
    }
}

}  // namespace
}  // namespace skyrend::platform::replay
