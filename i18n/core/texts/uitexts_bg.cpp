// UI texts in Bulgarian (language 5).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsBulgarian = makeUiTextRow({
    { 0, u"Относно ..."},                           // About ...
    { 1, u"Помощ"},                                 // Help
    { 2, u"Минимизиране"},                          // Minimize
    { 3, u"Изход"},                                 // Exit
    { 4, u"Към началото на файла"},                 // Back to head of file
    { 5, u"Кадър назад"},                           // Frame backward
    { 6, u"Три секунди назад"},                     // Skip backward three seconds
    { 7, u"Стоп"},                                  // Stop
    { 8, u"Пауза"},                                 // Pause
    { 9, u"Възпроизвеждане"},                       // Play
    {10, u"Три секунди напред"},                    // Skip forward three seconds
    {11, u"Кадър напред"},                          // Frame forward
    {12, u"Към края на файла"},                     // Jump to bottom of file
    {13, u"Отваряне на файл"},                      // Open file
    {14, u"Моментна снимка"},                       // Snapshot
    {15, u"Печат на изображението"},                // Print image
    {16, u"Конфигурация"},                          // Configuration
    {17, u"Зареждане на папка за търсене"},         // Load search directory
    {18, u"Отваряне на избраното видео"},           // Open selected video
    {19, u"Следващ"},                               // Next
    {20, u"Предишен"},                              // Previous
    {21, u"Следващ запис"},                         // Next record
    {22, u"Предишен запис"},                        // Previous record
    {23, u"Информация"},                            // Information
    {24, u"Запис"},                                 // Record
    {25, u"Събитие"},                               // Event
    {26, u"Наистина ли искате да излезете?"},       // Are you sure to exit ?
    {27, u"Известие"},                              // Notice
    {28, u"Резолюция"},                             // Resolution
    {29, u"Запис"},                                 // Record
    {30, u"Предварителен запис:"},                  // Prerecord time:
    {31, u"Дължина на видеото:"},                   // Video duration:
    {32, u"Чувствителност на G-сензора"},           // G-Sensor sensitivity
    {33, u"Часова зона:"},                          // Time zone:
    {34, u"Ос X:"},                                 // X axis:
    {35, u"Ос Y:"},                                 // Y axis:
    {36, u"Ос Z:"},                                 // Z axis:
    {37, u"Задаване на системното време"},          // Set up system time
    {38, u"Приложи"},                               // Apply
    {39, u"Затвори"},                               // Close
    {40, u"№"},                                     // No.
    {41, u"Име на файл"},                           // File name
    {42, u"Огледален образ"},                       // Image mirror display
    {43, u"Без показване на времево клеймо във видеото"}, // Do not display timestamp on the video
    {44, u"Показване на времево клеймо във видеото"}, // Display timestamp on the video
    {45, u"Показване на времево клеймо и версия във видеото"}, // Display timestamp and version on the video
    {46, u"Показване само на времево клеймо във видеото"}, // Only display timestamp on the video
    {47, u"Показван текст:"},                       // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Продължителност на записа (секунди)"},   // Recording Duration(seconds.)
    {50, u"Видеофайл"},                             // Video file
    {51, u"DVR и GPS тракер за автомобил, версия 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Авторско право © 2026 Разработчиците на Kestrelview. Всички права запазени."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Дължина на сегмента:"},                  // Subsection Duration:
});
