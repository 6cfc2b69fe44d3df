#include "maplanguage.h"

namespace {

// In the order of the user-interface languages.
constexpr const char* kCodes[kMapLanguageCount] = {
    "en", "zh-cn", "fr", "de", "et", "bg", "hu", "pl", "da", "ru", "fi", "nl", "cs", "hr",
    "lv", "lt",    "ro", "nn", "pt", "ja", "sv", "sk", "sl", "tr", "es", "el", "it",
};

} // namespace

const char* MapLanguageCode(int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= kMapLanguageCount)
        return kCodes[0];
    return kCodes[languageIndex];
}
