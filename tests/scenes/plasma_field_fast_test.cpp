#include "scenes/plasma_field.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Centres {
    int attx[3];
    int atty[3];
};

// The fast plasma reads one distance table throughout, as every show does.
void expectSameAsPlainLoop(const PlasmaDistances& distances, float b, const Centres& c) {
    std::vector<Uint8> fast(kPlasmaWidth * kPlasmaHeight, 0xee);
    std::vector<Uint8> plain(fast);
    drawPlasmaFieldFast(distances, fast.data(), b, c.attx, c.atty);
    drawPlasmaField(plain.data(), b, c.attx, c.atty);
    for (size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(fast[i], plain[i])
            << "x " << i % kPlasmaWidth << " y " << i / kPlasmaWidth << " b " << b;
    }
}

} // namespace

// Every phase of the table (negative ones give negative indexes near the
// centres), the circling centre at every place of its orbit.
TEST(PlasmaFieldFast, EqualsThePlainLoopForEveryPhaseAndOrbitPlace) {
    fillSintab();
    const PlasmaDistances distances;
    Centres c = {{0, 117, 503}, {0, 85, 463}};
    for (int frame = 0; frame < 64; frame += 3) {
        c.attx[0] = (int)(320 + 80 * sintab[(frame * 8) % 256]);
        c.atty[0] = (int)(220 + 80 * costab[(frame * 8) % 256]);
        expectSameAsPlainLoop(distances, sintab[(frame * 4) % 256], c);
    }
}

// Corners, the last rows below the plasma, centres that move between calls,
// and centres beyond the table's reach (left of the screen, below it).
TEST(PlasmaFieldFast, EqualsThePlainLoopForCentresAnywhereAndWhenTheyMove) {
    fillSintab();
    const Centres cases[] = {
        {{320, 0, 639}, {300, 0, 479}},
        {{320, 639, 0}, {300, 439, 440}},
        {{399, 1, 638}, {219, 478, 1}},
        {{320, -7, 100}, {300, 10, 480}},
    };
    const PlasmaDistances distances;
    for (const Centres& c : cases) {
        expectSameAsPlainLoop(distances, sintab[192], c);
        expectSameAsPlainLoop(distances, sintab[64], c);
    }
    ShowRandom random(11);
    for (int trial = 0; trial < 4; ++trial) {
        Centres c = {{320, random.rand() % 640, random.rand() % 640},
                     {300, random.rand() % 480, random.rand() % 480}};
        expectSameAsPlainLoop(distances, sintab[random.rand() % 256], c);
    }
}
