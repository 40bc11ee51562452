#pragma once
// The converter's deinterlacer: the bottom field of every line pair is
// rebuilt from its neighbours with the five-tap blend (-1 4 2 4 -1) / 8,
// the top field is kept. FFmpeg no longer offers one, and a filter graph
// would not write into the hook buffer the way the hooks expect.

#include "engine/loader/FFUtils.h"

namespace engine {

// Deinterlaces ASrc into ADst (same format and size; the two may be one
// picture). Planar YUV 4:2:0, 4:2:2, 4:4:4, 4:1:1 and grey pictures whose
// width and height are multiples of 4 only: anything else answers -1 and
// leaves ADst alone. 0 on success.
int DeinterlacePicture(const TAVPicture& ADst, const TAVPicture& ASrc, AVPixelFormat APixFmt, int AWidth,
                       int AHeight);

} // namespace engine
