// shell/Skyrendunit.cpp — the main window: its components as stored in the
// window definition, the display and timer handlers, and the new-game
// sequence that every activation of the application runs.

#include "shell/Skyrendunit.h"

#include "combat/Enemies.h"
#include "platform/Memory.h"
#include "shell/ConfigFiles.h"
#include "state/StartValues.h"
#include "world/Stars.h"

namespace skyrend {

namespace {
TSkyrendMain* instance = nullptr;
}

TSkyrendMain* SkyrendMain() { return instance; }

TSkyrendMain::TSkyrendMain(TComponent* owner) : TForm(owner) {
    instance = this;
    Caption = "SkyrendMain";
    BorderNone = true;
    OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) { FormKeyDown(s, key, shift); };
    if (!Application().MainForm()) Application().SetMainForm(this);
    CreateComponents();
    ApplyStoredSettings();
}

TSkyrendMain::~TSkyrendMain() {
    // The window goes first: the display is finalised while the timer its
    // handler disables still exists; then the components in reverse order.
    Broadcast(FormEvent::Destroying);
    DXDraw->OnFinalize = nullptr;
    DXDraw->OnFinalizeSurface = nullptr;
    Menuegfx.reset();
    for (auto* list : {&DXWaveList8, &DXWaveList7, &DXWaveList6, &DXWaveList5, &DXWaveList4, &DXWaveList3,
                       &DXWaveList2})
        list->reset();
    for (auto* sound : {&DXSound8, &DXSound7, &DXSound6, &DXSound5, &DXSound4, &DXSound3, &DXSound2, &DXSound1})
        sound->reset();
    DXWaveList1.reset();
    for (auto* list : {&enemy_weapons, &energy_rahmen, &Energy, &Explosion, &Enemy, &Bonus, &abgas, &radar,
                       &Weapons})
        list->reset();
    DXInput1.reset();
    Ship1.reset();
    DXTimer1.reset();
    Stars1.reset();
    DXDraw.reset();
    if (instance == this) instance = nullptr;
}

void TSkyrendMain::CreateComponents() {
    DXDraw = std::make_unique<TDXDraw>(this);
    Stars1 = std::make_unique<TDXImageList>(this);
    DXTimer1 = std::make_unique<TDXTimer>(this);
    Ship1 = std::make_unique<TDXImageList>(this);
    DXInput1 = std::make_unique<TDXInput>(this);
    for (auto* list : {&Weapons, &radar, &abgas, &Bonus, &Enemy, &Explosion, &Energy, &energy_rahmen,
                       &enemy_weapons})
        *list = std::make_unique<TDXImageList>(this);
    DXWaveList1 = std::make_unique<TDXWaveList>(this);
    for (auto* sound : {&DXSound1, &DXSound2, &DXSound3, &DXSound4, &DXSound5, &DXSound6, &DXSound7, &DXSound8})
        *sound = std::make_unique<TDXSound>(this);
    for (auto* list : {&DXWaveList2, &DXWaveList3, &DXWaveList4, &DXWaveList5, &DXWaveList6, &DXWaveList7,
                       &DXWaveList8})
        *list = std::make_unique<TDXWaveList>(this);
    Menuegfx = std::make_unique<TDXImageList>(this);
    WaveLists = {DXWaveList1.get(), DXWaveList2.get(), DXWaveList3.get(), DXWaveList4.get(),
                 DXWaveList5.get(), DXWaveList6.get(), DXWaveList7.get(), DXWaveList8.get()};
    stage = {.DXDraw = DXDraw.get(),
             .Stars1 = Stars1.get(),
             .Ship1 = Ship1.get(),
             .Weapons = Weapons.get(),
             .radar = radar.get(),
             .abgas = abgas.get(),
             .Bonus = Bonus.get(),
             .Enemy = Enemy.get(),
             .Explosion = Explosion.get(),
             .Energy = Energy.get(),
             .enemy_weapons = enemy_weapons.get(),
             .Cue = [this](int32_t n) { PlayCue(*this, n); }};
}

// The window definition's settings, applied while every component is
// loading, then each component's end-of-loading call in declaration order.
void TSkyrendMain::ApplyStoredSettings() {
    std::vector<TComponent*> order = {DXDraw.get(), Stars1.get(), DXTimer1.get(), Ship1.get(), DXInput1.get(),
                                      Weapons.get(), radar.get(), abgas.get(), Bonus.get(), Enemy.get(),
                                      Explosion.get(), Energy.get(), energy_rahmen.get(), enemy_weapons.get(),
                                      DXWaveList1.get()};
    for (auto* s : {DXSound1.get(), DXSound2.get(), DXSound3.get(), DXSound4.get(), DXSound5.get(),
                    DXSound6.get(), DXSound7.get(), DXSound8.get()})
        order.push_back(s);
    for (int k = 1; k < 8; ++k) order.push_back(WaveLists[k]);
    order.push_back(Menuegfx.get());
    for (auto* c : order) c->BeginLoading();

    StoreDisplaySettings();
    StoreTimerSettings();
    BindImageLists();
    StoreInputSettings();
    BindSoundDevices();
    for (auto* c : order) c->Loaded();
}

