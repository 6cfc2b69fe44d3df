#include "cinformation.h"

#include "appstate.h"
#include "ccontrolbutton.h"
#include "controlid.h"
#include "paneloutline.h"
#include "cwebbrowser2.h"
#include "fittingfont.h"
#include "mapoffsets.h"
#include "mappage.h"
#include "mapscript.h"
#include "recordlistmodel.h"
#include "skin.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTextEdit>
#include <QTextOption>

bool mapUpdateBusy = false;

namespace {

// Pixel places in the panel's client area (x, y, width, height).
struct Place {
    int id;
    int x, y, width, height;
};

// The browser's template place is 2, 93, 209 x 252 dialog units; it is cut
// off where the panel ends (521 pixels), so the map centres on what shows.
constexpr Place kPlaces[] = {
    {CInformation::kPreviousButton, 10, 30, 30, 18},
    {CInformation::kCurrentRecordCaption, 50, 30, 190, 20},
    {CInformation::kNextButton, 250, 30, 30, 18},
    {CInformation::kRecordText, 5, 70, 300, 52},
    {CInformation::kEventCaption, 10, 130, 60, 20},
    {CInformation::kEventText, 75, 130, 60, 20},
    {CInformation::kResolutionCaption, 50, 130, 185, 20},
    {CInformation::kResolutionText, 240, 130, 60, 20},
    {CInformation::kBrowser, 3, 151, 313, 370},
};

constexpr QSize kPanelSize(316, 521);
// A line edit keeps this many pixels free on each side of its text.
constexpr int kLineEditTextMargin = 2;
const QColor kEditBackground(61, 89, 123);
const QColor kStaticBackground(51, 65, 89);

// A static text in the panel's look: white text on its own colour behind the
// glyphs only, the panel's picture around it.
class PanelStatic : public QLabel {
public:
    PanelStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
        const QRect textRect = QStyle::alignedRect(layoutDirection(), alignment(), textSize, area);
        painter.fillRect(textRect.intersected(area), kStaticBackground);
        painter.setPen(Qt::white);
        painter.drawText(area, int(alignment()) | Qt::TextSingleLine, text());
    }
};

QString editStyle(const char* type)
{
    return QStringLiteral("%1 { background-color: rgb(61,89,123); color: white; border: none; padding: 0px; }")
        .arg(QLatin1String(type));
}

}  // namespace

CInformation::CInformation(QWidget* parent)
    : QDialog(parent), m_reach(std::make_shared<MapReachability>())
{
    // A child panel inside the main window, not a window of its own.
    setWindowFlags(Qt::Widget);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kPanelSize);
    createControls();
}

CInformation::~CInformation() = default;

void CInformation::createControls()
{
    m_previousButton = new CControlButton(this, kPreviousButton);
    m_previousButton->SetFaceBitmaps(185, 184, 185);
    m_nextButton = new CControlButton(this, kNextButton);
    m_nextButton->SetFaceBitmaps(183, 186, 183);
    for (CControlButton* button : {m_previousButton, m_nextButton})
        button->setFocusPolicy(Qt::NoFocus);

    m_currentRecordCaption = new PanelStatic(QStringLiteral("-----Current Record-----"), this);
    SetControlId(m_currentRecordCaption, kCurrentRecordCaption);
    m_currentRecordCaption->hide();

    m_recordText = new QTextEdit(this);
    SetControlId(m_recordText, kRecordText);
    m_recordText->setReadOnly(true);
    m_recordText->setAcceptRichText(false);
    m_recordText->setFrameShape(QFrame::NoFrame);
    m_recordText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_recordText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTextOption centred(Qt::AlignHCenter);
    centred.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_recordText->document()->setDefaultTextOption(centred);
    m_recordText->setStyleSheet(editStyle("QTextEdit"));

    m_eventCaption = new PanelStatic(QStringLiteral("Event:"), this);
    SetControlId(m_eventCaption, kEventCaption);
    m_eventCaption->hide();

    m_eventText = new QLineEdit(this);
    SetControlId(m_eventText, kEventText);
    m_eventText->hide();

    m_resolutionCaption = new PanelStatic(UiText(kTextResolution), this);
    SetControlId(m_resolutionCaption, kResolutionCaption);
    m_resolutionCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_resolutionText = new QLineEdit(this);
    SetControlId(m_resolutionText, kResolutionText);
    m_resolutionText->setReadOnly(true);
    m_readoutFont = m_resolutionText->font();

    for (QLineEdit* edit : {m_eventText, m_resolutionText}) {
        edit->setFrame(false);
        edit->setStyleSheet(editStyle("QLineEdit"));
    }

    m_browser = new CWebBrowser2(this);
    SetControlId(m_browser, kBrowser);

    for (const Place& p : kPlaces) {
        if (QWidget* control = FindControl(this, p.id))
            control->setGeometry(p.x, p.y, p.width, p.height);
    }

    RelabelInformationPanel();

    // The message map of the panel.
    connect(m_previousButton, &QAbstractButton::clicked, this, &CInformation::onPrevious);
    connect(m_nextButton, &QAbstractButton::clicked, this, &CInformation::onNext);
    connect(m_browser, &CWebBrowser2::DocumentComplete, this, &CInformation::OnDocumentComplete);
}

