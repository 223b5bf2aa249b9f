// The show's random numbers: glibc's rand() and srand(), written out so that
// every build draws the same sequence, whatever its C library (musl's rand()
// in WebAssembly is another generator). Each show owns one generator, and
// its scenes call rand() on it wherever the show says rand(); the order of
// the calls is part of every frame.
#pragma once

#include <cstdint>

class ShowRandom {
  public:
    // The sequence of srand(seed); seed 1, as in glibc, when none is given.
    explicit ShowRandom(unsigned seed = 1) { srand(seed); }

    // Restarts the sequence, as srand(seed) does.
    void srand(unsigned seed);

    // The next number, 0 ... 2^31 - 1, as rand() gives it.
    int rand();

  private:
    static constexpr int kDegree = 31; // words of state
    int32_t state_[kDegree] = {};
    int front_ = 0; // the word that receives the sum
    int rear_ = 0;  // the word added to it
};
