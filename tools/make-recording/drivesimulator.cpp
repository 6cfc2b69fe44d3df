#include "drivesimulator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kGravity = 9.80665;
constexpr double kMetresPerDegreeLatitude = 111'320.0;
constexpr double kCruiseSpeed = 13.9;   // 50 km/h
constexpr double kCornerSpeed = 5.5;    // 20 km/h
constexpr double kStartSpeed = 11.1;    // 40 km/h: a clip starts mid-drive
constexpr double kAccelLimit = 2.0;     // m/s^2, gentle town driving
constexpr double kSlowLimit = 3.0;      // m/s^2, ordinary braking
constexpr double kHardBrake = 7.5;      // m/s^2, about 0.75 g
constexpr double kCornerEvery = 12.0;   // seconds between the starts of two corners
constexpr double kCornerLength = 4.0;   // seconds to turn 90 degrees
constexpr double kCornerLeadIn = 2.5;   // seconds of slowing before a corner

// The hard brake takes the last 30 % of a short clip, at most the last 3 s.
double brakeStart(double total)
{
    return total - std::min(3.0, 0.3 * total);
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

DriveSimulator::DriveSimulator(double startLatitude, double startLongitude, double totalSeconds, DriveRoute route)
    : m_latitude(startLatitude)
    , m_longitude(startLongitude)
    , m_total(std::max(totalSeconds, 0.1))
    , m_route(route)
    , m_speed(kStartSpeed)
{
}

double DriveSimulator::targetSpeed() const
{
    if (m_time >= brakeStart(m_total))
        return 0;
    if (m_route == DriveRoute::City) {
        // First corner early enough that even a short clip has one.
        const double first = std::min(kCornerEvery, 0.25 * m_total);
        const double sinceFirst = m_time - first + kCornerLeadIn;
        if (sinceFirst >= 0 && std::fmod(sinceFirst, kCornerEvery) < kCornerLeadIn + kCornerLength)
            return kCornerSpeed;
    }
    return kCruiseSpeed;
}

double DriveSimulator::turnRateDegreesPerSecond() const
{
    if (m_route != DriveRoute::City || m_time >= brakeStart(m_total))
        return 0;
    const double first = std::min(kCornerEvery, 0.25 * m_total);
    if (m_time < first)
        return 0;
    const double since = m_time - first;
    const int corner = int(since / kCornerEvery);
    if (std::fmod(since, kCornerEvery) >= kCornerLength)
        return 0;
    const double rate = 90.0 / kCornerLength;
    return corner % 2 == 0 ? rate : -rate; // right, then left
}

double DriveSimulator::vibration()
{
    // xorshift32: small, repeatable road noise in [-1, 1).
    m_noise ^= m_noise << 13;
    m_noise ^= m_noise >> 17;
    m_noise ^= m_noise << 5;
    return double(m_noise) / 2147483648.0 - 1.0;
}

DriveSample DriveSimulator::next(double step)
{
    const double turnRate = turnRateDegreesPerSecond();
    const double wanted = targetSpeed();
    const bool braking = m_time >= brakeStart(m_total);
    const double accel = std::clamp((wanted - m_speed) / step, braking ? -kHardBrake : -kSlowLimit, kAccelLimit);

    DriveSample sample;
    sample.latitude = m_latitude;
    sample.longitude = m_longitude;
    sample.speedMetresPerSecond = m_speed;
    // Lateral: centripetal v * omega; along the car: the speed change under way;
    // vertical: gravity. Plus a little vibration that grows with speed.
    const double shake = 0.01 + 0.002 * m_speed;
    sample.accelX = m_speed * radians(turnRate) / kGravity + shake * vibration();
    sample.accelY = accel / kGravity + shake * vibration();
    sample.accelZ = 1.0 + 1.5 * shake * vibration();

    m_speed = std::max(0.0, m_speed + accel * step);
    m_headingDegrees = std::fmod(m_headingDegrees + turnRate * step + 360.0, 360.0);
    const double distance = m_speed * step;
    m_latitude += distance * std::cos(radians(m_headingDegrees)) / kMetresPerDegreeLatitude;
    m_longitude += distance * std::sin(radians(m_headingDegrees))
        / (kMetresPerDegreeLatitude * std::cos(radians(m_latitude)));
    m_time += step;
    return sample;
}
