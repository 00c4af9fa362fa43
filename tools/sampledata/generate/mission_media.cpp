// Each mission's briefing, hints, opening video and campaign-map roads, one row per mission: the
// texts in German, Windows-1252 with CR LF line ends, as the game's own files come.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "generate/map_roads.h"
#include "generate/topics.h"
#include "mission/campaign_tables.h"
#include "mission/panel_pictures.h"
#include "platform/cp1252.h"
#include "screens/hints.h"
#include "screens/karte.h"
#include "writers/avi_writer.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

namespace {

// One colour of a short clip's pixel, r, g, b.
using ClipPixel = std::array<std::uint8_t, 3> (*)(int frame, int x, int y);

// A second of 64 x 32 pictures, each pixel drawn by the mission's own picture.
AviClip ShortClip(ClipPixel pixel) {
    AviClip clip;
    clip.width = 64;
    clip.height = 32;
    clip.frameCount = 15;
    clip.drawFrame = [pixel](int frame, std::span<std::uint8_t> rgb) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x) {
                const std::array<std::uint8_t, 3> c = pixel(frame, x, y);
                std::copy(c.begin(), c.end(),
                          rgb.begin() + static_cast<std::ptrdiff_t>((y * 64 + x) * 3));
            }
    };
    return clip;
}

// A road with a wrecked tractor, for mission 1's opening.
AviClip MissionVideo01() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool road = y >= 18 && y < 26;
        const bool wreck = x >= 20 + frame && x < 30 + frame && y >= 14 && y < 20;
        if (wreck) return {200, 40, 20};
        if (road) return {60, 60, 64};
        return {40, 110, 30};
    });
}

// A wood with flames climbing its edge, for mission 2's opening.
AviClip MissionVideo02() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool wood = y >= 12;
        const bool flame = wood && x < 16 + 2 * frame && (x + y + frame) % 5 < 3;
        if (flame) return {230, 120, 20};
        if (wood) return {30, 80, 30};
        return {90, 90, 110};
    });
}

// A tree with a cat running along a branch, for mission 3's opening.
AviClip MissionVideo03() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool trunk = x >= 28 && x < 34 && y >= 14;
        const bool crown = (x - 31) * (x - 31) + (y - 10) * (y - 10) * 2 < 160;
        const bool cat = x >= 36 + frame % 8 && x < 40 + frame % 8 && y >= 9 && y < 12;
        if (cat) return {20, 20, 20};
        if (trunk) return {110, 70, 40};
        if (crown) return {40, 120, 40};
        return {110, 150, 200};
    });
}

// A prison wall with its gate and a crowd waving in front of it, for mission 4's opening.
AviClip MissionVideo04() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool wall = y >= 4 && y < 18 && x < 40;
        const bool gate = wall && x >= 28 && x < 38 && y >= 8;
        const bool crowd = y >= 20 && y < 26 && x >= 24 && (x + (frame % 2) * 2) % 4 < 2;
        if (gate) return {60, 50, 40};
        if (crowd) return {200, 60, 40};
        if (wall) return {140, 130, 120};
        return {100, 100, 110};
    });
}

// A house front with a window on fire, for mission 5's opening.
AviClip MissionVideo05() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool house = x >= 16 && x < 48 && y >= 4;
        const bool flame = x >= 28 && x < 36 && y >= 8 - frame % 3 && y < 14;
        if (flame) return {240, 120, 20};
        if (house) return {150, 110, 90};
        return {70, 90, 140};
    });
}

// Smoke rising from a station entrance in a paved square, for mission 7's opening.
AviClip MissionVideo07() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool entrance = x >= 24 && x < 40 && y >= 20 && y < 28;
        const bool smoke = x >= 26 && x < 38 && y < 20 && y >= 16 - frame && (x + y) % 3 != 0;
        if (entrance) return {20, 20, 24};
        if (smoke) return {120, 120, 120};
        if (y >= 20) return {150, 140, 120};
        return {80, 100, 150};
    });
}

// A small plane nose-down in a restaurant's front, smoke rising, for mission 8's opening.
AviClip MissionVideo08() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool restaurant = x >= 20 && x < 52 && y >= 10 && y < 26;
        const bool sign = x >= 54 && x < 58 && y >= 6 && y < 14;
        const bool plane = x >= 12 && x < 30 && y >= 20 - (x - 12) / 3 && y < 23 - (x - 12) / 3;
        const bool smoke = x >= 14 && x < 24 && y < 18 && (x + y + frame) % 4 == 0;
        if (smoke) return {120, 120, 120};
        if (plane) return {220, 220, 230};
        if (sign) return {230, 200, 30};
        if (restaurant) return {190, 60, 40};
        if (y >= 26) return {90, 90, 95};
        return {110, 150, 200};
    });
}

// Two crowds in club colours streaming out of a stadium gate, for mission 9's opening.
AviClip MissionVideo09() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool stadium = y < 10;
        const bool gate = stadium && ((x >= 18 && x < 24) || (x >= 40 && x < 46));
        const bool fanA = y >= 10 + frame % 4 && y < 14 + frame % 4 && x >= 16 && x < 26;
        const bool fanB = y >= 10 + frame % 4 && y < 14 + frame % 4 && x >= 38 && x < 48;
        if (fanA) return {220, 40, 40};
        if (fanB) return {40, 60, 220};
        if (gate) return {30, 30, 30};
        if (stadium) return {150, 150, 150};
        return {50, 120, 40};
    });
}

