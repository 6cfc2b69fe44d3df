// UI texts in Croatian (language 13).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsCroatian = makeUiTextRow({
    { 0, u"O programu ..."},                        // About ...
    { 1, u"Pomoć"},                                 // Help
    { 2, u"Minimiziraj"},                           // Minimize
    { 3, u"Izlaz"},                                 // Exit
    { 4, u"Na početak datoteke"},                   // Back to head of file
    { 5, u"Kadar unatrag"},                         // Frame backward
    { 6, u"Tri sekunde unatrag"},                   // Skip backward three seconds
    { 7, u"Zaustavi"},                              // Stop
    { 8, u"Pauza"},                                 // Pause
    { 9, u"Reproduciraj"},                          // Play
    {10, u"Tri sekunde unaprijed"},                 // Skip forward three seconds
    {11, u"Kadar unaprijed"},                       // Frame forward
    {12, u"Na kraj datoteke"},                      // Jump to bottom of file
    {13, u"Otvori datoteku"},                       // Open file
    {14, u"Snimi kadar"},                           // Snapshot
    {15, u"Ispiši sliku"},                          // Print image
    {16, u"Konfiguracija"},                         // Configuration
    {17, u"Učitaj mapu za pretraživanje"},          // Load search directory
    {18, u"Otvori odabrani videozapis"},            // Open selected video
    {19, u"Sljedeći"},                              // Next
    {20, u"Prethodni"},                             // Previous
    {21, u"Sljedeća snimka"},                       // Next record
    {22, u"Prethodna snimka"},                      // Previous record
    {23, u"Informacije"},                           // Information
    {24, u"Snimka"},                                // Record
    {25, u"Događaj"},                               // Event
    {26, u"Jeste li sigurni da želite izaći?"},     // Are you sure to exit ?
    {27, u"Obavijest"},                             // Notice
    {28, u"Razlučivost"},                           // Resolution
    {29, u"Snimka"},                                // Record
    {30, u"Vrijeme predsnimanja:"},                 // Prerecord time:
    {31, u"Trajanje videozapisa:"},                 // Video duration:
    {32, u"Osjetljivost G-senzora"},                // G-Sensor sensitivity
    {33, u"Vremenska zona:"},                       // Time zone:
    {34, u"Os X:"},                                 // X axis:
    {35, u"Os Y:"},                                 // Y axis:
    {36, u"Os Z:"},                                 // Z axis:
    {37, u"Postavi vrijeme sustava"},               // Set up system time
    {38, u"Primijeni"},                             // Apply
    {39, u"Zatvori"},                               // Close
    {40, u"Br."},                                   // No.
    {41, u"Datoteka"},                              // File name
    {42, u"Zrcalna slika"},                         // Image mirror display
    {43, u"Ne prikazuj vremensku oznaku na videozapisu"}, // Do not display timestamp on the video
    {44, u"Prikaži vremensku oznaku na videozapisu"}, // Display timestamp on the video
    {45, u"Prikaži vremensku oznaku i verziju na videozapisu"}, // Display timestamp and version on the video
    {46, u"Prikaži samo vremensku oznaku na videozapisu"}, // Only display timestamp on the video
    {47, u"Prikazani tekst:"},                      // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Trajanje snimanja (sekunde)"},           // Recording Duration(seconds.)
    {50, u"Videodatoteka"},                         // Video file
    {51, u"DVR i GPS uređaj za praćenje vozila, verzija 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Razvojni tim Kestrelviewa. Sva prava pridržana."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Trajanje segmenta:"},                    // Subsection Duration:
});
