// make-demo-card: writes a demo memory card that shows every feature at once:
// three short recordings of one continuous drive through central Paris, each
// with its telemetry log, and a camera settings file.
//
//   make-demo-card DIR [--make-recording PATH] [--seconds 25] [--ball]
//
// The recordings show the view from the driver's seat following the logs
// (speed, bends, the dip at the brake) with the camera's date, time and speed
// stamp, one road through all three; --ball makes the generator's cheap test
// picture instead.
//
// The drive goes up the Champs-Elysees, turns sharply left at the Rond-Point
// into Avenue Montaigne and ends with a hard brake. Logs are written at ten
// samples a second with speeds in miles per hour, as cameras log them.
#include "devicesettings.h"
#include "telemetryrecordformat.h"
#include "telemetrytrack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {
constexpr int kClips = 3;
constexpr double kLogRate = 10.0;          // samples per second
constexpr double kGravity = 9.80665;
constexpr double kMetresPerMile = 1609.344;
constexpr double kEarthRadius = 6371000.0;
constexpr double kPi = 3.14159265358979323846;
// Share of the remaining heading change the car takes per sample.
constexpr double kSteering = 0.06;

struct LatLon { double lat; double lon; };

// Along the street centre lines, in driving order.
const std::vector<LatLon> kRoute = {
    {48.86763, 2.31458},  // Champs-Elysees, eastbound lanes left behind
    {48.86800, 2.31338},
    {48.86876, 2.31104},
    {48.86915, 2.30980},  // Rond-Point des Champs-Elysees: sharp left
    {48.86868, 2.30918},  // into Avenue Montaigne
    {48.86790, 2.30790},
    {48.86700, 2.30640},
    {48.86610, 2.30480},
};

double Radians(double degrees) { return degrees * kPi / 180.0; }

// Local metres east/north of the first point (small distances, flat earth).
struct Xy { double x; double y; };
Xy ToMetres(const LatLon& p)
{
    const LatLon& o = kRoute.front();
    return {Radians(p.lon - o.lon) * kEarthRadius * std::cos(Radians(o.lat)), Radians(p.lat - o.lat) * kEarthRadius};
}
LatLon FromMetres(const Xy& m)
{
    const LatLon& o = kRoute.front();
    return {o.lat + m.y / kEarthRadius * 180.0 / kPi,
            o.lon + m.x / (kEarthRadius * std::cos(Radians(o.lat))) * 180.0 / kPi};
}

// A point at a distance along the route, and the heading of that stretch.
struct RoutePoint { LatLon where; double heading; };
RoutePoint AlongRoute(double distance)
{
    for (size_t i = 0; i + 1 < kRoute.size(); ++i) {
        const Xy a = ToMetres(kRoute[i]);
        const Xy b = ToMetres(kRoute[i + 1]);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (distance <= length || i + 2 == kRoute.size()) {
            const double t = length > 0 ? std::min(distance / length, 1.0) : 0.0;
            return {FromMetres({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}), std::atan2(b.y - a.y, b.x - a.x)};
        }
        distance -= length;
    }
    return {kRoute.back(), 0.0};
}

// Target speed in m/s over the whole drive: away from the lights, cruise,
// slow for the sharp turn, cruise again, then a hard brake to a stop.
double SpeedAt(double t, double total)
{
    const double turnAt = total * 0.47;
    const double brakeAt = total * 0.80;
    if (t < 7.0)
        return 13.0 * (t / 7.0);
    if (t < turnAt - 5.0)
        return 13.0;
    if (t < turnAt)
        return 13.0 - 8.0 * ((t - (turnAt - 5.0)) / 5.0);
    if (t < turnAt + 3.0)
        return 5.0;
    if (t < turnAt + 9.0)
        return 5.0 + 6.0 * ((t - (turnAt + 3.0)) / 6.0);
    if (t < brakeAt)
        return 11.0;
    if (t < brakeAt + 1.8)
        return 11.0 * (1.0 - (t - brakeAt) / 1.8);
    if (t < brakeAt + 6.0)
        return 0.0;
    return 3.0 * std::min(1.0, (t - brakeAt - 6.0) / 3.0);
}

// Deterministic small road vibration.
double Vibration(unsigned& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return ((state % 2001) / 1000.0 - 1.0) * 0.015;
}

