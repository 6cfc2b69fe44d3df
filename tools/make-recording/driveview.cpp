#include "driveview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kGravity = 9.80665;
constexpr double kPi = std::numbers::pi;

// The road, in metres across from its centre line (right positive) and along it.
constexpr double kCameraHeight = 1.25;
constexpr double kCameraAcross = 1.75; // middle of the right-hand lane
constexpr double kAsphaltHalf = 3.5;
constexpr double kEdgeLineInner = 3.1;
constexpr double kEdgeLineOuter = 3.25;
constexpr double kShoulderHalf = 4.3;
constexpr double kCentreLineHalf = 0.06;
constexpr double kDashPeriod = 12.0;
constexpr double kDashLength = 3.0;
constexpr double kPostPeriod = 50.0;
constexpr double kPostAcross = 4.7;
constexpr double kPostHeight = 1.0;
constexpr double kPostWidth = 0.12;
constexpr double kTreePeriod = 23.0;
constexpr double kPatchLength = 4.0; // asphalt laid in patches of slightly different shade
constexpr double kNearest = 1.0;
constexpr double kFarthest = 400.0;

// How the car answers its G: the road ahead takes a new bend over about 15 m
// driven (so it holds still when the car does), the body pitches within a fifth
// of a second, 4 degrees per g (a dash camera rides on a soft body).
constexpr double kBendSettleMetres = 15.0;
constexpr double kMaxCurvature = 1.0 / 25.0;
constexpr double kPitchSettleSeconds = 0.2;
constexpr double kPitchDegreesPerG = 4.0;
constexpr double kMaxPitchG = 1.2;
// Road vibration in the G-sensor is no steering and no braking.
constexpr double kLateralDeadBand = 0.04;
constexpr double kBrakingDeadBand = 0.05;

double deadBand(double value, double band)
{
    return std::fabs(value) < band ? 0.0 : value - std::copysign(band, value);
}

// A fixed shade, size or place per object number: the same road every time.
std::uint32_t hash(std::int64_t n)
{
    auto x = std::uint32_t(n * 2654435761u) ^ 0x9e3779b9u;
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}
double unit(std::int64_t n) { return (hash(n) & 0xffff) / 65535.0; }

} // namespace

