// kestrivon-sampledata OUTDIR: writes the game's complete data tree, the same bytes on every run.
// kestrivon-sampledata --icon FILE: writes the desktop's icon for an installed game.

#include <cstdio>
#include <cstring>

#include "generate/topics.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--icon") == 0)
        return kv::sampledata::WriteIcon(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrivon-sampledata OUTDIR | --icon FILE\n");
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
        kv::sampledata::WriteKarte,
        kv::sampledata::WriteExplosionAnimations,
        kv::sampledata::WritePontonMarker,
        kv::sampledata::WriteEndScreens,
        kv::sampledata::WriteInfoTexts,
        kv::sampledata::WriteHighScoreScreens,
        kv::sampledata::WriteLoadBox,
        kv::sampledata::WriteOptionsScreens,
        kv::sampledata::WriteMissionMedia,
        kv::sampledata::WriteBasen,
        kv::sampledata::WriteTwinBasen,
    };
    // clang-format on
    for (Step step : steps)
        if (!step(out)) return 1;
    return 0;
}
