#pragma once
// Language codes written into the map page, by user-interface language index.

inline constexpr int kMapLanguageCount = 27;

// The code for a language index (0 English .. 26 Italian); "en" outside that range.
const char* MapLanguageCode(int languageIndex);
