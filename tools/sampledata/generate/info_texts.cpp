// The base screens' info texts: "data\d\info\<code>.dat" for every vehicle type sold there and for
// the staff types. Each is a short text with CR LF lines; the game fills in the price and, for a
// vehicle, its seats.

#include <array>
#include <string>
#include <string_view>

#include "generate/topics.h"
#include "platform/cp1252.h"
#include "screens/info_template.h"

namespace kv::sampledata {

namespace {

struct InfoText {
    std::string_view code;
    std::string_view name;
    std::string_view about;  // one short line, Windows-1252
};

// clang-format off
constexpr std::array<InfoText, 24> kVehicleInfos = {{
    {"F101", W("Einsatzleitwagen"), W("Die Einsatzzentrale: jede erlaubt zehn weitere Fahrzeuge.")},
    {"F102", W("Löschgruppenfahrzeug"), W("Bringt einen ganzen Löschtrupp mit Ausrüstung.")},
    {"F103", W("Rüstwagen"), W("Schneidgerät, Seil und Werkzeug für technische Hilfe.")},
    {"F104", W("Tanklöschfahrzeug"), W("Mit eigenem Wassertank und Wasserwerfer.")},
    {"F105", W("Großtanklöschfahrzeug"), W("Großer Tank und starker Wasserwerfer.")},
    {"F106", W("Drehleiter"), W("Rettet mit dem Korb aus oberen Stockwerken.")},
    {"F107", W("Schweres Löschfahrzeug"), W("Hält große Hitze aus, mit Wasserwerfer.")},
    {"F108", W("Gerätewagen"), W("Fährt das Sprungpolster und seinen Trupp.")},
    {"F109", W("Mannschaftswagen"), W("Bringt Feuerwehrleute schnell zum Einsatz.")},
    {"F110", W("Kranwagen"), W("Hebt Wracks und schwere Lasten von der Straße.")},
    {"F111", W("Löschflugzeug"), W("Wirft Wasser über großen Bränden ab.")},
    {"F113", W("Pionierfahrzeug"), W("Legt Pontons als Brücke über das Wasser.")},
    {"F114", W("Schlauchboot"), W("Kleines Boot für Rettungen auf dem Wasser.")},
    {"F115", W("Feuerlöschboot"), W("Löscht vom Wasser aus mit seinem Wasserwerfer.")},
    {"F116", W("Rettungsboot"), W("Holt Menschen aus dem Wasser.")},
    {"F117", W("Bootstransporter"), W("Bringt ein Boot an das Ufer.")},
    {"F118", W("Bootsanhänger"), W("Zugfahrzeug mit einem Boot auf dem Anhänger.")},
    {"F201", W("Rettungswagen"), W("Bringt Verletzte auf der Trage ins Krankenhaus.")},
    {"F202", W("Notarztwagen"), W("Bringt den Notarzt schnell zum Einsatz.")},
    {"F203", W("Rettungshubschrauber"), W("Fliegt Verletzte auf dem schnellsten Weg aus.")},
    {"F204", W("Zeltwagen"), W("Baut ein Sanitätszelt mit Betten auf.")},
    {"F301", W("Streifenwagen"), W("Zwei Polizisten für Absperrung und Ordnung.")},
    {"F302", W("Polizeibus"), W("Bringt eine ganze Polizeistaffel.")},
    {"F303", W("Wasserwerfer"), W("Der Wasserwerfer der Polizei.")},
}};
constexpr std::array<InfoText, 7> kStaffInfos = {{
    {"P01", W("Polizist"), W("Sperrt ab und hält Störer fern.")},
    {"P02", W("Feuerwehrmann"), W("Löscht, schneidet und trägt.")},
    {"P03", W("Feuerwehrmann"), W("Mit Atemschutz: verträgt mehr Hitze.")},
    {"P04", W("Feuerwehrmann"), W("Im Hitzeschutzanzug: verträgt große Hitze.")},
    {"P05", W("Notarzt"), W("Versorgt Verletzte vor Ort.")},
    {"P06", W("Sanitäter"), W("Zwei Sanitäter mit einer Trage.")},
    {"P202", W("Sprungpolster-Trupp"), W("Baut das Sprungpolster auf.")},
}};
// clang-format on

std::string InfoFile(const InfoText& info, bool vehicle) {
    std::string text =
        std::string(info.name) + "\r\n" + std::string(info.about) + "\r\n" + "Preis: %d\r\n";
    if (vehicle) text += W("Sitzplätze: %d\r\n");
    return text;
}

}  // namespace

bool WriteInfoTexts(const OutputTree& out) {
    for (const InfoText& info : kVehicleInfos)
        if (!out.writeText(std::string(kInfoFolder) + std::string(info.code) + ".dat",
                           InfoFile(info, true)))
            return false;
    for (const InfoText& info : kStaffInfos)
        if (!out.writeText(std::string(kInfoFolder) + std::string(info.code) + ".dat",
                           InfoFile(info, false)))
            return false;
    return true;
}

}  // namespace kv::sampledata
