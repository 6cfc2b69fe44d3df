#include "uitexttable.h"

#include "uitextrow.h"

// Addresses only, so the table is constant-initialised: a lookup during static
// initialisation of another file still finds every row.
constinit const UiTextRow* const UiTextTable[kLanguageCount] = {
    &kUiTextsEnglish,    &kUiTextsSimplifiedChinese, &kUiTextsFrench,     &kUiTextsGerman,
    &kUiTextsEstonian,   &kUiTextsBulgarian,         &kUiTextsHungarian,  &kUiTextsPolish,
    &kUiTextsDanish,     &kUiTextsRussian,           &kUiTextsFinnish,    &kUiTextsDutch,
    &kUiTextsCzech,      &kUiTextsCroatian,          &kUiTextsLatvian,    &kUiTextsLithuanian,
    &kUiTextsRomanian,   &kUiTextsNorwegian,         &kUiTextsPortuguese, &kUiTextsJapanese,
    &kUiTextsSwedish,    &kUiTextsSlovak,            &kUiTextsSlovenian,  &kUiTextsTurkish,
    &kUiTextsSpanish,    &kUiTextsGreek,             &kUiTextsItalian,
};

int CurrentLanguage = kDefaultLanguage;

namespace {

const char16_t* textIn(int language, int id)
{
    if (id < 0 || id >= kUiTextCount || !isValidLanguage(language))
        return nullptr;
    return (*UiTextTable[language])[static_cast<std::size_t>(id)];
}

QString toQString(const char16_t* text)
{
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace

const char16_t* GetUiText(int id)
{
    const int language = isValidLanguage(CurrentLanguage) ? CurrentLanguage : kLanguageEnglish;
    return textIn(language, id);
}

QString UiText(int id)
{
    return toQString(GetUiText(id));
}

QString UiTextIn(int language, int id)
{
    return toQString(textIn(language, id));
}
