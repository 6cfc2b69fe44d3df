#pragma once
// A repair for the ASF files asfmux writes. Its last data packet is shorter than the fixed packet
// size; asfmux writes that packet's length field as the bytes used AND a padding length for the
// rest. ASF readers disagree on such a packet: GStreamer takes the padding as given, ffmpeg
// adds the shortfall to the padding again, finds the packet inconsistent and drops its frames
// (the clip's last few tenths of a second). Writing the full packet size into the length field
// makes both readers agree. Plain file I/O, no GStreamer.

#include <string>

// Rewrites, in place, the length field of every data packet of the ASF file at path whose
// explicit length and padding add up to the packet size. Returns the number of packets changed,
// or -1 when the file is not an ASF file this repair understands (it is then left as it was).
int NormalizeAsfPacketLengths(const std::string& path);