// A dam across a valley with rain falling, for mission 11's opening.
AviClip MissionVideo11() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool dam = y >= 8 && y < 16;
        const bool rain = (x * 7 + (y - 3 * frame) * 5) % 23 == 0;
        if (rain) return {170, 180, 200};
        if (dam) return {120, 120, 110};
        if (y < 8) return {40, 70, 130};
        return {60, 110, 50};
    });
}

// The same dam breaking, the water running into the valley, between mission 11's two parts.
AviClip MissionVideo11Break() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool dam = y >= 8 && y < 16 && (x < 28 || x >= 36);
        const bool flood = y >= 8 && x >= 28 - frame && x < 36 + frame && y < 16 + 2 * frame;
        if (flood) return {40, 80, 170};
        if (dam) return {120, 120, 110};
        if (y < 8) return {40, 70, 130};
        return {60, 110, 50};
    });
}

// A roller-coaster track broken off in mid-air with its car hanging below, for mission 12's
// opening.
AviClip MissionVideo12() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool track = (y == 8 || y == 9) && (x < 26 || x >= 40);
        const bool post = (x == 10 || x == 50) && y > 9;
        const bool car = x >= 28 + frame % 2 && x < 36 + frame % 2 && y >= 14 && y < 19;
        if (car) return {220, 40, 40};
        if (track || post) return {140, 140, 150};
        if (y >= 26) return {60, 130, 50};
        return {110, 150, 200};
    });
}

// A tanker on its side on a town street, flames at its tank, for mission 13's opening.
AviClip MissionVideo13() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool cab = x >= 10 && x < 18 && y >= 16 && y < 24;
        const bool tank = x >= 20 && x < 46 && y >= 17 && y < 24;
        const bool flame = x >= 30 && x < 38 && y >= 12 - frame % 3 && y < 17;
        if (flame) return {240, 150, 30};
        if (cab) return {200, 200, 210};
        if (tank) return {170, 170, 60};
        if (y >= 24) return {90, 90, 95};
        return {110, 150, 200};
    });
}

// A coach burning at the side of a motorway while cars pass, for mission 16's opening.
AviClip MissionVideo16() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool lane = y >= 8 && y < 18;
        const bool car = lane && y >= 11 && y < 15 && (x + 4 * frame) % 24 < 6;
        const bool coach = x >= 22 && x < 48 && y >= 21 && y < 28;
        const bool flame = x >= 26 && x < 44 && y >= 17 - frame % 3 && y < 21;
        if (flame) return {240, 140, 30};
        if (coach) return {220, 210, 190};
        if (car) return {180, 30, 30};
        if (lane) return {70, 70, 74};
        return {50, 120, 40};
    });
}

// A store front with a gas cloud puffing from the side, for mission 17's opening.
AviClip MissionVideo17() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool store = x >= 8 && x < 40 && y >= 3;
        const bool window = store && y >= 6 && y < 10 && (x / 4) % 2 == 0;
        const bool cloud = x >= 40 && x < 44 + frame % 4 * 4 && y >= 6 && y < 12;
        if (cloud) return {200, 200, 120};
        if (window) return {60, 60, 90};
        if (store) return {170, 160, 150};
        return {90, 90, 100};
    });
}

// A field with a grounded airliner and a burning engine, for mission 21's opening.
AviClip MissionVideo21() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool body = x >= 12 && x < 52 && y >= 12 && y < 18;
        const bool wing = x >= 26 && x < 36 && y >= 18 && y < 26;
        const bool flame = x >= 30 && x < 34 && y >= 22 - frame % 3 && y < 26;
        if (flame) return {240, 110, 20};
        if (body || wing) return {210, 210, 215};
        if (y >= 14) return {50, 120, 40};
        return {110, 140, 190};
    });
}

// A yellow-green cloud drifting over a station entrance in a paved square, for mission 23's
// opening.
AviClip MissionVideo23() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool entrance = x >= 24 && x < 40 && y >= 20 && y < 28;
        const int cx = x - 20 - frame;
        const bool cloud = cx * cx + (y - 16) * (y - 16) * 3 < 180 && (x + y + frame) % 3 != 0;
        if (cloud) return {170, 190, 60};
        if (entrance) return {20, 20, 24};
        if (y >= 20) return {150, 140, 120};
        return {80, 100, 150};
    });
}

// A river with a capsized dinghy and heads drifting down it, for mission 24's opening.
AviClip MissionVideo24() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool river = y >= 10 && y < 24;
        const bool dinghy = x >= 6 && x < 16 && y >= 12 && y < 15;
        const bool head = river && y >= 16 && y < 18 && (x + 64 - 2 * frame) % 13 < 2;
        if (dinghy) return {230, 90, 30};
        if (head) return {230, 190, 150};
        if (river) return {40, 80, 160};
        return {60, 120, 40};
    });
}

// A row of houses at night, one window after another catching fire, and a dark figure walking
// along the street, for mission 25's opening.
AviClip MissionVideo25() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool street = y >= 24;
        const bool house = y >= 8 && y < 24 && x % 16 < 12;
        const bool window = house && y >= 12 && y < 16 && x % 4 == 1;
        const bool burning = window && x / 16 <= frame / 4 && (x + y + frame) % 3 != 0;
        const int figureX = 4 + frame * 4;
        const bool figure = x >= figureX && x < figureX + 2 && y >= 20 && y < 26;
        if (figure) return {20, 20, 30};
        if (burning) return {250, 140, 30};
        if (window) return {200, 190, 90};
        if (house) return {110, 90, 80};
        if (street) return {70, 70, 75};
        return {20, 30, 60};
    });
}

