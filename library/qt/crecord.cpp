#include "crecord.h"

#include "ccontrolbutton.h"
#include "cdxgraph.h"
#include "controlid.h"
#include "paneloutline.h"
#include "recordingevents.h"
#include "recordingfiles.h"
#include "recordlistmodel.h"
#include "skin.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>

namespace {

struct Place {
    int id;
    int x, y, width, height;
};

// Pixel places in the panel's client area (x, y, width, height).
constexpr Place kPlaces[] = {
    {CRecord::kLoadButton, 86, 5, 50, 20},
    {CRecord::kOpenButton, 138, 5, 50, 20},
    {CRecord::kRecordList, 11, 50, 289, 210},
    {CRecord::kPreviewArea, 11, 294, 289, 215},
};

constexpr QSize kPanelSize(316, 521);
constexpr int kColumnWidths[3] = {60, 145, 50};
// The painted column labels: x of each, all at y = 30.
constexpr int kLabelTop = 30;
constexpr int kNumberLabelX = 10;
constexpr int kFileNameLabelX = 70;
constexpr int kEventLabelX = 200;

const QColor kListBackground(51, 65, 89);
const QColor kListText(211, 211, 211);

}  // namespace

CRecord::CRecord(QWidget* parent) : QDialog(parent)
{
    // A child panel inside the main window, not a window of its own.
    setWindowFlags(Qt::Widget);
    setAttribute(Qt::WA_OpaquePaintEvent);
    RecordCount = 0;
    CurrentRecordIndex = -1;
    resize(kPanelSize);
    createControls();
    // Nothing to open before a folder is listed.
    SetOpenEnabled(false);
    SetRecordRowStore(this);
}

CRecord::~CRecord()
{
    SetRecordRowStore(nullptr);
    StopPreview();
}

void CRecord::createControls()
{
    m_loadButton = new CControlButton(this, kLoadButton);
    m_openButton = new CControlButton(this, kOpenButton);

    m_previewArea = new QFrame(this);
    SetControlId(m_previewArea, kPreviewArea);
    m_previewArea->setFrameShape(QFrame::Box);
    m_previewArea->setStyleSheet(QStringLiteral("QFrame { border: 1px solid gray; background: black; }"));
    m_previewArea->hide();

    m_list = new QTreeWidget(this);
    SetControlId(m_list, kRecordList);
    m_list->setColumnCount(3);
    // Titles for the record only: the list shows no header, the panel paints its own labels.
    m_list->setHeaderLabels({QStringLiteral("NO."), QStringLiteral("File Name"), UiTextIn(kLanguageEnglish, kTextEvent)});
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setIndentation(0);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setAllColumnsShowFocus(true);
    for (int c = 0; c < 3; ++c)
        m_list->setColumnWidth(c, kColumnWidths[c]);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, kListBackground);
    palette.setColor(QPalette::Window, kListBackground);
    palette.setColor(QPalette::Text, kListText);
    m_list->setPalette(palette);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);

    for (const Place& p : kPlaces) {
        if (QWidget* control = FindControl(this, p.id))
            control->setGeometry(p.x, p.y, p.width, p.height);
    }
    RelabelRecordPanel();

    // The message map of the panel.
    connect(m_loadButton, &QAbstractButton::clicked, this, &CRecord::onLoad);
    connect(m_openButton, &QAbstractButton::clicked, this, &CRecord::onOpen);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &CRecord::onCurrentChanged);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CRecord::onSelectionChanged);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &CRecord::onDoubleClicked);
    connect(&m_eventCounter, &RecordEventCounter::countsReady, this, &CRecord::showEventCounts);
    connect(&m_eventCounter, &RecordEventCounter::finished, this, &CRecord::eventCountsFinished);
}

void CRecord::Initialise()
{
    if (!RecordFolder.isEmpty())
        LoadRecordFolder(RecordFolder, RecordingExtensions());
}

void CRecord::SetButtonFaces()
{
    m_loadButton->SetFaceBitmaps(157, 156, 156);
    m_openButton->SetFaceBitmaps(159, 158, 158);
}

void CRecord::SetOpenEnabled(bool enabled)
{
    m_openButton->setEnabled(enabled);
}

void CRecord::SetSaveFolderCallback(std::function<void()> callback)
{
    m_saveFolder = std::move(callback);
}

void CRecord::SetOpenTarget(QObject* target)
{
    m_openTarget = target;
}

QObject* CRecord::openTarget()
{
    return m_openTarget ? m_openTarget.data() : static_cast<QObject*>(window());
}

void CRecord::RelabelRecordPanel()
{
    m_loadButton->setToolTip(UiText(kTextLoadSearchDirectory));
    m_openButton->setToolTip(UiText(kTextOpenSelectedVideo));
}

// ---------------------------------------------------------------- rows

void CRecord::clearRows()
{
    // Removing rows is no selection by the user: no preview, no index change.
    m_clearing = true;
    m_list->clear();
    m_clearing = false;
    m_focusBeforeChange = -1;
    // OPEN is only of use while there is a row to open.
    SetOpenEnabled(false);
    m_eventCounter.Cancel();
}

