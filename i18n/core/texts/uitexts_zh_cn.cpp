// UI texts in Simplified Chinese (language 1).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsSimplifiedChinese = makeUiTextRow({
    { 0, u"关于 ..."},                                // About ...
    { 1, u"帮助"},                                    // Help
    { 2, u"最小化"},                                   // Minimize
    { 3, u"退出"},                                    // Exit
    { 4, u"回到文件首部"},                                // Back to head of file
    { 5, u"退帧"},                                    // Frame backward
    { 6, u"后退3秒"},                                  // Skip backward three seconds
    { 7, u"停止"},                                    // Stop
    { 8, u"暂停"},                                    // Pause
    { 9, u"播放"},                                    // Play
    {10, u"前进3秒"},                                  // Skip forward three seconds
    {11, u"帧进"},                                    // Frame forward
    {12, u"跳到文件尾部"},                                // Jump to bottom of file
    {13, u"打开文件"},                                  // Open file
    {14, u"抓图"},                                    // Snapshot
    {15, u"打印图像"},                                  // Print image
    {16, u"参数配置"},                                  // Configuration
    {17, u"载入检索目录"},                                // Load search directory
    {18, u"打开选定录像"},                                // Open selected video
    {19, u"下一个"},                                   // Next
    {20, u"上一个"},                                   // Previous
    {21, u"下一条记录"},                                 // Next record
    {22, u"上一条记录"},                                 // Previous record
    {23, u"信息"},                                    // Information
    {24, u"记录"},                                    // Record
    {25, u"事件"},                                    // Event
    {26, u"您确定要退出吗？"},                              // Are you sure to exit ?
    {27, u"提示"},                                    // Notice
    {28, u"分辨率"},                                   // Resolution
    {29, u"录像"},                                    // Record
    {30, u"预录时长:"},                                 // Prerecord time:
    {31, u"视频时长:"},                                 // Video duration:
    {32, u"G-Sensor灵敏度"},                           // G-Sensor sensitivity
    {33, u"时区:"},                                   // Time zone:
    {34, u"X 轴:"},                                  // X axis:
    {35, u"Y 轴:"},                                  // Y axis:
    {36, u"Z 轴:"},                                  // Z axis:
    {37, u"设置系统时间"},                                // Set up system time
    {38, u"应用"},                                    // Apply
    {39, u"关闭"},                                    // Close
    {40, u"编号"},                                    // No.
    {41, u"文件名"},                                   // File name
    {42, u"画面镜像显示"},                                // Image mirror display
    {43, u"不在视频画面上显示时间戳"},                          // Do not display timestamp on the video
    {44, u"在视频画面上显示时间戳"},                           // Display timestamp on the video
    {45, u"在视频画面上显示时间戳及版本号"},                       // Display timestamp and version on the video
    {46, u"仅在视频画面上显示时间戳"},                          // Only display timestamp on the video
    {47, u"显示文字:"},                                 // Display text:
    {48, u"ID"},                                    // ID
    {49, u"录像时长（秒）"},                               // Recording Duration(seconds.)
    {50, u"视频文件"},                                  // Video file
    {51, u"车载录像及GPS轨迹跟踪 V3.2"},                     // Vehicle DVR and GPS tracker version 3.2
    {52, u"版权所有 © 2026 Kestrelview 开发者。保留所有权利。"},   // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"分段时间:"},                                 // Subsection Duration:
});
