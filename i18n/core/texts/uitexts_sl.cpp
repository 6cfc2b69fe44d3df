// UI texts in Slovenian (language 22).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsSlovenian = makeUiTextRow({
    { 0, u"O programu ..."},                        // About ...
    { 1, u"Pomoč"},                                 // Help
    { 2, u"Pomanjšaj"},                             // Minimize
    { 3, u"Izhod"},                                 // Exit
    { 4, u"Na začetek datoteke"},                   // Back to head of file
    { 5, u"Sličica nazaj"},                         // Frame backward
    { 6, u"Tri sekunde nazaj"},                     // Skip backward three seconds
    { 7, u"Ustavi"},                                // Stop
    { 8, u"Premor"},                                // Pause
    { 9, u"Predvajaj"},                             // Play
    {10, u"Tri sekunde naprej"},                    // Skip forward three seconds
    {11, u"Sličica naprej"},                        // Frame forward
    {12, u"Na konec datoteke"},                     // Jump to bottom of file
    {13, u"Odpri datoteko"},                        // Open file
    {14, u"Zajemi sličico"},                        // Snapshot
    {15, u"Natisni sliko"},                         // Print image
    {16, u"Nastavitve"},                            // Configuration
    {17, u"Naloži mapo za iskanje"},                // Load search directory
    {18, u"Odpri izbrani videoposnetek"},           // Open selected video
    {19, u"Naslednji"},                             // Next
    {20, u"Prejšnji"},                              // Previous
    {21, u"Naslednji posnetek"},                    // Next record
    {22, u"Prejšnji posnetek"},                     // Previous record
    {23, u"Informacije"},                           // Information
    {24, u"Posnetek"},                              // Record
    {25, u"Dogodek"},                               // Event
    {26, u"Ali res želite končati?"},               // Are you sure to exit ?
    {27, u"Obvestilo"},                             // Notice
    {28, u"Ločljivost"},                            // Resolution
    {29, u"Posnetek"},                              // Record
    {30, u"Čas predsnemanja:"},                     // Prerecord time:
    {31, u"Dolžina videoposnetka:"},                // Video duration:
    {32, u"Občutljivost senzorja G"},               // G-Sensor sensitivity
    {33, u"Časovni pas:"},                          // Time zone:
    {34, u"Os X:"},                                 // X axis:
    {35, u"Os Y:"},                                 // Y axis:
    {36, u"Os Z:"},                                 // Z axis:
    {37, u"Nastavi sistemski čas"},                 // Set up system time
    {38, u"Uporabi"},                               // Apply
    {39, u"Zapri"},                                 // Close
    {40, u"Št."},                                   // No.
    {41, u"Ime datoteke"},                          // File name
    {42, u"Zrcalna slika"},                         // Image mirror display
    {43, u"Ne prikaži časovnega žiga na videoposnetku"}, // Do not display timestamp on the video
    {44, u"Prikaži časovni žig na videoposnetku"},  // Display timestamp on the video
    {45, u"Prikaži časovni žig in različico na videoposnetku"}, // Display timestamp and version on the video
    {46, u"Prikaži samo časovni žig na videoposnetku"}, // Only display timestamp on the video
    {47, u"Prikazano besedilo:"},                   // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Trajanje snemanja (sekunde)"},           // Recording Duration(seconds.)
    {50, u"Videodatoteka"},                         // Video file
    {51, u"DVR in sledilnik GPS za vozila, različica 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Razvijalci Kestrelview. Vse pravice pridržane."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Dolžina segmenta:"},                     // Subsection Duration:
});
