// UI texts in German (language 3).
// One entry per UiTextId, in order; the comment gives the English text.
// German is the language of a first start, before any language was chosen.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsGerman = makeUiTextRow({
    { 0, u"Über ..."},                              // About ...
    { 1, u"Hilfe"},                                 // Help
    { 2, u"Minimieren"},                            // Minimize
    { 3, u"Beenden"},                               // Exit
    { 4, u"Zum Dateianfang"},                       // Back to head of file
    { 5, u"Bild zurück"},                           // Frame backward
    { 6, u"Drei Sekunden zurück"},                  // Skip backward three seconds
    { 7, u"Stopp"},                                 // Stop
    { 8, u"Pause"},                                 // Pause
    { 9, u"Wiedergabe"},                            // Play
    {10, u"Drei Sekunden vor"},                     // Skip forward three seconds
    {11, u"Bild vor"},                              // Frame forward
    {12, u"Zum Dateiende"},                         // Jump to bottom of file
    {13, u"Datei öffnen"},                          // Open file
    {14, u"Schnappschuss"},                         // Snapshot
    {15, u"Bild drucken"},                          // Print image
    {16, u"Konfiguration"},                         // Configuration
    {17, u"Suchordner laden"},                      // Load search directory
    {18, u"Ausgewähltes Video öffnen"},             // Open selected video
    {19, u"Nächste"},                               // Next
    {20, u"Vorherige"},                             // Previous
    {21, u"Nächste Aufnahme"},                      // Next record
    {22, u"Vorherige Aufnahme"},                    // Previous record
    {23, u"Informationen"},                         // Information
    {24, u"Aufnahme"},                              // Record
    {25, u"Ereignis"},                              // Event
    {26, u"Möchten Sie das Programm wirklich beenden?"}, // Are you sure to exit ?
    {27, u"Hinweis"},                               // Notice
    {28, u"Auflösung"},                             // Resolution
    {29, u"Aufnahme"},                              // Record
    {30, u"Vorlaufzeit:"},                          // Prerecord time:
    {31, u"Videodauer:"},                           // Video duration:
    {32, u"G-Sensor-Empfindlichkeit"},              // G-Sensor sensitivity
    {33, u"Zeitzone:"},                             // Time zone:
    {34, u"X-Achse:"},                              // X axis:
    {35, u"Y-Achse:"},                              // Y axis:
    {36, u"Z-Achse:"},                              // Z axis:
    {37, u"Systemzeit einstellen"},                 // Set up system time
    {38, u"Übernehmen"},                            // Apply
    {39, u"Schließen"},                             // Close
    {40, u"Nr."},                                   // No.
    {41, u"Dateiname"},                             // File name
    {42, u"Bild spiegeln"},                         // Image mirror display
    {43, u"Keinen Zeitstempel im Video anzeigen"},  // Do not display timestamp on the video
    {44, u"Zeitstempel im Video anzeigen"},         // Display timestamp on the video
    {45, u"Zeitstempel und Version im Video anzeigen"}, // Display timestamp and version on the video
    {46, u"Nur Zeitstempel im Video anzeigen"},     // Only display timestamp on the video
    {47, u"Anzeigetext:"},                          // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Aufnahmedauer (Sekunden)"},              // Recording Duration(seconds.)
    {50, u"Videodatei"},                            // Video file
    {51, u"Fahrzeug-DVR und GPS-Tracker Version 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview-Entwickler. Alle Rechte vorbehalten."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmentdauer:"},                         // Subsection Duration:
});
