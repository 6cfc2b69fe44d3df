// UI texts in Slovak (language 21).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsSlovak = makeUiTextRow({
    { 0, u"O programe ..."},                        // About ...
    { 1, u"Pomocník"},                              // Help
    { 2, u"Minimalizovať"},                         // Minimize
    { 3, u"Koniec"},                                // Exit
    { 4, u"Na začiatok súboru"},                    // Back to head of file
    { 5, u"O snímku späť"},                         // Frame backward
    { 6, u"O tri sekundy späť"},                    // Skip backward three seconds
    { 7, u"Zastaviť"},                              // Stop
    { 8, u"Pozastaviť"},                            // Pause
    { 9, u"Prehrať"},                               // Play
    {10, u"O tri sekundy dopredu"},                 // Skip forward three seconds
    {11, u"O snímku dopredu"},                      // Frame forward
    {12, u"Na koniec súboru"},                      // Jump to bottom of file
    {13, u"Otvoriť súbor"},                         // Open file
    {14, u"Zachytiť snímku"},                       // Snapshot
    {15, u"Vytlačiť obrázok"},                      // Print image
    {16, u"Nastavenia"},                            // Configuration
    {17, u"Načítať priečinok na vyhľadávanie"},     // Load search directory
    {18, u"Otvoriť vybrané video"},                 // Open selected video
    {19, u"Ďalší"},                                 // Next
    {20, u"Predchádzajúci"},                        // Previous
    {21, u"Ďalší záznam"},                          // Next record
    {22, u"Predchádzajúci záznam"},                 // Previous record
    {23, u"Informácie"},                            // Information
    {24, u"Záznam"},                                // Record
    {25, u"Udalosť"},                               // Event
    {26, u"Naozaj chcete program ukončiť?"},        // Are you sure to exit ?
    {27, u"Upozornenie"},                           // Notice
    {28, u"Rozlíšenie"},                            // Resolution
    {29, u"Záznam"},                                // Record
    {30, u"Čas predzáznamu:"},                      // Prerecord time:
    {31, u"Dĺžka videa:"},                          // Video duration:
    {32, u"Citlivosť G-senzora"},                   // G-Sensor sensitivity
    {33, u"Časové pásmo:"},                         // Time zone:
    {34, u"Os X:"},                                 // X axis:
    {35, u"Os Y:"},                                 // Y axis:
    {36, u"Os Z:"},                                 // Z axis:
    {37, u"Nastaviť systémový čas"},                // Set up system time
    {38, u"Použiť"},                                // Apply
    {39, u"Zavrieť"},                               // Close
    {40, u"Č."},                                    // No.
    {41, u"Názov súboru"},                          // File name
    {42, u"Zrkadlový obraz"},                       // Image mirror display
    {43, u"Nezobrazovať časovú pečiatku vo videu"}, // Do not display timestamp on the video
    {44, u"Zobrazovať časovú pečiatku vo videu"},   // Display timestamp on the video
    {45, u"Zobrazovať časovú pečiatku a verziu vo videu"}, // Display timestamp and version on the video
    {46, u"Zobrazovať iba časovú pečiatku vo videu"}, // Only display timestamp on the video
    {47, u"Zobrazený text:"},                       // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Dĺžka záznamu (sekundy)"},               // Recording Duration(seconds.)
    {50, u"Videosúbor"},                            // Video file
    {51, u"DVR a GPS lokátor pre vozidlá, verzia 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Vývojári Kestrelview. Všetky práva vyhradené."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Dĺžka úseku:"},                          // Subsection Duration:
});