void CRecord::appendRow(const QString& number, const QString& fileName, const QString& event)
{
    auto* item = new QTreeWidgetItem({number, fileName, event});
    m_list->addTopLevelItem(item);
    SetOpenEnabled(true);
    scheduleEventCount();
}

int CRecord::rowCount() const
{
    return m_list->topLevelItemCount();
}

QString CRecord::cell(int row, int column) const
{
    const QTreeWidgetItem* item = row >= 0 ? m_list->topLevelItem(row) : nullptr;
    return item && column >= 0 && column < 3 ? item->text(column) : QString();
}

// ---------------------------------------------------------------- events

void CRecord::scheduleEventCount()
{
    // Once per batch of appended rows, when the code that lists them has returned.
    if (m_eventCountPending)
        return;
    m_eventCountPending = true;
    QMetaObject::invokeMethod(this, &CRecord::startEventCount, Qt::QueuedConnection);
}

void CRecord::startEventCount()
{
    m_eventCountPending = false;
    QStringList names;
    names.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        names.append(cell(row, kFileNameColumn));
    m_eventCounter.Start(RecordFolder, names);
}

void CRecord::showEventCounts(const QList<RecordEventCount>& counts)
{
    for (const RecordEventCount& c : counts) {
        QTreeWidgetItem* item = m_list->topLevelItem(c.row);
        // Rows listed anew since the count began are not this count's.
        if (item && item->text(kFileNameColumn) == c.fileName)
            item->setText(kEventColumn, EventCountText(c.count));
    }
}

// ---------------------------------------------------------------- folder

int CRecord::LoadRecordFolder(const QString& path, const QString& extension)
{
    return LoadRecordFolder(path, QStringList{extension});
}

int CRecord::LoadRecordFolder(const QString& path, const QStringList& extensions)
{
    LoadRecordFolderModel(path, extensions);
    update();
    if (RecordCount > 0) {
        m_list->setFocus();
        // Row 0 becomes selected and focused through the usual selection handling.
        m_focusBeforeChange = m_list->currentIndex().row();
        const QModelIndex first = m_list->model()->index(0, 0);
        m_list->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    }
    return RecordCount;
}

void CRecord::onLoad()
{
    OpenFileRequest request;
    request.filter = QStringLiteral("%1 (%2)").arg(UiText(kTextVideoFile), RecordingFilePatterns());
    request.multiple = false;
    // The folder listed now is where the next one is most likely found.
    request.directory = RecordFolder;
    const QStringList chosen = UiSeam::OpenFiles(this, request);
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    const QString folder = QFileInfo(chosen.first()).absolutePath();
    LoadRecordFolder(folder.endsWith(u'/') ? folder : folder + u'/', RecordingExtensions());
    if (m_saveFolder)
        m_saveFolder();
}

// ---------------------------------------------------------------- selection

bool CRecord::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list || watched == m_list->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
            // The focused row before this input changes anything.
            m_focusBeforeChange = m_list->currentIndex().row();
            m_focusInPick = false;
            break;
        case QEvent::FocusIn:
            // A view without a current row makes its first row current when
            // it gets the focus; that chooses no record and is undone. The
            // flag lives until the focus-in has been handled.
            if (watched == m_list && !m_list->currentIndex().isValid()) {
                m_focusInPick = true;
                QMetaObject::invokeMethod(this, [this] { m_focusInPick = false; }, Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        // Return on a selected row opens it, as a double click does.
        if (event->type() == QEvent::KeyPress && watched == m_list) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_list->selectedItems().isEmpty()) {
                onOpen();
                return true;
            }
        }
        if (event->type() == QEvent::ToolTip && watched == m_list->viewport()) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QString name = CutNameAt(help->pos());
            if (name.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), name, m_list->viewport(),
                                   m_list->visualRect(m_list->indexAt(help->pos())));
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick && watched == m_list->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // Only the left button's double click chooses a record; the view
            // reports a double click of any button.
            m_leftDoubleClick = mouse->button() == Qt::LeftButton;
            // A double click beside the rows chooses no record.
            if (m_leftDoubleClick && !m_list->indexAt(mouse->position().toPoint()).isValid())
                CurrentRecordIndex = -1;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CRecord::onCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_clearing || !current.isValid())
        return;
    if (m_focusInPick && !previous.isValid()) {
        // Undone, so the first arrow key reaches the first row.
        m_focusInPick = false;
        m_list->selectionModel()->clearCurrentIndex();
        return;
    }
    CurrentRecordIndex = current.row();
}

