// Qt's own dialogs follow the language menu: the message boxes' buttons and
// the file dialog in German after switching to German, back in English after.
#include "qtdialogtranslation.h"
#include "uitexttable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

QString buttonText(QMessageBox::StandardButton which)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrelview"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    return box.button(which)->text();
}

// The texts a user reads on Qt's own open dialog: its "Look in" label and the
// accept button.
QStringList openDialogTexts()
{
    QFileDialog dialog(nullptr, QString(), QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList texts;
    if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel")))
        texts << label->text();
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QAbstractButton* open = buttons->button(QDialogButtonBox::Open))
            texts << open->text();
    return texts;
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QtDialogTranslation probe; !probe.Apply(kLanguageGerman))
            QSKIP("Qt's translations are not installed (qt6-translations-l10n)");
    }

    void everyNamedCatalogueIsInstalled()
    {
        const QDir folder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        int named = 0;
        for (int language = 0; language < kLanguageCount; ++language) {
            const QString catalogue = QtCatalogueFor(language);
            if (catalogue.isEmpty())
                continue;
            ++named;
            QVERIFY2(folder.exists(catalogue + QStringLiteral(".qm")), qPrintable(catalogue));
        }
        QCOMPARE(named, 19);  // all but English and the seven Qt does not translate
        QVERIFY(QtCatalogueFor(kLanguageEnglish).isEmpty());
        QVERIFY(QtCatalogueFor(-1).isEmpty());
        QVERIFY(QtCatalogueFor(kLanguageCount).isEmpty());
    }

    void dialogsSwitchWithTheLanguage()
    {
        const QString englishYes = buttonText(QMessageBox::Yes);
        const QStringList englishOpen = openDialogTexts();
        QCOMPARE(englishYes, QStringLiteral("&Yes"));
        QCOMPARE(englishOpen.size(), 2);

        QtDialogTranslation translation;
        QVERIFY(translation.Apply(kLanguageGerman));
        QCOMPARE(buttonText(QMessageBox::Yes), QStringLiteral("&Ja"));
        QCOMPARE(buttonText(QMessageBox::No), QStringLiteral("&Nein"));
        const QStringList german = openDialogTexts();
        QCOMPARE(german.size(), 2);
        QCOMPARE(german.first(), QStringLiteral("Suchen in:"));
        QVERIFY2(german != englishOpen, qPrintable(german.join(u'|')));

        // The next language replaces the one before rather than adding to it.
        QVERIFY(translation.Apply(kLanguageFrench));
        QCOMPARE(buttonText(QMessageBox::Yes), QStringLiteral("&Oui"));

        // A language Qt does not translate, and English, show Qt's English.
        QVERIFY(!translation.Apply(kLanguageEstonian));
        QCOMPARE(buttonText(QMessageBox::Yes), englishYes);
        QVERIFY(translation.Apply(kLanguageGerman));
        QVERIFY(!translation.Apply(kLanguageEnglish));
        QCOMPARE(openDialogTexts(), englishOpen);
    }

    void goneWithItsOwner()
    {
        {
            QtDialogTranslation translation;
            QVERIFY(translation.Apply(kLanguageGerman));
        }
        QCOMPARE(buttonText(QMessageBox::Yes), QStringLiteral("&Yes"));
    }
};

QTEST_MAIN(QtDialogsTest)
#include "tst_qtdialogs.moc"