void TSkyrendMain::StoreDisplaySettings() {
    // DXDraw: fills the client area; 1024 x 768 x 32, bit count and ratio
    // fixed, size not fixed; full screen, waiting for the vertical blank.
    DXDraw->Name = "DXDraw";
    DXDraw->AutoInitialize = true;
    DXDraw->AutoSize = true;
    DXDraw->Display.SetWidth(1024);
    DXDraw->Display.SetHeight(768);
    DXDraw->Display.SetBitCount(32);
    DXDraw->Display.FixedBitCount = true;
    DXDraw->Display.FixedRatio = true;
    DXDraw->Display.FixedSize = false;
    DXDraw->SetOptions(doFullScreen | doAllowReboot | doWaitVBlank | doCenter | do3D | doDirectX7Mode |
                       doRetainedMode | doHardware | doSelectDriver);
    DXDraw->SetSurfaceWidth(480);
    DXDraw->SetSurfaceHeight(673);
    DXDraw->OnInitialize = [this](TComponent* s) { DXDrawInitialize(s); };
    DXDraw->OnFinalize = [this](TComponent* s) { DXDrawFinalize(s); };
    DXDraw->OnFinalizeSurface = [this](TComponent* s) { DXDrawFinalizeSurface(s); };
    DXDraw->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
        DXDrawMouseDown(s, b, sh, x, y);
    };
    ClientControl = DXDraw.get();
    ClientMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
        if (DXDraw->OnMouseDown) DXDraw->OnMouseDown(s, b, sh, x, y);
    };
    DXDraw->HookForm();
}

void TSkyrendMain::StoreTimerSettings() {
    DXTimer1->Name = "DXTimer1";
    DXTimer1->SetActiveOnly(true);
    DXTimer1->SetEnabled(false);
    DXTimer1->SetInterval(33);
    DXTimer1->OnActivate = [this](TComponent* s) { DXTimer1Activate(s); };
    DXTimer1->OnTimer = [this](TComponent* s, int32_t lag) { DXTimer1Timer(s, lag); };
}

void TSkyrendMain::BindImageLists() {
    const std::pair<TDXImageList*, const char*> lists[] = {
        {Stars1.get(), "Stars1"}, {Ship1.get(), "Ship1"}, {Weapons.get(), "Weapons"}, {radar.get(), "radar"},
        {abgas.get(), "abgas"}, {Bonus.get(), "Bonus"}, {Enemy.get(), "Enemy"}, {Explosion.get(), "Explosion"},
        {Energy.get(), "Energy"}, {energy_rahmen.get(), "energy_rahmen"},
        {enemy_weapons.get(), "enemy_weapons"}, {Menuegfx.get(), "Menuegfx"}};
    for (auto [list, name] : lists) {
        list->Name = name;
        list->SetDXDraw(DXDraw.get());
    }
}

// The keyboard's bindings of the input states, and joystick 0.
void TSkyrendMain::StoreInputSettings() {
    DXInput1->Name = "DXInput1";
    DXInput1->ActiveOnly = true;
    DXInput1->SetUseDirectInput(true);
    TKeyboard& kb = DXInput1->Keyboard;
    kb.Enabled = true;
    kb.BindInputStates = true;
    kb.SetAssigns(isUp, {75, 38, 104});       // K, Up arrow, numeric-pad 8
    kb.SetAssigns(isDown, {74, 40, 98});      // J, Down arrow, numeric-pad 2
    kb.SetAssigns(isLeft, {72, 37, 100});     // H, Left arrow, numeric-pad 4
    kb.SetAssigns(isRight, {76, 39, 102});    // L, Right arrow, numeric-pad 6
    kb.SetAssigns(isButton1, {90, 32, 0});    // Z, Space
    kb.SetAssigns(isButton2, {88, 13, 0});    // X, Enter
    kb.SetAssigns(isButton9, {113, 0, 0});    // F2
    TJoystick& js = DXInput1->Joystick;
    js.Enabled = true;
    js.BindInputStates = true;
    js.ID = 0;
    js.SetDeadZoneX(50);
    js.SetDeadZoneY(50);
    js.SetDeadZoneZ(50);
    js.SetRangeX(1000);
    js.SetRangeY(1000);
    js.SetRangeZ(1000);
    js.AutoCenter = true;
    js.ForceFeedback = false;
    DXInput1->Mouse.Enabled = false;
    DXInput1->Mouse.BindInputStates = false;
}

