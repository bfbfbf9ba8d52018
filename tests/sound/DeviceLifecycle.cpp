// tests/sound/DeviceLifecycle.cpp — the order of a sound device's steps and
// notifications, its failures, and wave lists following it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/Errors.h"
#include "tests/sound/SoundFixture.h"
#include "tests/support/ErrorOf.h"

namespace skyrend::testing {
namespace {

using Log = std::vector<std::string>;

class DeviceLifecycle : public SoundFixture {
protected:
    // Two listeners (A registered first) and all four events write to the log.
    void Watch(TDXSound& device) {
        for (const char* who : {"A", "B"})
            device.RegisterNotification([this, who](TDXSound*, int code) { log.push_back(who + std::to_string(code)); });
        device.OnInitializing = [this](TComponent*) { log.push_back("OnInitializing"); };
        device.OnInitialize = [this](TComponent*) { log.push_back("OnInitialize"); };
        device.OnRestore = [this](TComponent*) { log.push_back("OnRestore"); };
        device.OnFinalize = [this](TComponent*) { log.push_back("OnFinalize"); };
    }
    // The watched device's Initialize throws E with `text` once the listeners
    // heard it start and end, and leaves the device uninitialised.
    template <typename E>
    void ExpectInitializeFails(const std::string& text) {
        Watch(sound);
        EXPECT_EQ(test::ErrorOf<E>([&] { sound.Initialize(); }), text);
        EXPECT_EQ(log, (Log{"B1", "A1", "OnInitializing", "B3", "A3"}));
        EXPECT_FALSE(sound.Initialized());
    }
};

TEST_F(DeviceLifecycle, InitializeFinalizeAndDestroyInOrderNewestListenerFirst) {
    auto device = std::make_unique<TDXSound>(&form);
    Watch(*device);
    device->Initialize();
    EXPECT_TRUE(device->Initialized());
    EXPECT_EQ(log, (Log{"B1", "A1", "OnInitializing", "B2", "A2", "OnInitialize", "B4", "A4", "OnRestore"}));

    log.clear();
    device->Initialize();  // finalises first
    EXPECT_EQ(log, (Log{"OnFinalize", "B3", "A3", "B1", "A1", "OnInitializing", "B2", "A2", "OnInitialize", "B4",
                        "A4", "OnRestore"}));
    EXPECT_EQ(world.devicesMade, 2);
    EXPECT_EQ(world.devicesAlive, 1);

    log.clear();
    device->Finalize();
    device->Finalize();  // nothing started: nothing to do
    EXPECT_EQ(log, (Log{"OnFinalize", "B3", "A3"}));
    EXPECT_FALSE(device->Initialized());
    EXPECT_EQ(world.devicesAlive, 0);

    device->Initialize();
    log.clear();
    device.reset();
    EXPECT_EQ(log, (Log{"OnFinalize", "B3", "A3", "B0", "A0"}));
}

TEST_F(DeviceLifecycle, DestroyingAnUninitialisedDeviceOnlySaysSo) {
    auto device = std::make_unique<TDXSound>(&form);
    Watch(*device);
    device.reset();
    EXPECT_EQ(log, (Log{"B0", "A0"}));
}

TEST_F(DeviceLifecycle, ListenersJoiningLateHearTheStateAtOnce) {
    sound.Initialize();
    Log late;
    int id = sound.RegisterNotification([&late](TDXSound*, int code) { late.push_back(std::to_string(code)); });
    EXPECT_EQ(late, (Log{"2", "4"}));
    sound.UnRegisterNotification(id);
    EXPECT_EQ(late, (Log{"2", "4", "3"}));
    sound.Restore();
    EXPECT_EQ(late.size(), 3u) << "an unregistered listener hears nothing";

    sound.Finalize();
    id = sound.RegisterNotification([&late](TDXSound*, int code) { late.push_back(std::to_string(code)); });
    sound.UnRegisterNotification(id);
    EXPECT_EQ(late.size(), 3u) << "an uninitialised device says nothing on (un)registering";
}

TEST_F(DeviceLifecycle, WithoutAFormNothingStarts) {
    TDXSound orphan(nullptr);
    Watch(orphan);
    EXPECT_EQ(test::ErrorOf<EDXSoundError>([&] { orphan.Initialize(); }), "Form not found");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(world.devicesMade, 0);
    // Loaded passes this error on: only a missing device is swallowed.
    EXPECT_THROW(orphan.Loaded(), EDXSoundError);
}

TEST_F(DeviceLifecycle, AMissingDeviceFinalisesAndThrowsUnlessLoading) {
    world.noDevice = true;
    ExpectInitializeFails<EDirectSoundError>("DirectSound cannot be initialized");

    log.clear();
    EXPECT_NO_THROW(sound.Loaded());
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(log.size(), 5u);

    sound.AutoInitialize = false;
    world.noDevice = false;
    sound.Loaded();
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(world.devicesMade, 0);
}

TEST_F(DeviceLifecycle, APrimaryBufferFailureFreesTheDevice) {
    world.noPrimaryBuffer = true;
    ExpectInitializeFails<EDXSoundError>("Primary Buffer cannot be made");
    EXPECT_EQ(world.devicesAlive, 0);
    // Not a missing device: Loaded lets it through.
    EXPECT_THROW(sound.Loaded(), EDXSoundError);
}

TEST_F(DeviceLifecycle, AThrowingOnFinalizeStillReleasesEverything) {
    Ready({{.name = "shot"}});
    Item(0).Play(false);
    sound.OnFinalize = [](TComponent*) { throw Exception("finalize handler failed"); };
    EXPECT_THROW(sound.Finalize(), Exception);
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(world.devicesAlive, 0);
    EXPECT_EQ(world.Alive(), 0) << "the wave list heard 3 and dropped its voices";
    EXPECT_FALSE(Item(0).Initialized());
    sound.OnFinalize = nullptr;
    EXPECT_NO_THROW(sound.Finalize());
}

TEST_F(DeviceLifecycle, CooperationLevelFollowsTheWindow) {
    sound.SetOptions(soExclusive | soGlobalFocus | 0x100);
    EXPECT_EQ(sound.Options(), soExclusive | soGlobalFocus);
    sound.Initialize();
    EXPECT_EQ(world.cooperativeLevels, (std::vector<bool>{true}));
    form.Show();  // the window is made: the level is set again
    EXPECT_EQ(world.cooperativeLevels, (std::vector<bool>{true, true}));

    // Global focus stays as the device was opened; the rest follows at once.
    sound.SetOptions(soStickyFocus);
    EXPECT_EQ(sound.NowOptions(), soStickyFocus | soGlobalFocus);
    sound.Finalize();
    EXPECT_EQ(sound.NowOptions(), soStickyFocus);
    sound.Initialize();
    EXPECT_EQ(world.cooperativeLevels.back(), false);
}

TEST_F(DeviceLifecycle, TheWindowHookGoesWithTheDevice) {
    auto owner = std::make_unique<TForm>(nullptr);
    auto device = std::make_unique<TDXSound>(owner.get());
    device->Initialize();
    device->Finalize();
    owner->Show();
    EXPECT_EQ(world.cooperativeLevels.size(), 1u) << "a finalised device no longer hooks the window";
    device->Initialize();
    owner.reset();  // the window goes first; the device must not touch it later
    EXPECT_NO_THROW(device.reset());
}

TEST_F(DeviceLifecycle, AWaveListFollowsItsDevice) {
    Load({{.name = "shot"}, {.name = "hum", .looped = true}, {.name = "empty", .frames = 0}});
    list.SetDXSound(&sound);
    EXPECT_FALSE(Item(0).Initialized());

    sound.Initialize();
    EXPECT_TRUE(Item(0).Initialized() && Item(1).Initialized() && Item(2).Initialized());
    EXPECT_EQ(list.Items.DXSound(), &sound);
    EXPECT_NE(Item(0).Buffer(), nullptr);
    EXPECT_NE(Item(1).Buffer(), nullptr);
    EXPECT_EQ(Item(2).Buffer(), nullptr);
    EXPECT_EQ(world.Alive(), 2);

    // Moving the list to another initialised device: 3 from the old, 2 and 4
    // from the new.
    TDXSound other(&form);
    other.Initialize();
    Item(0).Play(false);
    list.SetDXSound(&other);
    EXPECT_EQ(list.Items.DXSound(), &other);
    EXPECT_EQ(world.Alive(), 2) << "old voices dropped, new main voices made";
    EXPECT_EQ(Item(0).PlayListCount(), 0u);

    sound.Finalize();
    EXPECT_TRUE(Item(0).Initialized()) << "the old device no longer speaks to the list";
    other.Finalize();
    EXPECT_FALSE(Item(0).Initialized());
    EXPECT_EQ(list.Items.DXSound(), nullptr);
    EXPECT_EQ(world.Alive(), 0);
}

TEST_F(DeviceLifecycle, ADeviceDestroyedBeforeItsListIsForgotten) {
    auto device = std::make_unique<TDXSound>(&form);
    auto waves = std::make_unique<TDXWaveList>(&form);
    device->Initialize();
    waves->SetDXSound(device.get());
    device.reset();
    EXPECT_EQ(waves->DXSound(), nullptr);
    EXPECT_NO_THROW(waves.reset());
}

TEST_F(DeviceLifecycle, LoadingReplacesTheItemsAndMakesTheirVoices) {
    Ready({{.name = "a"}, {.name = "b"}});
    ASSERT_EQ(list.Items.Count(), 2);
    Item(0).Play(false);
    EXPECT_EQ(world.Alive(), 3);

    Load({{.name = "c", .looped = true, .maxPlayingCount = 7, .frames = 10}});
    ASSERT_EQ(list.Items.Count(), 1);
    EXPECT_EQ(Item(0).Name, "c");
    EXPECT_TRUE(Item(0).Looped());
    EXPECT_EQ(Item(0).MaxPlayingCount(), 7);
    EXPECT_EQ(Item(0).Wave.Data().size(), 20u);
    EXPECT_EQ(world.Alive(), 1) << "the old items' voices are gone, the new item has its main voice";
    EXPECT_EQ(world.voices.back()->data->size(), 20u);
    EXPECT_EQ((*world.voices.back()->data)[2], 1);
    EXPECT_EQ(world.voices.back()->format.samplesPerSec, 22050u);
}

// An output that went away (unplugged, its sink failing) is opened again when
// a wave list loads; while it stays away the device plays nothing and the
// next load tries again. A device refused from the start is left alone.
TEST_F(DeviceLifecycle, ALostOutputIsOpenedAgainWhenAListLoads) {
    world.noDevice = true;
    sound.Loaded();
    list.SetDXSound(&sound);
    Load({{.name = "a"}});
    EXPECT_FALSE(sound.Initialized());

    world.noDevice = false;
    Load({{.name = "a"}});
    EXPECT_EQ(world.devicesMade, 0) << "refused at the start: not asked again";
    sound.Initialize();
    Load({{.name = "a"}});
    EXPECT_EQ(world.devicesMade, 1) << "connected: kept";

    world.outputGone = world.noDevice = true;
    EXPECT_NO_THROW(Load({{.name = "a"}}));
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(world.Alive(), 0);
    EXPECT_NO_THROW(Item(0).Play(false));
    EXPECT_NO_THROW(Load({{.name = "a"}}));

    world.outputGone = world.noDevice = false;
    Load({{.name = "b"}});
    EXPECT_TRUE(sound.Initialized());
    EXPECT_EQ(world.devicesMade, 2);
    EXPECT_EQ(world.Alive(), 1) << "the loaded item has its voice on the reopened device";
    Load({{.name = "b"}});
    EXPECT_EQ(world.devicesMade, 2);
}

TEST_F(DeviceLifecycle, BadIndexesAndFilesFailWithTheirTexts) {
    Ready({{.name = "a"}, {.name = "b"}});
    EXPECT_EQ(test::ErrorOf<EListError>([&] { list.Items.GetItem(2); }), "Listenindex überschreitet das Maximum (2)");
    EXPECT_THROW(list.Items.GetItem(-1), EListError);

    EXPECT_EQ(test::ErrorOf<EFOpenError>([&] { list.Items.LoadFromFile("sfx\\no-such-file.dxw"); }),
              "Datei sfx\\no-such-file.dxw kann nicht geöffnet werden");
    EXPECT_EQ(list.Items.Count(), 2) << "a file that cannot be opened leaves the items";

    std::vector<uint8_t> bad = MakeDxw({{.name = "x"}});
    bad[0] = 0xFE;
    TMemoryStream stream(bad);
    EXPECT_THROW(list.Items.LoadFromStream(stream), EInvalidStream);
    EXPECT_EQ(list.Items.Count(), 0);
}

// A voice the platform does not make, and one it makes but cannot fill, give
// the text of the step that failed.
TEST_F(DeviceLifecycle, RefusedVoicesGiveTheTextOfTheStepThatFailed) {
    sound.Initialize();
    list.SetDXSound(&sound);
    struct Case {
        WaveSpec spec;
        bool refuseData;
        const char* text;
    };
    for (const Case& c : {Case{{.name = "float", .formatTag = 3}, false, "Sound Buffer cannot be made"},
                          Case{{.name = "24-bit", .bits = 24}, false, "Sound Buffer cannot be made"},
                          Case{{.name = "unfilled"}, true, "Sound Buffer cannot be locked"}}) {
        world.refuseData = c.refuseData;
        try {
            Load({c.spec});
            FAIL() << c.spec.name;
        } catch (const EDirectSoundBufferError& e) {
            EXPECT_STREQ(e.what(), c.text) << c.spec.name;
        }
        EXPECT_EQ(Item(0).Buffer(), nullptr);
        EXPECT_NO_THROW(Item(0).Play(false)) << "a one-shot item without a main voice plays nothing";
    }
}

}  // namespace
}  // namespace skyrend::testing
