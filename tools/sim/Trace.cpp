// tools/sim/Trace.cpp — the trace's JSON: every counter the game keeps and
// the live entries of its lists, in list order.
//
// A line of a big fleet runs to megabytes, so it is written in one pass into
// one string: numbers straight into it with to_chars, no string and no
// append call per value.

#include "tools/sim/Trace.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "shell/Skyrendunit.h"

namespace skyrend::sim {

namespace {

// Writes into a string kept at a size with room to spare, numbers formatted
// straight into it: no append call and no copy per value. Done() cuts the
// string to what was written.
class Writer {
public:
    size_t Position() const { return pos_; }
    std::string_view Since(size_t from) const { return {out_.data() + from, pos_ - from}; }
    explicit Writer(std::string& out) : out_(out), pos_(out.size()) {}
    ~Writer() { out_.resize(pos_); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Room for n more bytes.
    char* Room(size_t n) {
        if (pos_ + n > out_.size()) out_.resize(std::max(out_.size() * 2, pos_ + n + 4096));
        return out_.data() + pos_;
    }
    void Put(char c) { *Room(1) = c, ++pos_; }
    void Put(std::string_view s) {
        std::memcpy(Room(s.size()), s.data(), s.size());
        pos_ += s.size();
    }
    void Real(double v) {
        if (!std::isfinite(v)) return Put("null");
        char* at = Room(32);
        pos_ = static_cast<size_t>(std::to_chars(at, at + 32, v).ptr - out_.data());
    }
    void Int(int64_t v) {
        char* at = Room(24);
        pos_ = static_cast<size_t>(std::to_chars(at, at + 24, v).ptr - out_.data());
    }
    void UInt(uint64_t v) {
        char* at = Room(24);
        pos_ = static_cast<size_t>(std::to_chars(at, at + 24, v).ptr - out_.data());
    }
    void String(const std::string& s) {
        Put('"');
        for (unsigned char c : s) {
            switch (c) {
                case '"': Put("\\\""); break;
                case '\\': Put("\\\\"); break;
                case '\n': Put("\\n"); break;
                case '\r': Put("\\r"); break;
                case '\t': Put("\\t"); break;
                default:
                    if (c < 0x20) {
                        char buf[8];
                        std::snprintf(buf, sizeof buf, "\\u%04x", c);
                        Put(buf);
                    } else {
                        Put(static_cast<char>(c));
                    }
            }
        }
        Put('"');
    }

private:
    std::string& out_;
    size_t pos_;
};

// The members of one JSON object, written into the line as they come.
class JsonObject {
public:
    explicit JsonObject(Writer& out) : out_(out) { out_.Put('{'); }
    Writer& Key(std::string_view k) {
        if (members_++) out_.Put(", ");
        out_.Put('"');
        out_.Put(k);
        out_.Put("\": ");
        return out_;
    }
    void Int(const char* k, int64_t v) { Key(k).Int(v); }
    void UInt(const char* k, uint64_t v) { Key(k).UInt(v); }
    void Real(const char* k, double v) { Key(k).Real(v); }
    void Bool(const char* k, bool v) { Key(k).Put(v ? "true" : "false"); }
    void End() { out_.Put('}'); }

private:
    Writer& out_;
    int members_ = 0;
};

// A JSON array written into the line, one row per live list position.
class Array {
public:
    explicit Array(Writer& out) : out_(out) { out_.Put('['); }
    // Starts a row of values.
    Array& Row() {
        if (rows_++) out_.Put(", ");
        out_.Put('[');
        first_ = true;
        return *this;
    }
    Array& Real(long double v) {
        Sep().Real(static_cast<double>(v));
        return *this;
    }
    Array& Int(int64_t v) {
        Sep().Int(v);
        return *this;
    }
    Array& Str(const std::string& v) {
        Sep().String(v);
        return *this;
    }
    Array& EndRow() {
        out_.Put(']');
        return *this;
    }
    // A whole row written before.
    Array& RowText(std::string_view text) {
        if (rows_++) out_.Put(", ");
        out_.Put(text);
        return *this;
    }
    Writer& Out() { return out_; }
    // A bare string as an element (no row brackets).
    Array& Element(const std::string& v) {
        if (rows_++) out_.Put(", ");
        out_.String(v);
        return *this;
    }
    void End() { out_.Put(']'); }

private:
    Writer& out_;
    int rows_ = 0;
    bool first_ = true;
    Writer& Sep() {
        if (!first_) out_.Put(", ");
        first_ = false;
        return out_;
    }
};

void AppendBonus(Writer& out, const GameState& g) {
    Array a(out);
    for (int32_t i = 1; i <= BonusObjectCount; ++i)
        a.Row().Int(g.bonus.X[i]).Int(g.bonus.Y[i]).Int(g.bonus.Frame[i]).EndRow();
    a.End();
}

void AppendCounters(JsonObject& o, const TSkyrendMain& m, const StepRecord& rec) {
    const GameState& g = m.state;
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
}

void AppendStepRecord(JsonObject& o, const StepRecord& rec) {
    Array cues(o.Key("cues"));
    for (const auto& [device, item] : rec.cues) cues.Row().Int(device).Int(item).EndRow();
    cues.End();
    Array text(o.Key("text"));
    for (const auto& t : rec.text) text.Row().Int(t.x).Int(t.y).Str(t.text).EndRow();
    text.End();
    Array errors(o.Key("errors"));
    for (const auto& e : rec.errors) errors.Element(e);
    errors.End();
}

void AppendEnemies(Writer& out, const EnemyShips& en, EnemyRowCache* cache) {
    Array enemies(out);
    for (int32_t i = 1; i <= en.EnemyShipCount; ++i) {
        const EnemyRowCache::Key key{en.EnemyX[i],
                                     en.EnemyY[i],
                                     static_cast<double>(en.EnemyHeading[i]),
                                     en.EnemySpeed[i],
                                     static_cast<double>(en.EnemyTurnSpeed[i]),
                                     en.EnemyFireCooldown[i],
                                     en.EnemyVariant[i]};
        const std::string_view known = cache ? cache->Find(static_cast<size_t>(i - 1), key) : std::string_view();
        if (!known.empty()) {
            enemies.RowText(known);
            if (cache) cache->Add(key, known);
            continue;
        }
        enemies.Row();
        const size_t start = out.Position() - 1;  // the row's opening bracket
        enemies.Real(key.x).Real(key.y).Real(key.heading).Real(key.speed).Real(key.turnSpeed).Int(key.cooldown)
            .Int(key.variant).EndRow();
        if (cache) cache->Add(key, out.Since(start));
    }
    enemies.End();
    if (cache) cache->EndLine();
}

// A list of `count` rows; `row(array, i)` writes the values of position i.
template <typename Row>
void AppendRows(Writer& out, int32_t count, Row row) {
    Array list(out);
    for (int32_t i = 1; i <= count; ++i) row(list.Row(), i).EndRow();
    list.End();
}

void AppendLists(JsonObject& o, const GameState& g, EnemyRowCache* cache) {
    const auto& ex = g.exhaust;
    AppendRows(o.Key("exhaust"), ex.ExhaustCount, [&ex](Array& r, int32_t i) -> Array& {
        return r.Real(ex.X[i]).Real(ex.Y[i]).Int(ex.Life[i]).Int(ex.Frame[i]);
    });
    const auto& ps = g.playerShots;
    AppendRows(o.Key("playerShots"), ps.PlayerShotCount, [&ps](Array& r, int32_t i) -> Array& {
        return r.Real(ps.PlayerShotX[i]).Real(ps.PlayerShotY[i]).Int(ps.PlayerShotLife[i]).Int(ps.PlayerShotFrame[i]);
    });
    const auto& es = g.enemyShots;
    AppendRows(o.Key("enemyShots"), es.EnemyShotCount, [&es](Array& r, int32_t i) -> Array& {
        return r.Real(es.EnemyShotX[i]).Real(es.EnemyShotY[i]).Int(es.EnemyShotLife[i]).Int(es.EnemyShotFrame[i])
            .Int(es.EnemyShotOwner[i]);
    });
    AppendEnemies(o.Key("enemies"), g.enemies, cache);
    const auto& xp = g.explosions;
    AppendRows(o.Key("explosions"), xp.ExplosionCount, [&xp](Array& r, int32_t i) -> Array& {
        return r.Real(xp.ExplosionX[i]).Real(xp.ExplosionY[i]).Int(xp.ExplosionFrame[i]).Int(xp.ExplosionKind[i]);
    });
    AppendBonus(o.Key("bonus"), g);
}

}  // namespace

// Keys match when every value has the same bits (so that -0 and 0, which
// are written differently, do not).
bool SameKey(const EnemyRowCache::Key& a, const EnemyRowCache::Key& b) {
    return std::memcmp(&a.x, &b.x, 5 * sizeof(double)) == 0 && a.cooldown == b.cooldown && a.variant == b.variant;
}

std::string_view EnemyRowCache::Find(size_t i, const Key& key) {
    // A row destroyed since the last line moves the rest up: a few
    // positions on are looked at too, and a match there is taken as that
    // many more destroyed before this one.
    constexpr size_t Lookahead = 3;
    for (size_t k = 0; k <= Lookahead; ++k) {
        const size_t j = i + shift_ + k;
        if (j >= last_.keys.size()) break;
        if (!SameKey(last_.keys[j], key)) continue;
        shift_ += k;
        const uint32_t begin = j == 0 ? 0 : last_.ends[j - 1];
        return {last_.text.data() + begin, last_.ends[j] - begin};
    }
    return {};
}

void EnemyRowCache::Add(const Key& key, std::string_view text) {
    next_.keys.push_back(key);
    next_.text.append(text);
    next_.ends.push_back(static_cast<uint32_t>(next_.text.size()));
}

void EnemyRowCache::EndLine() {
    std::swap(last_, next_);
    next_.keys.clear();
    next_.ends.clear();
    next_.text.clear();
    shift_ = 0;
}

std::string JsonReal(double v) {
    std::string out;
    Writer(out).Real(v);
    return out;
}

std::string JsonString(const std::string& s) {
    std::string out;
    Writer(out).String(s);
    return out;
}

void WriteTraceLine(std::string& out, const TSkyrendMain& m, const StepRecord& rec, EnemyRowCache* rows) {
    const GameState& g = m.state;
    out.clear();
    Writer w(out);
    // About 64 bytes a ship; the rest is small.
    w.Room(4096 + static_cast<size_t>(g.enemies.EnemyShipCount) * 64);
    JsonObject o(w);
    AppendCounters(o, m, rec);
    AppendStepRecord(o, rec);
    AppendLists(o, g, rows);
    o.End();
}

std::string TraceLine(const TSkyrendMain& m, const StepRecord& rec) {
    std::string out;
    WriteTraceLine(out, m, rec);
    return out;
}

std::string WorldJson(const TSkyrendMain& m) {
    const GameState& g = m.state;
    auto layer = [](Writer& out, const StarLayer& s) {
        Array a(out);
        for (int32_t i = 1; i <= StarsPerLayer; ++i) a.Row().Int(s.X[i]).Int(s.Y[i]).Int(s.Item[i]).EndRow();
        a.End();
    };
    std::string out;
    {
        Writer w(out);
        w.Put("{\"near\": ");
        layer(w, g.stars.NearStars);
        w.Put(", \"far\": ");
        layer(w, g.stars.FarStars);
        w.Put(", \"bonus\": ");
        AppendBonus(w, g);
        w.Put('}');
    }
    return out;
}

}  // namespace skyrend::sim
