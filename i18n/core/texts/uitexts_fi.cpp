// UI texts in Finnish (language 10).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsFinnish = makeUiTextRow({
    { 0, u"Tietoja ..."},                           // About ...
    { 1, u"Ohje"},                                  // Help
    { 2, u"Pienennä"},                              // Minimize
    { 3, u"Lopeta"},                                // Exit
    { 4, u"Tiedoston alkuun"},                      // Back to head of file
    { 5, u"Ruutu taaksepäin"},                      // Frame backward
    { 6, u"Kolme sekuntia taaksepäin"},             // Skip backward three seconds
    { 7, u"Pysäytä"},                               // Stop
    { 8, u"Tauko"},                                 // Pause
    { 9, u"Toista"},                                // Play
    {10, u"Kolme sekuntia eteenpäin"},              // Skip forward three seconds
    {11, u"Ruutu eteenpäin"},                       // Frame forward
    {12, u"Tiedoston loppuun"},                     // Jump to bottom of file
    {13, u"Avaa tiedosto"},                         // Open file
    {14, u"Kuvakaappaus"},                          // Snapshot
    {15, u"Tulosta kuva"},                          // Print image
    {16, u"Asetukset"},                             // Configuration
    {17, u"Lataa hakukansio"},                      // Load search directory
    {18, u"Avaa valittu video"},                    // Open selected video
    {19, u"Seuraava"},                              // Next
    {20, u"Edellinen"},                             // Previous
    {21, u"Seuraava tallenne"},                     // Next record
    {22, u"Edellinen tallenne"},                    // Previous record
    {23, u"Tiedot"},                                // Information
    {24, u"Tallenne"},                              // Record
    {25, u"Tapahtuma"},                             // Event
    {26, u"Haluatko varmasti lopettaa?"},           // Are you sure to exit ?
    {27, u"Huomautus"},                             // Notice
    {28, u"Tarkkuus"},                              // Resolution
    {29, u"Tallenne"},                              // Record
    {30, u"Esitallennusaika:"},                     // Prerecord time:
    {31, u"Videon kesto:"},                         // Video duration:
    {32, u"G-anturin herkkyys"},                    // G-Sensor sensitivity
    {33, u"Aikavyöhyke:"},                          // Time zone:
    {34, u"X-akseli:"},                             // X axis:
    {35, u"Y-akseli:"},                             // Y axis:
    {36, u"Z-akseli:"},                             // Z axis:
    {37, u"Aseta järjestelmän aika"},               // Set up system time
    {38, u"Käytä"},                                 // Apply
    {39, u"Sulje"},                                 // Close
    {40, u"Nro"},                                   // No.
    {41, u"Tiedostonimi"},                          // File name
    {42, u"Peilikuva"},                             // Image mirror display
    {43, u"Älä näytä aikaleimaa videossa"},         // Do not display timestamp on the video
    {44, u"Näytä aikaleima videossa"},              // Display timestamp on the video
    {45, u"Näytä aikaleima ja versio videossa"},    // Display timestamp and version on the video
    {46, u"Näytä vain aikaleima videossa"},         // Only display timestamp on the video
    {47, u"Näytettävä teksti:"},                    // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Tallennuksen kesto (sekuntia)"},         // Recording Duration(seconds.)
    {50, u"Videotiedosto"},                         // Video file
    {51, u"Ajoneuvon DVR ja GPS-seurantalaite, versio 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview-kehittäjät. Kaikki oikeudet pidätetään."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Jakson kesto:"},                         // Subsection Duration:
});
