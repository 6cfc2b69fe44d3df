// UI texts in French (language 2).
// One entry per UiTextId, in order; the comment gives the English text.
#include "uitextrow.h"

constinit const UiTextRow kUiTextsFrench = makeUiTextRow({
    { 0, u"À propos ..."},                          // About ...
    { 1, u"Aide"},                                  // Help
    { 2, u"Réduire"},                               // Minimize
    { 3, u"Quitter"},                               // Exit
    { 4, u"Retour au début du fichier"},            // Back to head of file
    { 5, u"Image précédente"},                      // Frame backward
    { 6, u"Reculer de trois secondes"},             // Skip backward three seconds
    { 7, u"Arrêt"},                                 // Stop
    { 8, u"Pause"},                                 // Pause
    { 9, u"Lecture"},                               // Play
    {10, u"Avancer de trois secondes"},             // Skip forward three seconds
    {11, u"Image suivante"},                        // Frame forward
    {12, u"Aller à la fin du fichier"},             // Jump to bottom of file
    {13, u"Ouvrir un fichier"},                     // Open file
    {14, u"Instantané"},                            // Snapshot
    {15, u"Imprimer l'image"},                      // Print image
    {16, u"Configuration"},                         // Configuration
    {17, u"Charger le dossier de recherche"},       // Load search directory
    {18, u"Ouvrir la vidéo sélectionnée"},          // Open selected video
    {19, u"Suivant"},                               // Next
    {20, u"Précédent"},                             // Previous
    {21, u"Enregistrement suivant"},                // Next record
    {22, u"Enregistrement précédent"},              // Previous record
    {23, u"Informations"},                          // Information
    {24, u"Enregistrement"},                        // Record
    {25, u"Événement"},                             // Event
    {26, u"Voulez-vous vraiment quitter ?"},        // Are you sure to exit ?
    {27, u"Avis"},                                  // Notice
    {28, u"Résolution"},                            // Resolution
    {29, u"Enregistrement"},                        // Record
    {30, u"Préenregistrement :"},                   // Prerecord time:
    {31, u"Durée de la vidéo :"},                   // Video duration:
    {32, u"Sensibilité du capteur G"},              // G-Sensor sensitivity
    {33, u"Fuseau horaire :"},                      // Time zone:
    {34, u"Axe X :"},                               // X axis:
    {35, u"Axe Y :"},                               // Y axis:
    {36, u"Axe Z :"},                               // Z axis:
    {37, u"Régler l'heure du système"},             // Set up system time
    {38, u"Appliquer"},                             // Apply
    {39, u"Fermer"},                                // Close
    {40, u"N°"},                                    // No.
    {41, u"Nom fichier"},                           // File name
    {42, u"Image en miroir"},                       // Image mirror display
    {43, u"Ne pas afficher l'horodatage sur la vidéo"}, // Do not display timestamp on the video
    {44, u"Afficher l'horodatage sur la vidéo"},    // Display timestamp on the video
    {45, u"Afficher l'horodatage et la version sur la vidéo"}, // Display timestamp and version on the video
    {46, u"Afficher uniquement l'horodatage sur la vidéo"}, // Only display timestamp on the video
    {47, u"Texte affiché :"},                       // Display text:
    {48, u"ID"},                                    // ID
    {49, u"Durée d'enregistrement (secondes)"},     // Recording Duration(seconds.)
    {50, u"Fichier vidéo"},                         // Video file
    {51, u"DVR et traceur GPS pour véhicule, version 3.2"}, // Vehicle DVR and GPS tracker version 3.2
    {52, u"Copyright © 2026 Les développeurs de Kestrelview. Tous droits réservés."}, // Copyright © 2026 Kestrelview developers. All rights reserved.
    {53, u"Durée des segments :"},                  // Subsection Duration:
});