DriveView::DriveView(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_focal(0.78 * width)
    , m_horizonRest(0.44 * height)
{
    for (double z = kNearest; z < kFarthest; z *= 1.05)
        m_depths.push_back(z);
    m_depths.push_back(kFarthest);
    makePanorama();
    // Grain of the asphalt: a faint fixed tile, light and dark specks of
    // two pixels.
    m_grain = QImage(128, 128, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < m_grain.height(); y += 2)
        for (int x = 0; x < m_grain.width(); x += 2) {
            const std::uint32_t h = hash(y * 1000 + x);
            const int alpha = int(h % 14);
            const QRgb speck = (h >> 8) % 2 ? qRgba(alpha, alpha, alpha, alpha) : qRgba(0, 0, 0, alpha);
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    m_grain.setPixel(x + dx, y + dy, speck);
        }
    m_stampFont = QFont(QStringLiteral("DejaVu Sans"));
    m_stampFont.setBold(true);
    m_stampFont.setPixelSize(std::max(10, height / 22));
}

QString DriveView::stampText(const QDateTime& start, double secondsIn, double speedMetresPerSecond)
{
    const QDateTime now = start.addSecs(qint64(std::floor(secondsIn)));
    return QStringLiteral("%1  %2 km/h")
        .arg(now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
        .arg(std::lround(std::max(0.0, speedMetresPerSecond) * 3.6));
}

double DriveView::horizonY() const
{
    return m_horizonRest - m_pitch;
}

double DriveView::vanishingPointX() const
{
    return project(kFarthest, 0).x;
}

DriveView::Projected DriveView::project(double ahead, double across) const
{
    const double centre = -kCameraAcross - m_curvature * ahead * ahead / 2;
    const double scale = m_focal / ahead;
    return {m_width / 2.0 + (centre + across) * scale, horizonY() + kCameraHeight * scale, scale};
}

void DriveView::advance(const DriveViewInput& input, double stepSeconds)
{
    const double speed = std::max(0.0, input.speedMetresPerSecond);
    const double driven = speed * stepSeconds;
    // A lateral G means a bend of radius v^2 / a. Creeping along, that radius
    // says little, so the road keeps the bend it has.
    const double lateral = deadBand(input.lateralG, kLateralDeadBand) * kGravity;
    const double bend = speed > 0.5 ? std::clamp(lateral / (speed * speed), -kMaxCurvature, kMaxCurvature) : m_curvature;
    const double maxPitch = m_focal * std::tan(kMaxPitchG * kPitchDegreesPerG * kPi / 180);
    const double pitch = std::clamp(m_focal * std::tan(deadBand(input.brakingG, kBrakingDeadBand) * kPitchDegreesPerG
                                                       * kPi / 180),
                                    -maxPitch, maxPitch);
    if (!m_moved) {
        m_curvature = bend;
        m_pitch = pitch;
        m_moved = true;
    } else {
        m_curvature += (bend - m_curvature) * (1 - std::exp(-driven / kBendSettleMetres));
        m_pitch += (pitch - m_pitch) * (1 - std::exp(-stepSeconds / kPitchSettleSeconds));
        if (std::fabs(pitch - m_pitch) < 0.05) // settled: a standing car gives the very same frame
            m_pitch = pitch;
    }
    m_heading += driven * m_curvature;
    m_distance += driven;
}

void DriveView::paint(QImage& frame, const DriveViewInput& input, double stepSeconds)
{
    advance(input, stepSeconds);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    paintRoad(painter);
    paintRoadside(painter);
    paintStamp(painter, input.stamp);
}

void DriveView::makePanorama()
{
    // A full turn is 2 pi focal lengths wide; a multiple of 4 so the tree line's
    // bumps close up where the picture wraps.
    const int width = std::max(8, int(std::lround(2 * kPi * m_focal / 4)) * 4);
    const double maxPitch = m_focal * std::tan(kMaxPitchG * kPitchDegreesPerG * kPi / 180);
    m_panoramaHorizon = int(std::ceil(m_horizonRest + maxPitch)) + 2;
    m_panorama = QImage(width, m_panoramaHorizon + 8, QImage::Format_RGB32);
    QPainter p(&m_panorama);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = m_panoramaHorizon;
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(46, 96, 170));
    sky.setColorAt(0.6, QColor(118, 160, 208));
    sky.setColorAt(1, QColor(204, 218, 230));
    p.fillRect(m_panorama.rect(), sky);

    // Clouds: clusters of soft blobs, drawn a turn to either side as well so
    // they wrap.
    const double px = m_height / 480.0; // sizes are set for a 480-line picture
    for (int c = 0; c < 16; ++c) {
        const double cx = unit(100 + c) * width;
        const double cy = h * (0.55 - 0.45 * unit(200 + c)) ;
        const double size = (40 + 90 * unit(300 + c)) * px;
        for (int b = 0; b < 7; ++b) {
            const double bx = cx + (unit(1000 + c * 10 + b) - 0.5) * size * 1.6;
            const double by = cy + (unit(2000 + c * 10 + b) - 0.5) * size * 0.25;
            const double r = size * (0.25 + 0.3 * unit(3000 + c * 10 + b));
            for (int turn = -1; turn <= 1; ++turn) {
                QRadialGradient blob(bx + turn * width, by, r);
                blob.setColorAt(0, QColor(255, 255, 255, 150));
                blob.setColorAt(0.6, QColor(248, 250, 252, 70));
                blob.setColorAt(1, QColor(240, 244, 248, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(blob);
                p.drawEllipse(QPointF(bx + turn * width, by), r * 1.6, r * 0.7);
            }
        }
    }

    // Far hills, hazy blue, then a dark tree line along the fields.
    auto wave = [&](double x, int k, double phase) { return std::sin(2 * kPi * k * x / width + phase); };
    QPainterPath hills;
    hills.moveTo(0, h + 8);
    for (int x = 0; x <= width; x += 4)
        hills.lineTo(x, h - px * (22 + 12 * wave(x, 3, 0.7) + 8 * wave(x, 7, 2.1) + 4 * wave(x, 17, 4.0)));
    hills.lineTo(width, h + 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(132, 150, 166));
    p.drawPath(hills);

    const int steps = width / 4;
    QPainterPath trees;
    trees.moveTo(0, h + 8);
    for (int i = 0; i <= steps; ++i) {
        const double x = i * 4.0;
        const double bump = unit(5000 + i % steps) * 2.5 + unit(6000 + (i / 3) % steps) * 3;
        trees.lineTo(x, h - px * (6 + 3 * wave(x, 11, 1.3) + 2 * wave(x, 29, 0.2) + bump));
    }
    trees.lineTo(width, h + 8);
    QLinearGradient treeShade(0, h - 20 * px, 0, h);
    treeShade.setColorAt(0, QColor(66, 90, 62));
    treeShade.setColorAt(1, QColor(48, 66, 46));
    p.setBrush(treeShade);
    p.drawPath(trees);
    // A few poplars standing out of it.
    for (int t = 0; t < 24; ++t) {
        const double x = unit(7000 + t) * width;
        const double tall = px * (14 + 10 * unit(7100 + t));
        for (int turn = -1; turn <= 1; ++turn)
            p.drawEllipse(QPointF(x + turn * width, h - tall / 2 - 4 * px), 2.6 * px, tall / 2);
    }
}

void DriveView::paintBackground(QPainter& painter) const
{
    const double horizon = horizonY();
    const int top = int(std::lround(horizon)) - m_panoramaHorizon;
    const int width = m_panorama.width();
    // Turning left swings the scenery to the right.
    int left = int(std::lround(std::fmod(width / 2.0 - m_heading * m_focal, width)));
    if (left < 0)
        left += width;
    for (int x = 0; x < m_width;) {
        const int piece = std::min(m_width - x, width - left);
        painter.drawImage(QPoint(x, top), m_panorama, QRect(left, 0, piece, m_panorama.height()));
        x += piece;
        left = 0;
    }
    QLinearGradient fields(0, horizon, 0, m_height);
    fields.setColorAt(0, QColor(122, 138, 108));
    fields.setColorAt(0.15, QColor(104, 128, 78));
    fields.setColorAt(1, QColor(78, 108, 52));
    painter.fillRect(QRectF(0, horizon, m_width, m_height - horizon + 1), fields);
}

void DriveView::paintRoad(QPainter& painter) const
{
    // A band of the road between two lines across it, followed along the
    // sampled depths so it bends with the road.
    const auto band = [&](double fromAcross, double toAcross, double nearest, double farthest) {
        QPolygonF outline;
        std::vector<QPointF> back;
        auto at = [&](double z) {
            const Projected a = project(z, fromAcross);
            const Projected b = project(z, toAcross);
            outline << QPointF(a.x, a.y);
            back.emplace_back(b.x, b.y);
            // Far out to one side in a bend, the rest of the road stays out of sight.
            const double limit = 4.0 * m_width;
            return !(a.x < -limit && b.x < -limit) && !(a.x > m_width + limit && b.x > m_width + limit);
        };
        // Nothing nearer than the bottom of the picture is seen.
        nearest = std::max(nearest, 0.9 * kCameraHeight * m_focal / std::max(1.0, m_height - horizonY()));
        if (nearest >= farthest)
            return;
        bool inView = at(nearest);
        for (double z : m_depths) {
            if (z <= nearest)
                continue;
            if (z >= farthest || !inView)
                break;
            inView = at(z);
        }
        if (inView)
            at(farthest);
        for (auto it = back.rbegin(); it != back.rend(); ++it)
            outline << *it;
        painter.drawPolygon(outline);
    };

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 120, 106)); // gravel shoulders
    band(-kShoulderHalf, kShoulderHalf, kNearest, kFarthest);

    const double horizon = horizonY();
    QLinearGradient asphalt(0, horizon, 0, m_height);
    asphalt.setColorAt(0, QColor(146, 148, 152)); // hazy far away
    asphalt.setColorAt(0.25, QColor(104, 106, 110));
    asphalt.setColorAt(1, QColor(82, 84, 88));
    painter.setBrush(asphalt);
    band(-kAsphaltHalf, kAsphaltHalf, kNearest, kFarthest);
    painter.setBrush(QBrush(m_grain));
    band(-kAsphaltHalf, kAsphaltHalf, kNearest, kFarthest);

    // Patches of lighter and darker asphalt: they carry the road's motion.
    for (auto patch = std::int64_t(std::floor(m_distance / kPatchLength)); ; ++patch) {
        const double nearest = patch * kPatchLength - m_distance;
        if (nearest > 120)
            break;
        const double farthest = nearest + kPatchLength;
        if (farthest <= kNearest)
            continue;
        const double shade = unit(patch) - 0.5;
        painter.setBrush(shade < 0 ? QColor(0, 0, 0, int(-shade * 40)) : QColor(255, 255, 255, int(shade * 24)));
        band(-kAsphaltHalf, kAsphaltHalf, std::max(kNearest, nearest), farthest);
        if (hash(patch) % 5 == 0) { // a repaired strip in one lane
            painter.setBrush(QColor(40, 40, 44, 26));
            const double across = (hash(patch) >> 8) % 2 ? 1.75 : -1.75;
            band(across - 1.2, across + 1.1, std::max(kNearest, nearest + 0.5), farthest - 0.5);
        }
    }

    painter.setBrush(QColor(226, 226, 220));
    band(-kEdgeLineOuter, -kEdgeLineInner, kNearest, kFarthest);
    band(kEdgeLineInner, kEdgeLineOuter, kNearest, kFarthest);
    for (auto dash = std::int64_t(std::floor(m_distance / kDashPeriod)); ; ++dash) {
        const double nearest = dash * kDashPeriod - m_distance;
        if (nearest > 200)
            break;
        const double farthest = nearest + kDashLength;
        if (farthest <= kNearest)
            continue;
        band(-kCentreLineHalf, kCentreLineHalf, std::max(kNearest, nearest), farthest);
    }
}

void DriveView::paintRoadside(QPainter& painter) const
{
    struct Thing {
        double ahead;
        double across;
        bool tree;
        std::int64_t number;
    };
    std::vector<Thing> things;
    for (auto n = std::int64_t(std::floor(m_distance / kPostPeriod)); n * kPostPeriod - m_distance < 250; ++n) {
        const double ahead = n * kPostPeriod - m_distance;
        if (ahead > 1.5) {
            things.push_back({ahead, -kPostAcross, false, n});
            things.push_back({ahead, kPostAcross, false, n});
        }
    }
    for (auto n = std::int64_t(std::floor(m_distance / kTreePeriod)); n * kTreePeriod - m_distance < kFarthest; ++n) {
        for (int side = -1; side <= 1; side += 2) {
            const std::int64_t id = n * 2 + (side > 0);
            if (hash(id) % 3 == 0)
                continue; // gaps in the rows
            const double ahead = n * kTreePeriod - m_distance + unit(id + 77) * 8;
            if (ahead > 3)
                things.push_back({ahead, side * (9.0 + unit(id + 99) * 7), true, id});
        }
    }
    std::sort(things.begin(), things.end(), [](const Thing& a, const Thing& b) { return a.ahead > b.ahead; });

    painter.setPen(Qt::NoPen);
    for (const Thing& thing : things) {
        const Projected foot = project(thing.ahead, thing.across);
        const double s = foot.scale;
        if (thing.tree) {
            const double size = 0.8 + 0.5 * unit(thing.number + 5);
            if (foot.x + 4 * s * size < 0 || foot.x - 4 * s * size > m_width)
                continue;
            painter.setBrush(QColor(86, 68, 50));
            painter.drawRect(QRectF(foot.x - 0.2 * s * size, foot.y - 3 * s * size, 0.4 * s * size, 3 * s * size));
            // A crown of overlapping leaf masses, lit from above left, darker underneath.
            const int green = 70 + int(unit(thing.number + 11) * 30);
            const double k = s * size;
            painter.setBrush(QColor(34, green - 18, 32));
            painter.drawEllipse(QPointF(foot.x, foot.y - 4.4 * k), 2.6 * k, 2.3 * k);
            for (int mass = 0; mass < 4; ++mass) {
                const double dx = (unit(thing.number * 8 + mass) - 0.6) * 2.2 * k;
                const double dy = (unit(thing.number * 8 + mass + 4) - 0.7) * 1.8 * k;
                const int lift = 8 + mass * 7;
                painter.setBrush(QColor(44 + lift / 2, green + lift - 6, 38 + lift / 3));
                painter.drawEllipse(QPointF(foot.x + dx, foot.y - 4.6 * k + dy), (1.5 - 0.15 * mass) * k,
                                    (1.3 - 0.12 * mass) * k);
            }
        } else {
            const double w = std::max(1.0, kPostWidth * s);
            if (foot.x + w < 0 || foot.x - w > m_width)
                continue;
            painter.setBrush(QColor(236, 236, 232));
            painter.drawRect(QRectF(foot.x - w / 2, foot.y - kPostHeight * s, w, kPostHeight * s));
            painter.setBrush(QColor(28, 28, 30));
            painter.drawRect(QRectF(foot.x - w / 2, foot.y - 0.92 * s, w, 0.22 * s));
            // Reflectors: amber on the right-hand posts, white on the left.
            painter.setBrush(thing.across > 0 ? QColor(255, 150, 30) : QColor(250, 250, 250));
            painter.drawRect(QRectF(foot.x - w * 0.3, foot.y - 0.88 * s, w * 0.6, 0.12 * s));
        }
    }
}

void DriveView::paintStamp(QPainter& painter, const QString& stamp)
{
    if (stamp.isEmpty())
        return;
    if (stamp != m_stampText) {
        m_stampText = stamp;
        m_stampPath = QPainterPath();
        m_stampPath.addText(0, 0, m_stampFont, stamp);
    }
    const double size = m_stampFont.pixelSize();
    painter.save();
    painter.translate(size * 0.6, m_height - size * 0.7);
    painter.setPen(QPen(QColor(16, 16, 16), std::max(2.0, size / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(m_stampPath);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 250));
    painter.drawPath(m_stampPath);
    painter.restore();
}
