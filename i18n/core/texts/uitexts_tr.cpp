// UI texts in Turkish (language 23).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsTurkish = makeUiTextRow({
    { 0, u"Hakkında ..."},                          // About ...
    { 1, u"Yardım"},                                // Help
    { 2, u"Küçült"},                                // Minimize
    { 3, u"Çıkış"},                                 // Exit
    { 4, u"Dosyanın başına git"},                   // Back to head of file
    { 5, u"Önceki kare"},                           // Frame backward
    { 6, u"Üç saniye geri"},                        // Skip backward three seconds
    { 7, u"Durdur"},                                // Stop
    { 8, u"Duraklat"},                              // Pause
    { 9, u"Oynat"},                                 // Play
    {10, u"Üç saniye ileri"},                       // Skip forward three seconds
    {11, u"Sonraki kare"},                          // Frame forward
    {12, u"Dosyanın sonuna git"},                   // Jump to bottom of file
    {13, u"Dosya aç"},                              // Open file
    {14, u"Anlık görüntü"},                         // Snapshot
    {15, u"Görüntüyü yazdır"},                      // Print image
    {16, u"Yapılandırma"},                          // Configuration
    {17, u"Arama klasörünü yükle"},                 // Load search directory
    {18, u"Seçili videoyu aç"},                     // Open selected video
    {19, u"Sonraki"},                               // Next
    {20, u"Önceki"},                                // Previous
    {21, u"Sonraki kayıt"},                         // Next record
    {22, u"Önceki kayıt"},                          // Previous record
    {23, u"Bilgi"},                                 // Information
    {24, u"Kayıt"},                                 // Record
    {25, u"Olay"},                                  // Event
    {26, u"Çıkmak istediğinizden emin misiniz?"},   // Are you sure to exit ?
    {27, u"Bildirim"},                              // Notice
    {28, u"Çözünürlük"},                            // Resolution
    {29, u"Kayıt"},                                 // Record
    {30, u"Ön kayıt süresi:"},                      // Prerecord time:
    {31, u"Video süresi:"},                         // Video duration:
    {32, u"G-sensör hassasiyeti"},                  // G-Sensor sensitivity
    {33, u"Saat dilimi:"},                          // Time zone:
    {34, u"X ekseni:"},                             // X axis:
    {35, u"Y ekseni:"},                             // Y axis:
    {36, u"Z ekseni:"},                             // Z axis:
    {37, u"Sistem saatini ayarla"},                 // Set up system time
    {38, u"Uygula"},                                // Apply
    {39, u"Kapat"},                                 // Close
    {40, u"Sıra No"},                               // No.
    {41, u"Dosya adı"},                             // File name
    {42, u"Ayna görüntüsü"},                        // Image mirror display
    {43, u"Videoda zaman damgasını gösterme"},      // Do not display timestamp on the video
    {44, u"Videoda zaman damgasını göster"},        // Display timestamp on the video
    {45, u"Videoda zaman damgasını ve sürümü göster"}, // Display timestamp and version on the video
    {46, u"Videoda yalnızca zaman damgasını göster"}, // Only display timestamp on the video
    {47, u"Görüntülenen metin:"},                   // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Kayıt süresi (saniye)"},                 // Recording Duration(seconds.)
    {50, u"Video dosyası"},                         // Video file
    {51, u"Araç DVR ve GPS takip cihazı, sürüm 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Telif hakkı © 2026 Kestrelview geliştiricileri. Tüm hakları saklıdır."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Bölüm süresi:"},                         // Subsection Duration:
});