// A display aircraft's wreck burning on an air-show field, a parachute drifting over it, for
// mission 29's opening.
AviClip MissionVideo29() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool field = y >= 20;
        const bool wreck = x >= 22 && x < 36 && y >= 21 && y < 25;
        const bool flame = x >= 24 && x < 34 && y >= 16 && y < 21 && (x + y + frame) % 3 == 0;
        const int chuteX = 46 + frame / 3;
        const bool canopy =
            x >= chuteX && x < chuteX + 8 && y >= 4 + frame / 2 && y < 7 + frame / 2;
        const bool pilot = x == chuteX + 4 && y >= 9 + frame / 2 && y < 12 + frame / 2;
        if (canopy) return {230, 60, 40};
        if (pilot) return {40, 40, 40};
        if (flame) return {250, 160, 30};
        if (wreck) return {150, 150, 160};
        if (field) return {170, 160, 120};
        return {120, 170, 220};
    });
}

// A wood with flames along its edge and a lake below, for mission 18's opening.
AviClip MissionVideo18() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const bool lake = y >= 22;
        const bool wood = !lake && y >= 8 && (x + y) % 5 != 0;
        const bool flame = wood && y < 12 + frame % 3 && x >= 20 && x < 44;
        if (lake) return {40, 80, 150};
        if (flame) return {240, 110, 20};
        if (wood) return {30, 90, 40};
        return {150, 150, 160};
    });
}

// A light aircraft broken on a mountain slope, fuel running from it, snow on the peaks behind,
// for mission 20's opening.
AviClip MissionVideo20() {
    return ShortClip([](int frame, int x, int y) -> std::array<std::uint8_t, 3> {
        const int ridge = 14 - std::abs((x % 24) - 12) / 2;
        const bool peak = y < ridge + 4;
        const bool snow = y < ridge + 1;
        const bool slope = y >= 20;
        const bool fuselage = x >= 24 && x < 40 && y >= 21 && y < 24;
        const bool wing = x >= 29 && x < 33 && y >= 18 && y < 27;
        const bool fuel = x >= 40 && x < 40 + std::min(frame, 10) && y == 25;
        if (fuel) return {110, 60, 140};
        if (fuselage || wing) return {230, 230, 235};
        if (slope) return {90, 130, 60};
        if (snow) return {245, 245, 250};
        if (peak) return {120, 110, 100};
        return {140, 180, 230};
    });
}

struct MissionMedia {
    int mission;
    std::string_view briefing;
    // Lower case, umlauts and CR LF lines, as a hint file comes; mission 1's holds one compound
    // word that nearly fills the column in the small font.
    std::string_view hints;
    AviClip (*video)();
    // A two-part mission's hints for its second part and the video between its parts.
    std::string_view hintsPartTwo = {};
    AviClip (*videoPartTwo)() = nullptr;
};

