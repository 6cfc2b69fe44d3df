#pragma once
// One decoded frame of a recording as an image, for the clip report. Decodes with its own
// short-lived GStreamer pipeline on the caller's thread; nothing is shared with the player.

#include <QImage>

#include <string>

class FrameGrabber {
public:
    // The frame shown at `seconds` into source (an accurate seek), scaled to at most maxWidth
    // pixels wide. A null image, with one sentence in *error, when the source has no video
    // that decodes.
    static QImage Grab(const std::string& source, double seconds, int maxWidth, std::string* error);
};
