// tools/make-assets/MenuPages.cpp — the pages beside the menu's buttons:
// start, controls, enemies, energy, options and about.
//
// Every page is 499 x 600 and covers the title panel of the menu picture.
// The texts are German, like the game's own lines on the screen.

#include <string>
#include <utility>
#include <vector>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Menu.h"
#include "tools/make-assets/MenuStyle.h"
#include "tools/make-assets/Models.h"

namespace skyrend::assets {

namespace {

constexpr double Left = PanelX + 34;
constexpr double BodyWidth = PanelW - 68;
constexpr double LineHeight = 21;
const TextStyle Body{15, false, TextColour};
const TextStyle Bold{15, true, KeyText};

double Para(cairo_t* cr, const std::string& text, double y) {
    return Paragraph(cr, text, Left, y, BodyWidth, Body, LineHeight) + 9;
}

// A two-column table of keys and what they do.
double KeyTable(cairo_t* cr, const std::vector<std::pair<std::string, std::string>>& rows, double y,
                double split, double pitch) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i % 2 == 0) {
            RoundedRect(cr, Left - 10, y - 19, BodyWidth + 20, pitch - 4, 6);
            SetColour(cr, {0.3, 0.5, 0.9}, 0.08);
            cairo_fill(cr);
        }
        Text(cr, rows[i].first, Left, y, Bold);
        Text(cr, rows[i].second, Left + split, y, Body);
        y += pitch;
    }
    return y + 6;
}

void Start(cairo_t* cr) {
    double y = PageTitle(cr, "Start");
    y = Para(cr,
             "Ein neues Spiel hat begonnen. Sterne, Energiekristalle und die gegnerische Flotte sind frisch "
             "über die Welt verteilt, und dein Schiff steht mitten darin.",
             y);
    y = Para(cr, "Das Menü ist nur eine Einblendung: Während du hier liest, fliegt die Welt darunter weiter.", y);
    y += 10;
    TextCentred(cr, "Das Wichtigste", PanelX + PanelW / 2, y, {17, true, AccentColour});
    y = KeyTable(cr,
                 {{"← →", "drehen"},
                  {"↑ ↓", "Schub und Bremse"},
                  {"Leertaste", "Plasma feuern"},
                  {"Escape", "Menü ein / aus"}},
                 y + 34, 150, 34);
    y = Para(cr,
             "Fliege über die grünen Kristalle, um Energie zu tanken, und behalte das Radar oben rechts "
             "im Blick: Rote Quadrate sind Gegner.",
             y + 8);
    View view;
    view.CentreX = PanelX + PanelW / 2;
    view.CentreY = 520;
    view.Scale = 1.4;
    view.Roll = 0.3;
    view.Distance = 200;
    RenderFighter(cr, view);
    TextCentred(cr, "Viel Glück, Pilot!", PanelX + PanelW / 2, 578, {18, true, KeyText});
}

void Controls(cairo_t* cr) {
    double y = PageTitle(cr, "Steuerung");
    y = KeyTable(cr,
                 {{"↑   K   Num 8", "Schub vorwärts"},
                  {"↓   J   Num 2", "bremsen, rückwärts"},
                  {"←   H   Num 4", "nach links drehen"},
                  {"→   L   Num 6", "nach rechts drehen"},
                  {"Leertaste   Z", "Plasma feuern"},
                  {"Escape", "Menü ein / aus"},
                  {"Alt + Enter", "Fenster oder Vollbild"},
                  {"Joystick", "Stick lenkt, Knopf 1 feuert"},
                  {"Maus", "wählt im Menü"}},
                 y + 4, 190, 36);
    y = Para(cr,
             "Dein Schiff zeigt immer nach oben – die Welt dreht sich um dich. Schub und Drehung bauen sich "
             "allmählich auf und klingen nach dem Loslassen wieder ab.",
             y + 10);
    Para(cr, "Halte die Feuertaste gedrückt, um Salve um Salve abzugeben.", y);
}

void Enemies(cairo_t* cr) {
    double y = PageTitle(cr, "Gegner");
    const char* names[2] = {"Raider", "Wächter"};
    for (int v = 0; v < 2; ++v) {
        double cx = PanelX + PanelW * (v == 0 ? 0.3 : 0.7);
        View view;
        view.CentreX = cx;
        view.CentreY = y + 40;
        view.Scale = 2.2;
        view.Roll = v == 0 ? -0.35 : 0.35;
        view.Distance = 250;
        RenderEnemy(cr, v, view);
        TextCentred(cr, names[v], cx, y + 110, {16, true, v == 0 ? Rgb{1.0, 0.5, 0.45} : Rgb{0.5, 1.0, 0.8}});
    }
    y += 150;
    y = Para(cr,
             "Die gegnerischen Schiffe warten verstreut im All. Kommst du einem näher als 1000 Einheiten, "
             "erwacht es: Es dreht sich zu dir und holt auf. Ist es bis auf 400 Einheiten heran, wird es "
             "langsamer.",
             y);
    y = Para(cr,
             "Zeigt ein Gegner genau auf dich und ist nah genug, feuert er – höchstens etwa alle zwei "
             "Sekunden. Jeder Treffer kostet dich 5 Energie.",
             y);
    y = Para(cr,
             "Ihre Schüsse treffen auch andere Gegner: Locke sie ins Kreuzfeuer! Ein Treffer deines Plasmas "
             "zerstört ein Schiff sofort.",
             y);
    Para(cr, "Auf dem Radar sind Gegner rote Quadrate, ihre Schüsse orange Punkte.", y);
}