void CRecord::onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_clearing)
        return;
    if (selected.isEmpty()) {
        if (!deselected.isEmpty())
            CurrentRecordIndex = deselected.indexes().first().row();
        return;
    }
    const int row = selected.indexes().first().row();
    CurrentRecordIndex = row;
    if (row < 0)
        return;
    // A row that had the focus already (kept after it was deselected) is not
    // previewed again when it is selected anew.
    const bool wasFocused = row == m_focusBeforeChange;
    m_focusBeforeChange = row;
    if (wasFocused)
        return;
    m_previewArea->show();
    PreviewRecord(cell(row, kFileNameColumn));
}

// ---------------------------------------------------------------- preview

void CRecord::PreviewRecord(const QString& fileName)
{
    m_selectedRecordPath = RecordFolder + fileName;
    StopPreview();
    m_preview = std::make_unique<CDXGraph>();
    emit previewStarted(m_selectedRecordPath);
    // A recording that cannot be shown leaves the engine in place until the
    // next StopPreview, and the list stays usable.
    if (!m_preview->Create())
        return;
    if (!m_preview->RenderFile(m_selectedRecordPath))
        return;
    m_previewArea->show();
    m_preview->SetDisplayWindow(m_previewArea);
    m_preview->Pause();
}

void CRecord::StopPreview()
{
    if (!m_preview)
        return;
    m_preview->Stop();
    m_preview.reset();
    m_previewArea->hide();
}

// ---------------------------------------------------------------- open

void CRecord::onOpen()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    for (QTreeWidgetItem* item : selected) {
        CurrentRecordIndex = m_list->indexOfTopLevelItem(item);
        CurrentRecordName = item->text(kFileNameColumn);
        CurrentRecordNumber = item->text(kNumberColumn);
    }
    // Previous/Next may have opened another row since this one was selected:
    // the recording opened is the row acted on, not the one stepped to last.
    m_selectedRecordPath = RecordFolder + CurrentRecordName;
    sendOpenRequest();
}

void CRecord::onDoubleClicked(const QModelIndex& index)
{
    if (!m_leftDoubleClick)
        return;
    CurrentRecordIndex = index.isValid() ? index.row() : -1;
    if (CurrentRecordIndex < 0)
        return;
    CurrentRecordName = cell(CurrentRecordIndex, kFileNameColumn);
    CurrentRecordNumber = cell(CurrentRecordIndex, kNumberColumn);
    m_selectedRecordPath = RecordFolder + CurrentRecordName;
    sendOpenRequest();
}

QString CRecord::CutNameAt(const QPoint& viewportPoint) const
{
    const QModelIndex at = m_list->indexAt(viewportPoint);
    if (!at.isValid())
        return {};
    const QModelIndex name = at.siblingAtColumn(kFileNameColumn);
    const QString text = name.data().toString();
    // The cell's room for text: its width less the view's margins on both sides.
    const int margin = m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    const int room = m_list->visualRect(name).width() - 2 * margin;
    return m_list->fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

bool CRecord::OpenRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_list->selectionModel()->setCurrentIndex(m_list->model()->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentRecordIndex = row;
    CurrentRecordName = cell(row, kFileNameColumn);
    CurrentRecordNumber = cell(row, kNumberColumn);
    m_selectedRecordPath = RecordFolder + CurrentRecordName;
    sendOpenRequest();
    return true;
}

void CRecord::SelectPreviousRecord()
{
    stepToRecord(CurrentRecordIndex - 1);
}

void CRecord::SelectNextRecord()
{
    stepToRecord(CurrentRecordIndex + 1);
}

void CRecord::SelectRecord(int row)
{
    stepToRecord(row);
}

void CRecord::stepToRecord(int row)
{
    // However quickly Previous/Next arrive, only rows of the list are opened.
    if (row < 0 || row >= rowCount())
        return;
    CurrentRecordIndex = row;
    CurrentRecordName = cell(row, kFileNameColumn);
    CurrentRecordNumber = cell(row, kNumberColumn);
    PreviewRecord(CurrentRecordName);
    postOpenRequest();
}

void CRecord::sendOpenRequest()
{
    QEvent request(kOpenRecordEvent);
    QCoreApplication::sendEvent(openTarget(), &request);
}

void CRecord::postOpenRequest()
{
    QCoreApplication::postEvent(openTarget(), new QEvent(kOpenRecordEvent));
}

// ---------------------------------------------------------------- look

void CRecord::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, SkinPixmap(kBackgroundBitmap));
    painter.setPen(Qt::white);
    painter.setFont(font());
    const struct {
        int x;
        QString text;
    } labels[] = {
        {kNumberLabelX, QStringLiteral("No.")},
        {kFileNameLabelX, UiText(kTextFileName)},
        {kEventLabelX, UiText(kTextEvent)},
    };
    for (const auto& label : labels) {
        const QRect area(QPoint(label.x, kLabelTop), rect().bottomRight());
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, label.text);
    }
}

void CRecord::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setMask(PanelOutlineRegion());
}

void CRecord::keyPressEvent(QKeyEvent* event)
{
    // Return presses the panel's default button, LOAD (on a selected row of
    // the list it opens the row, see eventFilter). Escape would close a
    // dialog; this one is a panel, so the main window decides.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_loadButton->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
