#include "clipexportdialog.h"

#include "filenamecodec.h"
#include "playertexts.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

ClipExportDialog::Runner ClipExportDialog::runner;
ClipExportDialog::FolderOpener ClipExportDialog::folderOpener;

namespace {
// The window's own dark panel, in the skin's greys with its accent for the bar.
constexpr char kStyle[] =
    "ClipExportDialog { background: #1b1f24; border: 1px solid #34cdf2; }"
    "QLabel { color: #d8dde3; }"
    "QLabel#title { color: #ffffff; font-weight: bold; font-size: 15px; }"
    "QLabel#status[failed=\"true\"] { color: #ff8a7a; }"
    "QCheckBox { color: #d8dde3; spacing: 8px; }"
    "QCheckBox::indicator { width: 12px; height: 12px; border: 1px solid #6a727c; border-radius: 2px;"
    " background: #101215; }"
    "QCheckBox::indicator:hover { border-color: #34cdf2; }"
    "QCheckBox::indicator:checked { background: #34cdf2; border-color: #34cdf2; }"
    "QCheckBox::indicator:disabled { border-color: #3a4049; }"
    "QCheckBox::indicator:checked:disabled { background: #2a6f80; }"
    "QProgressBar { background: #101215; border: 1px solid #3a4049; border-radius: 3px; height: 14px;"
    " color: #d8dde3; text-align: center; }"
    "QProgressBar::chunk { background: #34cdf2; border-radius: 2px; }"
    "QPushButton { background: #2d3239; color: #d8dde3; border: 1px solid #454c56; border-radius: 3px;"
    " padding: 5px 16px; }"
    "QPushButton:hover { border-color: #34cdf2; }"
    "QPushButton:default { border-color: #34cdf2; }"
    "QPushButton:disabled { color: #6a727c; }";
}  // namespace

ClipExportDialog::ClipExportDialog(const ClipExportRequest& request, const QString& spanText, QWidget* parent)
    : QDialog(parent), m_request(request), m_cancelRequested(std::make_shared<std::atomic<bool>>(false))
{
    setWindowTitle(PlayerText(kPlayerTextExportClip));
    // Borderless like the main window, with the skin's accent as its edge.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    setMinimumWidth(420);

    auto* title = new QLabel(PlayerText(kPlayerTextExportClip), this);
    title->setObjectName(QStringLiteral("title"));
    m_span = new QLabel(spanText, this);
    m_span->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mp4 = new QCheckBox(PlayerText(kPlayerTextAlsoMp4), this);
    m_mp4->setChecked(request.mp4);
    m_report = new QCheckBox(PlayerText(kPlayerTextPdfReport), this);
    m_report->setChecked(request.report);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("%p %"));
    m_progress->hide();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->hide();

    m_export = new QPushButton(PlayerText(kPlayerTextExport), this);
    m_export->setDefault(true);
    m_openFolder = new QPushButton(PlayerText(kPlayerTextOpenFolder), this);
    m_openFolder->hide();
    m_cancel = new QPushButton(PlayerText(kPlayerTextCancel), this);

    // The dialog keeps its size from start to end: the bar, the status and the folder
    // button hold their places while hidden, so the window never jumps as they appear.
    for (QWidget* widget : {static_cast<QWidget*>(m_progress), static_cast<QWidget*>(m_status),
                            static_cast<QWidget*>(m_openFolder)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_openFolder);
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(m_span);
    layout->addSpacing(4);
    layout->addWidget(m_mp4);
    layout->addWidget(m_report);
    layout->addSpacing(4);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    connect(m_export, &QPushButton::clicked, this, &ClipExportDialog::StartExport);
    connect(m_cancel, &QPushButton::clicked, this, &ClipExportDialog::CancelExport);
    connect(m_openFolder, &QPushButton::clicked, this, &ClipExportDialog::OpenFolder);
}

ClipExportDialog::~ClipExportDialog()
{
    if (m_thread) {
        m_cancelRequested->store(true);
        m_thread->wait();
    }
}

