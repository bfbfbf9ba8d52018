// tools/make-assets/PictureFiles.cpp — which artwork goes into which file.

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

std::vector<PictureFile> DrawAllPictureFiles() {
    return {
        {"star1.dxg", DrawStarItems()},
        {"ship2.dxg", DrawShipItems()},
        {"plasma1.dxg", DrawPlayerPlasmaItems()},
        {"enemy_plasma1.dxg", DrawEnemyPlasmaItems()},
        {"radar.dxg", DrawRadarItems()},
        {"rauch.dxg", DrawSmokeItems()},
        {"bonus.dxg", DrawBonusItems()},
        {"enemy1.dxg", DrawEnemyItems()},
        {"explosion.dxg", DrawExplosionItems()},
        {"energy_balken_new.dxg", DrawEnergyBarItems()},
        {"startmenue.dxg", DrawMenuItems()},
    };
}

}  // namespace skyrend::assets
