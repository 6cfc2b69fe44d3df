#include "qtdialogtranslation.h"

#include "uitexttable.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <array>
#include <utility>

namespace {

// Qt's locale names in the order of the table; nullptr where Qt ships no
// translation of its base texts. Portuguese takes Qt's Brazilian catalogue,
// the only one there is; Norwegian keeps English rather than Nynorsk.
constexpr std::array<const char*, kLanguageCount> kQtLocales = {
    nullptr,  // English: Qt's own texts
    "zh_CN", "fr", "de",
    nullptr,  // Estonian
    "bg", "hu", "pl", "da", "ru", "fi", "nl", "cs", "hr", "lv",
    nullptr,  // Lithuanian
    nullptr,  // Romanian
    nullptr,  // Norwegian
    "pt_BR", "ja",
    nullptr,  // Swedish
    "sk",
    nullptr,  // Slovenian
    "tr", "es",
    nullptr,  // Greek
    "it",
};

}  // namespace

QString QtCatalogueFor(int language)
{
    if (!isValidLanguage(language) || !kQtLocales[static_cast<std::size_t>(language)])
        return QString();
    return QStringLiteral("qtbase_") + QLatin1String(kQtLocales[static_cast<std::size_t>(language)]);
}

QtDialogTranslation::QtDialogTranslation(QString folder)
    : m_folder(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : std::move(folder))
{
}

QtDialogTranslation::~QtDialogTranslation()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

bool QtDialogTranslation::Apply(int language)
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    const QString catalogue = QtCatalogueFor(language);
    if (catalogue.isEmpty() || !m_translator.load(catalogue, m_folder))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}
