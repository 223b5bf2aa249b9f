#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Field = std::vector<Uint8>;

Field plainField(float b, const int attx[3], const int atty[3]) {
    Field field(kPlasmaWidth * kPlasmaHeight);
    drawPlasmaField(field.data(), b, attx, atty);
    return field;
}

} // namespace

// Two turns of the cycle as the scene plays them: the second turn is copied,
// and must still be the plain loop's bytes. Without the cycle's memory every
// frame is drawn, to the same bytes.
TEST(PlasmaCycle, EveryFrameOfTwoTurnsIsThePlainField) {
    fillSintab();
    const PlasmaDistances distances;
    PlasmaCache cache;
    cache.reserve();
    ASSERT_NE(cache.fields, nullptr);
    PlasmaCache none;
    int attx[3] = {0, 600, 12};
    int atty[3] = {0, 470, 3};
    Field pixels(kPlasmaWidth * kPlasmaHeight);
    Field drawn(kPlasmaWidth * kPlasmaHeight);
    for (unsigned frame = 4000; frame < 4000 + 2 * kPlasmaCycle; frame += 5) {
        attx[0] = (int)(320 + 80 * sintab[(frame * 8) % 256]);
        atty[0] = (int)(220 + 80 * costab[(frame * 8) % 256]);
        const float b = sintab[(frame * 4) % 256];
        drawPlasmaFieldCycled(cache, distances, pixels.data(), frame % kPlasmaCycle, b, attx, atty);
        ASSERT_EQ(pixels, plainField(b, attx, atty)) << frame;
        drawPlasmaFieldCycled(none, distances, drawn.data(), frame % kPlasmaCycle, b, attx, atty);
        ASSERT_EQ(drawn, pixels) << frame;
    }
    EXPECT_EQ(none.fields, nullptr);
}

// A slot is reused only for the very inputs it was drawn for.
TEST(PlasmaCycle, OtherInputsInTheSameSlotAreDrawnAfresh) {
    fillSintab();
    const PlasmaDistances distances;
    int attx[3] = {320, 100, 200};
    int atty[3] = {300, 50, 60};
    Field pixels(kPlasmaWidth * kPlasmaHeight);
    PlasmaCache cache;
    cache.reserve();
    drawPlasmaFieldCycled(cache, distances, pixels.data(), 7, 0.5f, attx, atty);
    attx[2] = 201;
    drawPlasmaFieldCycled(cache, distances, pixels.data(), 7, 0.5f, attx, atty);
    EXPECT_EQ(pixels, plainField(0.5f, attx, atty));
    drawPlasmaFieldCycled(cache, distances, pixels.data(), 7 + kPlasmaCycle, -0.25f, attx, atty);
    EXPECT_EQ(pixels, plainField(-0.25f, attx, atty));
}
