#include "gfx/kernels.h"

bool useReferenceKernels = false;
