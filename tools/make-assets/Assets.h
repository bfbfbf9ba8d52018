// tools/make-assets/Assets.h — the game's artwork and sounds, item by item.
//
// Each function returns the items of one collection file in index order.
// Sizes follow how the game draws them: plain draws show a picture at its
// own size, rotated draws scale it to a fixed box (the picture is made that
// size, so it maps one to one).

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/make-assets/Canvas.h"

namespace skyrend::assets {

// One picture-collection file: its name under gfx/ and its items.
struct PictureFile {
    std::string FileName;
    std::vector<Picture> Items;
};

std::vector<Picture> DrawStarItems();          // star1.dxg: 13 near + 9 far frames
std::vector<Picture> DrawShipItems();          // ship2.dxg: 41 banking poses
std::vector<Picture> DrawPlayerPlasmaItems();  // plasma1.dxg: 9 frames
std::vector<Picture> DrawEnemyPlasmaItems();   // enemy_plasma1.dxg: 9 frames
std::vector<Picture> DrawSmokeItems();         // rauch.dxg: 7 frames
std::vector<Picture> DrawBonusItems();         // bonus.dxg: 39 frames
std::vector<Picture> DrawEnemyItems();         // enemy1.dxg: 2 looks x 41 poses
std::vector<Picture> DrawExplosionItems();     // explosion.dxg: 3 kinds x 29 + 1
std::vector<Picture> DrawEnergyBarItems();     // energy_balken_new.dxg: 0..100 %
std::vector<Picture> DrawRadarItems();         // radar.dxg: frame, blips, sweep
std::vector<Picture> DrawMenuItems();          // startmenue.dxg: menu and pages

// All eleven picture files in the order the game loads them.
std::vector<PictureFile> DrawAllPictureFiles();

// The desktop icons: DIR/NxN/apps/skyrend.png for each size of the icon theme.
void WriteIcons(const std::string& dir);

// 16-bit PCM samples of one sound.
struct Sound {
    std::string Name;
    uint32_t SampleRate = 22050;
    std::vector<int16_t> Samples;  // mono
};

Sound SynthesiseShot();       // wave item 0: a plasma shot
Sound SynthesiseExplosion();  // wave item 1: a ship blowing up

}  // namespace skyrend::assets
