#include "writers/terrain_writer.h"

#include "writers/data_file_writer.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteTerrainFile(std::span<const TerrainRow> rows, int moveClasses) {
    DataFileText f;
    f.line("Kestrivon Terraintabelle");
    f.line("");
    f.line("Je Terrain: Nummer, Name, Kurzname, Terrain nach dem Abbrennen (-1 bleibt),");
    f.line("Geschwindigkeit in Prozent je Bewegungsklasse (-1 oder 0 nicht passierbar),");
    f.line("danach je Bewegungsklasse das Terrain nach dem Niedertrampeln (-1 keines).");
    f.line("");
    f.line("Bewegungsklassen: Fahrzeuge nach Typ, dann Personen.");
    f.line("");
    f.line("");
    f.line("Anzahl Terrains\tAnzahl Bewegungsklassen");
    f.line("");
    f.record({std::to_string(rows.size()), std::to_string(moveClasses)});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TerrainRow& r = rows[i];
        std::vector<std::string> fields = {std::to_string(i), r.name, r.code,
                                           std::to_string(r.burntTerrain)};
        for (int c = 0; c < moveClasses; ++c)
            fields.push_back(std::to_string(c < static_cast<int>(r.speed.size()) ? r.speed[c] : 0));
        for (int c = 0; c < moveClasses; ++c)
            fields.push_back(
                std::to_string(c < static_cast<int>(r.value.size()) ? r.value[c] : -1));
        f.record(fields);
    }
    return f.bytes();
}

}  // namespace kv::sampledata
