#include "writers/material_writer.h"

#include "writers/data_file_writer.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteMaterialFile(std::span<const MaterialRow> rows) {
    DataFileText f;
    f.line("Kestrivon Brandklassen");
    f.line("Nummer\tName\tKurzname\tBrennstoff\tHitze max\tHitze plus\tZuendung\tHitze minus");
    f.line("");
    f.line(std::to_string(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MaterialRow& r = rows[i];
        const Material& m = r.values;
        f.record({std::to_string(i), r.name, r.code, std::to_string(m.fuel),
                  std::to_string(m.maxHeat), std::to_string(m.gain), std::to_string(m.ignite),
                  std::to_string(m.loss)});
    }
    return f.bytes();
}

}  // namespace kv::sampledata
