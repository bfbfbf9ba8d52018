// world/Stars.h — the two parallax star layers and the bonus objects.

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;
struct StarLayer;
struct RandomGenerator;

// Reseeds the generator from the time of day, then GenerateStarField.
void GenerateStars(GameState& g);
void DrawStars(GameState& g, const Stage& stage);
void DrawBonusObjects(GameState& g, const Stage& stage);

// Everything of GenerateStars after the reseed: the world's size, the
// cameras at its centre, the near layer and then the far layer.
void GenerateStarField(GameState& g);
void GenerateBonusObjects(GameState& g);

// Fills entries 1..count of a layer: for each star a random position, then a
// random item firstItem..firstItem + itemCount - 1; a star landing on the
// position of any other entry 1..count (later entries still hold what they
// held before) moves by (shift, shift) until its position is free.
void GenerateStarLayer(StarLayer& layer, int32_t count, RandomGenerator& rng, int32_t worldSize,
                       int32_t itemCount, int32_t firstItem, int32_t shift);

}  // namespace skyrend
