// tests/sound/PlayRules.cpp — which voice a play of a wave item takes, and
// what is done to it.

#include <gtest/gtest.h>

#include "media/Errors.h"
#include "tests/sound/SoundFixture.h"

namespace skyrend::testing {
namespace {

using Calls = std::vector<std::string>;

class PlayRules : public SoundFixture {};

// Voice 1 is the main voice of item 0 (made at load); duplicates follow.
TEST_F(PlayRules, UnlimitedOverlappingPlaysEachGetTheirOwnVoice) {
    Ready({{.name = "shot"}});
    ASSERT_EQ(world.voices.size(), 1u);
    for (int i = 0; i < 5; ++i) Item(0).Play(false);
    EXPECT_EQ(Item(0).PlayListCount(), 5u);
    ASSERT_EQ(world.voices.size(), 6u);
    EXPECT_FALSE(Voice(1).playing) << "the main voice is for looped plays only";
    for (int serial = 2; serial <= 6; ++serial) {
        EXPECT_TRUE(Voice(serial).playing);
        EXPECT_FALSE(Voice(serial).looping);
        EXPECT_EQ(Voice(serial).data, Voice(1).data) << "a duplicate shares the main voice's data";
        EXPECT_EQ(Voice(serial).calls, (Calls{"stop", "pos 0", "freq 0", "pan 0", "vol 0", "play once"}));
    }

    world.FinishAll();
    Item(0).Play(false);
    EXPECT_EQ(Item(0).PlayListCount(), 5u);
    EXPECT_EQ(world.voices.size(), 6u);
    EXPECT_EQ(Voice(2).starts, 2) << "the first finished voice is reused";
    for (int serial = 3; serial <= 6; ++serial) EXPECT_EQ(Voice(serial).starts, 1);
}

TEST_F(PlayRules, AtTheLimitTheOldestVoiceRestartsAndMovesToTheBack) {
    Ready({{.name = "shot", .maxPlayingCount = 2}});
    Item(0).Play(false);
    Item(0).Play(false);
    Item(0).Play(false);
    EXPECT_EQ(Item(0).PlayListCount(), 2u);
    ASSERT_EQ(world.voices.size(), 3u);
    EXPECT_EQ(Voice(2).starts, 2);
    EXPECT_EQ(Voice(3).starts, 1);
    EXPECT_EQ(Voice(2).calls.size(), 12u);
    EXPECT_EQ(Voice(2).calls[6], "stop") << "a restart stops the voice first";
    EXPECT_EQ(Voice(2).calls[7], "pos 0");

    // Voice 2 is now at the back: the next restart takes voice 3.
    Item(0).Play(false);
    EXPECT_EQ(Voice(2).starts, 2);
    EXPECT_EQ(Voice(3).starts, 2);

    // A finished voice wins over restarting one: front to back, first free.
    Voice(2).playing = false;
    Item(0).Play(false);
    EXPECT_EQ(Voice(2).starts, 3);
    EXPECT_EQ(Voice(3).starts, 2);
}

TEST_F(PlayRules, MaxPlayingCountChangesFreeThePlayList) {
    Ready({{.name = "shot"}});
    TWaveCollectionItem& item = Item(0);
    for (int i = 0; i < 3; ++i) item.Play(false);
    item.SetMaxPlayingCount(0);  // the same value keeps the voices
    EXPECT_EQ(item.PlayListCount(), 3u);
    item.SetMaxPlayingCount(-4);  // stored as 0: still the same value
    EXPECT_EQ(item.MaxPlayingCount(), 0);
    EXPECT_EQ(item.PlayListCount(), 3u);

    item.SetMaxPlayingCount(1);
    EXPECT_EQ(item.PlayListCount(), 0u);
    EXPECT_TRUE(Voice(2).destroyed && Voice(3).destroyed && Voice(4).destroyed);
    EXPECT_FALSE(Voice(1).destroyed) << "the main voice stays";
    item.Play(false);
    item.Play(false);
    EXPECT_EQ(item.PlayListCount(), 1u);
    EXPECT_EQ(Voice(5).starts, 2);
}

TEST_F(PlayRules, NegativeMaxPlayingCountFromTheFileMeansNoLimit) {
    Ready({{.name = "shot", .maxPlayingCount = -3}});
    EXPECT_EQ(Item(0).MaxPlayingCount(), 0);
    for (int i = 0; i < 4; ++i) Item(0).Play(false);
    EXPECT_EQ(Item(0).PlayListCount(), 4u);
}

TEST_F(PlayRules, LoopedItemsRestartTheMainVoiceFromTheStart) {
    Ready({{.name = "hum", .looped = true}});
    TWaveCollectionItem& item = Item(0);
    ASSERT_TRUE(item.Looped());
    item.Play(false);
    Voice(1).position = 1234;  // the mix moved on
    item.Play(false);
    EXPECT_EQ(item.PlayListCount(), 0u);
    EXPECT_EQ(world.voices.size(), 1u);
    EXPECT_TRUE(Voice(1).playing);
    EXPECT_TRUE(Voice(1).looping);
    EXPECT_EQ(Voice(1).position, 0u);
    EXPECT_EQ(Voice(1).calls, (Calls{"freq 0", "pan 0", "vol 0", "stop", "pos 0", "play loop", "stop", "pos 0",
                                     "play loop"}));

    // Switching to one-shot stops everything; one-shot plays then duplicate.
    item.SetLooped(false);
    EXPECT_FALSE(Voice(1).playing);
    item.Play(false);
    item.SetLooped(true);
    EXPECT_EQ(world.Playing(), 0);
    item.SetLooped(true);  // same value: nothing is stopped again
    EXPECT_EQ(Voice(1).stops, 4);
}

TEST_F(PlayRules, SettingsApplyAtEveryOneShotPlay) {
    Ready({{.name = "shot"}});
    TWaveCollectionItem& item = Item(0);
    item.Frequency = 11025;
    item.Pan = -2500;
    item.Volume = -600;
    item.Play(false);
    EXPECT_EQ(Voice(2).calls, (Calls{"stop", "pos 0", "freq 11025", "pan -2500", "vol -600", "play once"}));
    item.Pan = 300;
    item.Play(false);
    EXPECT_EQ(Voice(3).pan, 300);
    EXPECT_EQ(Voice(2).pan, -2500);
}

TEST_F(PlayRules, WaitingSleepsInTenMillisecondStepsUntilTheVoiceEnds) {
    world.playLengthMs = 45;
    Ready({{.name = "shot"}});
    Item(0).Play(true);
    EXPECT_EQ(world.sleeps, 5);
    EXPECT_EQ(world.sleptMs, 50);
    EXPECT_FALSE(Voice(2).playing);
    Item(0).Play(false);
    EXPECT_EQ(world.sleeps, 5);
    EXPECT_EQ(Voice(2).starts, 2);
}

TEST_F(PlayRules, AnItemWithoutSampleDataHasNoVoice) {
    Ready({{.name = "silent", .frames = 0}, {.name = "silent loop", .looped = true, .frames = 0}});
    EXPECT_TRUE(world.voices.empty());
    EXPECT_TRUE(Item(0).Initialized());
    EXPECT_EQ(Item(0).Buffer(), nullptr);
    Item(0).Play(false);
    EXPECT_EQ(Item(0).PlayListCount(), 0u);
    EXPECT_TRUE(world.voices.empty());
    try {
        Item(1).Play(false);
        FAIL() << "a looped play without a main voice must fail";
    } catch (const EDirectSoundBufferError& e) {
        EXPECT_STREQ(e.what(), "IDirectSoundBuffer not made");
    }
}

TEST_F(PlayRules, WithoutADevicePlayDoesNothing) {
    world.noDevice = true;
    sound.Loaded();  // AutoInitialize: the missing device is not an error here
    EXPECT_FALSE(sound.Initialized());
    list.SetDXSound(&sound);
    Load({{.name = "shot"}, {.name = "hum", .looped = true}});
    EXPECT_FALSE(Item(0).Initialized());
    EXPECT_NO_THROW(Item(0).Play(false));
    EXPECT_NO_THROW(Item(1).Play(true));
    EXPECT_TRUE(world.voices.empty());
}

TEST_F(PlayRules, PlayBeforeTheDeviceIsInitialisedDoesNothing) {
    list.SetDXSound(&sound);
    Load({{.name = "shot"}});
    EXPECT_NO_THROW(Item(0).Play(false));
    EXPECT_EQ(world.devicesMade, 0);
    sound.Initialize();
    Item(0).Play(false);
    EXPECT_EQ(world.Playing(), 1) << "the device's initialisation made the item ready";
}

TEST_F(PlayRules, DuplicatesThePlatformRefusesAreReported) {
    Ready({{.name = "shot"}});
    world.refuseDuplicates = true;
    EXPECT_THROW(Item(0).Play(false), EDirectSoundBufferError);
    EXPECT_EQ(Item(0).PlayListCount(), 0u);
}

}  // namespace
}  // namespace skyrend::testing
