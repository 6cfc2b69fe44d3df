#include "burninoverlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kKmhPerMph = 1.609344;
// The strip's readout colours: X white, Y green, Z red.
const QColor kAxisColours[3] = {QColor(255, 255, 255), QColor(0, 255, 0), QColor(255, 64, 64)};
const QColor kPanelColour(0, 0, 0, 165);
const QColor kTextColour(255, 255, 255);
const QColor kDimTextColour(200, 206, 214);
const QChar kMinus(0x2212);

// Row layout of the panel at the reference scale, in pixels.
constexpr int kMargin = 10;
constexpr int kPadding = 8;
constexpr int kSpeedPixels = 30;
constexpr int kTextPixels = 14;
constexpr int kRowGap = 3;
constexpr int kPanelWidth = 250;
constexpr int kBarWidth = 90;
constexpr int kBarHeight = 6;

QFont readoutFont(double pixels, bool bold)
{
    // The player's skin font; fontconfig stands in a metric-compatible face where Arial is absent.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(8, int(std::lround(pixels))));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QString signedNumber(double value, int decimals)
{
    // A true minus sign, "+" above zero, as the player's event note.
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    if (digits.toDouble() == 0.0)
        return QStringLiteral("\u2007") + digits;
    return (value < 0 ? QString(kMinus) : QStringLiteral("+")) + digits;
}
}  // namespace

BurnInOverlay::BurnInOverlay(QSize frameSize, bool miles)
    : m_size(frameSize), m_miles(miles), m_scale(std::max(0.5, frameSize.height() / double(kReferenceHeight)))
{
    const auto s = [this](int pixels) { return int(std::lround(pixels * m_scale)); };
    const int height = 2 * s(kPadding) + s(kSpeedPixels) + 4 * (s(kTextPixels) + s(kRowGap)) + s(kRowGap);
    const int width = std::min(s(kPanelWidth), m_size.width() - 2 * s(kMargin));
    // The top left: cameras burn their own date and clock along the bottom, and that
    // must stay readable beside ours.
    m_panel = QRect(s(kMargin), s(kMargin), std::max(0, width), height)
                  .intersected(QRect(QPoint(0, 0), m_size));
}

QString BurnInOverlay::SpeedText(const BurnInSample* sample) const
{
    const QString unit = m_miles ? QStringLiteral("mph") : QStringLiteral("km/h");
    if (!sample)
        return QStringLiteral("\u2013 ") + unit;
    const double value = m_miles ? sample->speed / kKmhPerMph : sample->speed;
    return QString::number(std::max(0.0, value), 'f', 0) + QLatin1Char(' ') + unit;
}

QString BurnInOverlay::ForceText(char axis, double g)
{
    return QString(QLatin1Char(axis)) + QLatin1Char(' ') + signedNumber(g, 2) + QStringLiteral(" g");
}

QString BurnInOverlay::PositionText(const BurnInSample* sample)
{
    if (!sample || !sample->hasFix)
        return QStringLiteral("GPS: no fix");
    return QStringLiteral("GPS %1, %2")
        .arg(QString::number(sample->latitude, 'f', 6), QString::number(sample->longitude, 'f', 6));
}

QString BurnInOverlay::TimeText(double recordingSeconds)
{
    const int tenths = int(std::lround(std::max(0.0, recordingSeconds) * 10.0));
    const int seconds = tenths / 10;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

void BurnInOverlay::Draw(QImage& frame, const BurnInSample* sample, double recordingSeconds) const
{
    if (m_panel.isEmpty() || frame.size() != m_size)
        return;
    const auto s = [this](int pixels) { return int(std::lround(pixels * m_scale)); };
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(m_panel);

    QPainterPath panel;
    panel.addRoundedRect(QRectF(m_panel), s(6), s(6));
    painter.fillPath(panel, kPanelColour);

    const int left = m_panel.left() + s(kPadding);
    const int right = m_panel.right() - s(kPadding);
    int top = m_panel.top() + s(kPadding);

    const QFont speedFont = readoutFont(kSpeedPixels * m_scale, true);
    painter.setFont(speedFont);
    painter.setPen(kTextColour);
    const int speedHeight = s(kSpeedPixels);
    painter.drawText(QRect(left, top, right - left, speedHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     SpeedText(sample));
    const QFont textFont = readoutFont(kTextPixels * m_scale, false);
    painter.setFont(textFont);
    painter.setPen(kDimTextColour);
    painter.drawText(QRect(left, top, right - left, speedHeight), Qt::AlignRight | Qt::AlignVCenter,
                     TimeText(recordingSeconds));
    top += speedHeight + s(kRowGap);

    const int rowHeight = s(kTextPixels);
    const int barWidth = s(kBarWidth);
    const int barHeight = std::max(2, s(kBarHeight));
    const double forces[3] = {sample ? sample->x : 0.0, sample ? sample->y : 0.0, sample ? sample->z : 0.0};
    const char axes[3] = {'X', 'Y', 'Z'};
    for (int axis = 0; axis < 3; ++axis) {
        const QRect row(left, top, right - left, rowHeight);
        painter.setPen(kAxisColours[axis]);
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, sample ? ForceText(axes[axis], forces[axis])
                                                                       : QString(QLatin1Char(axes[axis])));
        // The bar grows from its centre line towards the sign of the force.
        const QRect track(right - barWidth, row.center().y() - barHeight / 2, barWidth, barHeight);
        painter.fillRect(track, QColor(255, 255, 255, 40));
        if (sample) {
            const double fraction = std::clamp(forces[axis] / kBarRangeG, -1.0, 1.0);
            const int centre = track.left() + barWidth / 2;
            const int length = int(std::lround(fraction * barWidth / 2.0));
            const QRect bar = length >= 0 ? QRect(centre, track.top(), length, barHeight)
                                          : QRect(centre + length, track.top(), -length, barHeight);
            painter.fillRect(bar, kAxisColours[axis]);
        }
        painter.fillRect(QRect(track.left() + barWidth / 2, track.top() - 1, 1, barHeight + 2),
                         QColor(255, 255, 255, 160));
        top += rowHeight + s(kRowGap);
    }

    painter.setPen(kTextColour);
    painter.drawText(QRect(left, top, right - left, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     PositionText(sample));
}

const BurnInSample* BurnInSampleAt(const std::vector<BurnInSample>& samples, double seconds)
{
    if (samples.empty())
        return nullptr;
    const auto after = std::upper_bound(samples.begin(), samples.end(), seconds,
                                        [](double t, const BurnInSample& sample) { return t < sample.seconds; });
    return after == samples.begin() ? &samples.front() : &*std::prev(after);
}
