#include "uitexttable.h"

// Menu texts, as the menu has always shown them: each in its own language, then in English
// (a few keep their historical wording, such as "Eesti (Estonia)").
constinit const char16_t* const LanguageNames[kLanguageCount + 1] = {
    u"English (English)",                     // 0
    u"简体中文 (Simplified Chinese)",             // 1
    u"Français (French)",                     // 2
    u"Deutsch (German)",                      // 3
    u"Eesti (Estonia)",                       // 4
    u"Български (Bulgarian)",                 // 5
    u"Magyarország (Hungary)",                // 6
    u"Puolan (Polish)",                       // 7
    u"Dansk (Danish)",                        // 8
    u"Русский (Russian)",                     // 9
    u"Suomalainen (Finnish)",                 // 10
    u"Nederlands (Dutch)",                    // 11
    u"Česky (Czech)",                         // 12
    u"Hrvatski (Croatian)",                   // 13
    u"Latviešu (Latvian)",                    // 14
    u"Lietuvių (Lithuanian)",                 // 15
    u"Română (Romanian)",                     // 16
    u"Norsk (Norwegian)",                     // 17
    u"Português (Portuguese)",                // 18
    u"日本語 (Japanese)",                        // 19
    u"Svenska (Swedish)",                     // 20
    u"Slovenského jazyka (Slovak language)",  // 21
    u"Slovenščina (Slovenian)",               // 22
    u"Türkçe (Turkish)",                      // 23
    u"Español (Spanish)",                     // 24
    u"Ελληνικά (Greek)",                      // 25
    u"Italiano (Italian)",                    // 26
    nullptr,
};

// Tooltip of the language button in each language. The Bulgarian one is stored as users
// have always seen it, with an ASCII "6" and "c" among the Cyrillic letters.
constinit const char16_t* const ChangeLanguageCaptions[kLanguageCount] = {
    u"Change Language",                       // 0
    u"更改语言",                                  // 1
    u"Changer de langue",                     // 2
    u"Sprache ändern",                        // 3
    u"Keele",                                 // 4
    u"из6ор/cмяна на език",                   // 5
    u"Nyelv",                                 // 6
    u"Zmień język",                           // 7
    u"Skift sprog",                           // 8
    u"Изменить язык",                         // 9
    u"Vaihda kieli",                          // 10
    u"Wijzig taal",                           // 11
    u"Změnit jazyk",                          // 12
    u"Promijeni jezik",                       // 13
    u"Mainīt valodu",                         // 14
    u"Keisti kalbą",                          // 15
    u"Modificare limbă",                      // 16
    u"Endre språk",                           // 17
    u"Alterar idioma",                        // 18
    u"言語を変更",                                 // 19
    u"Ändra språk",                           // 20
    u"Zmeniť jazyk",                          // 21
    u"Spremeni jezik",                        // 22
    u"Dil Değiştir",                          // 23
    u"Cambiar idioma",                        // 24
    u"Αλλαγή γλώσσας",                        // 25
    u"Cambia lingua",                         // 26
};
