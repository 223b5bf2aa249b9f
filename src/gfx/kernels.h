// The hot drawing kernels come in two versions that draw the very same
// pixels: the fast ones the show runs, and the plain loops they are checked
// and benchmarked against. This switch picks the plain loops everywhere, so a
// whole show can be rendered both ways and compared frame by frame.
#pragma once

// False by default. Set it before the first frame: sprites prepared for fast
// blitting at load time stay as loaded while it is set.
extern bool useReferenceKernels;
