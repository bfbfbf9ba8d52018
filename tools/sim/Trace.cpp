// tools/sim/Trace.cpp — the trace's JSON: every counter the game keeps and
// the live entries of its lists, in list order.

#include "tools/sim/Trace.h"

#include <charconv>
#include <cmath>

#include "shell/Skyrendunit.h"

namespace skyrend::sim {

std::string JsonReal(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[40];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    return std::string(buf, end);
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

namespace {

class JsonObject {
public:
    JsonObject() { out_ = "{"; }
    void Key(const char* k) {
        if (out_.size() > 1) out_ += ", ";
        out_ += '"';
        out_ += k;
        out_ += "\": ";
    }
    void Int(const char* k, int64_t v) {
        Key(k);
        out_ += std::to_string(v);
    }
    void UInt(const char* k, uint64_t v) {
        Key(k);
        out_ += std::to_string(v);
    }
    void Real(const char* k, double v) {
        Key(k);
        out_ += JsonReal(v);
    }
    void Bool(const char* k, bool v) {
        Key(k);
        out_ += v ? "true" : "false";
    }
    void Raw(const char* k, const std::string& v) {
        Key(k);
        out_ += v;
    }
    std::string Done() { return out_ + "}"; }

private:
    std::string out_;
};

// Rows of a list: `row(i)` gives the JSON of position i.
template <typename Row>
std::string Rows(int32_t count, Row row) {
    std::string out = "[";
    for (int32_t i = 1; i <= count; ++i) {
        if (i > 1) out += ", ";
        out += row(i);
    }
    return out + "]";
}

std::string R(long double v) { return JsonReal(static_cast<double>(v)); }
std::string I(int64_t v) { return std::to_string(v); }

}  // namespace

std::string TraceLine(const TSkyrendMain& m, const StepRecord& rec) {
    const GameState& g = m.state;
    JsonObject o;
    o.Int("step", rec.step);
    o.Bool("ticked", rec.ticked);
    o.UInt("clock", rec.clock);
    o.Int("TickRate", m.DXTimer1->TickRate());
    o.Real("CameraX", g.world.CameraX);
    o.Real("CameraY", g.world.CameraY);
    o.Real("FarCameraX", g.world.FarCameraX);
    o.Real("FarCameraY", g.world.FarCameraY);
    o.Real("ShipHeading", static_cast<double>(g.ship.ShipHeading));
    o.Real("ShipTurnSpeed", static_cast<double>(g.ship.ShipTurnSpeed));
    o.Real("ShipSpeed", g.ship.ShipSpeed);
    o.Int("Energy", g.energy.Energy);
    o.Int("EnergyShown", g.energy.EnergyShown);
    o.Int("PlayerFireCooldown", g.playerShots.PlayerFireCooldown);
    o.Int("ExhaustCooldown", g.exhaust.ExhaustCooldown);
    o.Int("NearStarTick", g.ticks.NearStarTick);
    o.Int("FarStarTick", g.ticks.FarStarTick);
    o.Int("RadarTick", g.ticks.RadarTick);
    o.Int("RadarSweepFrame", g.radar.RadarSweepFrame);
    o.Int("ExhaustTick", g.ticks.ExhaustTick);
    o.Int("EnemyShotTick", g.ticks.EnemyShotTick);
    o.Int("PlayerShotTick", g.ticks.PlayerShotTick);
    o.Int("MenuOverlayShown", g.shell.MenuOverlayShown);
    o.Int("MenuPage", g.shell.MenuPage);
    o.Int("OptionsChoice", g.shell.OptionsChoice);
    o.Int("ResolutionIndex", g.config.ResolutionIndex);
    o.Int("EnemyCount", g.config.EnemyCount);
    o.Int("ScreenWidth", g.config.ScreenWidth);
    o.Int("ScreenHeight", g.config.ScreenHeight);
    o.Int("DisplayWidth", m.DXDraw->Display.Width());
    o.Int("DisplayHeight", m.DXDraw->Display.Height());
    o.Int("CueDeviceIndex", g.shell.CueDeviceIndex);

    std::string cues = "[";
    for (size_t i = 0; i < rec.cues.size(); ++i)
        cues += (i ? ", [" : "[") + I(rec.cues[i].first) + ", " + I(rec.cues[i].second) + "]";
    o.Raw("cues", cues + "]");
    std::string text = "[";
    for (size_t i = 0; i < rec.text.size(); ++i)
        text += (i ? ", [" : "[") + I(rec.text[i].x) + ", " + I(rec.text[i].y) + ", " +
                JsonString(rec.text[i].text) + "]";
    o.Raw("text", text + "]");
    std::string errors = "[";
    for (size_t i = 0; i < rec.errors.size(); ++i) errors += (i ? ", " : "") + JsonString(rec.errors[i]);
    o.Raw("errors", errors + "]");

    const auto& ex = g.exhaust;
    o.Raw("exhaust", Rows(ex.ExhaustCount, [&](int32_t i) {
              return "[" + R(ex.X[i]) + ", " + R(ex.Y[i]) + ", " + I(ex.Life[i]) + ", " + I(ex.Frame[i]) + "]";
          }));
    const auto& ps = g.playerShots;
    o.Raw("playerShots", Rows(ps.PlayerShotCount, [&](int32_t i) {
              return "[" + R(ps.PlayerShotX[i]) + ", " + R(ps.PlayerShotY[i]) + ", " + I(ps.PlayerShotLife[i]) +
                     ", " + I(ps.PlayerShotFrame[i]) + "]";
          }));
    const auto& es = g.enemyShots;
    o.Raw("enemyShots", Rows(es.EnemyShotCount, [&](int32_t i) {
              return "[" + R(es.EnemyShotX[i]) + ", " + R(es.EnemyShotY[i]) + ", " + I(es.EnemyShotLife[i]) +
                     ", " + I(es.EnemyShotFrame[i]) + ", " + I(es.EnemyShotOwner[i]) + "]";
          }));
    const auto& en = g.enemies;
    o.Raw("enemies", Rows(en.EnemyShipCount, [&](int32_t i) {
              return "[" + R(en.EnemyX[i]) + ", " + R(en.EnemyY[i]) + ", " + R(en.EnemyHeading[i]) + ", " +
                     R(en.EnemySpeed[i]) + ", " + R(en.EnemyTurnSpeed[i]) + ", " + I(en.EnemyFireCooldown[i]) +
                     ", " + I(en.EnemyVariant[i]) + "]";
          }));
    const auto& xp = g.explosions;
    o.Raw("explosions", Rows(xp.ExplosionCount, [&](int32_t i) {
              return "[" + R(xp.ExplosionX[i]) + ", " + R(xp.ExplosionY[i]) + ", " + I(xp.ExplosionFrame[i]) +
                     ", " + I(xp.ExplosionKind[i]) + "]";
          }));
    const auto& b = g.bonus;
    o.Raw("bonus", Rows(BonusObjectCount, [&](int32_t i) {
              return "[" + I(b.X[i]) + ", " + I(b.Y[i]) + ", " + I(b.Frame[i]) + "]";
          }));
    return o.Done();
}

std::string WorldJson(const TSkyrendMain& m) {
    const GameState& g = m.state;
    auto layer = [](const StarLayer& s) {
        return Rows(StarsPerLayer, [&](int32_t i) {
            return "[" + I(s.X[i]) + ", " + I(s.Y[i]) + ", " + I(s.Item[i]) + "]";
        });
    };
    const auto& b = g.bonus;
    return "{\"near\": " + layer(g.stars.NearStars) + ", \"far\": " + layer(g.stars.FarStars) +
           ", \"bonus\": " + Rows(BonusObjectCount, [&](int32_t i) {
               return "[" + I(b.X[i]) + ", " + I(b.Y[i]) + ", " + I(b.Frame[i]) + "]";
           }) + "}";
}

}  // namespace skyrend::sim
