// UI texts in Portuguese (Portugal) (language 18).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsPortuguese = makeUiTextRow({
    { 0, u"Acerca de ..."},                         // About ...
    { 1, u"Ajuda"},                                 // Help
    { 2, u"Minimizar"},                             // Minimize
    { 3, u"Sair"},                                  // Exit
    { 4, u"Voltar ao início do ficheiro"},          // Back to head of file
    { 5, u"Fotograma anterior"},                    // Frame backward
    { 6, u"Recuar três segundos"},                  // Skip backward three seconds
    { 7, u"Parar"},                                 // Stop
    { 8, u"Pausa"},                                 // Pause
    { 9, u"Reproduzir"},                            // Play
    {10, u"Avançar três segundos"},                 // Skip forward three seconds
    {11, u"Fotograma seguinte"},                    // Frame forward
    {12, u"Ir para o fim do ficheiro"},             // Jump to bottom of file
    {13, u"Abrir ficheiro"},                        // Open file
    {14, u"Captura de imagem"},                     // Snapshot
    {15, u"Imprimir imagem"},                       // Print image
    {16, u"Configuração"},                          // Configuration
    {17, u"Carregar pasta de pesquisa"},            // Load search directory
    {18, u"Abrir o vídeo selecionado"},             // Open selected video
    {19, u"Seguinte"},                              // Next
    {20, u"Anterior"},                              // Previous
    {21, u"Gravação seguinte"},                     // Next record
    {22, u"Gravação anterior"},                     // Previous record
    {23, u"Informações"},                           // Information
    {24, u"Gravação"},                              // Record
    {25, u"Evento"},                                // Event
    {26, u"Tem a certeza de que pretende sair?"},   // Are you sure to exit ?
    {27, u"Aviso"},                                 // Notice
    {28, u"Resolução"},                             // Resolution
    {29, u"Gravação"},                              // Record
    {30, u"Pré-gravação:"},                         // Prerecord time:
    {31, u"Duração do vídeo:"},                     // Video duration:
    {32, u"Sensibilidade do sensor G"},             // G-Sensor sensitivity
    {33, u"Fuso horário:"},                         // Time zone:
    {34, u"Eixo X:"},                               // X axis:
    {35, u"Eixo Y:"},                               // Y axis:
    {36, u"Eixo Z:"},                               // Z axis:
    {37, u"Acertar a hora do sistema"},             // Set up system time
    {38, u"Aplicar"},                               // Apply
    {39, u"Fechar"},                                // Close
    {40, u"N.º"},                                   // No.
    {41, u"Ficheiro"},                              // File name
    {42, u"Imagem espelhada"},                      // Image mirror display
    {43, u"Não mostrar data/hora no vídeo"},        // Do not display timestamp on the video
    {44, u"Mostrar data/hora no vídeo"},            // Display timestamp on the video
    {45, u"Mostrar data/hora e versão no vídeo"},   // Display timestamp and version on the video
    {46, u"Mostrar apenas data/hora no vídeo"},     // Only display timestamp on the video
    {47, u"Texto apresentado:"},                    // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Duração da gravação (segundos)"},        // Recording Duration(seconds.)
    {50, u"Ficheiro de vídeo"},                     // Video file
    {51, u"DVR automóvel e localizador GPS, versão 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Programadores do Kestrelview. Todos os direitos reservados."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Duração do segmento:"},                  // Subsection Duration:
});
