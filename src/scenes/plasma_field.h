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

// The distance of every plasma pixel to every place a wave centre can take
// on the screen (x in 0 ... 639, y in 0 ... 479), as the reference measures
// it: sqrt(dx dx + dy dy) in double. The distances depend only on the
// offsets, so one table of 480 rows of 1279 offsets (4.9 MB) holds them all;
// it is built ahead, once, and then only read.
class PlasmaDistances {
  public:
    static constexpr int kMaxX = 639;
    static constexpr int kMaxY = 479;

    PlasmaDistances();

    // Whether every centre lies where the table reaches.
    static bool covers(const int attx[3], const int atty[3]);

    // The distances of row y's pixels (x = 0 ... kPlasmaWidth - 1) to the
    // centre (cx, cy), which the table covers.
    const double* row(int cx, int cy, int y) const;

  private:
    static constexpr int kColumns = 2 * kMaxX + 1;
    std::vector<double> table_; // [|dy|][dx + kMaxX]
};

// The plasma repeats itself every 64 frames: the phase steps 4 and the
// circling centre 8 entries a frame through 256-entry tables, while the other
// two centres stay put for the whole scene. So each of the 64 frames of the
// cycle is drawn once and copied back on its later turns.
constexpr unsigned kPlasmaCycle = 64;

// The frames of the cycle, kept to be copied back; it only ever holds what
// the inputs give, so any plasma may use it.
struct PlasmaCache {
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

    // Takes the memory of the whole cycle (18 MB) now; none when it cannot
    // be had, and then every frame is drawn.
    void reserve();
};

// Fills kPlasmaWidth x kPlasmaHeight bytes at pixels exactly as
// drawPlasmaField does, reading the distances from the table instead of
// taking square roots. Allocates nothing.
void drawPlasmaFieldFast(const PlasmaDistances& distances, Uint8* pixels, float b,
                         const int attx[3], const int atty[3]);

// Fills the plasma's bytes exactly as drawPlasmaField(pixels, b, attx, atty)
// would. slot is the frame's place in the cycle; a slot drawn for other
// inputs is drawn again, and without the cycle's memory every frame is.
void drawPlasmaFieldCycled(PlasmaCache& cache, const PlasmaDistances& distances, Uint8* pixels,
                           unsigned slot, float b, const int attx[3], const int atty[3]);
