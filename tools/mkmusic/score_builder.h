// Writes notes into a Score in musical terms: a section, a beat inside it, a
// channel, and either a phrase in the text notation or a single note.
#pragma once

#include "rng.h"
#include "score.h"

#include <string_view>

namespace mkmusic {

class ScoreBuilder {
  public:
    explicit ScoreBuilder(Score& score) : score_(score), rng_(0x5A0C1E2026ull) {}

    // Plays a phrase (see notation.h); legato is the share of each note's
    // written length that sounds.
    void phrase(int section, double beat, int channel, std::string_view text, int velocity,
                int transpose = 0, double legato = 0.92);
    void note(int section, double beat, int channel, int key, double beats, int velocity);
    void chord(int section, double beat, int channel, std::string_view keys, double beats,
               int velocity, int transpose = 0);
    void control(int section, double beat, int channel, int controller, int value);
    // A controller moving in small steps from one value to another.
    void ramp(int section, double fromBeat, double toBeat, int channel, int controller, int from,
              int to);

  private:
    int humanise(int velocity);

    Score& score_;
    Rng rng_;
};

// Drum keys of the General MIDI kit used by the arrangement.
namespace drum {
inline constexpr int kKick = 36;
inline constexpr int kSnare = 38;
inline constexpr int kClap = 39;
inline constexpr int kClosedHat = 42;
inline constexpr int kOpenHat = 46;
inline constexpr int kCrash = 49;
inline constexpr int kRide = 51;
inline constexpr int kTambourine = 54;
inline constexpr int kSplash = 55;
inline constexpr int kTriangle = 81;
inline constexpr int kSleighBells = 83;
inline constexpr int kBellTree = 84;
} // namespace drum

} // namespace mkmusic
