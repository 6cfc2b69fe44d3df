#include "cplayerapp.h"

#include "cdxgraph.h"
#include "cplayerdlg.h"
#include "playersettings.h"
#include "recordlistmodel.h"
#include "uiseam.h"

bool CPlayerApp::InitInstance(const QString& argv0)
{
    CPlayerDlg dialog(argv0);
    const QString missing = CDXGraph::MissingPluginsMessage();
    if (!missing.isEmpty())
        UiSeam::Warn(&dialog, QStringLiteral("Dashtrail"), missing);
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
