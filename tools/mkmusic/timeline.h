// Where the music meets the pictures, read from the show's own timeline. Every section starts on
// the first frame of its scene, so its downbeat lands on the cut; inside a section the tempo is
// chosen so that a whole number of beats fills the scene, and the next downbeat lands on the next
// cut. Moments inside a scene (the warp's picture changes, the santas' bob) become beats of its
// section, checked at compile time to lie within a video frame of the picture.
#pragma once

#include "scenes/timeline.h"

namespace mkmusic {

struct Section {
    double start; // seconds of track time: the first downbeat
    double beat;  // seconds per quarter note
};

enum SectionId : int {
    kPreroll, // the pad swells in while the screen is still black
    kLetters,
    kSparkler,
    kLogo,
    kPlasma,
    kTree,
    kMoon,
    kWarp,
    kCandles,
    kSectionCount,
};

namespace detail {

constexpr double seconds(uint32_t milliseconds) {
    return milliseconds / 1000.0;
}

constexpr double sceneStart(int scene) {
    return seconds(kTimeline[scene].trackMs);
}

// A scene of the show filled by a whole number of beats.
constexpr Section fitted(int scene, int beats) {
    return {sceneStart(scene), (sceneStart(scene + 1) - sceneStart(scene)) / beats};
}

// 100 beats per minute: a bar of four for each run of the letters'
// highlight, a letter per eighth. The candles, which have no end, keep it.
constexpr double kHomeBeat = seconds(kLetterCycleMs) / 4;

} // namespace detail

inline constexpr Section kSections[kSectionCount] = {
    {detail::sceneStart(0) - 3 * detail::kHomeBeat, detail::kHomeBeat},
    {detail::sceneStart(0), detail::kHomeBeat},
    detail::fitted(1, 30), // fifteen bars of two: the sleigh ride
    detail::fitted(2, 16), // four bars: the first line of the carol
    detail::fitted(3, 48), // twelve bars: two lines of the carol and the bridge
    detail::fitted(4, 3),  // one slow bar: the tree's breath
    detail::fitted(5, 24), // six bars: the moon
    detail::fitted(6, 30), // fifteen bars of two: the whole refrain at the peak
    {detail::sceneStart(kLastScene), detail::kHomeBeat},
};

static_assert(kSectionCount == 1 + kSceneCount, "a section for each scene, after the preroll");

// The metre of each section: two to the bar for the sleigh rides, three for
// the tree's breath and the candles' waltz.
inline constexpr int kBeatsPerBar[kSectionCount] = {4, 4, 2, 4, 4, 3, 4, 2, 3};

// Track time of a beat inside a section.
constexpr double trackTime(int section, double beat) {
    return kSections[section].start + beat * kSections[section].beat;
}

// The sixteenth of a section nearest to a moment given in milliseconds after
// its scene starts. Fails to compile when that sixteenth is more than a
// video frame (1/60 s) away from the moment.
consteval double cueBeat(int section, uint32_t millisecondsIntoScene) {
    const double exact = detail::seconds(millisecondsIntoScene) / kSections[section].beat;
    const double beat = static_cast<long>(exact * 4.0 + 0.5) / 4.0;
    const double miss = (beat - exact) * kSections[section].beat;
    if (miss > 1.0 / 60.0 || miss < -1.0 / 60.0)
        throw "the cue is more than a frame away from the beat grid";
    return beat;
}

} // namespace mkmusic
