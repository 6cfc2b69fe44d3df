// UI texts in Dutch (language 11).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsDutch = makeUiTextRow({
    { 0, u"Over ..."},                              // About ...
    { 1, u"Help"},                                  // Help
    { 2, u"Minimaliseren"},                         // Minimize
    { 3, u"Afsluiten"},                             // Exit
    { 4, u"Naar begin van bestand"},                // Back to head of file
    { 5, u"Vorig beeld"},                           // Frame backward
    { 6, u"Drie seconden terug"},                   // Skip backward three seconds
    { 7, u"Stoppen"},                               // Stop
    { 8, u"Pauzeren"},                              // Pause
    { 9, u"Afspelen"},                              // Play
    {10, u"Drie seconden vooruit"},                 // Skip forward three seconds
    {11, u"Volgend beeld"},                         // Frame forward
    {12, u"Naar einde van bestand"},                // Jump to bottom of file
    {13, u"Bestand openen"},                        // Open file
    {14, u"Momentopname"},                          // Snapshot
    {15, u"Afbeelding afdrukken"},                  // Print image
    {16, u"Configuratie"},                          // Configuration
    {17, u"Zoekmap laden"},                         // Load search directory
    {18, u"Geselecteerde video openen"},            // Open selected video
    {19, u"Volgende"},                              // Next
    {20, u"Vorige"},                                // Previous
    {21, u"Volgende opname"},                       // Next record
    {22, u"Vorige opname"},                         // Previous record
    {23, u"Informatie"},                            // Information
    {24, u"Opname"},                                // Record
    {25, u"Gebeurtenis"},                           // Event
    {26, u"Weet u zeker dat u wilt afsluiten?"},    // Are you sure to exit ?
    {27, u"Melding"},                               // Notice
    {28, u"Resolutie"},                             // Resolution
    {29, u"Opname"},                                // Record
    {30, u"Vooropnametijd:"},                       // Prerecord time:
    {31, u"Videoduur:"},                            // Video duration:
    {32, u"Gevoeligheid G-sensor"},                 // G-Sensor sensitivity
    {33, u"Tijdzone:"},                             // Time zone:
    {34, u"X-as:"},                                 // X axis:
    {35, u"Y-as:"},                                 // Y axis:
    {36, u"Z-as:"},                                 // Z axis:
    {37, u"Systeemtijd instellen"},                 // Set up system time
    {38, u"Toepassen"},                             // Apply
    {39, u"Sluiten"},                               // Close
    {40, u"Nr."},                                   // No.
    {41, u"Bestandsnaam"},                          // File name
    {42, u"Gespiegeld beeld"},                      // Image mirror display
    {43, u"Geen tijdstempel op de video weergeven"}, // Do not display timestamp on the video
    {44, u"Tijdstempel op de video weergeven"},     // Display timestamp on the video
    {45, u"Tijdstempel en versie op de video weergeven"}, // Display timestamp and version on the video
    {46, u"Alleen tijdstempel op de video weergeven"}, // Only display timestamp on the video
    {47, u"Weergavetekst:"},                        // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Opnameduur (seconden)"},                 // Recording Duration(seconds.)
    {50, u"Videobestand"},                          // Video file
    {51, u"Voertuig-DVR en GPS-tracker versie 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview-ontwikkelaars. Alle rechten voorbehouden."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Segmentduur:"},                          // Subsection Duration:
});
