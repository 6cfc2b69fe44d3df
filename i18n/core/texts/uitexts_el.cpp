// UI texts in Greek (language 25).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsGreek = makeUiTextRow({
    { 0, u"Σχετικά ..."},                           // About ...
    { 1, u"Βοήθεια"},                               // Help
    { 2, u"Ελαχιστοποίηση"},                        // Minimize
    { 3, u"Έξοδος"},                                // Exit
    { 4, u"Μετάβαση στην αρχή του αρχείου"},        // Back to head of file
    { 5, u"Προηγούμενο καρέ"},                      // Frame backward
    { 6, u"Πίσω τρία δευτερόλεπτα"},                // Skip backward three seconds
    { 7, u"Διακοπή"},                               // Stop
    { 8, u"Παύση"},                                 // Pause
    { 9, u"Αναπαραγωγή"},                           // Play
    {10, u"Εμπρός τρία δευτερόλεπτα"},              // Skip forward three seconds
    {11, u"Επόμενο καρέ"},                          // Frame forward
    {12, u"Μετάβαση στο τέλος του αρχείου"},        // Jump to bottom of file
    {13, u"Άνοιγμα αρχείου"},                       // Open file
    {14, u"Στιγμιότυπο"},                           // Snapshot
    {15, u"Εκτύπωση εικόνας"},                      // Print image
    {16, u"Ρυθμίσεις"},                             // Configuration
    {17, u"Φόρτωση φακέλου αναζήτησης"},            // Load search directory
    {18, u"Άνοιγμα επιλεγμένου βίντεο"},            // Open selected video
    {19, u"Επόμενο"},                               // Next
    {20, u"Προηγούμενο"},                           // Previous
    {21, u"Επόμενη εγγραφή"},                       // Next record
    {22, u"Προηγούμενη εγγραφή"},                   // Previous record
    {23, u"Πληροφορίες"},                           // Information
    {24, u"Εγγραφή"},                               // Record
    {25, u"Συμβάν"},                                // Event
    {26, u"Είστε βέβαιοι ότι θέλετε να εξέλθετε;"}, // Are you sure to exit ?
    {27, u"Ειδοποίηση"},                            // Notice
    {28, u"Ανάλυση"},                               // Resolution
    {29, u"Εγγραφή"},                               // Record
    {30, u"Χρόνος προεγγραφής:"},                   // Prerecord time:
    {31, u"Διάρκεια βίντεο:"},                      // Video duration:
    {32, u"Ευαισθησία αισθητήρα G"},                // G-Sensor sensitivity
    {33, u"Ζώνη ώρας:"},                            // Time zone:
    {34, u"Άξονας X:"},                             // X axis:
    {35, u"Άξονας Y:"},                             // Y axis:
    {36, u"Άξονας Z:"},                             // Z axis:
    {37, u"Ρύθμιση ώρας συστήματος"},               // Set up system time
    {38, u"Εφαρμογή"},                              // Apply
    {39, u"Κλείσιμο"},                              // Close
    {40, u"Α/Α"},                                   // No.
    {41, u"Αρχείο"},                                // File name
    {42, u"Κατοπτρική εικόνα"},                     // Image mirror display
    {43, u"Να μην εμφανίζεται χρονοσήμανση στο βίντεο"}, // Do not display timestamp on the video
    {44, u"Εμφάνιση χρονοσήμανσης στο βίντεο"},     // Display timestamp on the video
    {45, u"Εμφάνιση χρονοσήμανσης και έκδοσης στο βίντεο"}, // Display timestamp and version on the video
    {46, u"Εμφάνιση μόνο χρονοσήμανσης στο βίντεο"}, // Only display timestamp on the video
    {47, u"Εμφανιζόμενο κείμενο:"},                 // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Διάρκεια εγγραφής (δευτερόλεπτα)"},      // Recording Duration(seconds.)
    {50, u"Αρχείο βίντεο"},                         // Video file
    {51, u"DVR οχήματος και εντοπιστής GPS, έκδοση 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Προγραμματιστές του Kestrelview. Με επιφύλαξη παντός δικαιώματος."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Διάρκεια τμήματος:"},                    // Subsection Duration:
});