bool WriteLogs(const QString& folder, const QStringList& names, double clipSeconds)
{
    const double total = clipSeconds * kClips;
    const int perClip = static_cast<int>(clipSeconds * kLogRate);
    const double dt = 1.0 / kLogRate;
    double distance = 0.0;
    double previousSpeed = 0.0;
    double previousHeading = AlongRoute(0.0).heading;
    unsigned noise = 0x9e3779b9u;
    for (int clip = 0; clip < kClips; ++clip) {
        QFile file(folder + QFileInfo(names[clip]).completeBaseName() + QStringLiteral(".LOG"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        for (int i = 0; i < perClip; ++i) {
            const double t = clip * clipSeconds + i * dt;
            const double speed = SpeedAt(t, total);
            distance += speed * dt;
            const RoutePoint here = AlongRoute(distance);
            // Heading change per second, smoothed: the car takes the corner over a second or two.
            double turn = here.heading - previousHeading;
            while (turn > kPi) turn -= 2 * kPi;
            while (turn < -kPi) turn += 2 * kPi;
            previousHeading += turn * kSteering;
            const double yawRate = turn * kSteering / dt;

            TelemetrySample sample;
            sample.accelX = -(speed - previousSpeed) / dt / kGravity + Vibration(noise);  // braking is positive
            sample.accelY = speed * yawRate / kGravity + Vibration(noise);               // left turn is positive
            sample.accelZ = 1.0 + Vibration(noise) * 2;
            sample.latitude = here.where.lat;
            sample.longitude = here.where.lon;
            sample.speed = speed * 3600.0 / kMetresPerMile;
            // Cameras log a fixed precision.
            sample.accelX = std::round(sample.accelX * 1000.0) / 1000.0;
            sample.accelY = std::round(sample.accelY * 1000.0) / 1000.0;
            sample.accelZ = std::round(sample.accelZ * 1000.0) / 1000.0;
            sample.speed = std::round(sample.speed * 10.0) / 10.0;
            previousSpeed = speed;
            const std::string line = FormatTelemetryRecord(sample, static_cast<int>(t)) + "\r\n";
            file.write(line.data(), static_cast<qint64>(line.size()));
        }
    }
    return true;
}

// The three logs as one, for the pictures: each recording starts its road
// where the one before left it. Empty when the whole drive does not fit in a
// track; each recording then follows its own log.
QString WriteWholeDrive(const QString& folder, const QStringList& names, double clipSeconds, const QTemporaryDir& work)
{
    if (clipSeconds * kLogRate * kClips >= kTelemetryCapacity || !work.isValid())
        return {};
    QFile whole(work.filePath(QStringLiteral("DRIVE.LOG")));
    if (!whole.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    for (const QString& name : names) {
        QFile part(folder + QFileInfo(name).completeBaseName() + QStringLiteral(".LOG"));
        if (!part.open(QIODevice::ReadOnly) || whole.write(part.readAll()) < 0)
            return {};
    }
    return whole.flush() ? whole.fileName() : QString();
}

bool WriteSetup(const QString& folder)
{
    DeviceSettings settings;
    settings.BEFORE_VIDEO_EVENT = 10;
    settings.VIDEO_EVENT_LENGTH = 30;
    settings.VIDEO_LENGTH = 180;
    settings.SHOW_STRING = 1;
    // Sensitive enough that the hard brake (about 0.6 g on X) and the sharp
    // turn (about 0.5 g on Y) count as events, as they would for an incident.
    settings.G_LIMITX = 0.5f;
    settings.G_LIMITY = 0.4f;
    settings.G_LIMITZ = 2.0f;
    settings.TIME_ZONE = 1;
    return WriteDeviceSettings(folder + QStringLiteral("setup.ini"), settings);
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString generator = QCoreApplication::applicationDirPath() + QStringLiteral("/make-recording");
    double clipSeconds = 25.0;
    bool driveView = true;
    QString folder;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--make-recording") && i + 1 < args.size())
            generator = args[++i];
        else if (args[i] == QLatin1String("--ball"))
            driveView = false;
        else if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
            clipSeconds = args[++i].toDouble();
        else if (!args[i].startsWith(QLatin1String("--")) && folder.isEmpty())
            folder = args[i];
        else {
            std::fprintf(stderr, "usage: make-demo-card DIR [--make-recording PATH] [--seconds 25] [--ball]\n");
            return 2;
        }
    }
    if (folder.isEmpty() || clipSeconds < 2 || clipSeconds > 600) {
        std::fprintf(stderr, "usage: make-demo-card DIR [--make-recording PATH] [--seconds 25] [--ball]\n");
        return 2;
    }
    folder = QDir(folder).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make-demo-card: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    const QStringList names = {QStringLiteral("REC0001.asf"), QStringLiteral("REC0002.asf"),
                               QStringLiteral("REC0003.asf")};
    // The logs come first: the pictures follow them.
    if (!WriteLogs(folder, names, clipSeconds) || !WriteSetup(folder)) {
        std::fprintf(stderr, "make-demo-card: cannot write the logs or setup.ini in %s\n", qPrintable(folder));
        return 1;
    }
    const QTemporaryDir work;
    const QString wholeDrive = driveView ? WriteWholeDrive(folder, names, clipSeconds, work) : QString();
    for (int clip = 0; clip < kClips; ++clip) {
        const int startSeconds = 14 * 3600 + 5 * 60 + static_cast<int>(clip * clipSeconds);
        const QString start = QStringLiteral("2026-06-12 %1:%2:%3")
                                  .arg(startSeconds / 3600, 2, 10, QLatin1Char('0'))
                                  .arg(startSeconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                  .arg(startSeconds % 60, 2, 10, QLatin1Char('0'));
        QStringList arguments = {QStringLiteral("--out"), folder + names[clip], QStringLiteral("--seconds"),
                                 QString::number(clipSeconds), QStringLiteral("--width"), QStringLiteral("640"),
                                 QStringLiteral("--height"), QStringLiteral("480"), QStringLiteral("--start-time"),
                                 start, QStringLiteral("--no-log")};
        if (driveView && !wholeDrive.isEmpty())
            arguments << QStringLiteral("--drive-view") << QStringLiteral("--follow") << wholeDrive
                      << QStringLiteral("--follow-from") << QString::number(clip * clipSeconds);
        else if (driveView)
            arguments << QStringLiteral("--drive-view") << QStringLiteral("--follow")
                      << folder + QFileInfo(names[clip]).completeBaseName() + QStringLiteral(".LOG");
        QProcess recorder;
        recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        recorder.start(generator, arguments);
        if (!recorder.waitForFinished(600000) || recorder.exitStatus() != QProcess::NormalExit ||
            recorder.exitCode() != 0) {
            std::fprintf(stderr, "make-demo-card: %s failed for %s\n", qPrintable(generator),
                         qPrintable(names[clip]));
            return 1;
        }
    }
    std::printf("%s\n", qPrintable(folder));
    return 0;
}
