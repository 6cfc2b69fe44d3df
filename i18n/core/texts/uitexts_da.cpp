// UI texts in Danish (language 8).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsDanish = makeUiTextRow({
    { 0, u"Om ..."},                                // About ...
    { 1, u"Hjælp"},                                 // Help
    { 2, u"Minimer"},                               // Minimize
    { 3, u"Afslut"},                                // Exit
    { 4, u"Til starten af filen"},                  // Back to head of file
    { 5, u"Forrige billede"},                       // Frame backward
    { 6, u"Spol tre sekunder tilbage"},             // Skip backward three seconds
    { 7, u"Stop"},                                  // Stop
    { 8, u"Pause"},                                 // Pause
    { 9, u"Afspil"},                                // Play
    {10, u"Spol tre sekunder frem"},                // Skip forward three seconds
    {11, u"Næste billede"},                         // Frame forward
    {12, u"Til slutningen af filen"},               // Jump to bottom of file
    {13, u"Åbn fil"},                               // Open file
    {14, u"Øjebliksbillede"},                       // Snapshot
    {15, u"Udskriv billede"},                       // Print image
    {16, u"Konfiguration"},                         // Configuration
    {17, u"Indlæs søgemappe"},                      // Load search directory
    {18, u"Åbn valgt video"},                       // Open selected video
    {19, u"Næste"},                                 // Next
    {20, u"Forrige"},                               // Previous
    {21, u"Næste optagelse"},                       // Next record
    {22, u"Forrige optagelse"},                     // Previous record
    {23, u"Oplysninger"},                           // Information
    {24, u"Optagelse"},                             // Record
    {25, u"Hændelse"},                              // Event
    {26, u"Er du sikker på, at du vil afslutte?"},  // Are you sure to exit ?
    {27, u"Bemærk"},                                // Notice
    {28, u"Opløsning"},                             // Resolution
    {29, u"Optagelse"},                             // Record
    {30, u"Forudoptagelse:"},                       // Prerecord time:
    {31, u"Videolængde:"},                          // Video duration:
    {32, u"G-sensorfølsomhed"},                     // G-Sensor sensitivity
    {33, u"Tidszone:"},                             // Time zone:
    {34, u"X-akse:"},                               // X axis:
    {35, u"Y-akse:"},                               // Y axis:
    {36, u"Z-akse:"},                               // Z axis:
    {37, u"Indstil systemtid"},                     // Set up system time
    {38, u"Anvend"},                                // Apply
    {39, u"Luk"},                                   // Close
    {40, u"Nr."},                                   // No.
    {41, u"Filnavn"},                               // File name
    {42, u"Spejlvendt billede"},                    // Image mirror display
    {43, u"Vis ikke tidsstempel på videoen"},       // Do not display timestamp on the video
    {44, u"Vis tidsstempel på videoen"},            // Display timestamp on the video
    {45, u"Vis tidsstempel og version på videoen"}, // Display timestamp and version on the video
    {46, u"Vis kun tidsstempel på videoen"},        // Only display timestamp on the video
    {47, u"Visningstekst:"},                        // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Optagelsens varighed (sekunder)"},       // Recording Duration(seconds.)
    {50, u"Videofil"},                              // Video file
    {51, u"DVR og GPS-tracker til køretøjer, version 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview-udviklerne. Alle rettigheder forbeholdes."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmentlængde:"},                        // Subsection Duration:
});
