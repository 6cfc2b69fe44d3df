// UI texts in Polish (language 7).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsPolish = makeUiTextRow({
    { 0, u"O programie ..."},                       // About ...
    { 1, u"Pomoc"},                                 // Help
    { 2, u"Minimalizuj"},                           // Minimize
    { 3, u"Zakończ"},                               // Exit
    { 4, u"Przejdź na początek pliku"},             // Back to head of file
    { 5, u"Poprzednia klatka"},                     // Frame backward
    { 6, u"Przewiń do tyłu o trzy sekundy"},        // Skip backward three seconds
    { 7, u"Zatrzymaj"},                             // Stop
    { 8, u"Pauza"},                                 // Pause
    { 9, u"Odtwórz"},                               // Play
    {10, u"Przewiń do przodu o trzy sekundy"},      // Skip forward three seconds
    {11, u"Następna klatka"},                       // Frame forward
    {12, u"Przejdź na koniec pliku"},               // Jump to bottom of file
    {13, u"Otwórz plik"},                           // Open file
    {14, u"Zrzut obrazu"},                          // Snapshot
    {15, u"Drukuj obraz"},                          // Print image
    {16, u"Konfiguracja"},                          // Configuration
    {17, u"Wczytaj katalog wyszukiwania"},          // Load search directory
    {18, u"Otwórz wybrane wideo"},                  // Open selected video
    {19, u"Następny"},                              // Next
    {20, u"Poprzedni"},                             // Previous
    {21, u"Następne nagranie"},                     // Next record
    {22, u"Poprzednie nagranie"},                   // Previous record
    {23, u"Informacje"},                            // Information
    {24, u"Nagranie"},                              // Record
    {25, u"Zdarzenie"},                             // Event
    {26, u"Czy na pewno chcesz zakończyć?"},        // Are you sure to exit ?
    {27, u"Uwaga"},                                 // Notice
    {28, u"Rozdzielczość"},                         // Resolution
    {29, u"Nagranie"},                              // Record
    {30, u"Nagrywanie wstępne:"},                   // Prerecord time:
    {31, u"Długość wideo:"},                        // Video duration:
    {32, u"Czułość czujnika G"},                    // G-Sensor sensitivity
    {33, u"Strefa czasowa:"},                       // Time zone:
    {34, u"Oś X:"},                                 // X axis:
    {35, u"Oś Y:"},                                 // Y axis:
    {36, u"Oś Z:"},                                 // Z axis:
    {37, u"Ustaw czas systemowy"},                  // Set up system time
    {38, u"Zastosuj"},                              // Apply
    {39, u"Zamknij"},                               // Close
    {40, u"Nr"},                                    // No.
    {41, u"Nazwa pliku"},                           // File name
    {42, u"Odbicie lustrzane obrazu"},              // Image mirror display
    {43, u"Nie wyświetlaj znacznika czasu na wideo"}, // Do not display timestamp on the video
    {44, u"Wyświetlaj znacznik czasu na wideo"},    // Display timestamp on the video
    {45, u"Wyświetlaj znacznik czasu i wersję na wideo"}, // Display timestamp and version on the video
    {46, u"Wyświetlaj tylko znacznik czasu na wideo"}, // Only display timestamp on the video
    {47, u"Wyświetlany tekst:"},                    // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Czas nagrywania (sekundy)"},             // Recording Duration(seconds.)
    {50, u"Plik wideo"},                            // Video file
    {51, u"Samochodowy DVR i lokalizator GPS, wersja 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Twórcy Kestrelview. Wszelkie prawa zastrzeżone."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Długość segmentu:"},                     // Subsection Duration:
});
