// Where the music meets the pictures. The show starts two seconds into the
// track and the letter intro lights a letter every 300 ms, so the pulse is an
// eighth note of 0.3 s (100 beats per minute) counted from 2.0 s. Each section
// starts on the eighth nearest to the moment its scene takes over; within a
// section, bars count from that start.
#pragma once

namespace mkmusic {

inline constexpr double kShowStart = 2.0; // seconds into the track
inline constexpr double kBeat = 0.6;      // one quarter note
inline constexpr double kEighth = kBeat / 2;

// Section starts, in eighths after kShowStart.
enum SectionStart : int {
    kPreroll = -6,  // 0.2 s: the pad swells in while the show opens
    kLetters = 0,   // 2.0 s: letter intro
    kSparkler = 31, // 11.3 s
    kLogo = 91,     // 29.3 s
    kPlasma = 124,  // 39.2 s (scene at 39.3)
    kTree = 218,    // 67.4 s (scene at 67.3)
    kMoon = 224,    // 69.2 s (scene at 69.3)
    kWarp = 274,    // 84.2 s (scene at 84.3)
    kCandles = 324, // 99.2 s (scene at 99.3)
};

// Track time of a beat inside the section that starts at the given eighth.
constexpr double trackTime(int sectionStart, double beat) {
    return kShowStart + sectionStart * kEighth + beat * kBeat;
}

} // namespace mkmusic
