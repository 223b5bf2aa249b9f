// The plasma's pixels: interference of circular waves from three centres,
// one palette index per pixel. The plain loop is the reference; the fast one
// and the cycle of 64 frames give the very same bytes.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

constexpr int kPlasmaWidth = 640;
constexpr int kPlasmaHeight = 440;

// Fills the kPlasmaWidth x kPlasmaHeight bytes at pixels, row by row, for
// the phase b and the wave centres (attx[k], atty[k]). This is the reference:
// any faster version must give the very same bytes.
void drawPlasmaField(Uint8* pixels, float b, const int attx[3], const int atty[3]);

// The plasma repeats itself every 64 frames: the phase steps 4 and the
// circling centre 8 entries a frame through 256-entry tables, while the other
// two centres stay put for the whole scene. So each of the 64 frames of the
// cycle is drawn once and copied back on its later turns.
constexpr unsigned kPlasmaCycle = 64;

// What the fast plasma keeps between frames so as not to compute it again;
// it belongs to one plasma, and only ever holds what the inputs give.
struct PlasmaCache {
    // Distances of the two centres that stay put, for every pixel, read as
    // one stream: for each pair of pixels, centre 1's two distances, then
    // centre 2's; measured for the centres (x1, y1) and (x2, y2).
    struct FixedDistances {
        int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
        std::vector<double> pairs;
    };
    FixedDistances fixed;

    // What a slot of the cycle was drawn for; a slot is reused only for the
    // very same inputs.
    struct SlotInputs {
        bool drawn = false;
        Uint32 phaseBits = 0; // b, compared bit for bit
        int attx[3] = {};
        int atty[3] = {};
    };
    std::unique_ptr<Uint8[]> fields; // kPlasmaCycle fields, one after the other
    SlotInputs inputs[kPlasmaCycle];
};

// Fills kPlasmaWidth x kPlasmaHeight bytes at pixels exactly as
// drawPlasmaField does. The distances to centres 1 and 2, which stay put for
// a whole scene, are measured on the first call and again only when those
// centres move; that call allocates, the others do not.
void drawPlasmaFieldFast(PlasmaCache& cache, Uint8* pixels, float b, const int attx[3],
                         const int atty[3]);

// Fills the plasma's bytes exactly as drawPlasmaField(pixels, b, attx, atty)
// would. slot is the frame's place in the cycle; a slot drawn for other
// inputs is drawn again. The first call allocates the cycle's memory (18 MB);
// returns false, drawing directly, when that memory cannot be had.
bool drawPlasmaFieldCycled(PlasmaCache& cache, Uint8* pixels, unsigned slot, float b,
                           const int attx[3], const int atty[3]);
