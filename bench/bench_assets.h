// The show's assets, loaded once for the benchmarks: made ready for the fast
// kernels or left for the plain ones.
#pragma once

#include "scenes/show_assets.h"

const ShowAssets& benchAssets(Kernels kernels);
