// shell/Skyrendunit.h — the game unit: the main window with all its
// components, its event handlers, the new-game sequence and the frame driver.

#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "media/DXClass.h"
#include "media/DXDraws.h"
#include "media/DXImageList.h"
#include "media/DXInput.h"
#include "media/DXSounds.h"
#include "media/Forms.h"
#include "state/GameState.h"
#include "state/Stage.h"

namespace skyrend {

class TSkyrendMain : public TForm {
public:
    explicit TSkyrendMain(TComponent* owner);
    ~TSkyrendMain() override;

    // The components, in declaration order.
    std::unique_ptr<TDXDraw> DXDraw;
    std::unique_ptr<TDXImageList> Stars1;
    std::unique_ptr<TDXTimer> DXTimer1;
    std::unique_ptr<TDXImageList> Ship1;
    std::unique_ptr<TDXInput> DXInput1;
    std::unique_ptr<TDXImageList> Weapons, radar, abgas, Bonus, Enemy, Explosion, Energy, energy_rahmen,
        enemy_weapons;
    std::unique_ptr<TDXWaveList> DXWaveList1;
    std::unique_ptr<TDXSound> DXSound1, DXSound2, DXSound3, DXSound4, DXSound5, DXSound6, DXSound7, DXSound8;
    std::unique_ptr<TDXWaveList> DXWaveList2, DXWaveList3, DXWaveList4, DXWaveList5, DXWaveList6, DXWaveList7,
        DXWaveList8;
    std::unique_ptr<TDXImageList> Menuegfx;

    // DXWaveList1 .. DXWaveList8 by device number 0..7.
    std::array<TDXWaveList*, 8> WaveLists{};

    GameState state;
    // What the world and the combat code see of the components above.
    Stage stage;

    // Told of every cue as (device 0..7, item); the simulator's trace uses it.
    std::function<void(int32_t device, int32_t item)> OnCue;

    // Event handlers.
    void DXDrawInitialize(TComponent* sender);
    void DXDrawFinalize(TComponent* sender);
    void DXDrawFinalizeSurface(TComponent* sender);
    void DXDrawMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DXTimer1Activate(TComponent* sender);
    void DXTimer1Timer(TComponent* sender, int32_t lagCount);
    void FormKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);

    // The new-game sequence and its set-up.
    void NewGameSequence();
    void NewGameSetup();
    // The set-up's steps: every picture collection and the wave set (eight
    // times) from their files; the start values; the display at the size of
    // the profile read from the configuration files.
    void LoadCollections();
    void ResetStartValues();
    void SwitchDisplayToProfile();
    // The sequence after the set-up: both star layers (drawn once), the bonus
    // objects, the fleet, the bonus objects drawn once.
    void MakeWorld();
    // One frame of the game.
    void FrameStep();

private:
    void CreateComponents();
    void ApplyStoredSettings();
    void StoreDisplaySettings();
    void StoreTimerSettings();
    void BindImageLists();
    void StoreInputSettings();
    void BindSoundDevices();
};

// The one main window, once created.
TSkyrendMain* SkyrendMain();

// The second form: empty, disabled, never shown.
class TReadconfig : public TForm {
public:
    explicit TReadconfig(TComponent* owner);
};

// Plays sound item N on the next of the eight devices.
void PlayCue(TSkyrendMain& m, int32_t n);

// Creates the application's forms (the program entry's steps 2 to 4).
struct GameForms {
    std::unique_ptr<TSkyrendMain> main;
    std::unique_ptr<TReadconfig> readconfig;
};
GameForms CreateGameForms();

}  // namespace skyrend
