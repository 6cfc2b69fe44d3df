// UI texts in Swedish (language 20).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsSwedish = makeUiTextRow({
    { 0, u"Om ..."},                                // About ...
    { 1, u"Hjälp"},                                 // Help
    { 2, u"Minimera"},                              // Minimize
    { 3, u"Avsluta"},                               // Exit
    { 4, u"Till början av filen"},                  // Back to head of file
    { 5, u"Föregående bildruta"},                   // Frame backward
    { 6, u"Tre sekunder bakåt"},                    // Skip backward three seconds
    { 7, u"Stopp"},                                 // Stop
    { 8, u"Paus"},                                  // Pause
    { 9, u"Spela upp"},                             // Play
    {10, u"Tre sekunder framåt"},                   // Skip forward three seconds
    {11, u"Nästa bildruta"},                        // Frame forward
    {12, u"Till slutet av filen"},                  // Jump to bottom of file
    {13, u"Öppna fil"},                             // Open file
    {14, u"Ögonblicksbild"},                        // Snapshot
    {15, u"Skriv ut bild"},                         // Print image
    {16, u"Konfiguration"},                         // Configuration
    {17, u"Läs in sökmapp"},                        // Load search directory
    {18, u"Öppna vald video"},                      // Open selected video
    {19, u"Nästa"},                                 // Next
    {20, u"Föregående"},                            // Previous
    {21, u"Nästa inspelning"},                      // Next record
    {22, u"Föregående inspelning"},                 // Previous record
    {23, u"Information"},                           // Information
    {24, u"Inspelning"},                            // Record
    {25, u"Händelse"},                              // Event
    {26, u"Är du säker på att du vill avsluta?"},   // Are you sure to exit ?
    {27, u"Meddelande"},                            // Notice
    {28, u"Upplösning"},                            // Resolution
    {29, u"Inspelning"},                            // Record
    {30, u"Förinspelningstid:"},                    // Prerecord time:
    {31, u"Videolängd:"},                           // Video duration:
    {32, u"G-sensorns känslighet"},                 // G-Sensor sensitivity
    {33, u"Tidszon:"},                              // Time zone:
    {34, u"X-axel:"},                               // X axis:
    {35, u"Y-axel:"},                               // Y axis:
    {36, u"Z-axel:"},                               // Z axis:
    {37, u"Ställ in systemtid"},                    // Set up system time
    {38, u"Verkställ"},                             // Apply
    {39, u"Stäng"},                                 // Close
    {40, u"Nr"},                                    // No.
    {41, u"Filnamn"},                               // File name
    {42, u"Spegelvänd bild"},                       // Image mirror display
    {43, u"Visa inte tidsstämpel i videon"},        // Do not display timestamp on the video
    {44, u"Visa tidsstämpel i videon"},             // Display timestamp on the video
    {45, u"Visa tidsstämpel och version i videon"}, // Display timestamp and version on the video
    {46, u"Visa endast tidsstämpel i videon"},      // Only display timestamp on the video
    {47, u"Visningstext:"},                         // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Inspelningslängd (sekunder)"},           // Recording Duration(seconds.)
    {50, u"Videofil"},                              // Video file
    {51, u"DVR och GPS-spårare för fordon, version 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelviews utvecklare. Alla rättigheter förbehållna."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmentlängd:"},                         // Subsection Duration:
});
