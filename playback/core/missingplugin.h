#pragma once
// What to tell a user whose recording needs a GStreamer part that is not
// installed: the Debian package that brings it, and whether this part was
// already reported (one message per missing part and run, not one per file).
// UI thread only.

#include <QString>

// The Debian package for GStreamer's installer detail of a missing part
// ("gstreamer|1.0|app|H.265 decoder|decoder-video/x-h265, profile=main", or
// just its last field). The decoders of camera video and audio (H.264, H.265,
// WMV, AAC, ...) are gstreamer1.0-libav; the demuxers come from the plugin
// set that holds them; anything else gives gstreamer1.0-libav, where most
// decoders live.
QString DebianPackageForMissingPlugin(const QString& installerDetail);

// True the first time it sees the part named by `installerDetail` (its kind
// and media type; the caps' fields do not count), false after.
bool FirstReportOfMissingPlugin(const QString& installerDetail);
