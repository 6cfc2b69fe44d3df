#include "cconfiguration.h"

#include "controlid.h"
#include "dialogunits.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include <cmath>

namespace {
// Template size and places, in dialog units.
constexpr int kTemplateWidth = 413;
constexpr int kTemplateHeight = 297;

struct DuRect { int x; int y; int width; int height; };

QRect Pixels(const DuRect& r)
{
    return QRect(DialogUnitsToPixelsX(r.x), DialogUnitsToPixelsY(r.y), DialogUnitsToPixelsX(r.width),
                 DialogUnitsToPixelsY(r.height));
}

// The six validated fields: control, place, range and whether it takes a fraction.
struct FieldSpec { int id; DuRect place; double minimum; double maximum; bool isFloat; };
constexpr FieldSpec kFields[6] = {
    {Cconfiguration::kBeforeEvent, {181, 17, 36, 12}, 2, 60, false},
    {Cconfiguration::kEventLength, {181, 33, 36, 12}, 10, 300, false},
    {Cconfiguration::kVideoLength, {181, 50, 36, 12}, 60, 600, false},
    {Cconfiguration::kLimitX, {181, 89, 36, 12}, -8.0, 8.0, true},
    {Cconfiguration::kLimitY, {181, 106, 36, 12}, -8.0, 8.0, true},
    {Cconfiguration::kLimitZ, {181, 121, 36, 12}, -8.0, 8.0, true},
};

// Localised texts: control, place, text id.
struct TextSpec { int id; DuRect place; int textId; };
constexpr TextSpec kLabels[] = {
    {1090, {7, 176, 111, 8}, 33},   {1084, {15, 19, 159, 8}, 30},  {1083, {15, 34, 159, 8}, 31},
    {1087, {15, 90, 159, 8}, 34},   {1088, {15, 106, 159, 8}, 35}, {1089, {15, 122, 159, 8}, 36},
    {1091, {6, 211, 113, 8}, 47},   {1092, {15, 50, 159, 8}, 53},
};
struct FixedLabel { DuRect place; const char* text; };
constexpr FixedLabel kRangeLabels[] = {
    {{221, 19, 43, 8}, "(2 ~ 60)"},  {{221, 34, 43, 8}, "(10 ~ 300)"}, {{221, 51, 43, 8}, "(60 ~ 600)"},
    {{221, 90, 43, 8}, "(0 ~ 8.0)"}, {{221, 106, 45, 8}, "(0 ~ 8.0)"}, {{221, 120, 43, 8}, "(0 ~ 8.0)"},
};
constexpr DuRect kRadioPlaces[4] = {{124, 211, 282, 9}, {124, 226, 282, 10}, {124, 242, 282, 9}, {124, 257, 282, 10}};
constexpr int kRadioTexts[4] = {43, 44, 45, 46};

QString FloatText(float value)
{
    // As the dialog framework shows a float: up to six significant digits.
    return QString::number(static_cast<double>(value), 'g', 6);
}

// The framework's validation messages.
QString RangeMessage(const FieldSpec& field)
{
    if (field.isFloat)
        return QStringLiteral("Please enter a number between %1 and %2.").arg(field.minimum).arg(field.maximum);
    return QStringLiteral("Please enter an integer between %1 and %2.")
        .arg(static_cast<int>(field.minimum))
        .arg(static_cast<int>(field.maximum));
}

QString NotSavedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("%1 was not saved.\n%2").arg(QDir::toNativeSeparators(path), reason);
}
}  // namespace

Cconfiguration::Cconfiguration(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Configuration"));
    setFixedSize(DialogUnitsToPixelsX(kTemplateWidth), DialogUnitsToPixelsY(kTemplateHeight));
    BuildControls();
}

QStringList Cconfiguration::TimeZoneEntries()
{
    QStringList entries;
    for (int hours = -12; hours <= 12; ++hours) {
        if (hours == 0)
            entries << QStringLiteral("GTM");
        else
            entries << QStringLiteral("GTM %1%2:00").arg(hours < 0 ? '-' : '+').arg(std::abs(hours), 2, 10, QLatin1Char('0'));
    }
    return entries;
}

