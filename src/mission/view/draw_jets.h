#pragma once
// The water jets of vehicles and persons, drawn as arcs from the nozzle to the aim point, textured
// with the jet pictures. Each cell entry of a jet draws the steps of the arc whose point on the
// straight line falls into its cell, and every entry moves the jet's texture column on, so that
// the water flows from frame to frame.

namespace kv {

struct Fahrzeug;
struct Person;

// A jet's nozzle and aim point as drawn (world pixels), and the height by which the drawn line
// lies above the line on the ground that decides its cells.
struct JetLine {
    int nx = 0;
    int ny = 0;
    int ax = 0;
    int ay = 0;
    int nozzleHeight = 0;
};
// False when the vehicle has no cannon or its facing names none, or the person no hose jet.
bool FahrzeugJetLine(const Fahrzeug& f, JetLine& line);
bool PersonJetLine(const Person& p, JetLine& line);

// The steps of the jet that belong to the cell whose 48 x 28 box has its top-left at (cellX,
// cellY) on the screen.
void DrawFahrzeugJet(int cellX, int cellY, int slot);
void DrawPersonJet(int cellX, int cellY, int slot);

}  // namespace kv
