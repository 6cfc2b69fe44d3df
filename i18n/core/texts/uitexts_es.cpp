// UI texts in Spanish (Spain) (language 24).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsSpanish = makeUiTextRow({
    { 0, u"Acerca de ..."},                         // About ...
    { 1, u"Ayuda"},                                 // Help
    { 2, u"Minimizar"},                             // Minimize
    { 3, u"Salir"},                                 // Exit
    { 4, u"Ir al principio del archivo"},           // Back to head of file
    { 5, u"Fotograma anterior"},                    // Frame backward
    { 6, u"Retroceder tres segundos"},              // Skip backward three seconds
    { 7, u"Detener"},                               // Stop
    { 8, u"Pausa"},                                 // Pause
    { 9, u"Reproducir"},                            // Play
    {10, u"Avanzar tres segundos"},                 // Skip forward three seconds
    {11, u"Fotograma siguiente"},                   // Frame forward
    {12, u"Ir al final del archivo"},               // Jump to bottom of file
    {13, u"Abrir archivo"},                         // Open file
    {14, u"Captura de imagen"},                     // Snapshot
    {15, u"Imprimir imagen"},                       // Print image
    {16, u"Configuración"},                         // Configuration
    {17, u"Cargar carpeta de búsqueda"},            // Load search directory
    {18, u"Abrir el vídeo seleccionado"},           // Open selected video
    {19, u"Siguiente"},                             // Next
    {20, u"Anterior"},                              // Previous
    {21, u"Grabación siguiente"},                   // Next record
    {22, u"Grabación anterior"},                    // Previous record
    {23, u"Información"},                           // Information
    {24, u"Grabación"},                             // Record
    {25, u"Evento"},                                // Event
    {26, u"¿Seguro que desea salir?"},              // Are you sure to exit ?
    {27, u"Aviso"},                                 // Notice
    {28, u"Resolución"},                            // Resolution
    {29, u"Grabación"},                             // Record
    {30, u"Tiempo de pregrabación:"},               // Prerecord time:
    {31, u"Duración del vídeo:"},                   // Video duration:
    {32, u"Sensibilidad del sensor G"},             // G-Sensor sensitivity
    {33, u"Zona horaria:"},                         // Time zone:
    {34, u"Eje X:"},                                // X axis:
    {35, u"Eje Y:"},                                // Y axis:
    {36, u"Eje Z:"},                                // Z axis:
    {37, u"Ajustar la hora del sistema"},           // Set up system time
    {38, u"Aplicar"},                               // Apply
    {39, u"Cerrar"},                                // Close
    {40, u"N.º"},                                   // No.
    {41, u"Archivo"},                               // File name
    {42, u"Imagen en espejo"},                      // Image mirror display
    {43, u"No mostrar marca de tiempo en el vídeo"}, // Do not display timestamp on the video
    {44, u"Mostrar marca de tiempo en el vídeo"},   // Display timestamp on the video
    {45, u"Mostrar marca de tiempo y versión en el vídeo"}, // Display timestamp and version on the video
    {46, u"Mostrar solo marca de tiempo en el vídeo"}, // Only display timestamp on the video
    {47, u"Texto mostrado:"},                       // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Duración de la grabación (segundos)"},   // Recording Duration(seconds.)
    {50, u"Archivo de vídeo"},                      // Video file
    {51, u"DVR y localizador GPS para vehículos, versión 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Desarrolladores de Kestrelview. Todos los derechos reservados."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Duración del segmento:"},                // Subsection Duration:
});
