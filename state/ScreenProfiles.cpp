// state/ScreenProfiles.cpp — the five screen profiles, 1024 x 768 up to
// 1920 x 1200: the size of the display and where the view, the ship, the
// menu and the radar go on it.

#include "state/ScreenProfiles.h"

#include "state/GameState.h"

namespace skyrend {

void ApplyScreenProfile(GameState& g) {
    struct Profile {
        int32_t width, height, viewRange, centreX, centreY, menuLeft, menuTop, radarOffsetY, radarOffsetX;
    };
    static constexpr Profile Profiles[5] = {
        {1024, 768, 640, 512, 384, 112, 84, 100, 29},
        {1280, 800, 760, 640, 400, 240, 100, 100, 25},
        {1440, 900, 840, 720, 450, 320, 150, 95, 22},
        {1680, 1050, 968, 840, 525, 440, 225, 100, 20},
        {1920, 1200, 1080, 960, 600, 560, 300, 100, 13},
    };
    int32_t index = g.config.ResolutionIndex;
    if (index < 0 || index > 4) return;
    const Profile& p = Profiles[index];
    ConfigState& c = g.config;
    c.ScreenWidth = p.width;
    c.ScreenHeight = p.height;
    c.ViewRange = p.viewRange;
    c.ScreenCentreX = p.centreX;
    c.ScreenCentreY = p.centreY;
    c.ShipDrawX = p.centreX - 34;
    c.ShipDrawY = p.centreY - 25;
    c.MenuLeft = p.menuLeft;
    c.MenuTop = p.menuTop;
    c.RadarOffsetY = p.radarOffsetY;
    c.RadarOffsetX = p.radarOffsetX;
}

}  // namespace skyrend
