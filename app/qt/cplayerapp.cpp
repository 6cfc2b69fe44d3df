#include "cplayerapp.h"

#include "cdxgraph.h"
#include "cplayerdlg.h"
#include "playersettings.h"
#include "recordlistmodel.h"
#include "uiseam.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QToolTip>

bool CPlayerApp::InitInstance(const QString& argv0, const QStringList& paths)
{
    // While the window is built, a worker finds out how the picture is drawn.
    CDXGraph::PrepareVideoPath();
    CPlayerDlg dialog(argv0);
    const QString missing = CDXGraph::MissingPluginsMessage();
    if (!missing.isEmpty())
        UiSeam::Warn(&dialog, QStringLiteral("Dashtrail"), missing);
    // A recording plays on the window as shown, so it opens once the loop runs.
    if (!paths.isEmpty())
        QMetaObject::invokeMethod(&dialog, [&dialog, paths] { dialog.OpenPaths(paths); }, Qt::QueuedConnection);
    dialog.exec();
    return false;
}

int CPlayerApp::ExitInstance()
{
    return 0;
}

void SaveRecordFolder()
{
    WriteLastLoadPath(RecordFolder);
}

QString AboutMenuText()
{
    static const char16_t text[] = {0x00B9, 0x00D8, 0x00D3, 0x00DA, u' ', u'p', u'l', u'a', u'y', u'e', u'r',
                                    u'(', u'&', u'A', u')', u'.', u'.', u'.', 0};
    return QString::fromUtf16(text);
}

void ApplyDarkLook(QApplication& application)
{
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    const QColor window(0x23, 0x27, 0x2d);
    const QColor base(0x17, 0x1a, 0x1e);
    const QColor text(0xd8, 0xdd, 0xe3);
    const QColor accent(0x2e, 0xa8, 0xc8);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, QColor(0x10, 0x12, 0x15));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x80, 0x88, 0x92));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x2d, 0x32, 0x39));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6a, 0x72, 0x7c));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6a, 0x72, 0x7c));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6a, 0x72, 0x7c));
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    application.setPalette(palette);
    QToolTip::setPalette(palette);
}
