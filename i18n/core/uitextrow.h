#pragma once

// Building blocks of the per-language text files: each file defines one UiTextRow from a
// list of {id, text} entries, checked while compiling (exactly one non-empty text per
// UiTextId, in order), so a missing, doubled or swapped line does not build.

#include "uitexttable.h"

#include <cstddef>

struct UiTextEntry {
    int id;
    const char16_t* text;
};

template <std::size_t N>
consteval UiTextRow makeUiTextRow(const UiTextEntry (&entries)[N])
{
    static_assert(N == kUiTextCount, "a language needs exactly one entry per UiTextId");
    UiTextRow row{};
    for (std::size_t i = 0; i < N; ++i) {
        if (entries[i].id != static_cast<int>(i))
            throw "UiTextEntry ids must run 0..53 in order";
        if (entries[i].text == nullptr || entries[i].text[0] == u'\0')
            throw "every UiTextEntry needs a non-empty text";
        row[i] = entries[i].text;
    }
    return row;
}

extern const UiTextRow kUiTextsEnglish;
extern const UiTextRow kUiTextsSimplifiedChinese;
extern const UiTextRow kUiTextsFrench;
extern const UiTextRow kUiTextsGerman;
extern const UiTextRow kUiTextsEstonian;
extern const UiTextRow kUiTextsBulgarian;
extern const UiTextRow kUiTextsHungarian;
extern const UiTextRow kUiTextsPolish;
extern const UiTextRow kUiTextsDanish;
extern const UiTextRow kUiTextsRussian;
extern const UiTextRow kUiTextsFinnish;
extern const UiTextRow kUiTextsDutch;
extern const UiTextRow kUiTextsCzech;
extern const UiTextRow kUiTextsCroatian;
extern const UiTextRow kUiTextsLatvian;
extern const UiTextRow kUiTextsLithuanian;
extern const UiTextRow kUiTextsRomanian;
extern const UiTextRow kUiTextsNorwegian;
extern const UiTextRow kUiTextsPortuguese;
extern const UiTextRow kUiTextsJapanese;
extern const UiTextRow kUiTextsSwedish;
extern const UiTextRow kUiTextsSlovak;
extern const UiTextRow kUiTextsSlovenian;
extern const UiTextRow kUiTextsTurkish;
extern const UiTextRow kUiTextsSpanish;
extern const UiTextRow kUiTextsGreek;
extern const UiTextRow kUiTextsItalian;
