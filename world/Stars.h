// world/Stars.h — the two parallax star layers and the bonus objects.

#pragma once

namespace skyrend {

class TSkyrendMain;

void GenerateStars(TSkyrendMain& m);
void GenerateBonusObjects(TSkyrendMain& m);
void DrawStars(TSkyrendMain& m);
void DrawBonusObjects(TSkyrendMain& m);

}  // namespace skyrend
