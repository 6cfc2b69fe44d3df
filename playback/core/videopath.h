#pragma once
// How the picture reaches the screen, chosen once when the program starts
// playback for the first time. Software: GStreamer converts and scales each
// frame on the CPU and the surface copies it. Gl: the decoded frame goes to the
// graphics card at its native size, which converts and scales it. The choice
// itself is plain logic here; the probe that makes a context lives in playback/qt.
#include <QString>

enum class VideoPath { Software, Gl };

// Whether an OpenGL renderer string names a rasterizer that runs on the CPU
// (Mesa's llvmpipe, softpipe, swrast; other software renderers): with one of
// those the GPU path would only move the work to another CPU thread.
bool IsSoftwareRenderer(const QString& renderer);

// The path to use. override is the KESTREL_VIDEO_PATH value ("gl", "software",
// or empty/anything else for automatic); contextMade tells whether an OpenGL
// context could be made, renderer its GL_RENDERER string. Automatic picks Gl on
// a hardware renderer only; "gl" takes any context (a software one too, so the
// tests can run that path under Xvfb); without a context it is always Software.
VideoPath ChooseVideoPath(const QString& override, bool contextMade, const QString& renderer);

// True when override forces the software path: then no context need be probed.
bool VideoPathForcedSoftware(const QString& override);