// Wave list k plays on sound device k.
void TSkyrendMain::BindSoundDevices() {
    TDXSound* sounds[8] = {DXSound1.get(), DXSound2.get(), DXSound3.get(), DXSound4.get(),
                           DXSound5.get(), DXSound6.get(), DXSound7.get(), DXSound8.get()};
    for (int k = 0; k < 8; ++k) {
        sounds[k]->Name = "DXSound" + std::to_string(k + 1);
        sounds[k]->AutoInitialize = true;
        sounds[k]->SetOptions(0);
        WaveLists[k]->Name = "DXWaveList" + std::to_string(k + 1);
        WaveLists[k]->SetDXSound(sounds[k]);
    }
}

// ---------------------------------------------------------------- handlers

void TSkyrendMain::DXDrawInitialize(TComponent*) { DXTimer1->SetEnabled(true); }
void TSkyrendMain::DXDrawFinalize(TComponent*) { DXTimer1->SetEnabled(false); }
void TSkyrendMain::DXDrawFinalizeSurface(TComponent*) {}
void TSkyrendMain::DXTimer1Activate(TComponent*) { NewGameSequence(); }

void TSkyrendMain::NewGameSequence() {
    NewGameSetup();
    MakeWorld();
}

void TSkyrendMain::MakeWorld() {
    GenerateStars(state);
    DrawStars(state, stage);
    GenerateBonusObjects(state);
    PlaceEnemyShips(state);
    DrawBonusObjects(state, stage);
}

void TSkyrendMain::NewGameSetup() {
    LoadCollections();
    ResetStartValues();
    ReadConfigFiles(state);
    SwitchDisplayToProfile();
}

void TSkyrendMain::LoadCollections() {
    // 1. The picture collections, each replacing its list's content.
    const std::pair<TDXImageList*, const char*> files[] = {
        {Stars1.get(), "gfx\\star1.dxg"},           {Ship1.get(), "gfx\\ship2.dxg"},
        {Weapons.get(), "gfx\\plasma1.dxg"},        {enemy_weapons.get(), "gfx\\enemy_plasma1.dxg"},
        {radar.get(), "gfx\\radar.dxg"},            {abgas.get(), "gfx\\rauch.dxg"},
        {Bonus.get(), "gfx\\bonus.dxg"},            {Enemy.get(), "gfx\\enemy1.dxg"},
        {Explosion.get(), "gfx\\explosion.dxg"},    {Energy.get(), "gfx\\energy_balken_new.dxg"},
        {Menuegfx.get(), "gfx\\startmenue.dxg"}};
    for (auto [list, file] : files) list->Items.LoadFromFile(file);

    // 2. The same sound set into all eight wave lists.
    for (TDXWaveList* list : WaveLists) list->Items.LoadFromFile("sfx\\weapons.dxw");
}

void TSkyrendMain::ResetStartValues() { skyrend::ResetStartValues(state); }

// 5, 6 (after 4, the configuration files): the display at the profile's size.
void TSkyrendMain::SwitchDisplayToProfile() {
    DXDraw->Display.SetWidth(state.config.ScreenWidth);
    DXDraw->Display.SetHeight(state.config.ScreenHeight);
    DXDraw->Initialize();
}

void TSkyrendMain::FormKeyDown(TComponent*, uint16_t& key, TShiftState) {
    if (key != 27) return;
    if (state.shell.MenuOverlayShown == 0)
        state.shell.MenuOverlayShown = 1;
    else if (state.shell.MenuOverlayShown == 1)
        state.shell.MenuOverlayShown = 0;
}

// ---------------------------------------------------------------- sound cues

void PlayCue(TSkyrendMain& m, int32_t n) {
    int32_t device = m.state.shell.CueDeviceIndex;
    m.WaveLists[static_cast<size_t>(device & 7)]->Items.GetItem(n).Play(false);
    if (m.OnCue) m.OnCue(device, n);
    if (++m.state.shell.CueDeviceIndex > 7) m.state.shell.CueDeviceIndex = 0;
}

// ---------------------------------------------------------------- forms

TReadconfig::TReadconfig(TComponent* owner) : TForm(owner) {
    Name = "Readconfig";
    Caption = "Readconfig";
    Enabled = false;
}

GameForms CreateGameForms() {
    // Every new game frees and reads all the pictures again.
    platform::KeepFreedMemory();
    GameForms forms;
    forms.main = std::make_unique<TSkyrendMain>(nullptr);
    forms.main->Name = "SkyrendMain";
    forms.readconfig = std::make_unique<TReadconfig>(nullptr);
    return forms;
}

}  // namespace skyrend
