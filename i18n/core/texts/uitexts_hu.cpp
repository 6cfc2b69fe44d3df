// UI texts in Hungarian (language 6).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsHungarian = makeUiTextRow({
    { 0, u"Névjegy ..."},                           // About ...
    { 1, u"Súgó"},                                  // Help
    { 2, u"Kis méret"},                             // Minimize
    { 3, u"Kilépés"},                               // Exit
    { 4, u"Ugrás a fájl elejére"},                  // Back to head of file
    { 5, u"Előző képkocka"},                        // Frame backward
    { 6, u"Három másodperc vissza"},                // Skip backward three seconds
    { 7, u"Leállítás"},                             // Stop
    { 8, u"Szünet"},                                // Pause
    { 9, u"Lejátszás"},                             // Play
    {10, u"Három másodperc előre"},                 // Skip forward three seconds
    {11, u"Következő képkocka"},                    // Frame forward
    {12, u"Ugrás a fájl végére"},                   // Jump to bottom of file
    {13, u"Fájl megnyitása"},                       // Open file
    {14, u"Pillanatkép"},                           // Snapshot
    {15, u"Kép nyomtatása"},                        // Print image
    {16, u"Beállítások"},                           // Configuration
    {17, u"Keresési mappa betöltése"},              // Load search directory
    {18, u"Kijelölt videó megnyitása"},             // Open selected video
    {19, u"Következő"},                             // Next
    {20, u"Előző"},                                 // Previous
    {21, u"Következő felvétel"},                    // Next record
    {22, u"Előző felvétel"},                        // Previous record
    {23, u"Információ"},                            // Information
    {24, u"Felvétel"},                              // Record
    {25, u"Esemény"},                               // Event
    {26, u"Biztosan ki szeretne lépni?"},           // Are you sure to exit ?
    {27, u"Értesítés"},                             // Notice
    {28, u"Felbontás"},                             // Resolution
    {29, u"Felvétel"},                              // Record
    {30, u"Előfelvétel ideje:"},                    // Prerecord time:
    {31, u"Videó hossza:"},                         // Video duration:
    {32, u"G-érzékelő érzékenysége"},               // G-Sensor sensitivity
    {33, u"Időzóna:"},                              // Time zone:
    {34, u"X tengely:"},                            // X axis:
    {35, u"Y tengely:"},                            // Y axis:
    {36, u"Z tengely:"},                            // Z axis:
    {37, u"Rendszeridő beállítása"},                // Set up system time
    {38, u"Alkalmaz"},                              // Apply
    {39, u"Bezárás"},                               // Close
    {40, u"Sorsz."},                                // No.
    {41, u"Fájlnév"},                               // File name
    {42, u"Tükrözött kép"},                         // Image mirror display
    {43, u"Ne jelenjen meg időbélyeg a videón"},    // Do not display timestamp on the video
    {44, u"Időbélyeg megjelenítése a videón"},      // Display timestamp on the video
    {45, u"Időbélyeg és verzió megjelenítése a videón"}, // Display timestamp and version on the video
    {46, u"Csak időbélyeg megjelenítése a videón"}, // Only display timestamp on the video
    {47, u"Megjelenített szöveg:"},                 // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Felvétel hossza (másodperc)"},           // Recording Duration(seconds.)
    {50, u"Videofájl"},                             // Video file
    {51, u"Járműves DVR és GPS-nyomkövető, 3.2-es verzió"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 A Kestrelview fejlesztői. Minden jog fenntartva."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Szakasz hossza:"},                       // Subsection Duration:
});
