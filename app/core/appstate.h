#pragma once
// Program-wide playback values shared between the main window and the panels.
// All of them live on the user-interface thread; nothing else touches them.

// Native size of the video, stored at every start of playback; shown by the
// information panel.
inline int VideoWidth = 0;
inline int VideoHeight = 0;

// Position-slider value that the playback controller set last (0..1000). A
// slider value that differs from it on a display tick is a user seek.
inline int LastSliderPosition = 0;

// The video is shown full screen.
inline bool FullScreenActive = false;
