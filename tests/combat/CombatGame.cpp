// tests/combat/CombatGame.cpp — the shared running game of the combat tests.

#include "tests/combat/CombatGame.h"

#include <filesystem>

#include "combat/Enemies.h"
#include "media/DIB.h"
#include "state/StartValues.h"

namespace skyrend::test {

namespace {

constexpr int32_t ProbeSide = 8;

struct ProbeList {
    std::unique_ptr<TDXImageList> TSkyrendMain::*list;
    int32_t items;
    const char* file;
};
const ProbeList probeLists[] = {
    {&TSkyrendMain::Enemy, 82, "gfx\\enemy1.dxg"},
    {&TSkyrendMain::Weapons, 9, "gfx\\plasma1.dxg"},
    {&TSkyrendMain::enemy_weapons, 9, "gfx\\enemy_plasma1.dxg"},
    {&TSkyrendMain::Explosion, 88, "gfx\\explosion.dxg"},
    {&TSkyrendMain::radar, 38, "gfx\\radar.dxg"},
};

}  // namespace

CombatGame& CombatGame::Get() {
    static CombatGame game;
    return game;
}

CombatGame::CombatGame() {
    std::filesystem::current_path(SKYREND_GAME_DIR);
    game_.Create().OnCue = [this](int32_t device, int32_t item) { cues.emplace_back(device, item); };
    game_.ShowAndActivate();
    InstallProbes();
    // A test frame can destroy hundreds of ships while the clock stands
    // still; a few voices per sound are enough to hear the cues.
    for (TDXWaveList* list : m().WaveLists)
        for (int32_t k = 0; k < list->Items.Count(); ++k) list->Items.GetItem(k).SetMaxPlayingCount(4);
}

uint32_t CombatGame::ProbeColor(const TDXImageList& list, int32_t item) {
    uint32_t id = 0;
    for (uint32_t k = 0; k < std::size(probeLists); ++k)
        if ((m().*probeLists[k].list).get() == &list) id = k + 1;
    return (id << 20) | (static_cast<uint32_t>(item + 1) << 8) | 0x5A;
}

void CombatGame::InstallProbes() {
    for (const ProbeList& p : probeLists) {
        TDXImageList& list = *(m().*p.list);
        list.Items.Clear();
        for (int32_t k = 0; k < p.items; ++k) {
            // A white corner marks the top left, so that turns show.
            TImage32 picture(ProbeSide, ProbeSide, ProbeColor(list, k));
            for (int32_t y = 0; y < ProbeSide / 2 - 1; ++y)
                for (int32_t x = 0; x < ProbeSide / 2 - 1; ++x) picture.At(x, y) = 0xFFFFFF;
            TPictureCollectionItem& item = list.Items.Add();
            item.Picture.SetGraphic(TDIB::FromImage(picture));
        }
        list.Items.Initialize(m().DXDraw.get());
    }
}

void CombatGame::LoadRealPictures() {
    for (const ProbeList& p : probeLists) (m().*p.list)->Items.LoadFromFile(p.file);
}

void CombatGame::Reset() {
    GameState& s = g();
    // A new game's values with every list empty, the ship not turning, the
    // counters at 0 and the player free to fire.
    ResetStartValues(s);
    s.ship.ShipTurnSpeed = 0;
    s.playerShots.PlayerFireCooldown = 0;
    s.ticks = TickState{};
    s.world.CameraX = s.world.CameraY = 10000.0;
    s.world.FarCameraX = s.world.FarCameraY = 10000.0;
    // The bonus objects go far out of reach unless a test brings one near.
    for (int32_t i = 1; i <= BonusObjectCount; ++i) s.bonus.X[i] = s.bonus.Y[i] = 0;
    cues.clear();
    surface().Fill(0);
}

int32_t CombatGame::AddShip(double x, double y, long double heading, double speed, long double turnSpeed,
                            int32_t variant) {
    EnemyShips& e = g().enemies;
    const int32_t n = ++e.EnemyShipCount;
    SetEnemyStartValues(e, n);
    e.EnemyX[n] = x, e.EnemyY[n] = y;
    e.EnemyHeading[n] = heading, e.EnemySpeed[n] = speed, e.EnemyTurnSpeed[n] = turnSpeed;
    // Left alone by steering, ready to fire.
    e.EnemyThrustApplied[n] = e.EnemyTurnApplied[n] = e.EnemyFireCooldown[n] = 0;
    e.EnemyVariant[n] = variant;
    return n;
}

int32_t CombatGame::AddEnemyShot(double x, double y, int32_t owner, long double heading, double speed) {
    EnemyShots& s = g().enemyShots;
    const int32_t n = AddShot(EnemyShotList(s), x, y, 50, heading, speed);
    s.EnemyShotDamage[n] = 5;
    s.EnemyShotOwner[n] = owner;
    return n;
}

int32_t CombatGame::AddPlayerShot(double x, double y, long double heading, double speed) {
    return AddShot(PlayerShotList(g().playerShots), x, y, 100, heading, speed);
}

// A shot exactly where it is put, unlike a launched one.
int32_t CombatGame::AddShot(const ShotList& s, double x, double y, int32_t life, long double heading,
                            double speed) {
    const int32_t n = ++s.count;
    s.x[n] = x;
    s.y[n] = y;
    s.life[n] = life;
    s.speed[n] = speed;
    s.heading[n] = heading;
    s.frame[n] = 0;
    return n;
}

std::unique_ptr<TDirectDrawSurface> CombatGame::BlankLikeSurface() {
    auto blank = std::make_unique<TDirectDrawSurface>(surface().Width(), surface().Height(), true);
    blank->Fill(0);
    return blank;
}

bool CombatGame::SurfaceEquals(const TDirectDrawSurface& expected) {
    const TDirectDrawSurface& actual = surface();
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) return false;
    const size_t n = static_cast<size_t>(actual.Width()) * static_cast<size_t>(actual.Height());
    return std::equal(actual.Pixels(), actual.Pixels() + n, expected.Pixels());
}

}  // namespace skyrend::test
