// kestrivon-sampledata OUTDIR: writes the game's complete data tree, the same bytes on every run.

#include <cstdio>

#include "generate/topics.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrivon-sampledata OUTDIR\n");
        return 2;
    }
    const kv::sampledata::OutputTree out(argv[1]);
    using Step = bool (*)(const kv::sampledata::OutputTree&);
    // clang-format off
    const Step steps[] = {
        kv::sampledata::WriteSettings,
        kv::sampledata::WriteGamePalette,
        kv::sampledata::WriteStartPicture,
        kv::sampledata::WriteSounds,
        kv::sampledata::WriteTerrainData,
        kv::sampledata::WriteMaterialData,
        kv::sampledata::WriteMissionLevels,
        kv::sampledata::WriteVideos,
        kv::sampledata::WriteMusic,
        kv::sampledata::WritePersonSprites,
        kv::sampledata::WriteKartePalette,
        kv::sampledata::WriteBlendCaches,
        kv::sampledata::WriteBitmapFonts,
        kv::sampledata::WriteVehicleData,
        kv::sampledata::WriteVehicleSprites,
        kv::sampledata::WriteHouses,
        kv::sampledata::WriteFurnitureImages,
        kv::sampledata::WriteSonderObjImages,
        kv::sampledata::WriteJetImages,
        kv::sampledata::WriteContaminationMarker,
        kv::sampledata::WriteMissionScreen,
        kv::sampledata::WriteExplosionAnimations,
        kv::sampledata::WritePontonMarker,
    };
    // clang-format on
    for (Step step : steps)
        if (!step(out)) return 1;
    return 0;
}