void Cconfiguration::BuildControls()
{
    auto* recording = new QGroupBox(this);
    SetControlId(recording, 1085);
    recording->setGeometry(Pixels({6, 4, 400, 64}));
    auto* sensor = new QGroupBox(this);
    SetControlId(sensor, 1086);
    sensor->setGeometry(Pixels({6, 71, 400, 69}));

    for (int i = 0; i < 6; ++i) {
        auto* edit = new QLineEdit(this);
        SetControlId(edit, kFields[i].id);
        edit->setAlignment(Qt::AlignRight);
        edit->setGeometry(Pixels(kFields[i].place).adjusted(0, -2, 0, 4));
        m_edits[i] = edit;
    }
    for (const TextSpec& label : kLabels) {
        auto* widget = new QLabel(this);
        SetControlId(widget, label.id);
        widget->setGeometry(Pixels(label.place).adjusted(0, -3, 0, 6));
    }
    for (const FixedLabel& label : kRangeLabels) {
        auto* widget = new QLabel(QLatin1String(label.text), this);
        widget->setGeometry(Pixels(label.place).adjusted(0, -3, 12, 6));
    }

    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(this);
        SetControlId(radio, kNoOverlay + i);
        radio->setGeometry(Pixels(kRadioPlaces[i]).adjusted(0, -3, 0, 6));
        group->addButton(radio, i);
        m_showString[i] = radio;
    }
    // Only "none" and "overlay" are offered; the other two modes stay hidden.
    m_showString[2]->hide();
    m_showString[3]->hide();

    m_timeZone = new QComboBox(this);
    SetControlId(m_timeZone, kTimeZone);
    m_timeZone->setGeometry(Pixels({136, 176, 113, 14}).adjusted(0, -3, 0, 4));
    m_timeZone->addItems(TimeZoneEntries());
    m_timeZone->setMaxVisibleItems(12);

    m_setTime = new QCheckBox(this);
    SetControlId(m_setTime, kSetTime);
    m_setTime->setGeometry(Pixels({124, 145, 282, 9}).adjusted(0, -3, 0, 6));
    connect(m_setTime, &QCheckBox::toggled, this, &Cconfiguration::SetTimeToggled);

    m_date = new QDateEdit(QDate::currentDate(), this);
    SetControlId(m_date, kDate);
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_date->setCalendarPopup(true);
    // A little wider than the template: the four-digit year and the seconds must show.
    m_date->setGeometry(Pixels({135, 157, 56, 14}).adjusted(0, 0, 14, 4));
    m_time = new QTimeEdit(QTime::currentTime(), this);
    SetControlId(m_time, kTime);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_time->setGeometry(Pixels({200, 157, 48, 14}).adjusted(6, 0, 18, 4));

    m_mirror = new QCheckBox(this);
    SetControlId(m_mirror, kMirror);
    m_mirror->setGeometry(Pixels({124, 195, 282, 9}).adjusted(0, -3, 0, 6));

    auto* apply = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(apply, kApply);
    apply->setGeometry(Pixels({121, 276, 60, 14}));
    apply->setDefault(true);
    apply->setAutoDefault(true);
    connect(apply, &QPushButton::clicked, this, &Cconfiguration::accept);
    auto* close = new QPushButton(QStringLiteral("Cancel"), this);
    SetControlId(close, kClose);
    close->setGeometry(Pixels({202, 276, 60, 14}));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Cconfiguration::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void Cconfiguration::RefreshEdits()
{
    m_edits[0]->setText(QString::number(m_beforeVideoEvent));
    m_edits[1]->setText(QString::number(m_videoEventLength));
    m_edits[2]->setText(QString::number(m_videoLength));
    m_edits[3]->setText(FloatText(m_limitX));
    m_edits[4]->setText(FloatText(m_limitY));
    m_edits[5]->setText(FloatText(m_limitZ));
}

void Cconfiguration::OnInitDialog()
{
    RefreshEdits();
    setWindowTitle(UiText(16));
    const int order[][2] = {{1085, 49}, {1084, 30}, {1083, 31}, {1092, 53}, {1086, 32}, {1087, 34},
                            {1088, 35}, {1089, 36}, {kSetTime, 37}, {1090, 33}, {kMirror, 42}, {1091, 47},
                            {kNoOverlay, 43}, {kOverlay, 44}, {kOverlayVersion, 45}, {kTimestampOnly, 46},
                            {kApply, 38}, {kClose, 39}};
    for (const auto& entry : order) {
        QWidget* control = FindControl(this, entry[0]);
        const QString text = UiText(entry[1]);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* box = qobject_cast<QGroupBox*>(control))
            box->setTitle(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
    }

    // What a killed write left beside the file goes before anything else.
    RemoveStaleDeviceSettingsTemporaries(m_filePath);
    DeviceSettings settings;
    settings.BEFORE_VIDEO_EVENT = m_beforeVideoEvent;
    settings.VIDEO_EVENT_LENGTH = m_videoEventLength;
    settings.VIDEO_LENGTH = m_videoLength;
    settings.G_LIMITX = m_limitX;
    settings.G_LIMITY = m_limitY;
    settings.G_LIMITZ = m_limitZ;
    if (ReadDeviceSettings(m_filePath, settings)) {
        m_beforeVideoEvent = settings.BEFORE_VIDEO_EVENT;
        m_videoEventLength = settings.VIDEO_EVENT_LENGTH;
        m_videoLength = settings.VIDEO_LENGTH;
        m_limitX = settings.G_LIMITX;
        m_limitY = settings.G_LIMITY;
        m_limitZ = settings.G_LIMITZ;
        RefreshEdits();
    }

    m_mirror->setChecked(settings.CIS_MIRROR != 0);
    const int showString = std::min(settings.SHOW_STRING, 1);
    if (showString >= 0)
        m_showString[showString]->setChecked(true);
    m_timeZoneRead = settings.TIME_ZONE;
    const int zoneIndex = settings.TIME_ZONE + 12;
    m_timeZone->setCurrentIndex(zoneIndex >= 0 && zoneIndex < m_timeZone->count() ? zoneIndex : -1);
    SetTimeToggled(m_setTime->isChecked());
}

