// The traditional melodies of the medley, in C major, in the note notation.
// Each is split where the arrangement cuts it.
#pragma once

#include <string_view>

namespace mkmusic::tune {

// "Jingle Bells" (J. Pierpont, 1857), the refrain, two beats to a bar.
inline constexpr std::string_view kJingleRefrainOpening =
    "E5:.5 E5 E5:1 | E5:.5 E5 E5:1 | E5:.5 G5 C5:.75 D5:.25 | E5:2";
inline constexpr std::string_view kJingleRefrainHalfClose =
    "F5:.5 F5 F5:.75 F5:.25 | F5:.5 E5 E5 E5:.25 E5 | E5:.5 D5 D5 E5 | D5:1 G5:1";
// Without its last note, which falls on the next section's downbeat.
inline constexpr std::string_view kJingleRefrainFullClose =
    "F5:.5 F5 F5 F5 | F5:.5 E5 E5 E5:.25 E5 | G5:.5 G5 F5 D5";
inline constexpr std::string_view kJingleHarmonyHalf = "C:2 C:2 C:2 C:2 | F:2 C:2 D7:2 G:2";

// "Deck the Halls" (Welsh traditional), four beats to a bar.
inline constexpr std::string_view kDeckFirstLine =
    "G5:1.5 F5:.5 E5:1 D5:1 | C5:1 D5 E5 C5 | D5:.5 E5 F5 D5 E5:1.5 D5:.5 | C5:1 B4:1 C5:2";
inline constexpr std::string_view kDeckLastLine =
    "G5:1.5 F5:.5 E5:1 D5:1 | C5:1 D5 E5 C5 | A5:.5 A5 A5 A5 G5:1.5 F5:.5 | E5:1 D5:1 C5:2";
inline constexpr std::string_view kDeckFirstHarmony = "C:4 | C:2 Am:2 | G7:2 C:2 | F:1 G:1 C:2";
inline constexpr std::string_view kDeckLastHarmony = "C:4 | C:2 Am:2 | F:2 G7:2 | C:1 G:1 C:2";

// "O Tannenbaum" (German traditional), its first three notes and a pickup.
inline constexpr std::string_view kTannenbaumMotif = "G4:1 C5:.75 C5:.25 C5:1";

// "Good King Wenceslas" (the tune of "Tempus adest floridum", 1582), its
// second half.
inline constexpr std::string_view kWenceslasMoonLine =
    "G5:1 F5 E5 D5 | E5:1 D5:1 C5:2 | A4:1 G4 A4 B4 | C5:2 C5:2";
inline constexpr std::string_view kWenceslasRisingLine = "G4:1 G4 A4 B4 | C5:1 C5:1 D5:2";

// "Silent Night" (F. X. Gruber, 1818), three beats to a bar.
inline constexpr std::string_view kSilentNightFirstHalf =
    "G4:1.5 A4:.5 G4:1 | E4:3 | G4:1.5 A4:.5 G4:1 | E4:3 | D5:2 D5:1 | B4:3 | C5:2 C5:1 | G4:3 |"
    "A4:2 A4:1 | C5:1.5 B4:.5 A4:1 | G4:1.5 A4:.5 G4:1 | E4:3";
inline constexpr std::string_view kSilentNightSecondHalf =
    "A4:2 A4:1 | C5:1.5 B4:.5 A4:1 | G4:1.5 A4:.5 G4:1 | E4:3 |"
    "D5:2 D5:1 | F5:1.5 D5:.5 B4:1 | C5:3 | E5:3 | C5:1.5 G4:.5 E4:1 | G4:1.5 F4:.5 D4:1 | C4:6";
inline constexpr std::string_view kSilentNightFirstHarmony =
    "C:3 C:3 C:3 C:3 | G7:3 G7:3 C:3 C:3 | F:3 F:3 C:3 C:3";
inline constexpr std::string_view kSilentNightSecondHarmony =
    "F:3 F:3 C:3 C:3 | G7:3 G7:3 C:3 C:3 | C:3 G7:3 C:6";

} // namespace mkmusic::tune
