#include "clipreport.h"

#include "playertexts.h"
#include "uitexttable.h"

#include <QFile>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

// Paper colours: ink, quiet grey for rules and labels, and the skin's accents used sparingly
// (its cyan for the header bar and the route, the event marks' amber for the moment).
const QColor kInk(0x1c, 0x22, 0x2b);
const QColor kLabel(0x5f, 0x6b, 0x78);
const QColor kRule(0xd5, 0xdb, 0xe1);
const QColor kGrid(0xec, 0xef, 0xf2);
const QColor kAccent(52, 205, 242);
const QColor kAccentInk(0x10, 0x7f, 0x9c);
const QColor kMoment(0xf0, 0xa0, 0x00);
// The strip's curve colours, X darkened: the player draws it white on black.
const QColor kCurveX(0x44, 0x4c, 0x56);
const QColor kCurveY(0x1f, 0xa0, 0x3c);
const QColor kCurveZ(0xd0, 0x2b, 0x2b);

constexpr int kDpi = 300;
constexpr double kPageWidthMm = 210;
constexpr double kMarginMm = 14;

double mm(double value) { return value * kDpi / 25.4; }
QRectF mmRect(double x, double y, double w, double h) { return QRectF(mm(x), mm(y), mm(w), mm(h)); }

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString sizeText(qint64 bytes)
{
    if (bytes < 10 * 1024)
        return QString::number(bytes) + " B";
    if (bytes < 10 * 1024 * 1024)
        return number(bytes / 1024.0, 1) + " KiB";
    return number(bytes / (1024.0 * 1024.0), 1) + " MiB";
}

// The texts of the report; those the UI table holds follow the language, the rest are English.
struct Texts {
    QString videoFile, fileName, event, speed, record, information;
    explicit Texts(int language)
    {
        auto pick = [&](int id, const char* english) {
            const QString text = UiTextIn(language, id).trimmed();
            return text.isEmpty() ? QString::fromUtf8(english) : text;
        };
        videoFile = pick(kTextVideoFile, "Video file");
        fileName = pick(kTextFileName, "File name");
        event = pick(kTextEvent, "Event");
        record = pick(kTextRecord, "Record");
        information = pick(kTextInformation, "Information");
        speed = PlayerTextIn(language, kPlayerTextSpeed);
        if (speed.isEmpty())
            speed = "Speed";
    }
};

class Page {
public:
    explicit Page(QPainter& painter) : p(painter) {}

