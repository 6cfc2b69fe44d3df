// UI texts in Japanese (language 19).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsJapanese = makeUiTextRow({
    { 0, u"バージョン情報 ..."},                           // About ...
    { 1, u"ヘルプ"},                                   // Help
    { 2, u"最小化"},                                   // Minimize
    { 3, u"終了"},                                    // Exit
    { 4, u"ファイルの先頭へ"},                              // Back to head of file
    { 5, u"コマ戻し"},                                  // Frame backward
    { 6, u"3秒戻る"},                                  // Skip backward three seconds
    { 7, u"停止"},                                    // Stop
    { 8, u"一時停止"},                                  // Pause
    { 9, u"再生"},                                    // Play
    {10, u"3秒進む"},                                  // Skip forward three seconds
    {11, u"コマ送り"},                                  // Frame forward
    {12, u"ファイルの末尾へ"},                              // Jump to bottom of file
    {13, u"ファイルを開く"},                               // Open file
    {14, u"スナップショット"},                              // Snapshot
    {15, u"画像を印刷"},                                 // Print image
    {16, u"設定"},                                    // Configuration
    {17, u"検索フォルダーを読み込む"},                          // Load search directory
    {18, u"選択した動画を開く"},                             // Open selected video
    {19, u"次へ"},                                    // Next
    {20, u"前へ"},                                    // Previous
    {21, u"次の録画"},                                  // Next record
    {22, u"前の録画"},                                  // Previous record
    {23, u"情報"},                                    // Information
    {24, u"録画"},                                    // Record
    {25, u"イベント"},                                  // Event
    {26, u"終了してもよろしいですか？"},                         // Are you sure to exit ?
    {27, u"通知"},                                    // Notice
    {28, u"解像度"},                                   // Resolution
    {29, u"録画"},                                    // Record
    {30, u"事前録画時間："},                               // Prerecord time:
    {31, u"動画の長さ："},                                // Video duration:
    {32, u"Gセンサー感度"},                               // G-Sensor sensitivity
    {33, u"タイムゾーン："},                               // Time zone:
    {34, u"X軸："},                                   // X axis:
    {35, u"Y軸："},                                   // Y axis:
    {36, u"Z軸："},                                   // Z axis:
    {37, u"システム時刻を設定する"},                           // Set up system time
    {38, u"適用"},                                    // Apply
    {39, u"閉じる"},                                   // Close
    {40, u"番号"},                                    // No.
    {41, u"ファイル名"},                                 // File name
    {42, u"映像をミラー表示"},                              // Image mirror display
    {43, u"動画にタイムスタンプを表示しない"},                      // Do not display timestamp on the video
    {44, u"動画にタイムスタンプを表示する"},                       // Display timestamp on the video
    {45, u"動画にタイムスタンプとバージョンを表示する"},                 // Display timestamp and version on the video
    {46, u"動画にタイムスタンプのみ表示する"},                      // Only display timestamp on the video
    {47, u"表示テキスト："},                               // Display text:
    {48, u"ID"},                                    // ID
    {49, u"録画時間（秒）"},                               // Recording Duration(seconds.)
    {50, u"動画ファイル"},                                // Video file
    {51, u"車載DVR・GPSトラッカー バージョン3.2"},               // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Kestrelview 開発者一同。無断複製・転載を禁じます。"}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"ファイル分割時間："},                             // Subsection Duration:
});
