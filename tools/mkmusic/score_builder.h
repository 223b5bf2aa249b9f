// Writes notes into a Score in musical terms: a section, a beat inside it, a
// channel, and either a phrase in the text notation or a single note.
#pragma once

#include "score.h"

#include <string>
#include <string_view>

namespace mkmusic {

class ScoreBuilder {
  public:
    // sectionLevelsDb: each section's place on the master fader.
    ScoreBuilder(Score& score, const double* sectionLevelsDb)
        : score_(score), sectionLevelsDb_(sectionLevelsDb) {}

    // Beats to a bar in the phrases that follow (four until set).
    void metre(int beatsPerBar) { beatsPerBar_ = beatsPerBar; }
    // Whether a beat of a section falls on a bar line of the metre.
    bool onBarLine(double beat) const;

    // Plays a phrase (see notation.h); legato is the share of each note's
    // written length that sounds. The velocity is the phrase's middle: each
    // note is shaped around it (see phrasedVelocity).
    void phrase(int section, double beat, int channel, std::string_view text, int velocity,
                int transpose = 0, double legato = 0.92);
    void note(int section, double beat, int channel, int key, double beats, int velocity);
    void chord(int section, double beat, int channel, std::string_view keys, double beats,
               int velocity, int transpose = 0);
    void control(int section, double beat, int channel, int controller, int value);
    // Moves the master fader at a beat, to a level in dB against the
    // section's own.
    void fader(int section, double beat, double gainDb);
    // Marks beats of a section as a statement of the motif.
    void statement(const std::string& name, int section, double fromBeat, double toBeat,
                   bool aboveTheRest);
    // A controller moving in small steps from one value to another.
    void ramp(int section, double fromBeat, double toBeat, int channel, int controller, int from,
              int to);

  private:
    Score& score_;
    const double* sectionLevelsDb_;
    int beatsPerBar_ = 4;
};

// The velocity of a note of a phrase: strongest on the bar line, stronger on
// the beat, swelling towards the middle of the phrase and with the line's high
// notes, softer off the beat and at the phrase's ends. Nothing is left to
// chance, so a passage written twice sounds twice the same.
int phrasedVelocity(int velocity, double beat, double phraseLength, int keyAboveMiddle,
                    int beatsPerBar);

// Drum keys of the General MIDI kit used by the arrangement.
namespace drum {
inline constexpr int kKick = 36;
inline constexpr int kSnare = 38;
inline constexpr int kClap = 39;
inline constexpr int kFloorTom = 43;
inline constexpr int kLowTom = 45;
inline constexpr int kMidTom = 47;
inline constexpr int kHighTom = 50;
inline constexpr int kClosedHat = 42;
inline constexpr int kOpenHat = 46;
inline constexpr int kCrash = 49;
inline constexpr int kRide = 51;
inline constexpr int kRideBell = 53;
inline constexpr int kTambourine = 54;
inline constexpr int kSplash = 55;
inline constexpr int kTriangle = 81;
inline constexpr int kSleighBells = 83;
inline constexpr int kBellTree = 84;
// Not a General MIDI key: our own kit's noise riser, as long as its note.
inline constexpr int kRiser = 90;
} // namespace drum

} // namespace mkmusic