    QFont font(double points, bool bold = false) const
    {
        QFont f("Liberation Sans");
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    QFont mono(double points) const
    {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setFamily("Liberation Mono");
        f.setPointSizeF(points);
        return f;
    }
    void text(double x, double y, const QString& s, const QFont& f, const QColor& c,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, double w = 180, double h = 10)
    {
        p.setFont(f);
        p.setPen(c);
        QRectF box = mmRect(x, y, w, h);
        if (align & Qt::AlignRight)
            box.moveRight(mm(x));
        p.drawText(box, int(align), s);
    }
    void rule(double x, double y, double w, const QColor& c = kRule, double widthMm = 0.25)
    {
        p.setPen(QPen(c, mm(widthMm)));
        p.drawLine(QPointF(mm(x), mm(y)), QPointF(mm(x + w), mm(y)));
    }
    void sectionTitle(double x, double y, const QString& s)
    {
        text(x, y, s.toUpper(), font(7.5, true), kLabel);
    }

    QPainter& p;
};

// Grid, curves and the moment's mark of the span's G values.
void drawCurves(Page& page, const ClipReportData& data, const QRectF& area)
{
    QPainter& p = page.p;
    p.save();
    p.setPen(QPen(kRule, mm(0.2)));
    p.setBrush(Qt::white);
    p.drawRect(area);
    const auto& pts = data.points;
    double low = -1.0, high = 1.0;
    for (const ClipReportPoint& s : pts) {
        for (double v : {s.x, s.y, s.z}) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    low = std::floor(low * 2) / 2;
    high = std::ceil(high * 2) / 2;
    const double t0 = pts.empty() ? data.from : pts.front().seconds;
    const double t1 = pts.size() < 2 ? t0 + 1 : pts.back().seconds;
    auto xOf = [&](double t) { return area.left() + (t - t0) / (t1 - t0) * area.width(); };
    auto yOf = [&](double v) { return area.bottom() - (v - low) / (high - low) * area.height(); };

    // Horizontal grid every 0.5 g, labelled; vertical grid every whole second.
    p.setFont(page.font(6));
    for (double g = low; g <= high + 1e-9; g += 0.5) {
        const double y = yOf(g);
        p.setPen(QPen(std::fabs(g) < 1e-9 ? kRule : kGrid, mm(std::fabs(g) < 1e-9 ? 0.3 : 0.15)));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(kLabel);
        p.drawText(QRectF(area.left() - mm(12), y - mm(2), mm(11), mm(4)), Qt::AlignRight | Qt::AlignVCenter,
                   number(g, 1) + " g");
    }
    const double step = (t1 - t0) > 40 ? 5 : ((t1 - t0) > 12 ? 2 : 1);
    for (double t = std::ceil(t0 / step) * step; t <= t1 + 1e-9; t += step) {
        const double x = xOf(t);
        p.setPen(QPen(kGrid, mm(0.15)));
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        p.setPen(kLabel);
        p.drawText(QRectF(x - mm(6), area.bottom() + mm(0.8), mm(12), mm(3.5)), Qt::AlignHCenter | Qt::AlignTop,
                   number(t, 0) + " s");
    }
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    const struct {
        double ClipReportPoint::*value;
        QColor colour;
    } curves[] = {{&ClipReportPoint::x, kCurveX}, {&ClipReportPoint::y, kCurveY}, {&ClipReportPoint::z, kCurveZ}};
    for (const auto& curve : curves) {
        QPainterPath path;
        bool open = false;
        for (const ClipReportPoint& s : pts) {
            const double v = s.*curve.value;
            if (!std::isfinite(v)) {
                open = false;
                continue;
            }
            const QPointF at(xOf(s.seconds), yOf(v));
            if (open)
                path.lineTo(at);
            else
                path.moveTo(at);
            open = true;
        }
        p.setPen(QPen(curve.colour, mm(0.35)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    if (data.momentIndex >= 0 && data.momentIndex < int(pts.size())) {
        const double x = xOf(pts[data.momentIndex].seconds);
        p.setPen(QPen(kMoment, mm(0.5), Qt::DashLine));
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    p.restore();
    // Legend above the chart's right end.
    double lx = area.right() / mm(1) - 36;
    const double ly = area.top() / mm(1) - 4.5;
    for (const auto& [name, colour] : {std::pair{"X", kCurveX}, {"Y", kCurveY}, {"Z", kCurveZ}}) {
        p.setPen(QPen(colour, mm(0.6)));
        p.drawLine(QPointF(mm(lx), mm(ly + 1.7)), QPointF(mm(lx + 4), mm(ly + 1.7)));
        page.text(lx + 5, ly, name, page.font(7), kInk);
        lx += 10;
    }
}

// The span's route, fitted into area with a local equirectangular scale, start and end marked.
void drawRoute(Page& page, const ClipReportData& data, const QRectF& area)
{
    QPainter& p = page.p;
    p.save();
    p.setPen(QPen(kRule, mm(0.2)));
    p.setBrush(QColor(0xf7, 0xf9, 0xfa));
    p.drawRect(area);
    std::vector<const ClipReportPoint*> fixes;
    for (const ClipReportPoint& s : data.points)
        if (s.hasFix)
            fixes.push_back(&s);
    if (fixes.empty()) {
        page.text(area.left() / mm(1), area.center().y() / mm(1) - 2, "No GPS position in this span", page.font(7),
                  kLabel, Qt::AlignHCenter | Qt::AlignTop, area.width() / mm(1), 5);
        p.restore();
        return;
    }
    double minLat = 90, maxLat = -90, minLon = 180, maxLon = -180;
    for (const auto* s : fixes) {
        minLat = std::min(minLat, s->latitude);
        maxLat = std::max(maxLat, s->latitude);
        minLon = std::min(minLon, s->longitude);
        maxLon = std::max(maxLon, s->longitude);
    }
    const double cosLat = std::cos((minLat + maxLat) / 2 * M_PI / 180);
    const double spanX = std::max((maxLon - minLon) * cosLat, 1e-5);
    const double spanY = std::max(maxLat - minLat, 1e-5);
    const QRectF inner = area.adjusted(mm(5), mm(5), -mm(5), -mm(5));
    const double scale = std::min(inner.width() / spanX, inner.height() / spanY);
    const QPointF centre = inner.center();
    auto at = [&](const ClipReportPoint* s) {
        return QPointF(centre.x() + ((s->longitude - (minLon + maxLon) / 2) * cosLat) * scale,
                       centre.y() - (s->latitude - (minLat + maxLat) / 2) * scale);
    };
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(at(fixes.front()));
    for (std::size_t i = 1; i < fixes.size(); ++i)
        path.lineTo(at(fixes[i]));
    p.setPen(QPen(kAccentInk, mm(0.7), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(Qt::white, mm(0.3)));
    p.setBrush(kCurveY);
    p.drawEllipse(at(fixes.front()), mm(1.2), mm(1.2));
    p.setBrush(kInk);
    p.drawEllipse(at(fixes.back()), mm(1.2), mm(1.2));
    if (data.momentIndex >= 0 && data.momentIndex < int(data.points.size()) && data.points[data.momentIndex].hasFix) {
        p.setBrush(kMoment);
        p.drawEllipse(at(&data.points[data.momentIndex]), mm(1.6), mm(1.6));
    }
    // Scale bar: a round distance near a quarter of the box.
    const double metresPerUnit = 111320.0;  // per degree of latitude
    const double boxMetres = inner.width() / scale * metresPerUnit;
    double bar = 1;
    while (bar * 10 <= boxMetres / 4)
        bar *= 10;
    if (bar * 5 <= boxMetres / 4)
        bar *= 5;
    else if (bar * 2 <= boxMetres / 4)
        bar *= 2;
    const double barWidth = bar / metresPerUnit * scale;
    // Under the box, where the route cannot cover it.
    const QPointF b0(area.left(), area.bottom() + mm(2.5));
    p.setPen(QPen(kInk, mm(0.35)));
    p.drawLine(b0, b0 + QPointF(barWidth, 0));
    p.drawLine(b0 + QPointF(0, -mm(0.8)), b0 + QPointF(0, mm(0.8)));
    p.drawLine(b0 + QPointF(barWidth, -mm(0.8)), b0 + QPointF(barWidth, mm(0.8)));
    p.restore();
    page.text((b0.x() + barWidth) / mm(1) + 1.5, b0.y() / mm(1) - 1.6,
              bar >= 1000 ? number(bar / 1000, 0) + " km" : number(bar, 0) + " m", page.font(6), kInk,
              Qt::AlignLeft | Qt::AlignTop, 20, 4);
}

}  // namespace

QString FormatSeconds(double seconds)
{
    return QString::number(seconds, 'f', 1);
}

bool WriteClipReport(const ClipReportData& data, const QString& path, std::string* error)
{
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle("Clip report " + data.clipName);
    writer.setCreator("kestrelexport " + data.programVersion);
    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = "The report " + QFile::encodeName(path).toStdString() + " cannot be written.";
        return false;
    }
    Page page(painter);
    const Texts texts(data.language);
    const double left = kMarginMm;
    const double width = kPageWidthMm - 2 * kMarginMm;

    // Header: an accent bar, the title, the clip's name and the export time.
    painter.fillRect(mmRect(0, 0, kPageWidthMm, 3), kAccent);
    page.text(left, 9, "Clip report", page.font(19, true), kInk);
    page.text(left, 18.5, data.clipName, page.font(10), kLabel);
    page.text(left + width, 10, data.exportTime.toString("yyyy-MM-dd HH:mm:ss t"), page.font(8), kLabel,
              Qt::AlignRight | Qt::AlignTop, 80, 5);
    page.text(left + width, 15, "kestrelexport " + data.programVersion, page.font(8), kLabel,
              Qt::AlignRight | Qt::AlignTop, 80, 5);
    page.rule(left, 25, width, kInk, 0.4);

    // Frame, and beside it the moment's facts.
    double y = 29;
    const double frameWidth = 104;
    double frameHeight = 78;
    if (!data.frame.isNull())
        frameHeight = std::min(90.0, frameWidth * data.frame.height() / std::max(1, data.frame.width()));
    const QRectF frameBox = mmRect(left, y, frameWidth, frameHeight);
    if (!data.frame.isNull()) {
        painter.drawImage(frameBox, data.frame);
    } else {
        painter.fillRect(frameBox, QColor(0xf0, 0xf2, 0xf4));
        page.text(left, y + frameHeight / 2 - 2, "The frame could not be decoded", page.font(8), kLabel,
                  Qt::AlignHCenter | Qt::AlignTop, frameWidth, 5);
    }
    painter.setPen(QPen(kRule, mm(0.2)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frameBox);
    page.text(left, y + frameHeight + 1, "Frame at " + FormatSeconds(data.momentSeconds) + " s of " + data.recordingName,
              page.font(6.5), kLabel, Qt::AlignLeft | Qt::AlignTop, frameWidth, 4);

    const double fx = left + frameWidth + 7;
    const double fw = width - frameWidth - 7;
    double fy = y;
    painter.fillRect(mmRect(fx, fy, 1.2, 9), kMoment);
    page.text(fx + 3, fy, data.momentTitle, page.font(10.5, true), kInk, Qt::AlignLeft | Qt::AlignTop, fw - 3, 6);
    page.text(fx + 3, fy + 5, "at " + FormatSeconds(data.momentSeconds) + " s", page.font(8), kLabel,
              Qt::AlignLeft | Qt::AlignTop, fw - 3, 5);
    fy += 13;
    auto fact = [&](const QString& label, const QString& value, const QString& value2 = QString()) {
        page.text(fx, fy, label, page.font(7), kLabel, Qt::AlignLeft | Qt::AlignTop, fw, 4);
        page.text(fx, fy + 3.6, value, page.font(9.5, true), kInk, Qt::AlignLeft | Qt::AlignTop, fw, 5);
        if (!value2.isEmpty())
            page.text(fx, fy + 8.2, value2, page.font(7.5), kInk, Qt::AlignLeft | Qt::AlignTop, fw, 4);
        fy += value2.isEmpty() ? 10 : 13.5;
        page.rule(fx, fy - 1.5, fw);
    };
    const bool haveMoment = data.momentIndex >= 0 && data.momentIndex < int(data.points.size());
    if (haveMoment) {
        const ClipReportPoint& m = data.points[data.momentIndex];
        fact(texts.speed, number(m.speedKmh, 1) + " km/h   " + number(m.speedKmh * 0.62137, 1) + " mph");
        double lo = 1e300, hi = -1e300;
        for (const ClipReportPoint& s : data.points) {
            lo = std::min(lo, s.speedKmh);
            hi = std::max(hi, s.speedKmh);
        }
        fact(texts.speed + " min / max",
             number(lo, 1) + " / " + number(hi, 1) + " km/h",
             number(lo * 0.62137, 1) + " / " + number(hi * 0.62137, 1) + " mph");
        fact("G  (X / Y / Z)", number(m.x, 2) + " / " + number(m.y, 2) + " / " + number(m.z, 2) + " g");
        fact("Position", m.hasFix ? number(m.latitude, 6) + ", " + number(m.longitude, 6) : QString("no GPS fix"));
    } else {
        fact(texts.speed, "no telemetry at this moment");
    }
    fact("Span", FormatSeconds(data.from) + " s – " + FormatSeconds(data.to) + " s",
         data.cutStart < data.from - 0.05
             ? "video from " + FormatSeconds(data.cutStart) + " s (key frame, " + FormatSeconds(data.from - data.cutStart)
                 + " s early)"
             : "video from " + FormatSeconds(data.cutStart) + " s (key frame)");

    // G curves of the span.
    y += std::max(frameHeight + 7, fy - y + 2);
    page.sectionTitle(left, y, "G-sensor over the span");
    const QRectF chart = mmRect(left + 13, y + 6, width - 13, 40);
    drawCurves(page, data, chart);
    y += 6 + 40 + 8;

    // Route sketch, and beside it the source files.
    page.sectionTitle(left, y, "Route");
    const double routeSize = 52;
    drawRoute(page, data, mmRect(left, y + 5, routeSize, routeSize));
    const double sx = left + routeSize + 7;
    const double sw = width - routeSize - 7;
    page.sectionTitle(sx, y, texts.videoFile + " / log");
    double ty = y + 5;
    for (const ClipReportFile& f : data.sources) {
        page.text(sx, ty, f.role, page.font(7), kLabel, Qt::AlignLeft | Qt::AlignTop, 20, 4);
        page.text(sx + 14, ty, f.name, page.font(8.5, true), kInk, Qt::AlignLeft | Qt::AlignTop, sw - 34, 4.5);
        page.text(sx + sw, ty, sizeText(f.size), page.font(7.5), kInk, Qt::AlignRight | Qt::AlignTop, 22, 4);
        page.text(sx + 14, ty + 4.3, f.sha256, page.mono(6.2), kInk, Qt::AlignLeft | Qt::AlignTop, sw - 14, 4);
        ty += 10;
        page.rule(sx, ty - 1.8, sw);
    }
    y += 5 + routeSize + 7;

    // Every exported file with its hash.
    page.sectionTitle(left, y, "Exported files");
    y += 5;
    page.text(left, y, texts.fileName, page.font(7, true), kLabel, Qt::AlignLeft | Qt::AlignTop, 70, 4);
    page.text(left + 92, y, "Size", page.font(7, true), kLabel, Qt::AlignRight | Qt::AlignTop, 20, 4);
    page.text(left + 96, y, "SHA-256", page.font(7, true), kLabel, Qt::AlignLeft | Qt::AlignTop, 80, 4);
    y += 4.5;
    page.rule(left, y, width, kInk, 0.3);
    y += 1.2;
    for (std::size_t i = 0; i < data.exported.size(); ++i) {
        const ClipReportFile& f = data.exported[i];
        if (i % 2 == 1)
            painter.fillRect(mmRect(left, y - 0.6, width, 5.2), QColor(0xf5, 0xf7, 0xf9));
        page.text(left + 1, y, f.name, page.font(7.5), kInk, Qt::AlignLeft | Qt::AlignTop, 70, 4.5);
        page.text(left + 92, y, sizeText(f.size), page.font(7.5), kInk, Qt::AlignRight | Qt::AlignTop, 20, 4.5);
        page.text(left + 96, y + 0.3, f.sha256, page.mono(5.9), kInk, Qt::AlignLeft | Qt::AlignTop, width - 96, 4.5);
        y += 5.2;
    }
    page.rule(left, y, width);

    // Footer.
    const double footer = 297 - kMarginMm + 2;
    page.rule(left, footer - 3, width);
    page.text(left, footer - 1.5,
              "The clip is a stream copy of the source (no re-encoding). SHA-256 sums let anyone check that the "
              "files are unchanged (sha256sum FILE).",
              page.font(6.5), kLabel, Qt::AlignLeft | Qt::AlignTop, width, 4);
    if (!painter.end()) {
        *error = "The report " + QFile::encodeName(path).toStdString() + " could not be completed.";
        return false;
    }
    return true;
}
