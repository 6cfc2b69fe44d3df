#pragma once
// VideoPathProbe: finds out once per process which way the picture goes
// (KESTREL_VIDEO_PATH, then whether a hardware OpenGL context can be made).
// Making the first context loads the graphics driver, which takes hundreds of
// milliseconds with Mesa's llvmpipe: start() makes it on a worker thread while
// the window is being built, and path() waits for that answer (or probes
// there and then if start() was never called). UI thread only.
#include "videopath.h"

class VideoPathProbe {
public:
    static void start();
    static VideoPath path();
};
