// glibc's default generator (TYPE_3 of random_r.c): an additive lagged
// Fibonacci generator over 31 words, r[i] = r[i - 31] + r[i - 3] mod 2^32,
// whose output drops the lowest bit. srand fills the words with the
// Park-Miller "minimal standard" sequence from the seed and throws away the
// first 310 outputs.
#include "gfx/random.h"

namespace {

constexpr int kSeparation = 3; // distance between the two taps

} // namespace

void ShowRandom::srand(unsigned seed) {
    if (seed == 0) {
        seed = 1;
    }
    // NOTE: the seed is kept as a signed 32-bit word, as glibc stores it; a
    // seed over 2^31 - 1 starts from a negative word.
    int32_t word = (int32_t)seed;
    state_[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        // 16807 word mod (2^31 - 1) by Schrage's method, which never
        // overflows; C's division truncates toward zero, as glibc's does.
        const int64_t hi = word / 127773;
        const int64_t lo = word % 127773;
        word = (int32_t)(16807 * lo - 2836 * hi);
        if (word < 0) {
            word += 2147483647;
        }
        state_[i] = word;
    }
    front_ = kSeparation;
    rear_ = 0;
    for (int i = 0; i < 10 * kDegree; ++i) {
        rand();
    }
}

int ShowRandom::rand() {
    // NOTE: the sum wraps modulo 2^32, as glibc adds the words as unsigned.
    const uint32_t sum = (uint32_t)state_[front_] + (uint32_t)state_[rear_];
    state_[front_] = (int32_t)sum;
    front_ = (front_ + 1) % kDegree;
    rear_ = (rear_ + 1) % kDegree;
    return (int32_t)(sum >> 1);
}
