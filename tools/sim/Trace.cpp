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

// A JSON array built by appending, one row per live list position.
class Array {
public:
    Array() : out_("[") {}
    // Starts a row of values.
    Array& Row() {
        if (rows_++) out_ += ", ";
        out_ += '[';
        first_ = true;
        return *this;
    }
    Array& Real(long double v) { return Sep().Append(JsonReal(static_cast<double>(v))); }
    Array& Int(int64_t v) { return Sep().Append(std::to_string(v)); }
    Array& Str(const std::string& v) { return Sep().Append(JsonString(v)); }
    Array& End() {
        out_ += ']';
        return *this;
    }
    // A bare value as an element (no row brackets).
    Array& Element(const std::string& json) {
        if (rows_++) out_ += ", ";
        out_ += json;
        return *this;
    }
    std::string Done() { return out_ + "]"; }

private:
    std::string out_;
    int rows_ = 0;
    bool first_ = true;
    Array& Sep() {
        if (!first_) out_ += ", ";
        first_ = false;
        return *this;
    }
    Array& Append(const std::string& v) {
        out_ += v;
        return *this;
    }
};

std::string BonusJson(const GameState& g) {
    Array a;
    for (int32_t i = 1; i <= BonusObjectCount; ++i) a.Row().Int(g.bonus.X[i]).Int(g.bonus.Y[i]).Int(g.bonus.Frame[i]).End();
    return a.Done();
}

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

    Array cues;
    for (const auto& [device, item] : rec.cues) cues.Row().Int(device).Int(item).End();
    o.Raw("cues", cues.Done());
    Array text;
    for (const auto& t : rec.text) text.Row().Int(t.x).Int(t.y).Str(t.text).End();
    o.Raw("text", text.Done());
    Array errors;
    for (const auto& e : rec.errors) errors.Element(JsonString(e));
    o.Raw("errors", errors.Done());

    const auto& ex = g.exhaust;
    Array exhaust;
    for (int32_t i = 1; i <= ex.ExhaustCount; ++i)
        exhaust.Row().Real(ex.X[i]).Real(ex.Y[i]).Int(ex.Life[i]).Int(ex.Frame[i]).End();
    o.Raw("exhaust", exhaust.Done());
    const auto& ps = g.playerShots;
    Array playerShots;
    for (int32_t i = 1; i <= ps.PlayerShotCount; ++i)
        playerShots.Row().Real(ps.PlayerShotX[i]).Real(ps.PlayerShotY[i]).Int(ps.PlayerShotLife[i])
            .Int(ps.PlayerShotFrame[i]).End();
    o.Raw("playerShots", playerShots.Done());
    const auto& es = g.enemyShots;
    Array enemyShots;
    for (int32_t i = 1; i <= es.EnemyShotCount; ++i)
        enemyShots.Row().Real(es.EnemyShotX[i]).Real(es.EnemyShotY[i]).Int(es.EnemyShotLife[i])
            .Int(es.EnemyShotFrame[i]).Int(es.EnemyShotOwner[i]).End();
    o.Raw("enemyShots", enemyShots.Done());
    const auto& en = g.enemies;
    Array enemies;
    for (int32_t i = 1; i <= en.EnemyShipCount; ++i)
        enemies.Row().Real(en.EnemyX[i]).Real(en.EnemyY[i]).Real(en.EnemyHeading[i]).Real(en.EnemySpeed[i])
            .Real(en.EnemyTurnSpeed[i]).Int(en.EnemyFireCooldown[i]).Int(en.EnemyVariant[i]).End();
    o.Raw("enemies", enemies.Done());
    const auto& xp = g.explosions;
    Array explosions;
    for (int32_t i = 1; i <= xp.ExplosionCount; ++i)
        explosions.Row().Real(xp.ExplosionX[i]).Real(xp.ExplosionY[i]).Int(xp.ExplosionFrame[i])
            .Int(xp.ExplosionKind[i]).End();
    o.Raw("explosions", explosions.Done());
    o.Raw("bonus", BonusJson(g));
    return o.Done();
}

std::string WorldJson(const TSkyrendMain& m) {
    const GameState& g = m.state;
    auto layer = [](const StarLayer& s) {
        Array a;
        for (int32_t i = 1; i <= StarsPerLayer; ++i) a.Row().Int(s.X[i]).Int(s.Y[i]).Int(s.Item[i]).End();
        return a.Done();
    };
    std::string out = "{\"near\": ";
    out += layer(g.stars.NearStars);
    out += ", \"far\": ";
    out += layer(g.stars.FarStars);
    out += ", \"bonus\": ";
    out += BonusJson(g);
    out += "}";
    return out;
}

}  // namespace skyrend::sim