QString ClipExportDialog::StatusText() const
{
    return m_status->text();
}

void ClipExportDialog::StartExport()
{
    if (m_thread)
        return;
    m_request.mp4 = m_mp4->isChecked();
    m_request.report = m_report->isChecked();
    m_cancelRequested->store(false);
    m_closeWhenDone = false;
    m_mp4->setEnabled(false);
    m_report->setEnabled(false);
    m_export->setEnabled(false);
    m_export->show();
    m_openFolder->hide();
    m_cancel->setText(PlayerText(kPlayerTextCancel));
    m_cancel->setEnabled(true);
    m_progress->setValue(0);
    m_progress->show();
    m_status->setProperty("failed", false);
    m_status->setText(PlayerText(kPlayerTextExporting));
    m_status->show();

    // The worker owns copies of everything it reads; the dialog outlives it (its
    // destructor waits), so the queued calls back to it always find it.
    const ClipExportRequest request = m_request;
    const Runner run = runner ? runner : Runner(&RunClipExport);
    const auto cancel = m_cancelRequested;
    m_thread = QThread::create([this, request, run, cancel] {
        const ClipExportProgress progress = [this, cancel](double fraction, const std::string& stage) {
            const QString word = QString::fromStdString(stage);
            QMetaObject::invokeMethod(this, [this, fraction, word] { showProgress(fraction, word); },
                                      Qt::QueuedConnection);
            return !cancel->load();
        };
        // A cancel that came after the export's last check leaves a finished clip, and
        // the dialog says so rather than pretending nothing was written.
        const ClipExportResult result = run(request, progress);
        QMetaObject::invokeMethod(this, [this, result] { showResult(result); }, Qt::QueuedConnection);
    });
    m_thread->setObjectName(QStringLiteral("clip-export"));
    m_thread->start();
}

void ClipExportDialog::showProgress(double fraction, const QString&)
{
    if (!m_thread)
        return;
    m_progress->setValue(qBound(0, int(fraction * 1000.0 + 0.5), 1000));
}

void ClipExportDialog::showResult(const ClipExportResult& result)
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_result = result;
    emit exportFinished(result.exitCode);
    if (result.exitCode == 4 || (m_closeWhenDone && result.exitCode != 0)) {
        done(QDialog::Rejected);
        return;
    }
    m_cancel->setEnabled(true);
    m_cancel->setText(PlayerText(kPlayerTextClose));
    if (result.exitCode == 0) {
        m_progress->setValue(1000);
        m_status->setProperty("failed", false);
        m_status->setText(PlayerText(kPlayerTextClipSaved) + QLatin1Char(' ')
                          + QDir::toNativeSeparators(DecodeFileName(result.folder)));
        m_export->hide();
        m_openFolder->show();
        m_openFolder->setDefault(true);
        m_openFolder->setFocus();
    } else {
        m_progress->hide();
        m_status->setProperty("failed", true);
        m_status->setText(PlayerText(kPlayerTextExportFailed) + QStringLiteral(": ")
                          + QString::fromStdString(result.error));
        m_mp4->setEnabled(true);
        m_report->setEnabled(true);
        m_export->setEnabled(true);
    }
    // The failed look comes from a property the style sheet reads.
    m_status->style()->unpolish(m_status);
    m_status->style()->polish(m_status);
}

void ClipExportDialog::CancelExport()
{
    if (!m_thread) {
        done(QDialog::Rejected);
        return;
    }
    m_cancelRequested->store(true);
    m_closeWhenDone = true;
    m_cancel->setEnabled(false);
}

void ClipExportDialog::reject()
{
    // Esc and the window's close button cancel as the button does.
    CancelExport();
}

void ClipExportDialog::OpenFolder()
{
    if (m_result.folder.empty())
        return;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(DecodeFileName(m_result.folder)).absoluteFilePath());
    if (folderOpener)
        folderOpener(url);
    else
        QDesktopServices::openUrl(url);
}
