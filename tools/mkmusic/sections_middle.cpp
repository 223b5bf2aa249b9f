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
    // The logo drops in on the downbeat that resolves the sleigh ride; the
    // bells ring the show's motif over the line's last chord.
    b.phrase(kLogo, 0, kBrass, tune::kDeckFirstLine, 78);
    b.phrase(kLogo, 0, synth::kSawLead, tune::kDeckFirstLine, 92);
    b.phrase(kLogo, 0, kGlockenspiel, tune::kDeckFirstLine, 50, 12);
    b.phrase(kLogo, 14, kGlockenspiel, tune::kMotif, 70, 12, 1.4);
    b.phrase(kLogo, 14, kCelesta, tune::kMotif, 66, 0, 1.4);
    arpeggio(b, {kLogo, 0, kCelesta, 52}, tune::kDeckFirstHarmony, 0.5);
    arpeggio(b, {kLogo, 0, synth::kChipArp, 56, -12}, tune::kDeckFirstHarmony, 0.25);
    padChords(b, {kLogo, 0, kWarmPad, 66}, tune::kDeckFirstHarmony);
    padChords(b, {kLogo, 0, kStrings, 60}, tune::kDeckFirstHarmony);
    padChords(b, {kLogo, 0, kChoir, 60}, tune::kDeckFirstHarmony);
    bassLine(b, {kLogo, 0, kBass, 90}, tune::kDeckFirstHarmony, BassStyle::Eighths);
    bassLine(b, {kLogo, 0, synth::kChipBass, 68, 12}, tune::kDeckFirstHarmony, BassStyle::Polka);
    hit(b, kLogo, 0, drum::kCrash, 100);
    b.note(kLogo, 0, kTubularBells, 72, 4, 70);
    backbeatGroove(b, {kLogo, 0, 16}, 104);
    chipBeat(b, {kLogo, 0, 15}, 4, 84, false);
}

void writePlasma(ScoreBuilder& b) {
    // "Don we now": the pulse lead with the brass an octave below, bells
    // answering; then the closing line an octave up, the saw and the brass
    // with it, the arpeggios in sixteenths.
    b.phrase(kPlasma, 0, synth::kPulseLead, tune::kDeckThirdLine, 92);
    b.phrase(kPlasma, 0, kBrass, tune::kDeckThirdLine, 70, -12);
    arpeggio(b, {kPlasma, 0, kCelesta, 56}, tune::kDeckThirdHarmony, 0.5);
    b.phrase(kPlasma, 16, synth::kPulseLead, tune::kDeckLastLine, 90, 12);
    b.phrase(kPlasma, 16, synth::kSawLead, tune::kDeckLastLine, 86);
    b.phrase(kPlasma, 16, kBrass, tune::kDeckLastLine, 80);
    arpeggio(b, {kPlasma, 16, synth::kChipArp, 62, -12}, tune::kDeckLastHarmony, 0.25);
    const std::string carol =
        std::string(tune::kDeckThirdHarmony) + " " + std::string(tune::kDeckLastHarmony);
    padChords(b, {kPlasma, 0, kWarmPad, 64}, carol);
    padChords(b, {kPlasma, 0, kStrings, 56}, carol);
    bassLine(b, {kPlasma, 0, kBass, 100}, carol, BassStyle::Eighths);
    bassLine(b, {kPlasma, 0, synth::kChipBass, 88, 12}, carol, BassStyle::Eighths);
    hit(b, kPlasma, 0, drum::kCrash, 96);
    hit(b, kPlasma, 16, drum::kCrash, 100);
    backbeatGroove(b, {kPlasma, 0, 32}, 104);
    chipBeat(b, {kPlasma, 0, 16}, 4, 84, false);
    chipBeat(b, {kPlasma, 16, 31}, 4, 92, true);

    // An original bridge in A minor: the thin pulse in sixteenths, like the
    // plasma's colours running round.
    constexpr std::string_view kBridge = "Am:4 | F:4 | Dm:4 | G7:4";
    b.phrase(kPlasma, 32, synth::kPulseLead,
             "E5:1 A5 C6 B5 | A5:1.5 G5:.5 F5:2 | F5:1 A5 D6 C6 | B5:1 G5 F5 D5", 86);
    b.phrase(kPlasma, 32, kVibraphone,
             "C5:1 E5 A5 G5 | F5:1.5 E5:.5 C5:2 | D5:1 F5 A5 A5 | G5:1 D5 B4 G4", 70);
    arpeggio(b, {kPlasma, 32, synth::kChipArp, 66}, kBridge, 0.25);
    arpeggio(b, {kPlasma, 32, kMusicBox, 50}, kBridge, 0.5);
    padChords(b, {kPlasma, 32, kWarmPad, 70}, kBridge);
    padChords(b, {kPlasma, 32, kStrings, 64}, kBridge);
    bassLine(b, {kPlasma, 32, kBass, 98}, kBridge, BassStyle::Polka);
    hit(b, kPlasma, 32, drum::kCrash, 90);
    marchGroove(b, {kPlasma, 32, 46}, 94);
    chipBeat(b, {kPlasma, 32, 46}, 2, 90, true);
    snareFill(b, {kPlasma, 46, 48}, 50, 104);
}

void writeTree(ScoreBuilder& b) {
    // Everything stops on a bell struck with the cut; a music box plays the
    // opening of "O Tannenbaum".
    b.note(kTree, 0, kTubularBells, 72, 3, 96);
    b.note(kTree, 0, synth::kChipKit, drum::kKick, 1, 72);
    b.phrase(kTree, 0, kMusicBox, tune::kTannenbaumMotif, 80, 0, 1.3);
    b.phrase(kTree, 0, kCelesta, tune::kTannenbaumMotif, 50, 12, 1.3);
    b.note(kTree, 1, kTubularBells, 60, 2, 60);
    b.chord(kTree, 0, kWarmPad, "C3+G3+E4", 3, 58);
    b.note(kTree, 0, kSoftBass, 36, 3, 66);
}

} // namespace mkmusic
