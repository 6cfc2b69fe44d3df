// UI texts in Estonian (language 4).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsEstonian = makeUiTextRow({
    { 0, u"Teave ..."},                             // About ...
    { 1, u"Abi"},                                   // Help
    { 2, u"Minimeeri"},                             // Minimize
    { 3, u"Välju"},                                 // Exit
    { 4, u"Faili algusesse"},                       // Back to head of file
    { 5, u"Kaader tagasi"},                         // Frame backward
    { 6, u"Kolm sekundit tagasi"},                  // Skip backward three seconds
    { 7, u"Stopp"},                                 // Stop
    { 8, u"Paus"},                                  // Pause
    { 9, u"Esita"},                                 // Play
    {10, u"Kolm sekundit edasi"},                   // Skip forward three seconds
    {11, u"Kaader edasi"},                          // Frame forward
    {12, u"Faili lõppu"},                           // Jump to bottom of file
    {13, u"Ava fail"},                              // Open file
    {14, u"Hetktõmmis"},                            // Snapshot
    {15, u"Prindi pilt"},                           // Print image
    {16, u"Seadistused"},                           // Configuration
    {17, u"Laadi otsingukaust"},                    // Load search directory
    {18, u"Ava valitud video"},                     // Open selected video
    {19, u"Järgmine"},                              // Next
    {20, u"Eelmine"},                               // Previous
    {21, u"Järgmine salvestis"},                    // Next record
    {22, u"Eelmine salvestis"},                     // Previous record
    {23, u"Teave"},                                 // Information
    {24, u"Salvestis"},                             // Record
    {25, u"Sündmus"},                               // Event
    {26, u"Kas soovite kindlasti väljuda?"},        // Are you sure to exit ?
    {27, u"Teade"},                                 // Notice
    {28, u"Eraldusvõime"},                          // Resolution
    {29, u"Salvestis"},                             // Record
    {30, u"Eelsalvestuse aeg:"},                    // Prerecord time:
    {31, u"Video kestus:"},                         // Video duration:
    {32, u"G-anduri tundlikkus"},                   // G-Sensor sensitivity
    {33, u"Ajavöönd:"},                             // Time zone:
    {34, u"X-telg:"},                               // X axis:
    {35, u"Y-telg:"},                               // Y axis:
    {36, u"Z-telg:"},                               // Z axis:
    {37, u"Määra süsteemi kellaaeg"},               // Set up system time
    {38, u"Rakenda"},                               // Apply
    {39, u"Sulge"},                                 // Close
    {40, u"Nr"},                                    // No.
    {41, u"Failinimi"},                             // File name
    {42, u"Pildi peegeldamine"},                    // Image mirror display
    {43, u"Ära kuva videol ajatemplit"},            // Do not display timestamp on the video
    {44, u"Kuva videol ajatempel"},                 // Display timestamp on the video
    {45, u"Kuva videol ajatempel ja versioon"},     // Display timestamp and version on the video
    {46, u"Kuva videol ainult ajatempel"},          // Only display timestamp on the video
    {47, u"Kuvatav tekst:"},                        // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Salvestuse kestus (sekundites)"},        // Recording Duration(seconds.)
    {50, u"Videofail"},                             // Video file
    {51, u"Sõiduki DVR ja GPS-jälgija, versioon 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Autoriõigus © 2026 Kestrelview arendajad. Kõik õigused kaitstud."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Lõigu kestus:"},                         // Subsection Duration:
});
