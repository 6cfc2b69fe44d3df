// UI texts in Russian (language 9).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsRussian = makeUiTextRow({
    { 0, u"О программе ..."},                       // About ...
    { 1, u"Справка"},                               // Help
    { 2, u"Свернуть"},                              // Minimize
    { 3, u"Выход"},                                 // Exit
    { 4, u"В начало файла"},                        // Back to head of file
    { 5, u"Кадр назад"},                            // Frame backward
    { 6, u"Назад на три секунды"},                  // Skip backward three seconds
    { 7, u"Стоп"},                                  // Stop
    { 8, u"Пауза"},                                 // Pause
    { 9, u"Воспроизведение"},                       // Play
    {10, u"Вперёд на три секунды"},                 // Skip forward three seconds
    {11, u"Кадр вперёд"},                           // Frame forward
    {12, u"В конец файла"},                         // Jump to bottom of file
    {13, u"Открыть файл"},                          // Open file
    {14, u"Снимок кадра"},                          // Snapshot
    {15, u"Печать изображения"},                    // Print image
    {16, u"Настройки"},                             // Configuration
    {17, u"Загрузить папку для поиска"},            // Load search directory
    {18, u"Открыть выбранное видео"},               // Open selected video
    {19, u"Следующий"},                             // Next
    {20, u"Предыдущий"},                            // Previous
    {21, u"Следующая запись"},                      // Next record
    {22, u"Предыдущая запись"},                     // Previous record
    {23, u"Информация"},                            // Information
    {24, u"Запись"},                                // Record
    {25, u"Событие"},                               // Event
    {26, u"Вы действительно хотите выйти?"},        // Are you sure to exit ?
    {27, u"Уведомление"},                           // Notice
    {28, u"Разрешение"},                            // Resolution
    {29, u"Запись"},                                // Record
    {30, u"Предзапись:"},                           // Prerecord time:
    {31, u"Длина видео:"},                          // Video duration:
    {32, u"Чувствительность G-сенсора"},            // G-Sensor sensitivity
    {33, u"Часовой пояс:"},                         // Time zone:
    {34, u"Ось X:"},                                // X axis:
    {35, u"Ось Y:"},                                // Y axis:
    {36, u"Ось Z:"},                                // Z axis:
    {37, u"Установить системное время"},            // Set up system time
    {38, u"Применить"},                             // Apply
    {39, u"Закрыть"},                               // Close
    {40, u"№"},                                     // No.
    {41, u"Имя файла"},                             // File name
    {42, u"Зеркальное изображение"},                // Image mirror display
    {43, u"Не показывать метку времени на видео"},  // Do not display timestamp on the video
    {44, u"Показывать метку времени на видео"},     // Display timestamp on the video
    {45, u"Показывать метку времени и версию на видео"}, // Display timestamp and version on the video
    {46, u"Показывать только метку времени на видео"}, // Only display timestamp on the video
    {47, u"Отображаемый текст:"},                   // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Длительность записи (секунды)"},         // Recording Duration(seconds.)
    {50, u"Видеофайл"},                             // Video file
    {51, u"Автомобильный DVR и GPS-трекер, версия 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"© 2026 Разработчики Kestrelview. Все права защищены."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Длина сегмента:"},                       // Subsection Duration:
});
