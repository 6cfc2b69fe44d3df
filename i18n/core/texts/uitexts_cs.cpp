// UI texts in Czech (language 12).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsCzech = makeUiTextRow({
    { 0, u"O aplikaci ..."},                        // About ...
    { 1, u"Nápověda"},                              // Help
    { 2, u"Minimalizovat"},                         // Minimize
    { 3, u"Konec"},                                 // Exit
    { 4, u"Na začátek souboru"},                    // Back to head of file
    { 5, u"O snímek zpět"},                         // Frame backward
    { 6, u"O tři sekundy zpět"},                    // Skip backward three seconds
    { 7, u"Zastavit"},                              // Stop
    { 8, u"Pozastavit"},                            // Pause
    { 9, u"Přehrát"},                               // Play
    {10, u"O tři sekundy vpřed"},                   // Skip forward three seconds
    {11, u"O snímek vpřed"},                        // Frame forward
    {12, u"Na konec souboru"},                      // Jump to bottom of file
    {13, u"Otevřít soubor"},                        // Open file
    {14, u"Zachytit snímek"},                       // Snapshot
    {15, u"Vytisknout obrázek"},                    // Print image
    {16, u"Nastavení"},                             // Configuration
    {17, u"Načíst složku pro vyhledávání"},         // Load search directory
    {18, u"Otevřít vybrané video"},                 // Open selected video
    {19, u"Další"},                                 // Next
    {20, u"Předchozí"},                             // Previous
    {21, u"Další záznam"},                          // Next record
    {22, u"Předchozí záznam"},                      // Previous record
    {23, u"Informace"},                             // Information
    {24, u"Záznam"},                                // Record
    {25, u"Událost"},                               // Event
    {26, u"Opravdu chcete program ukončit?"},       // Are you sure to exit ?
    {27, u"Upozornění"},                            // Notice
    {28, u"Rozlišení"},                             // Resolution
    {29, u"Záznam"},                                // Record
    {30, u"Doba předzáznamu:"},                     // Prerecord time:
    {31, u"Délka videa:"},                          // Video duration:
    {32, u"Citlivost G-senzoru"},                   // G-Sensor sensitivity
    {33, u"Časové pásmo:"},                         // Time zone:
    {34, u"Osa X:"},                                // X axis:
    {35, u"Osa Y:"},                                // Y axis:
    {36, u"Osa Z:"},                                // Z axis:
    {37, u"Nastavit systémový čas"},                // Set up system time
    {38, u"Použít"},                                // Apply
    {39, u"Zavřít"},                                // Close
    {40, u"Č."},                                    // No.
    {41, u"Soubor"},                                // File name
    {42, u"Zrcadlový obraz"},                       // Image mirror display
    {43, u"Nezobrazovat časové razítko ve videu"},  // Do not display timestamp on the video
    {44, u"Zobrazovat časové razítko ve videu"},    // Display timestamp on the video
    {45, u"Zobrazovat časové razítko a verzi ve videu"}, // Display timestamp and version on the video
    {46, u"Zobrazovat pouze časové razítko ve videu"}, // Only display timestamp on the video
    {47, u"Zobrazený text:"},                       // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Délka záznamu (sekundy)"},               // Recording Duration(seconds.)
    {50, u"Videosoubor"},                           // Video file
    {51, u"DVR a GPS lokátor pro vozidla, verze 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Vývojáři Kestrelview. Všechna práva vyhrazena."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Délka úseku:"},                          // Subsection Duration:
});
