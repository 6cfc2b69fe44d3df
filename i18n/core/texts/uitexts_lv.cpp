// UI texts in Latvian (language 14).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsLatvian = makeUiTextRow({
    { 0, u"Par ..."},                               // About ...
    { 1, u"Palīdzība"},                             // Help
    { 2, u"Minimizēt"},                             // Minimize
    { 3, u"Iziet"},                                 // Exit
    { 4, u"Uz faila sākumu"},                       // Back to head of file
    { 5, u"Kadrs atpakaļ"},                         // Frame backward
    { 6, u"Trīs sekundes atpakaļ"},                 // Skip backward three seconds
    { 7, u"Apturēt"},                               // Stop
    { 8, u"Pauze"},                                 // Pause
    { 9, u"Atskaņot"},                              // Play
    {10, u"Trīs sekundes uz priekšu"},              // Skip forward three seconds
    {11, u"Kadrs uz priekšu"},                      // Frame forward
    {12, u"Uz faila beigām"},                       // Jump to bottom of file
    {13, u"Atvērt failu"},                          // Open file
    {14, u"Momentuzņēmums"},                        // Snapshot
    {15, u"Drukāt attēlu"},                         // Print image
    {16, u"Konfigurācija"},                         // Configuration
    {17, u"Ielādēt meklēšanas mapi"},               // Load search directory
    {18, u"Atvērt atlasīto video"},                 // Open selected video
    {19, u"Nākamais"},                              // Next
    {20, u"Iepriekšējais"},                         // Previous
    {21, u"Nākamais ieraksts"},                     // Next record
    {22, u"Iepriekšējais ieraksts"},                // Previous record
    {23, u"Informācija"},                           // Information
    {24, u"Ieraksts"},                              // Record
    {25, u"Notikums"},                              // Event
    {26, u"Vai tiešām vēlaties iziet?"},            // Are you sure to exit ?
    {27, u"Paziņojums"},                            // Notice
    {28, u"Izšķirtspēja"},                          // Resolution
    {29, u"Ieraksts"},                              // Record
    {30, u"Priekšieraksta laiks:"},                 // Prerecord time:
    {31, u"Video ilgums:"},                         // Video duration:
    {32, u"G sensora jutība"},                      // G-Sensor sensitivity
    {33, u"Laika josla:"},                          // Time zone:
    {34, u"X ass:"},                                // X axis:
    {35, u"Y ass:"},                                // Y axis:
    {36, u"Z ass:"},                                // Z axis:
    {37, u"Iestatīt sistēmas laiku"},               // Set up system time
    {38, u"Lietot"},                                // Apply
    {39, u"Aizvērt"},                               // Close
    {40, u"Nr."},                                   // No.
    {41, u"Fails"},                                 // File name
    {42, u"Spoguļattēls"},                          // Image mirror display
    {43, u"Nerādīt laikspiedolu videoierakstā"},    // Do not display timestamp on the video
    {44, u"Rādīt laikspiedolu videoierakstā"},      // Display timestamp on the video
    {45, u"Rādīt laikspiedolu un versiju videoierakstā"}, // Display timestamp and version on the video
    {46, u"Rādīt tikai laikspiedolu videoierakstā"}, // Only display timestamp on the video
    {47, u"Parādāmais teksts:"},                    // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Ieraksta ilgums (sekundes)"},            // Recording Duration(seconds.)
    {50, u"Video fails"},                           // Video file
    {51, u"Transportlīdzekļa DVR un GPS izsekotājs, versija 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Autortiesības © 2026 Kestrelview izstrādātāji. Visas tiesības aizsargātas."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmenta ilgums:"},                      // Subsection Duration:
});
