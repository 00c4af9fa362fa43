// Each mission's briefing, hints, opening video and campaign-map roads, one row per mission: the
// texts in German, Windows-1252 with CR LF line ends, as the game's own files come.

#include <algorithm>
#include <array>
#include <cstdint>
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

struct MissionMedia {
    int mission;
    std::string_view briefing;
    // Lower case, umlauts and CR LF lines, as a hint file comes; mission 1's holds one compound
    // word that nearly fills the column in the small font.
    std::string_view hints;
    AviClip (*video)();
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
    }
    return true;
}

}  // namespace kv::sampledata
