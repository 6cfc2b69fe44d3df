// UI texts in Romanian (language 16).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsRomanian = makeUiTextRow({
    { 0, u"Despre ..."},                            // About ...
    { 1, u"Ajutor"},                                // Help
    { 2, u"Minimizare"},                            // Minimize
    { 3, u"Ieșire"},                                // Exit
    { 4, u"Înapoi la începutul fișierului"},        // Back to head of file
    { 5, u"Cadru înapoi"},                          // Frame backward
    { 6, u"Înapoi cu trei secunde"},                // Skip backward three seconds
    { 7, u"Oprire"},                                // Stop
    { 8, u"Pauză"},                                 // Pause
    { 9, u"Redare"},                                // Play
    {10, u"Înainte cu trei secunde"},               // Skip forward three seconds
    {11, u"Cadru înainte"},                         // Frame forward
    {12, u"Salt la sfârșitul fișierului"},          // Jump to bottom of file
    {13, u"Deschidere fișier"},                     // Open file
    {14, u"Instantaneu"},                           // Snapshot
    {15, u"Imprimare imagine"},                     // Print image
    {16, u"Configurare"},                           // Configuration
    {17, u"Încărcare director de căutare"},         // Load search directory
    {18, u"Deschidere videoclip selectat"},         // Open selected video
    {19, u"Următorul"},                             // Next
    {20, u"Anteriorul"},                            // Previous
    {21, u"Înregistrarea următoare"},               // Next record
    {22, u"Înregistrarea anterioară"},              // Previous record
    {23, u"Informații"},                            // Information
    {24, u"Înregistrare"},                          // Record
    {25, u"Eveniment"},                             // Event
    {26, u"Sigur doriți să ieșiți?"},               // Are you sure to exit ?
    {27, u"Notificare"},                            // Notice
    {28, u"Rezoluție"},                             // Resolution
    {29, u"Înregistrare"},                          // Record
    {30, u"Timp preînregistrare:"},                 // Prerecord time:
    {31, u"Durată videoclip:"},                     // Video duration:
    {32, u"Sensibilitate senzor G"},                // G-Sensor sensitivity
    {33, u"Fus orar:"},                             // Time zone:
    {34, u"Axa X:"},                                // X axis:
    {35, u"Axa Y:"},                                // Y axis:
    {36, u"Axa Z:"},                                // Z axis:
    {37, u"Setare oră sistem"},                     // Set up system time
    {38, u"Aplicare"},                              // Apply
    {39, u"Închidere"},                             // Close
    {40, u"Nr."},                                   // No.
    {41, u"Nume fișier"},                           // File name
    {42, u"Imagine în oglindă"},                    // Image mirror display
    {43, u"Fără marcaj de timp pe videoclip"},      // Do not display timestamp on the video
    {44, u"Afișare marcaj de timp pe videoclip"},   // Display timestamp on the video
    {45, u"Afișare marcaj de timp și versiune pe videoclip"}, // Display timestamp and version on the video
    {46, u"Afișare doar marcaj de timp pe videoclip"}, // Only display timestamp on the video
    {47, u"Text afișat:"},                          // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Durată înregistrare (secunde)"},         // Recording Duration(seconds.)
    {50, u"Fișier video"},                          // Video file
    {51, u"DVR auto și localizator GPS, versiunea 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Dezvoltatorii Kestrelview. Toate drepturile rezervate."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Durată segment:"},                       // Subsection Duration:
});