void CInformation::SetFolders(const QString& programDirectory, const QString& tempDirectory)
{
    m_programDirectory = programDirectory;
    m_tempDirectory = tempDirectory;
}

void CInformation::SetReadoutFont(const QFont& font)
{
    m_readoutFont = font;
    m_recordText->setFont(font);
    m_eventText->setFont(font);
    m_resolutionText->setFont(font);
}

void CInformation::RefreshRecordInfo()
{
    if (CurrentRecordIndex < 0)
        m_recordText->setPlainText(QStringLiteral("Record: %1").arg(CurrentRecordName));
    else
        m_recordText->setPlainText(QStringLiteral("No.%1 Record: %2").arg(CurrentRecordNumber, CurrentRecordName));
    const QString resolution =
        QString::asprintf("%u*%u", static_cast<unsigned>(VideoWidth), static_cast<unsigned>(VideoHeight));
    // The box keeps its size: a wide resolution is drawn narrower, never cut off.
    const int textWidth = m_resolutionText->contentsRect().width() - 2 * kLineEditTextMargin;
    m_resolutionText->setFont(FontFittingWidth(m_readoutFont, resolution, textWidth));
    m_resolutionText->setText(resolution);
    m_resolutionText->setCursorPosition(0);

    // A neighbour must be a row of the list; a stale index (a list that has
    // shrunk since) enables neither direction past the list's end.
    const int index = CurrentRecordIndex;
    m_nextButton->setEnabled(index >= 0 && index + 1 < RecordCount);
    m_previousButton->setEnabled(index > 0 && index < RecordCount);
}

void CInformation::RelabelInformationPanel()
{
    m_resolutionCaption->setText(UiText(kTextResolution));
    m_nextButton->setToolTip(UiText(kTextNextRecord));
    m_previousButton->setToolTip(UiText(kTextPreviousRecord));
}

void CInformation::onPrevious()
{
    // Checked at the press itself: the buttons' enabled states are only
    // refreshed when the next recording starts, and a quick second press must
    // not step before the first row.
    if (CurrentRecordIndex - 1 < 0 || CurrentRecordIndex - 1 >= RecordCount)
        return;
    emit previousRequested();
}

void CInformation::onNext()
{
    if (CurrentRecordIndex + 1 < 0 || CurrentRecordIndex + 1 >= RecordCount)
        return;
    emit nextRequested();
}

void CInformation::GenerateMapPage(int language)
{
    const MapPageResult page = GenerateMapPageFile(m_programDirectory, m_tempDirectory, language);
    if (!page.templateRead) {
        // The browser keeps its page and no probe starts; the caller goes on.
        // The same trouble is reported once, not at every recording opened.
        const QString text = page.error.isEmpty()
                                 ? QStringLiteral("The map page template \"%1\" could not be read.")
                                       .arg(QDir(m_programDirectory).filePath(QLatin1String(kMapTemplateFileName)))
                                 : page.error;
        if (text != m_lastTemplateWarning) {
            m_lastTemplateWarning = text;
            UiSeam::Warn(this, QStringLiteral("Kestrelview"), text);
        }
        return;
    }
    m_lastTemplateWarning.clear();
    m_mapPagePath = page.pagePath;
    m_browser->SetSilent(true);
    m_browser->Navigate(m_mapPagePath);
    m_reach->mapReachable.store(0);
    StartConnectivityProbe();
}

void CInformation::StartConnectivityProbe()
{
    LaunchConnectivityProbe(m_reach, m_probeTarget);
}

void CInformation::OnDocumentComplete()
{
    if (m_browser->HasDocument())
        m_hasDocument = true;
}

void CInformation::UpdateMapPosition(double latitude, double longitude)
{
    if (m_reach->mapReachable.load() == 0 || mapUpdateBusy)
        return;
    mapUpdateBusy = true;
    const MapOffsets offsets = ReadManualFix(QDir(m_programDirectory).filePath(QLatin1String(kManualFixFileName)));
    const QString script = SetLocationScript(latitude + offsets.latitude, longitude + offsets.longitude);
    if (m_hasDocument)
        m_browser->ExecScript(script);
    mapUpdateBusy = false;
}

void CInformation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, SkinPixmap(kBackgroundBitmap));
}

void CInformation::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setMask(PanelOutlineRegion());
}

void CInformation::keyPressEvent(QKeyEvent* event)
{
    // Escape would close a dialog; this one is a panel, so the main window decides.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CInformation::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The main window hides and shows the panel to have it repainted; the
    // browser follows at once.
    if (m_browser)
        m_browser->repaint();
}
