// The logo, the plasma and the tree: "Deck the Halls" with the band, a
// minor-key bridge of bells, and a breath for the tree.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "synth.h"
#include "timeline.h"
#include "tunes.h"

namespace mkmusic {

using namespace channel;

void writeLogo(ScoreBuilder& b) {
    // The logo drops in with the hook, over a band held low so that it stands
    // out; then the hook again with the band at full strength, the saw lead
    // below it in thirds, and a fill into the plasma.
    const std::string harmony =
        std::string(tune::kMotifHarmony) + " | " + std::string(tune::kMotifHarmony);
    b.phrase(kLogo, 0, synth::kHook, tune::wholeMotif(), 104, 0, 0.92);
    b.statement("logo", kLogo, 0, 8, true);
    b.phrase(kLogo, 8, synth::kHook, tune::wholeMotif(), 96, 0, 0.92);
    b.phrase(kLogo, 8, synth::kSawLead, tune::kMotifThirdBelow, 78);
    b.phrase(kLogo, 8, kGlockenspiel, tune::wholeMotif(), 44, 12);
    arpeggio(b, {kLogo, 0, kCelesta, 40}, harmony, 0.5);
    arpeggio(b, {kLogo, 8, synth::kChipArp, 50, -12}, std::string(tune::kMotifHarmony), 0.25);
    padChords(b, {kLogo, 0, kWarmPad, 58}, harmony);
    padChords(b, {kLogo, 8, kStrings, 56}, std::string(tune::kMotifHarmony));
    barStabs(b, {kLogo, 0, kPizzicato, 90}, harmony, 4);
    padChords(b, {kLogo, 0, kBrass, 50, -12}, harmony);
    bassLine(b, {kLogo, 0, kBass, 90}, harmony, BassStyle::Eighths);
    bassLine(b, {kLogo, 8, synth::kChipBass, 68, 12}, std::string(tune::kMotifHarmony),
             BassStyle::Polka);
    hit(b, kLogo, 0, drum::kCrash, 100);
    b.note(kLogo, 0, kTubularBells, 72, 4, 60);
    hit(b, kLogo, 8, drum::kCrash, 90);
    for (int beat = 0; beat < 8; beat += 4) {
        hit(b, kLogo, beat, drum::kKick, 100);
        hit(b, kLogo, beat + 2, drum::kKick, 80);
    }
    backbeatGroove(b, {kLogo, 8, 12}, 104);
    chipBeat(b, {kLogo, 8, 12}, 4, 84, false);
    snareBuild(b, {kLogo, 12, 16}, 40, 100);
    tomFill(b, {kLogo, 15, 16}, 96);
}

void writePlasma(ScoreBuilder& b) {
    // "Don we now": the pulse lead with the brass an octave below, bells
    // answering; its last bar a break for the top end, the soft lead on the
    // tune over kicks alone. Then the closing line an octave up, the saw and
    // the brass with it, the arpeggios in sixteenths.
    constexpr double kBreak = 12;
    b.phrase(kPlasma, 0, synth::kPulseLead, tune::kDeckThirdLineOpening, 92);
    b.phrase(kPlasma, kBreak, synth::kSoftLead, tune::kDeckThirdLineCadence, 96);
    b.phrase(kPlasma, 0, kBrass, tune::kDeckThirdLineOpening, 70, -12);
    b.phrase(kPlasma, kBreak, kBrass, tune::kDeckThirdLineCadence, 70, -12);
    arpeggio(b, {kPlasma, 0, kCelesta, 56}, tune::kDeckThirdHarmonyOpening, 0.5);
    b.phrase(kPlasma, 16, synth::kPulseLead, tune::kDeckLastLine, 90, 12);
    b.phrase(kPlasma, 16, synth::kSawLead, tune::kDeckLastLine, 86);
    b.phrase(kPlasma, 16, kBrass, tune::kDeckLastLine, 80);
    arpeggio(b, {kPlasma, 16, synth::kChipArp, 62, -12}, tune::kDeckLastHarmony, 0.25);
    const std::string carol = tune::deckThirdHarmony() + " " + std::string(tune::kDeckLastHarmony);
    padChords(b, {kPlasma, 0, kWarmPad, 64}, carol);
    padChords(b, {kPlasma, 0, kStrings, 56}, carol);
    barStabs(b, {kPlasma, 0, kPizzicato, 90}, carol, 4);
    bassLine(b, {kPlasma, 0, kBass, 100}, carol, BassStyle::Eighths);
    bassLine(b, {kPlasma, 0, synth::kChipBass, 88, 12}, carol, BassStyle::Eighths);
    hit(b, kPlasma, 0, drum::kCrash, 96);
    hit(b, kPlasma, 16, drum::kCrash, 100);
    backbeatGroove(b, {kPlasma, 0, kBreak}, 104);
    chipBeat(b, {kPlasma, 0, kBreak}, 4, 84, false);
    for (double beat : {kBreak, kBreak + 2, kBreak + 3, kBreak + 3.5})
        hit(b, kPlasma, beat, drum::kKick, 100);
    backbeatGroove(b, {kPlasma, 16, 32}, 104);
    chipBeat(b, {kPlasma, 16, 31}, 4, 92, true);

    // An original bridge in A minor: the thin pulse in sixteenths, like the
    // plasma's colours running round, and our bell's counter-melody.
    constexpr std::string_view kBridge = "Am:4 | F:4 | Dm:4 | G7:4";
    b.phrase(kPlasma, 32, synth::kPulseLead,
             "E5:1 A5 C6 B5 | A5:1.5 G5:.5 F5:2 | F5:1 A5 D6 C6 | B5:1 G5 F5 D5", 86);
    constexpr std::string_view kCounter =
        "C5:1 E5 A5 G5 | F5:1.5 E5:.5 C5:2 | D5:1 F5 A5 A5 | G5:1 D5 B4 G4";
    b.phrase(kPlasma, 32, synth::kBell, kCounter, 84);
    b.phrase(kPlasma, 32, kVibraphone, kCounter, 50);
    arpeggio(b, {kPlasma, 32, synth::kChipArp, 66}, kBridge, 0.25);
    arpeggio(b, {kPlasma, 32, kMusicBox, 50}, kBridge, 0.5);
    padChords(b, {kPlasma, 32, kWarmPad, 70}, kBridge);
    padChords(b, {kPlasma, 32, kStrings, 64}, kBridge);
    bassLine(b, {kPlasma, 32, kBass, 98}, kBridge, BassStyle::Polka);
    barStabs(b, {kPlasma, 32, kPizzicato, 90}, kBridge, 4);
    hit(b, kPlasma, 32, drum::kCrash, 90);
    marchGroove(b, {kPlasma, 32, 44}, 94);
    chipBeat(b, {kPlasma, 32, 44}, 2, 90, false);
    snareBuild(b, {kPlasma, 44, 48}, 44, 104);
    tomFill(b, {kPlasma, 46, 47}, 96);
}

void writeTree(ScoreBuilder& b) {
    // Everything stops on our bell struck with the cut; it plays the opening
    // of "O Tannenbaum", a music box under it, and runs up into the moon's G.
    b.chord(kTree, 0, synth::kBell, "C5+G5+C6", 3, 120);
    b.note(kTree, 0, synth::kChipKit, drum::kKick, 1, 90);
    hit(b, kTree, 0, drum::kKick, 96);
    b.phrase(kTree, 0, synth::kBell, "G4:1 C5:.75 C5:.25 C5:.25 D5 E5 F#5", 76, 12, 1.3);
    b.phrase(kTree, 0, kMusicBox, tune::kTannenbaumMotif, 44, 0, 1.3);
    b.phrase(kTree, 0, kCelesta, tune::kTannenbaumMotif, 56, 24, 1.3);
    b.chord(kTree, 0, kWarmPad, "C3+G3+E4", 3, 58);
    b.note(kTree, 0, kSoftBass, 36, 3, 66);
}

} // namespace mkmusic
