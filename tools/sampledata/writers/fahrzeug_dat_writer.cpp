#include "writers/fahrzeug_dat_writer.h"

#include <string>

#include "writers/data_file_writer.h"

namespace kv::sampledata {

std::vector<std::uint8_t> MakeFahrzeugDat(const FahrzeugDatNumbers& n) {
    DataFileText text;
    text.line("Preis: " + std::to_string(n.price));
    text.line("Sitze: " + std::to_string(n.seats));
    text.line("Tempo: " + std::to_string(n.speed));
    text.line("Kartenschritt: " + std::to_string(n.karteStep));
    text.line("Hitzeschutz: " + std::to_string(n.heatProtection));
    return text.bytes();
}

}  // namespace kv::sampledata
