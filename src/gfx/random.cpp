// glibc's default generator (TYPE_3 of random_r.c): an additive lagged
// Fibonacci generator over 31 words, r[i] = r[i - 31] + r[i - 3] mod 2^32,
// whose output drops the lowest bit. srand fills the words with the
// Park-Miller "minimal standard" sequence from the seed and throws away the
// first 310 outputs.
#include "gfx/random.h"

#include <cstdint>

namespace {

constexpr int kDegree = 31;    // words of state
constexpr int kSeparation = 3; // distance between the two taps

struct Generator {
    int32_t state[kDegree];
    int front; // the word that receives the sum
    int rear;  // the word added to it
};

Generator generator;
bool seeded = false;

int32_t nextOutput(Generator& g) {
    // NOTE: the sum wraps modulo 2^32, as glibc adds the words as unsigned.
    const uint32_t sum = (uint32_t)g.state[g.front] + (uint32_t)g.state[g.rear];
    g.state[g.front] = (int32_t)sum;
    g.front = (g.front + 1) % kDegree;
    g.rear = (g.rear + 1) % kDegree;
    return (int32_t)(sum >> 1);
}

} // namespace

void showSrand(unsigned seed) {
    if (seed == 0) {
        seed = 1;
    }
    // NOTE: the seed is kept as a signed 32-bit word, as glibc stores it; a
    // seed over 2^31 - 1 starts from a negative word.
    int32_t word = (int32_t)seed;
    generator.state[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        // 16807 word mod (2^31 - 1) by Schrage's method, which never
        // overflows; C's division truncates toward zero, as glibc's does.
        const int64_t hi = word / 127773;
        const int64_t lo = word % 127773;
        word = (int32_t)(16807 * lo - 2836 * hi);
        if (word < 0) {
            word += 2147483647;
        }
        generator.state[i] = word;
    }
    generator.front = kSeparation;
    generator.rear = 0;
    for (int i = 0; i < 10 * kDegree; ++i) {
        nextOutput(generator);
    }
    seeded = true;
}

int showRand() {
    if (!seeded) {
        showSrand(1);
    }
    return nextOutput(generator);
}