const std::array kMissionMedia = {
    MissionMedia{
        1,
        W("Einsatzmeldung: Verkehrsunfall auf der Bundesstraße.\r\n"
          "\r\n"
          "Auf der Landstraße sind ein Traktor und ein Motorrad zusammengestoßen. Zwei Personen "
          "sind verletzt, eine davon schwer. Aus dem Traktor ist Kraftstoff auf die Fahrbahn "
          "gelaufen. Auf der Weide neben der Straße stehen Kühe, und der Verkehr rollt "
          "weiter.\r\n"
          "\r\n"
          "Binden Sie den Kraftstoff, versorgen Sie die Verletzten, räumen Sie beide Wracks von "
          "der Straße und halten Sie den Verkehr am Laufen.\r\n"),
        W("Sperren Sie die Straße nicht, der Verkehr muss weiterfließen. Stellen Sie Ihre "
          "Fahrzeuge neben die Fahrbahn.\r\n"
          "\r\n"
          "Ausgelaufener Kraftstoff wird zuerst mit Bindemittel abgestreut. Das erledigt ein "
          "Feuerwehrmann aus dem Löschfahrzeug. Der "
          "Kraftstoffbindemittelstreufahrzeugbesatzungsleiter weiß, wie.\r\n"
          "\r\n"
          "Erst danach versorgt der Notarzt den Schwerverletzten neben der Lache, und die "
          "Sanitäter tragen ihn zum Rettungswagen.\r\n"
          "\r\n"
          "Zwei Kranwagen heben den Traktor und das Motorrad von der Straße.\r\n"
          "\r\n"
          "Die Kühe auf der Weide stören nicht.\r\n"),
        MissionVideo01,
    },
    MissionMedia{
        2,
        W("Einsatzmeldung: Flächenbrand in einem Waldstück.\r\n"
          "\r\n"
          "Nördlich eines Zeltlagers brennt der Wald. Im Lager stehen Camper, die den Brand "
          "beobachten, und der Rauch zieht über die Lichtung. Südöstlich des Lagers liegt eine "
          "kleine Siedlung, in deren Fenstern Neugierige stehen.\r\n"
          "\r\n"
          "Löschen Sie den Brand, bevor er auf die Häuser übergreift, und bringen Sie alle "
          "Verletzten in Sicherheit.\r\n"),
        W("Fahren Sie die Löschfahrzeuge auf der Straße oder auf Sand nahe an das Feuer heran. "
          "Über brennbarem Boden richtet ein Löschfahrzeug seinen Wasserwerfer auf den "
          "Brand.\r\n"
          "\r\n"
          "Zwei Löschfahrzeuge schaffen den Waldbrand, wenn sie früh am Feuer stehen.\r\n"
          "\r\n"
          "Brennen drei Stellen am Lager, leiden die Camper unter dem Rauch. Der Notarzt "
          "versorgt Verletzte, die Sanitäter tragen sie zum Rettungswagen.\r\n"
          "\r\n"
          "Brennen mehr als drei Häuser, ist der Brand außer Kontrolle.\r\n"),
        MissionVideo02,
    },
    MissionMedia{
        3,
        W("Einsatzmeldung: Menschenauflauf im Villenviertel.\r\n"
          "\r\n"
          "Im Garten einer Villa sitzt eine Katze hoch oben im Baum und traut sich nicht mehr "
          "herunter. Unter dem Baum hat sich eine Menschenmenge versammelt, und auf den Straßen "
          "des Viertels rollt der Verkehr.\r\n"
          "\r\n"
          "Holen Sie die Katze vom Baum. Niemand darf dabei zu Schaden kommen.\r\n"),
        W("Die Katze läuft vor dem Korb der Drehleiter davon. Stellen Sie die Drehleiter neben "
          "dem Baum auf und schwenken Sie den Korb an das eine Ende des Astes, dann flüchtet die "
          "Katze an das andere.\r\n"
          "\r\n"
          "Die Besitzerin fährt einen Wagen durch das Viertel. Halten Sie ihn mit einem "
          "Streifenwagen auf, dann kann ein Polizist mit ihr sprechen.\r\n"
          "\r\n"
          "Wer mit der Besitzerin gesprochen hat, kann die Katze unter dem Baum rufen. Solange "
          "die Leiter den Korb am Ast hat, kommt sie nicht.\r\n"),
        MissionVideo03,
    },
    MissionMedia{
        4,
        W("Einsatzmeldung: Rassenunruhen vor dem Gefängnis!\r\n"
          "\r\n"
          "Vor dem Tor des Gefängnisses hat sich eine aufgebrachte Menge versammelt. Ein "
          "Rädelsführer hetzt die Leute am Tor auf, Randalierer werfen Brandflaschen, und die "
          "Straßen neben dem Platz sind mit Barrikaden versperrt. Weitere Randalierer sind auf dem "
          "Weg hierher.\r\n"
          "\r\n"
          "Verhindern Sie, dass die Menge das Gefängnis stürmt. Nehmen Sie alle Randalierer fest, "
          "löschen Sie jedes Feuer und versorgen Sie die Verletzten.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Süden und fahren nach "
          "Norden bis östlich des Platzes.\r\n"
          "\r\n"
          "Solange der Rädelsführer am Tor hetzt, wächst die Gefahr. Ein Polizist nimmt ihn "
          "mit, bevor die Menge das Tor stürmt. Kehrt er zurück, hetzt er weiter.\r\n"
          "\r\n"
          "Polizisten führen die Randalierer in einen Streifenwagen, der sie wegbringt. Bald "
          "kommen sechs weitere von den Rändern der Stadt.\r\n"
          "\r\n"
          "Brennende Barrikaden löscht ein Löschfahrzeug mit dem Wasserwerfer. Ein Kranwagen "
          "räumt eine Barrikade weg, die nicht brennt.\r\n"),
        MissionVideo04,
    },
    MissionMedia{
        5,
        W("Einsatzmeldung: Wohnhaus brennt.\r\n"
          "\r\n"
          "In einem Mehrfamilienhaus der Innenstadt brennt eine Wohnung im zweiten Stock. Zwei "
          "verletzte Bewohner sind in den oberen Stockwerken eingeschlossen. Vor dem Haus "
          "sammeln sich Schaulustige.\r\n"
          "\r\n"
          "Retten Sie beide Bewohner und löschen Sie den Brand, bevor er auf das Nachbarhaus "
          "übergreift.\r\n"),
        W("Die Einsatzfahrzeuge kommen von rechts über die Straße vor dem Haus.\r\n"
          "\r\n"
          "Stellen Sie die Löschfahrzeuge auf die Straße vor dem brennenden Haus und richten "
          "Sie die Wasserwerfer auf das Feuer.\r\n"
          "\r\n"
          "Die Drehleiter holt die Eingeschlossenen aus den oberen Stockwerken. Der Notarzt "
          "versorgt sie, die Sanitäter tragen sie zum Rettungswagen.\r\n"
          "\r\n"
          "Greift das Feuer auf ein zweites Haus über, ist der Einsatz gescheitert.\r\n"),
        MissionVideo05,
    },
    MissionMedia{
        7,
        W("Einsatzmeldung: Brand in einer U-Bahnstation.\r\n"
          "\r\n"
          "In der U-Bahnstation am Marktplatz ist ein Feuer ausgebrochen. In der Station liegen "
          "vier verletzte Fahrgäste, zwei weitere vor den Eingängen. Auf dem Platz stehen "
          "Schaulustige, und ein Zeitungsstand und ein Kiosk können Feuer fangen.\r\n"
          "\r\n"
          "Retten Sie alle Verletzten, bringen Sie alle Personen aus dem Bereich der Station und "
          "löschen Sie jedes Feuer. Der Brand flammt immer wieder auf.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Norden.\r\n"
          "\r\n"
          "Die Eingänge der Station sind verschlossen. Ein Feuerwehrmann mit Rettungsschere "
          "öffnet jeden Eingang, erst dann holen Feuerwehrleute die Verletzten heraus.\r\n"
          "\r\n"
          "Löschen Sie die Station mit Wasserwerfern oder Schläuchen. Nach einiger Zeit bricht "
          "das Feuer erneut aus: Seien Sie vorher fertig.\r\n"
          "\r\n"
          "Die Polizei führt die Schaulustigen vom Platz vor der Station.\r\n"),
        MissionVideo07,
    },
    MissionMedia{
        8,
        W("Einsatzmeldung: Flugzeugabsturz auf Schnellrestaurant!\r\n"
          "\r\n"
          "Ein Kleinflugzeug ist in der Stadt auf ein Schnellrestaurant gestürzt. Das Wrack "
          "brennt vor dem Restaurant, daneben steht die Reklametafel. Im ersten Stock liegen drei "
          "Verletzte, aus den Häusern ringsum sehen Schaulustige zu.\r\n"
          "\r\n"
          "Retten Sie die Verletzten und löschen Sie jedes Feuer.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße vor dem Restaurant.\r\n"
          "\r\n"
          "Das brennende Wrack explodiert, wenn es nicht rechtzeitig gelöscht ist. Schicken Sie "
          "sofort ein Löschfahrzeug und richten Sie den Wasserwerfer auf das Wrack.\r\n"
          "\r\n"
          "Feuerwehrleute holen die Verletzten aus dem Restaurant. Der Notarzt versorgt sie, die "
          "Sanitäter tragen sie zum Rettungswagen.\r\n"
          "\r\n"
          "Brennen mehr als drei Häuser, ist der Brand außer Kontrolle.\r\n"),
        MissionVideo08,
    },
    MissionMedia{
        9,
        W("Einsatzmeldung: Sichern Sie das Fußballendspiel.\r\n"
          "\r\n"
          "Heute steigt im Stadion das Endspiel. Durch zwei Tore strömen die Anhänger beider "
          "Vereine auf den Vorplatz, erst Schaulustige, dann je 26 Fans, die aufeinander "
          "losgehen. Unten am Bahnsteig hält regelmäßig die S-Bahn.\r\n"
          "\r\n"
          "Halten Sie die Fans auseinander, bringen Sie sie zur S-Bahn und versorgen Sie "
          "alle Verletzten. Zu viele Verletzte oder ein Toter, und der Einsatz ist "
          "gescheitert.\r\n"),
        W("Die Einsatzfahrzeuge kommen von rechts über die Straße auf den Vorplatz.\r\n"
          "\r\n"
          "Polizisten nehmen einen Fan mit, sobald er durch sein Tor gekommen ist, und führen "
          "ihn auf den Bahnsteig. Steht die S-Bahn dort, steigt er ein.\r\n"
          "\r\n"
          "Der Notarzt versorgt die Verletzten der Schlägereien, die Sanitäter tragen sie zum "
          "Rettungswagen.\r\n"
          "\r\n"
          "Ab fünfzehn Verletzten ist die Lage eskaliert.\r\n"),
        MissionVideo09,
    },
    MissionMedia{
        11,
        W("Einsatzmeldung: Schwere Regenfälle bedrohen Staudamm!\r\n"
          "\r\n"
          "Nach tagelangem Regen ist der Staudamm oberhalb des Dorfes stark überlastet. Die "
          "Staumauer hat bereits Risse. In den acht Häusern unterhalb des Damms wohnen noch "
          "Menschen, einige stehen draußen im Tal.\r\n"
          "\r\n"
          "Räumen Sie die Häuser und bringen Sie die Bewohner auf das Ostufer, bevor der Damm "
          "bricht. Stellen Sie Ihre Fahrzeuge rechtzeitig auf der Ostseite ab.\r\n"),
        W("Die Polizisten holen die Bewohner aus den Häusern und führen sie auf das Ostufer "
          "hinter x 2900.\r\n"
          "\r\n"
          "Stellen Sie den Bootsanhänger früh auf das Ostufer. Fahrzeuge, die beim Dammbruch "
          "im Tal stehen, gehen verloren.\r\n"
          "\r\n"
          "Bricht der Damm, steht das Tal unter Wasser.\r\n"),
        MissionVideo11,
        W("Das Tal ist überflutet. Setzen Sie das Boot in der Bucht am Ostufer ins Wasser.\r\n"
          "\r\n"
          "Schicken Sie das Boot zu den Dächern: Klicken Sie mit dem Boot auf ein Dach. "
          "Menschen im Wasser und auf den Inseln holt das Boot, wenn Sie sie anklicken.\r\n"
          "\r\n"
          "Bringen Sie alle an Land. Verletzte versorgt der Notarzt aus dem "
          "Rettungshubschrauber.\r\n"),
        MissionVideo11Break,
    },
    MissionMedia{
        12,
        W("Einsatzmeldung: Unfall auf der Achterbahn!\r\n"
          "\r\n"
          "Im Vergnügungspark ist ein Teil der Achterbahn eingestürzt. Ein Wagen hängt in den "
          "Trümmern über dem Boden, darin ist ein Fahrgast eingeklemmt. Unter dem Gerüst liegen "
          "drei verletzte Besucher, ringsum stehen Schaulustige.\r\n"
          "\r\n"
          "Bauen Sie die Trümmer in der richtigen Reihenfolge ab, befreien Sie den Fahrgast und "
          "bringen Sie alle Verletzten ins Krankenhaus.\r\n"),
        W("Die Einsatzfahrzeuge kommen von rechts am Parkplatz vorbei zum Platz unter der "
          "Achterbahn.\r\n"
          "\r\n"
          "Ein Feuerwehrmann ohne Gerät nimmt erst den waagerechten Balken und das Gitter ab. "
          "Wer den senkrechten Balken zuerst löst, wird von den Trümmern erschlagen.\r\n"
          "\r\n"
          "Erst wenn alle drei Teile entfernt sind, schneidet ein Feuerwehrmann mit "
          "Rettungsschere den Fahrgast aus dem Wagen.\r\n"
          "\r\n"
          "Der Notarzt versorgt die Verletzten, die Sanitäter tragen sie zum Rettungswagen.\r\n"),
        MissionVideo12,
    },
    MissionMedia{
        13,
        W("Einsatzmeldung: Benzintransporter verunglückt!\r\n"
          "\r\n"
          "In einer Kleinstadt ist ein Benzintransporter verunglückt. Der Fahrer ist in der "
          "Kabine eingeklemmt, der Tankanhänger liegt daneben. Benzin ist in eine Lache und in "
          "die Gullys der Straße oberhalb gelaufen.\r\n"
          "\r\n"
          "Befreien Sie den Fahrer, kühlen Sie Fahrzeug und Tank, löschen Sie jedes Feuer und "
          "bringen Sie alle Verletzten in Sicherheit.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die nördliche Straße und fahren zwischen "
          "den Häusern nach Süden zur Unfallstelle.\r\n"
          "\r\n"
          "Ein Feuerwehrmann mit Rettungsschere schneidet den Fahrer aus der Kabine. Bald danach "
          "explodiert der Tank, kurz darauf die Gullys: Bringen Sie alle rechtzeitig aus der "
          "Nähe.\r\n"
          "\r\n"
          "Die Wasserwerfer löschen die Brände. Ein Feuerwehrmann mit Feuerlöscher erstickt die "
          "Benzinlache.\r\n"),
        MissionVideo13,
    },
    MissionMedia{
        16,
        W("Einsatzmeldung: Busunfall auf der Autobahn!\r\n"
          "\r\n"
          "Auf der Autobahn ist ein Reisebus verunglückt und steht am Rand in Flammen. Ein "
          "Fahrgast ist im Bus eingeklemmt, neben dem Bus liegen verletzte Fahrgäste. Auf dem "
          "Mittelstreifen liegt ein Autowrack, sein Fahrer ist darin eingeklemmt. Der Verkehr "
          "rollt auf allen drei Spuren weiter.\r\n"
          "\r\n"
          "Sichern Sie die Unfallstelle, löschen Sie den Bus, befreien Sie die Eingeklemmten, "
          "lassen Sie das Wrack abschleppen und bringen Sie alle Verletzten ins "
          "Krankenhaus.\r\n"),
        W("Die Einsatzfahrzeuge kommen von rechts über den Wirtschaftsweg unterhalb der "
          "Autobahn.\r\n"
          "\r\n"
          "Die Autos bremsen nicht. Ein Polizist stellt links am Standstreifen das Stauschild "
          "auf, dann fahren die Autos auf der Spur zur Unfallstelle langsam und halten an. Am "
          "Ende muss das Schild wieder abgebaut werden.\r\n"
          "\r\n"
          "Löschen Sie den Bus rechtzeitig mit dem Wasserwerfer, sonst verbrennt der "
          "Fahrgast. Ein Feuerwehrmann mit Rettungsschere schneidet ihn heraus, sobald der "
          "Bus nicht mehr brennt, und ebenso den Fahrer aus dem Wrack.\r\n"
          "\r\n"
          "Erst danach hebt der Kranwagen das Wrack weg. Der Notarzt versorgt die Verletzten, "
          "die Sanitäter tragen sie zum Rettungswagen.\r\n"),
        MissionVideo16,
    },
    MissionMedia{
        17,
        W("Einsatzmeldung: Gasexplosion in einem Kaufhaus.\r\n"
          "\r\n"
          "In der Innenstadt ist in einem Kaufhaus Gas explodiert. Aus einem Gashaus neben dem "
          "Kaufhaus strömt weiter Gas aus. Auf der Straße und unter Trümmern liegen Verletzte, "
          "zwei weitere im ersten Stock. Zwei abgerissene Stromkabel liegen unter Spannung, und "
          "ein Wohnwagen brennt.\r\n"
          "\r\n"
          "Schließen Sie das Gashaus, schalten Sie den Strom ab, löschen Sie den Wohnwagen und "
          "retten Sie alle Verletzten.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die nördliche Straße und fahren östlich "
          "um die Häuser herum zum Kaufhaus.\r\n"
          "\r\n"
          "Ein Feuerwehrmann schließt das Gashaus. Geschieht das nicht rechtzeitig, folgen "
          "weitere Explosionen.\r\n"
          "\r\n"
          "Der Sicherungskasten hängt im ersten Stock eines Hauses im Norden. Ein Feuerwehrmann "
          "schaltet dort den Strom ab. Solange Strom fließt, ist jeder in Gefahr, der in die "
          "Kabel tritt, auch Schaulustige.\r\n"
          "\r\n"
          "Feuerwehrleute räumen die Trümmer über den Verschütteten weg. Das Löschfahrzeug "
          "löscht den Wohnwagen mit dem Wasserwerfer.\r\n"),
        MissionVideo17,
    },
    MissionMedia{
        18,
        W("Einsatzmeldung: Waldbrand!\r\n"
          "\r\n"
          "Im Wald neben dem Campingplatz am See ist ein Feuer ausgebrochen. Es droht auf die "
          "Häuser im Nordosten überzugreifen. Am Entwässerungsgraben können sich Gase entzünden. "
          "Im See treiben Schwimmer, die es nicht mehr ans Ufer schaffen, und am Ufer stehen "
          "Container, die in Brand geraten können.\r\n"
          "\r\n"
          "Löschen Sie den Brand, bevor er außer Kontrolle gerät, retten Sie die Schwimmer und "
          "versorgen Sie alle Verletzten.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße am Campingplatz und fahren "
          "östlich hinunter zum Wald.\r\n"
          "\r\n"
          "Erreicht das Feuer den Graben, fliegen die Gullydeckel nacheinander in die Luft. "
          "Halten Sie Abstand.\r\n"
          "\r\n"
          "Das Tor zum Hof ist verschlossen. Ein Feuerwehrmann mit Metallschneider schneidet es "
          "auf.\r\n"
          "\r\n"
          "Brennende Container geben giftigen Rauch ab. Der Kran hebt sie weg, der Wasserwerfer "
          "löscht sie. Wer den Rauch einatmet, muss versorgt werden.\r\n"
          "\r\n"
          "Am Ufer hängen Rettungsringe für die Schwimmer. Brennen acht Häuser, ist der Brand "
          "außer Kontrolle.\r\n"),
        MissionVideo18,
    },
    MissionMedia{
        20,
        W("Einsatzmeldung: Sportflugzeug im Gebirge abgestürzt!\r\n"
          "\r\n"
          "Im Gebirge ist ein Sportflugzeug abgestürzt. Der Pilot sitzt im Wrack fest, neben "
          "dem Wrack läuft Treibstoff aus. Ein Verletzter irrt in der Nähe umher, ein weiterer "
          "Insasse wird vermisst: Er könnte in eine der Felsspalten gestürzt sein.\r\n"
          "\r\n"
          "Befreien Sie den Piloten, suchen Sie den Vermissten und versorgen Sie alle "
          "Verletzten.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Süden. Sie führt am See "
          "vorbei und hinauf zur Absturzstelle.\r\n"
          "\r\n"
          "Zuerst muss der Treibstoff gebunden werden: Ein Feuerwehrmann nimmt am Löschfahrzeug "
          "den Feuerlöscher und deckt ihn ab. Wer vorher am Wrack arbeitet, bringt den Treibstoff "
          "zur "
          "Explosion.\r\n"
          "\r\n"
          "Dann öffnet ein Feuerwehrmann mit der Rettungsschere vom Rüstwagen das Wrack.\r\n"
          "\r\n"
          "Ein Feuerwehrmann ohne Gerät durchsucht eine Felsspalte. Liegt dort der Vermisste, "
          "holt ihn ein Feuerwehrmann mit dem Seil heraus.\r\n"
          "\r\n"
          "Der Notarzt versorgt die Verletzten, die Sanitäter tragen sie zum "
          "Rettungswagen.\r\n"),
        MissionVideo20,
    },
    MissionMedia{
        21,
        W("Einsatzmeldung: Verkehrsflugzeug notgelandet.\r\n"
          "\r\n"
          "Ein Verkehrsflugzeug hat auf einem Feld notlanden müssen. Ein Triebwerk brennt, "
          "neun Passagiere liegen verletzt um das Flugzeug, andere irren umher.\r\n"
          "\r\n"
          "Versorgen Sie alle Verletzten und bringen Sie sie ins Krankenhaus. Verhindern Sie, "
          "dass das Feuer auf den Rumpf und die Tragflächen übergreift.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Süden und fahren auf dem "
          "Weg hinauf zum Feld.\r\n"
          "\r\n"
          "Der Notarzt versorgt die Verletzten, die Sanitäter tragen sie zum Rettungswagen. Ein "
          "Rettungswagen nimmt einen Verletzten mit.\r\n"
          "\r\n"
          "Ungekühlt explodiert das brennende Triebwerk nach einiger Zeit. Zwei Wasserwerfer "
          "kühlen es.\r\n"
          "\r\n"
          "Brennt der Rumpf zu lange, ist der Brand außer Kontrolle.\r\n"),
        MissionVideo21,
    },
    MissionMedia{
        23,
        W("Einsatzmeldung: Giftgasanschlag in UBahnstation!\r\n"
          "\r\n"
          "Auf dem Platz vor der U-Bahnstation am Marktplatz ist Giftgas freigesetzt worden. Wer "
          "sich ungeschützt auf dem Platz aufhält, wird verseucht. Vor der Station liegen "
          "Verletzte, in einem Eingang ein weiterer, und Passanten stehen noch im Gas. Der "
          "Täter hält sich in einem Haus am Platz versteckt.\r\n"
          "\r\n"
          "Versiegeln Sie die Eingänge der Station, retten Sie die Verletzten und "
          "entgiften Sie jede verseuchte Person.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Norden. Halten Sie sie "
          "außerhalb des Platzes.\r\n"
          "\r\n"
          "Nur Feuerwehrleute im Schutzanzug arbeiten im Gas, ohne selbst verseucht zu werden. "
          "Mit der Rettungsschere versiegeln sie die beiden Eingänge.\r\n"
          "\r\n"
          "Verseuchte Personen gehen durch den Dekontaminationswagen. Der Notarzt versorgt die "
          "Verletzten, die Sanitäter bringen sie fort.\r\n"
          "\r\n"
          "Stehen zu viele Einsatzkräfte auf dem Platz, kommt der Täter aus seinem Versteck und "
          "wirft mit Steinen. Die Polizei nimmt ihn fest.\r\n"),
        MissionVideo23,
    },
    MissionMedia{
        24,
        W("Einsatzmeldung: Schlauchboot auf dem Fluß gekentert!\r\n"
          "\r\n"
          "Oberhalb der Straßenbrücke ist ein Schlauchboot gekentert. Fünf Personen treiben im "
          "Fluß und werden von der Strömung flussabwärts getragen. Lange halten sie sich nicht "
          "mehr über Wasser.\r\n"
          "\r\n"
          "Holen Sie alle fünf aus dem Wasser, bevor sie ertrinken, und bringen Sie sie ins "
          "Krankenhaus.\r\n"),
        W("Am Nordufer, weit im Osten, liegt eine Slipstelle. Dort setzt der Bootstransporter "
          "sein Rettungsboot ins Wasser.\r\n"
          "\r\n"
          "Das Boot nimmt Personen im Wasser auf, solange es freie Plätze hat. Ein Boot, das "
          "quer im Fluß steht, fängt die Treibenden von selbst auf.\r\n"
          "\r\n"
          "Am Südufer hängen Rettungsringe. Ein Feuerwehrmann nimmt einen Ring und wirft ihn "
          "einer Person im Wasser zu; sie geht dann nicht mehr unter.\r\n"
          "\r\n"
          "Zurück an der Slipstelle steigen die Geretteten aus. Der Notarzt versorgt sie, die "
          "Sanitäter bringen sie fort.\r\n"),
        MissionVideo24,
    },
    MissionMedia{
        25,
        W("Einsatzmeldung: Wohnhausbrand durch Brandstifter!\r\n"
          "\r\n"
          "Im Wohnviertel am Gefängnis brennt ein Wohnhaus. Zeugen haben einen Mann gesehen, "
          "der von Haus zu Haus geht und Feuer legt. Er wird es wieder tun.\r\n"
          "\r\n"
          "Löschen Sie die Brände, retten Sie die Bewohner und lassen Sie den Brandstifter "
          "festnehmen, bevor er seinen Rundgang durch das Viertel beendet hat.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Süden.\r\n"
          "\r\n"
          "Der Brandstifter geht in das nächste Haus, wartet dort eine Minute, kommt heraus "
          "und zündet es an. Dann sucht er sich das nächste Haus.\r\n"
          "\r\n"
          "Steht ein Polizist bei ihm, bleibt er stehen. Der Polizist nimmt ihn mit und führt "
          "ihn in den Streifenwagen.\r\n"
          "\r\n"
          "Brennende Häuser löschen die Löschfahrzeuge mit dem Wasserwerfer. Die Bewohner "
          "kommen heraus, wenn Feuerwehrleute hineingehen.\r\n"),
        MissionVideo25,
    },
    MissionMedia{
        29,
        W("Einsatzmeldung: Flugzeugabsturz bei Flugschau!\r\n"
          "\r\n"
          "Bei einer Flugschau ist ein Kunstflugzeug abgestürzt. Seine Trümmer liegen über das "
          "Gelände verstreut, zwei Wrackteile brennen, ein Tankwagen steht am Rand. Um die "
          "Trümmer liegen Verletzte, auf den Rängen stehen Zuschauer. Der Pilot hat sich mit dem "
          "Fallschirm gerettet und hängt im Südosten fest.\r\n"
          "\r\n"
          "Holen Sie den Piloten rechtzeitig herunter, löschen Sie die Brände, bevor sie die "
          "Zuschauer erreichen, und versorgen Sie alle Verletzten.\r\n"),
        W("Die Einsatzfahrzeuge kommen von links über die Straße im Norden. Ein Weg führt an "
          "der Westseite hinunter auf das Gelände, ein zweiter an der Ostseite zum "
          "Fallschirm.\r\n"
          "\r\n"
          "Ein Feuerwehrmann nimmt am Rüstwagen die Rettungsschere und schneidet den Piloten "
          "los. Je länger er hängt, desto schwächer ist er; nach zwölf Minuten ist es zu "
          "spät.\r\n"
          "\r\n"
          "Die Löschfahrzeuge löschen das brennende Gras und die Wracks mit dem "
          "Wasserwerfer.\r\n"
          "\r\n"
          "Der Notarzt versorgt die Verletzten, die Sanitäter tragen sie zum "
          "Rettungswagen.\r\n"),
        MissionVideo29,
    },
};

