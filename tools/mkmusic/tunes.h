// The traditional melodies of the medley, in C major, in the note notation.
// Each is split where the arrangement cuts it.
#pragma once

#include <string>
#include <string_view>

namespace mkmusic::tune {

// The show's own motif, the hook, in the rhythm of the letters' highlight
// (two short lights, the "o" held for two, two short, the last held into the
// dark), all on the five notes of C's pentatonic scale: a call that leaps up
// a fifth to the high third and falls back by steps to the sixth, and an
// answer that climbs by steps to the same height and settles on the tonic.
// It opens the letters, lands with the logo, crowns the warp and opens and
// closes the candles' loop.
inline constexpr std::string_view kMotif = "G5:.5 A5 E6:1 D6:.5 C6 A5:1";
inline constexpr std::string_view kMotifAnswer = "G5:.5 A5 C6:1 D6:.5 E6 C6:1";
inline constexpr std::string_view kMotifHarmony = "C:2 Am:2 | F:2 G:1 C:1";
// A line a third under the hook, in the scale, for a second voice.
inline constexpr std::string_view kMotifThirdBelow =
    "E5:.5 F5 C6:1 B5:.5 A5 F5:1 | E5:.5 F5 A5:1 B5:.5 C6 G5:1";
// In three, for the candles' waltz: a bar for each cell of three notes.
inline constexpr std::string_view kMotifInThree =
    "G5:.5 A5 E6:2 | D6:.5 C6 A5:2 | G5:.5 A5 C6:2 | D6:.5 E6 C6:2";

inline std::string wholeMotif() {
    return std::string(kMotif) + " " + std::string(kMotifAnswer);
}

// "Jingle Bells" (J. Pierpont, 1857), the refrain, two beats to a bar.
inline constexpr std::string_view kJingleRefrainOpening =
    "E5:.5 E5 E5:1 | E5:.5 E5 E5:1 | E5:.5 G5 C5:.75 D5:.25 | E5:2";
inline constexpr std::string_view kJingleRefrainHalfClose =
    "F5:.5 F5 F5:.75 F5:.25 | F5:.5 E5 E5 E5:.25 E5 | E5:.5 D5 D5 E5 | D5:1 G5:1";
// Without its last note, which falls on the next section's downbeat.
inline constexpr std::string_view kJingleRefrainFullClose =
    "F5:.5 F5 F5 F5 | F5:.5 E5 E5 E5:.25 E5 | G5:.5 G5 F5 D5";
inline constexpr std::string_view kJingleHarmonyHalf = "C:2 C:2 C:2 C:2 | F:2 C:2 D7:2 G:2";
inline constexpr std::string_view kJingleHarmonyClose = "C:2 C:2 C:2 C:2 | F:2 C:2 G7:2";

// "Jingle Bells", the verse ("Dashing through the snow"), two beats to a
// bar: its first eight bars, then seven more, without the last note, which
// falls on the next section's downbeat.
inline constexpr std::string_view kJingleVerseFirstHalf =
    "G4:.5 E5 D5 C5 | G4:1.5 G4:.25 G4 | G4:.5 E5 D5 C5 | A4:2 | A4:.5 F5 E5 D5 | B4:2 |"
    "G5:.5 G5 F5 D5 | E5:2";
inline constexpr std::string_view kJingleVerseSecondHalf =
    "G4:.5 E5 D5 C5 | G4:2 | G4:.5 E5 D5 C5 | A4:1.5 A4:.5 | A4:.5 F5 E5 D5 | G5:.5 G5 G5 G5 |"
    "A5:.5 G5 F5 D5";
inline constexpr std::string_view kJingleVerseFirstHarmony = "C:2 C:2 C:2 F:2 | F:2 G:2 G7:2 C:2";
inline constexpr std::string_view kJingleVerseSecondHarmony = "C:2 C:2 C:2 F:2 | F:2 G:2 G7:2";

// The refrain's harmony, both halves: thirty beats.
inline std::string jingleRefrainHarmony() {
    return std::string(kJingleHarmonyHalf) + " " + std::string(kJingleHarmonyClose);
}

// "Deck the Halls" (Welsh traditional), four beats to a bar.
inline constexpr std::string_view kDeckFirstLine =
    "G5:1.5 F5:.5 E5:1 D5:1 | C5:1 D5 E5 C5 | D5:.5 E5 F5 D5 E5:1.5 D5:.5 | C5:1 B4:1 C5:2";
// "Don we now our gay apparel", the line that turns to the dominant.
inline constexpr std::string_view kDeckThirdLineOpening =
    "D5:1.5 E5:.5 F5:1 D5:1 | E5:1.5 F5:.5 G5:1 D5:1 | E5:.5 F#5 G5:1 A5:.5 B5 C6:1";
inline constexpr std::string_view kDeckThirdLineCadence = "B5:1 A5:1 G5:2";
inline constexpr std::string_view kDeckLastLine =
    "G5:1.5 F5:.5 E5:1 D5:1 | C5:1 D5 E5 C5 | A5:.5 A5 A5 A5 G5:1.5 F5:.5 | E5:1 D5:1 C5:2";
inline constexpr std::string_view kDeckFirstHarmony = "C:4 | C:2 Am:2 | G7:2 C:2 | F:1 G:1 C:2";
inline constexpr std::string_view kDeckThirdHarmonyOpening = "G7:4 | C:2 G:2 | C:1 G:1 D7:2";
inline constexpr std::string_view kDeckThirdCadence = "G:1 D7:1 G:2";
inline constexpr std::string_view kDeckLastHarmony = "C:4 | C:2 Am:2 | F:2 G7:2 | C:1 G:1 C:2";

inline std::string deckThirdHarmony() {
    return std::string(kDeckThirdHarmonyOpening) + " | " + std::string(kDeckThirdCadence);
}

// "O Tannenbaum" (German traditional), its first three notes and a pickup.
inline constexpr std::string_view kTannenbaumMotif = "G4:1 C5:.75 C5:.25 C5:1";

// "Good King Wenceslas" (the tune of "Tempus adest floridum", 1582), its
// second half.
inline constexpr std::string_view kWenceslasMoonLine =
    "G5:1 F5 E5 D5 | E5:1 D5:1 C5:2 | A4:1 G4 A4 B4 | C5:2 C5:2";
inline constexpr std::string_view kWenceslasMoonHarmony =
    "C:1 G7:1 C:1 G:1 | C:1 G:1 C:2 | F:1 C:1 F:1 G:1 | C:4";
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
