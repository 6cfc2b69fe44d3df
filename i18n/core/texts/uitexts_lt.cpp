// UI texts in Lithuanian (language 15).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsLithuanian = makeUiTextRow({
    { 0, u"Apie ..."},                              // About ...
    { 1, u"Žinynas"},                               // Help
    { 2, u"Sumažinti"},                             // Minimize
    { 3, u"Išeiti"},                                // Exit
    { 4, u"Į failo pradžią"},                       // Back to head of file
    { 5, u"Kadras atgal"},                          // Frame backward
    { 6, u"Trys sekundės atgal"},                   // Skip backward three seconds
    { 7, u"Stabdyti"},                              // Stop
    { 8, u"Pristabdyti"},                           // Pause
    { 9, u"Leisti"},                                // Play
    {10, u"Trys sekundės pirmyn"},                  // Skip forward three seconds
    {11, u"Kadras pirmyn"},                         // Frame forward
    {12, u"Į failo pabaigą"},                       // Jump to bottom of file
    {13, u"Atverti failą"},                         // Open file
    {14, u"Momentinė nuotrauka"},                   // Snapshot
    {15, u"Spausdinti vaizdą"},                     // Print image
    {16, u"Konfigūracija"},                         // Configuration
    {17, u"Įkelti paieškos aplanką"},               // Load search directory
    {18, u"Atverti pasirinktą vaizdo įrašą"},       // Open selected video
    {19, u"Kitas"},                                 // Next
    {20, u"Ankstesnis"},                            // Previous
    {21, u"Kitas įrašas"},                          // Next record
    {22, u"Ankstesnis įrašas"},                     // Previous record
    {23, u"Informacija"},                           // Information
    {24, u"Įrašas"},                                // Record
    {25, u"Įvykis"},                                // Event
    {26, u"Ar tikrai norite išeiti?"},              // Are you sure to exit ?
    {27, u"Pranešimas"},                            // Notice
    {28, u"Raiška"},                                // Resolution
    {29, u"Įrašas"},                                // Record
    {30, u"Išankstinis įrašymas:"},                 // Prerecord time:
    {31, u"Vaizdo įrašo trukmė:"},                  // Video duration:
    {32, u"G jutiklio jautrumas"},                  // G-Sensor sensitivity
    {33, u"Laiko juosta:"},                         // Time zone:
    {34, u"X ašis:"},                               // X axis:
    {35, u"Y ašis:"},                               // Y axis:
    {36, u"Z ašis:"},                               // Z axis:
    {37, u"Nustatyti sistemos laiką"},              // Set up system time
    {38, u"Taikyti"},                               // Apply
    {39, u"Uždaryti"},                              // Close
    {40, u"Nr."},                                   // No.
    {41, u"Failo vardas"},                          // File name
    {42, u"Veidrodinis vaizdas"},                   // Image mirror display
    {43, u"Nerodyti laiko žymos vaizdo įraše"},     // Do not display timestamp on the video
    {44, u"Rodyti laiko žymą vaizdo įraše"},        // Display timestamp on the video
    {45, u"Rodyti laiko žymą ir versiją vaizdo įraše"}, // Display timestamp and version on the video
    {46, u"Rodyti tik laiko žymą vaizdo įraše"},    // Only display timestamp on the video
    {47, u"Rodomas tekstas:"},                      // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Įrašymo trukmė (sekundėmis)"},           // Recording Duration(seconds.)
    {50, u"Vaizdo įrašo failas"},                   // Video file
    {51, u"Transporto priemonės DVR ir GPS sekiklis, versija 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Autorių teisės © 2026 Kestrelview kūrėjai. Visos teisės saugomos."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmento trukmė:"},                      // Subsection Duration:
});