std::string MissionFile(std::string_view folder, int mission, std::string_view suffix) {
    return std::string(folder) + MissionCodes[static_cast<std::size_t>(mission)] +
           std::string(suffix);
}

}  // namespace

bool WriteMissionMedia(const OutputTree& out) {
    for (const MissionMedia& m : kMissionMedia) {
        char video[32];
        std::snprintf(video, sizeof video, "CDvideos\\mi%02d.avi", m.mission);
        if (!out.writeText(MissionFile(kBriefingFolder, m.mission, ".dat"), m.briefing) ||
            !out.writeText(MissionFile(kHintsFolder, m.mission, ".dat"), m.hints) ||
            !WriteAviFile(out.prepare(video), m.video()) ||
            !out.write(MissionFile(kMapWegeFolder, m.mission, ".vff"), MakeVff(MapWege(m.mission))))
            return false;
        if (m.videoPartTwo == nullptr) continue;
        std::snprintf(video, sizeof video, "CDvideos\\mi%02d_2.avi", m.mission);
        if (!out.writeText(MissionFile(kHintsFolder, m.mission, "b.dat"), m.hintsPartTwo) ||
            !WriteAviFile(out.prepare(video), m.videoPartTwo()))
            return false;
    }
    return true;
}

}  // namespace kv::sampledata