void Energy(cairo_t* cr) {
    static const std::vector<Picture> bar = DrawEnergyBarItems();
    static const std::vector<Picture> crystal = DrawBonusItems();
    static const std::vector<Picture> radar = DrawRadarItems();
    double y = PageTitle(cr, "Energie");
    PaintPicture(cr, bar[70], PanelX + (PanelW - bar[70].Width) / 2, y - 14);
    y += 36;
    y = Para(cr,
             "Der Balken oben zeigt die Energie deines Schiffs, von 0 bis 100. Er folgt dem wahren Wert "
             "Schritt für Schritt. Jeder Treffer eines gegnerischen Schusses kostet 5 Punkte.",
             y);
    y += 6;
    PaintPicture(cr, crystal[0], Left - 14, y - 20, 1.6, true);
    const double textLeft = Left + 78;
    Text(cr, "Energiekristalle", textLeft, y, {16, true, {0.5, 1.0, 0.65}});
    y = Paragraph(cr,
                  "100 Kristalle liegen über die Welt verteilt. Fliege über einen, und er lädt dich mit "
                  "jedem Bild um 10 Punkte auf, bis 100. Kristalle verbrauchen sich nicht.",
                  textLeft, y + 22, BodyWidth - 78, Body, LineHeight) +
        12;
    y = Para(cr, "Auch mit leerer Energie fliegst und feuerst du weiter.", y);
    y += 8;
    TextCentred(cr, "Radar", PanelX + PanelW / 2, y, {17, true, AccentColour});
    y += 30;
    const std::pair<int, const char*> legend[4] = {
        {1, "deine Schüsse"}, {7, "Energiekristalle"}, {25, "Gegner"}, {32, "gegnerische Schüsse"}};
    for (int i = 0; i < 4; ++i) {
        double x = Left + (i % 2) * (BodyWidth / 2), row = y + (i / 2) * 30;
        PaintPicture(cr, radar[legend[i].first], x, row - 11, 2.0, true);
        Text(cr, legend[i].second, x + 20, row, Body);
    }
}

void About(cairo_t* cr) {
    double y = PageTitle(cr, "Über Skyrend");
    y = Para(cr,
             "Skyrend ist ein frei fliegender Weltraum-Shooter. Die Welt misst 20000 × 20000 Einheiten und "
             "hat keine Ränder: Wer hinausfliegt, kommt auf der anderen Seite wieder herein.",
             y);
    y = Para(cr,
             "Zwei Sternenschichten ziehen verschieden schnell vorbei, 100 Energiekristalle warten, und eine "
             "Flotte von Gegnern macht Jagd auf dich; wie groß sie ist, steht in schiffe.cfg.",
             y);
    y = Para(cr,
             "Das Menü ist eine Einblendung – die Welt läuft darunter weiter. Es gibt keinen Punktestand und "
             "kein Spielende: Du fliegst, solange du willst, und beendest das Spiel, indem du das Fenster "
             "schließt.",
             y);
    Para(cr, "Alle Bilder und Klänge entstehen beim Bauen des Spiels, gezeichnet und synthetisiert.", y);
    // The cast: the fighter between the two enemy kinds.
    for (int who = 0; who < 3; ++who) {
        View view;
        view.CentreX = PanelX + PanelW * (0.25 + 0.25 * who);
        view.CentreY = 462;
        view.Scale = who == 1 ? 1.5 : 1.3;
        view.Roll = (who - 1) * 0.3;
        view.Distance = 200;
        if (who == 1)
            RenderFighter(cr, view);
        else
            RenderEnemy(cr, who == 0 ? 0 : 1, view);
    }
    GlowingTextCentred(cr, "SKYREND", PanelX + PanelW / 2, 545, {40, true, {0.92, 0.97, 1.0}}, AccentColour);
}

// Option rows in page coordinates: the click bands are x (84, 414) and the
// y bands below; the boxes are drawn a little taller than the bands.
struct Row {
    double Top, Bottom;
    const char* Label;
};
const Row OptionRows[6] = {{190, 210, "1024 x 768"},  {250, 270, "1280 x 800"},  {310, 330, "1440 x 900"},
                           {370, 390, "1680 x 1050"}, {430, 450, "1920 x 1200"}, {485, 530, "Größe beibehalten"}};

void Options(cairo_t* cr, int lit) {
    PageTitle(cr, "Optionen");
    TextCentred(cr, "Bildschirmgröße", PanelX + PanelW / 2, 142, {18, true, AccentColour});
    TextCentred(cr, "Ein Klick schaltet sofort um.", PanelX + PanelW / 2, 166, {14, false, DimText});
    for (int k = 1; k <= 6; ++k) {
        const Row& r = OptionRows[k - 1];
        double pad = k == 6 ? 1 : 4;
        OptionRow(cr, 84, r.Top - pad, 330, r.Bottom - r.Top + 2 * pad, r.Label, k == lit);
    }
    TextCentred(cr, "Die Wahl gilt bis zum nächsten Spielstart.", PanelX + PanelW / 2, 566, {13, false, DimText});
}

Picture OnPanel(void (*draw)(cairo_t*)) {
    Canvas c(PageWidth, MenuHeight);
    PagePanel(c.Cr());
    draw(c.Cr());
    return c.ToPicture();
}

}  // namespace

Picture DrawPage(int page) {
    switch (page) {
    case 1: return OnPanel(Start);
    case 2: return OnPanel(Controls);
    case 3: return OnPanel(Enemies);
    case 4: return OnPanel(Energy);
    default: return OnPanel(About);
    }
}

Picture DrawOptionsPage(int litRow) {
    Canvas c(PageWidth, MenuHeight);
    PagePanel(c.Cr());
    Options(c.Cr(), litRow);
    return c.ToPicture();
}

}  // namespace skyrend::assets
