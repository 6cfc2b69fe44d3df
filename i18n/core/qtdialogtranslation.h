#pragma once
// Qt's own texts in the language in use: the buttons of message boxes (the
// exit question's Yes/No) and the open, save and print dialogs come from Qt's
// translations (Debian's qt6-translations-l10n), switched with the language
// menu. A language Qt has no translation for shows Qt's English. UI thread.

#include <QString>
#include <QTranslator>

// The name of Qt's catalogue for `language` ("qtbase_de"), empty for English,
// for a language Qt does not translate and for an index outside 0..26.
QString QtCatalogueFor(int language);

class QtDialogTranslation {
public:
    // `folder`: where Qt's .qm files are; empty for Qt's own translations folder.
    explicit QtDialogTranslation(QString folder = QString());
    ~QtDialogTranslation();
    QtDialogTranslation(const QtDialogTranslation&) = delete;
    QtDialogTranslation& operator=(const QtDialogTranslation&) = delete;

    // Puts Qt's texts of `language` into the application (a QCoreApplication
    // must exist), replacing those of the language before; widgets made after
    // this show them. True when a translation is installed, false when Qt's
    // English is left (English, no catalogue, or none installed).
    bool Apply(int language);

private:
    QString m_folder;
    QTranslator m_translator;
    bool m_installed = false;
};
