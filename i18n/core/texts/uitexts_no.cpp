// UI texts in Norwegian (Bokmål) (language 17).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsNorwegian = makeUiTextRow({
    { 0, u"Om ..."},                                // About ...
    { 1, u"Hjelp"},                                 // Help
    { 2, u"Minimer"},                               // Minimize
    { 3, u"Avslutt"},                               // Exit
    { 4, u"Til starten av filen"},                  // Back to head of file
    { 5, u"Forrige bilde"},                         // Frame backward
    { 6, u"Spol tre sekunder tilbake"},             // Skip backward three seconds
    { 7, u"Stopp"},                                 // Stop
    { 8, u"Pause"},                                 // Pause
    { 9, u"Spill av"},                              // Play
    {10, u"Spol tre sekunder fram"},                // Skip forward three seconds
    {11, u"Neste bilde"},                           // Frame forward
    {12, u"Til slutten av filen"},                  // Jump to bottom of file
    {13, u"Åpne fil"},                              // Open file
    {14, u"Stillbilde"},                            // Snapshot
    {15, u"Skriv ut bilde"},                        // Print image
    {16, u"Konfigurasjon"},                         // Configuration
    {17, u"Last inn søkemappe"},                    // Load search directory
    {18, u"Åpne valgt video"},                      // Open selected video
    {19, u"Neste"},                                 // Next
    {20, u"Forrige"},                               // Previous
    {21, u"Neste opptak"},                          // Next record
    {22, u"Forrige opptak"},                        // Previous record
    {23, u"Informasjon"},                           // Information
    {24, u"Opptak"},                                // Record
    {25, u"Hendelse"},                              // Event
    {26, u"Er du sikker på at du vil avslutte?"},   // Are you sure to exit ?
    {27, u"Merknad"},                               // Notice
    {28, u"Oppløsning"},                            // Resolution
    {29, u"Opptak"},                                // Record
    {30, u"Forhåndsopptak:"},                       // Prerecord time:
    {31, u"Videolengde:"},                          // Video duration:
    {32, u"G-sensorfølsomhet"},                     // G-Sensor sensitivity
    {33, u"Tidssone:"},                             // Time zone:
    {34, u"X-akse:"},                               // X axis:
    {35, u"Y-akse:"},                               // Y axis:
    {36, u"Z-akse:"},                               // Z axis:
    {37, u"Still inn systemtid"},                   // Set up system time
    {38, u"Bruk"},                                  // Apply
    {39, u"Lukk"},                                  // Close
    {40, u"Nr."},                                   // No.
    {41, u"Filnavn"},                               // File name
    {42, u"Speilvendt bilde"},                      // Image mirror display
    {43, u"Ikke vis tidsstempel på videoen"},       // Do not display timestamp on the video
    {44, u"Vis tidsstempel på videoen"},            // Display timestamp on the video
    {45, u"Vis tidsstempel og versjon på videoen"}, // Display timestamp and version on the video
    {46, u"Vis bare tidsstempel på videoen"},       // Only display timestamp on the video
    {47, u"Visningstekst:"},                        // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Opptaksvarighet (sekunder)"},            // Recording Duration(seconds.)
    {50, u"Videofil"},                              // Video file
    {51, u"DVR og GPS-sporer for kjøretøy, versjon 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview-utviklerne. Alle rettigheter forbeholdt."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmentlengde:"},                        // Subsection Duration:
});