void Cconfiguration::SetTimeToggled(bool on)
{
    m_date->setEnabled(on);
    m_time->setEnabled(on);
}

bool Cconfiguration::TakeValues()
{
    double values[6] = {};
    for (int i = 0; i < 6; ++i) {
        const FieldSpec& field = kFields[i];
        const QString text = m_edits[i]->text().trimmed();
        bool ok = false;
        double value = 0.0;
        if (field.isFloat) {
            value = QLocale::c().toDouble(text, &ok);
        } else {
            value = QLocale::c().toInt(text, &ok);
        }
        // "nan" and "inf" (any case) convert, but are no threshold a camera can
        // compare with: outside the range like any other value beyond it. A NaN
        // would slip through the two comparisons alone.
        const bool inRange = std::isfinite(value) && value >= field.minimum && value <= field.maximum;
        if (!ok || !inRange) {
            UiSeam::Warn(this, windowTitle(),
                         ok ? RangeMessage(field)
                            : (field.isFloat ? QStringLiteral("Please enter a number.")
                                             : QStringLiteral("Please enter an integer.")));
            m_edits[i]->setFocus();
            m_edits[i]->selectAll();
            return false;
        }
        values[i] = value;
    }
    m_beforeVideoEvent = static_cast<qint32>(values[0]);
    m_videoEventLength = static_cast<qint32>(values[1]);
    m_videoLength = static_cast<qint32>(values[2]);
    m_limitX = static_cast<float>(values[3]);
    m_limitY = static_cast<float>(values[4]);
    m_limitZ = static_cast<float>(values[5]);
    return true;
}

void Cconfiguration::accept()
{
    if (!TakeValues())
        return;
    DeviceSettings settings;
    const int zoneIndex = m_timeZone->currentIndex();
    // A zone the list cannot show keeps the value the file held.
    settings.TIME_ZONE = zoneIndex >= 0 ? zoneIndex - 12 : m_timeZoneRead;
    settings.setTime = m_setTime->isChecked();
    settings.setTimeValue = QDateTime(m_date->date(), m_time->time());
    settings.SHOW_STRING = 0;
    for (int i = 1; i < 4; ++i) {
        if (m_showString[i]->isChecked())
            settings.SHOW_STRING = i;
    }
    settings.CIS_MIRROR = m_mirror->isChecked() ? 1 : 0;
    settings.BEFORE_VIDEO_EVENT = m_beforeVideoEvent;
    settings.VIDEO_EVENT_LENGTH = m_videoEventLength;
    settings.VIDEO_LENGTH = m_videoLength;
    settings.G_LIMITX = m_limitX;
    settings.G_LIMITY = m_limitY;
    settings.G_LIMITZ = m_limitZ;
    QString whyNot;
    if (!WriteDeviceSettings(m_filePath, settings, &whyNot)) {
        // Closing now would look like a save; the dialog stays open, so the
        // user can free the card and apply again, or close.
        UiSeam::Warn(this, windowTitle(), NotSavedMessage(m_filePath, whyNot));
        return;
    }
    QDialog::accept();
}

void ShowConfigurationDialog(QWidget* owner, const QString& startFolder)
{
    OpenFileRequest request;
    request.directory = startFolder;
    request.filter = QStringLiteral("Config File (setup.ini setup.bak)");
    const QStringList chosen = UiSeam::OpenFiles(owner, request);
    if (chosen.isEmpty())
        return;
    Cconfiguration dialog(owner);
    dialog.SetFilePath(chosen.first());
    dialog.exec();
}
