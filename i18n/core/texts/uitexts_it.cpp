// UI texts in Italian (language 26).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsItalian = makeUiTextRow({
    { 0, u"Informazioni su ..."},                   // About ...
    { 1, u"Guida"},                                 // Help
    { 2, u"Riduci a icona"},                        // Minimize
    { 3, u"Esci"},                                  // Exit
    { 4, u"Torna all'inizio del file"},             // Back to head of file
    { 5, u"Fotogramma precedente"},                 // Frame backward
    { 6, u"Indietro di tre secondi"},               // Skip backward three seconds
    { 7, u"Arresta"},                               // Stop
    { 8, u"Pausa"},                                 // Pause
    { 9, u"Riproduci"},                             // Play
    {10, u"Avanti di tre secondi"},                 // Skip forward three seconds
    {11, u"Fotogramma successivo"},                 // Frame forward
    {12, u"Vai alla fine del file"},                // Jump to bottom of file
    {13, u"Apri file"},                             // Open file
    {14, u"Istantanea"},                            // Snapshot
    {15, u"Stampa immagine"},                       // Print image
    {16, u"Configurazione"},                        // Configuration
    {17, u"Carica cartella di ricerca"},            // Load search directory
    {18, u"Apri il video selezionato"},             // Open selected video
    {19, u"Successivo"},                            // Next
    {20, u"Precedente"},                            // Previous
    {21, u"Registrazione successiva"},              // Next record
    {22, u"Registrazione precedente"},              // Previous record
    {23, u"Informazioni"},                          // Information
    {24, u"Registrazione"},                         // Record
    {25, u"Evento"},                                // Event
    {26, u"Sei sicuro di voler uscire?"},           // Are you sure to exit ?
    {27, u"Avviso"},                                // Notice
    {28, u"Risoluzione"},                           // Resolution
    {29, u"Registrazione"},                         // Record
    {30, u"Preregistrazione:"},                     // Prerecord time:
    {31, u"Durata video:"},                         // Video duration:
    {32, u"Sensibilità sensore G"},                 // G-Sensor sensitivity
    {33, u"Fuso orario:"},                          // Time zone:
    {34, u"Asse X:"},                               // X axis:
    {35, u"Asse Y:"},                               // Y axis:
    {36, u"Asse Z:"},                               // Z axis:
    {37, u"Imposta ora di sistema"},                // Set up system time
    {38, u"Applica"},                               // Apply
    {39, u"Chiudi"},                                // Close
    {40, u"N."},                                    // No.
    {41, u"Nome file"},                             // File name
    {42, u"Immagine speculare"},                    // Image mirror display
    {43, u"Non mostrare data e ora sul video"},     // Do not display timestamp on the video
    {44, u"Mostra data e ora sul video"},           // Display timestamp on the video
    {45, u"Mostra data, ora e versione sul video"}, // Display timestamp and version on the video
    {46, u"Mostra solo data e ora sul video"},      // Only display timestamp on the video
    {47, u"Testo visualizzato:"},                   // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Durata registrazione (secondi)"},        // Recording Duration(seconds.)
    {50, u"File video"},                            // Video file
    {51, u"DVR e localizzatore GPS per veicoli, versione 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Sviluppatori di Kestrelview. Tutti i diritti riservati."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Durata segmento:"},                      // Subsection Duration:
});
