#pragma once
// One function per part of the data tree; main.cpp runs them in order.

#include <string>

#include "writers/output_tree.h"

namespace kv::sampledata {

bool WriteSettings(const OutputTree& out);
// graphs\farben.pal
bool WriteGamePalette(const OutputTree& out);
// graphs\d\start.cff
bool WriteStartPicture(const OutputTree& out);
// sound\..., the effects, speech and screams
bool WriteSounds(const OutputTree& out);
// data\terrain.dat, data\material.dat
bool WriteTerrainData(const OutputTree& out);
bool WriteMaterialData(const OutputTree& out);
// CDmissions\mi%02d.lev and .dat
bool WriteMissionLevels(const OutputTree& out);
// CDvideos\dalquin.avi, mervix.avi, intro.avi
bool WriteVideos(const OutputTree& out);
// CDmusic\track02.ogg .. track11.ogg
bool WriteMusic(const OutputTree& out);
// persons\<folder>\<stem><direction>.vff of every person type
bool WritePersonSprites(const OutputTree& out);
// basen\karte.pal
bool WriteKartePalette(const OutputTree& out);
// graphs\ttable20.dat, graphs\ttable50.dat, graphs\ttmap50.dat
bool WriteBlendCaches(const OutputTree& out);
// graphs\anzfont.vff, graphs\anzfontl.vff
bool WriteBitmapFonts(const OutputTree& out);
// data\cars\%s.dat for every vehicle data-file code
bool WriteVehicleData(const OutputTree& out);
// cars\<type>\..., every vehicle type's pictures and cannons, and the helicopter's shadow
bool WriteVehicleSprites(const OutputTree& out);
// houses\haus%02d.hlv, the picture sets houses\hl, hm, hu, ho%02d.dat, the flame sets
// houses\lb, mb, ub%02d.dat
bool WriteHouses(const OutputTree& out);
// houseobj\*.vff
bool WriteFurnitureImages(const OutputTree& out);
// sobj\..., graphs\scanner.vff, graphs\scanpnt.vff: every special-object image set
bool WriteSonderObjImages(const OutputTree& out);
// sobj\jet.vff
bool WriteJetImages(const OutputTree& out);
// graphs\kontam.vff
bool WriteContaminationMarker(const OutputTree& out);
// graphs\d\maske.vff, graphs\maus.vff, graphs\piecemsk.vff, graphs\maskpics.vff and the other
// panel pictures
bool WriteMissionScreen(const OutputTree& out);
// basen\karte.vff and the campaign map's other pictures
bool WriteKarte(const OutputTree& out);
// graphs\explode\..., sobj\13\gullexpl.aff: the animations of the ten explosion kinds
bool WriteExplosionAnimations(const OutputTree& out);
// graphs\pziel.vff
bool WritePontonMarker(const OutputTree& out);
// graphs\d\failed.vff, graphs\d\welldone.vff, graphs\auswert.vff, graphs\awerfont.vff
bool WriteEndScreens(const OutputTree& out);
// data\d\info\<code>.dat: the base screens' info texts of the vehicle and staff types
bool WriteInfoTexts(const OutputTree& out);
// graphs\d\highani.vff, graphs\highback.vff, graphs\d\ende.cff
bool WriteHighScoreScreens(const OutputTree& out);
// graphs\loadbox.vff
bool WriteLoadBox(const OutputTree& out);
// graphs\d\options.vff, graphs\yesnobox.vff, graphs\hints.vff
bool WriteOptionsScreens(const OutputTree& out);
// data\d\briefing\<code>.dat, data\d\hints\<code>.dat, CDvideos\mi%02d.avi and
// mapwege\<code>.vff of each mission with a level
bool WriteMissionMedia(const OutputTree& out);
// basen\klein\, basen\mittel\, basen\gross\: the stations' rooms, gate and door figures
bool WriteBasen(const OutputTree& out);
// basen\heli1\..., basen\lflug\..., basen\schiff\..., graphs\d\zwahl.vff: the helicopter base,
// the airfield and the ship base
bool WriteTwinBasen(const OutputTree& out);

// Not part of the data tree: the desktop's icon for an installed game, as a PNG file.
bool WriteIcon(const std::string& path);

}  // namespace kv::sampledata
