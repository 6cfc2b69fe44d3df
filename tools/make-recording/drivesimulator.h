#pragma once
// DriveSimulator: a plausible drive for generated recordings. Starts at a given
// place already moving through town, turns a corner every dozen seconds
// (alternately right and left, slowing down for it), and ends with a hard brake
// to a stop. Gives one telemetry sample per step: G-sensor in g (X lateral,
// Y along the car, Z vertical), position in decimal degrees, speed in m/s.
// Deterministic: the same settings give the same drive.
#include <cstdint>

struct DriveSample {
    double accelX = 0;
    double accelY = 0;
    double accelZ = 0;
    double latitude = 0;
    double longitude = 0;
    double speedMetresPerSecond = 0;
};

enum class DriveRoute {
    City,     // corners and a hard brake at the end
    Straight, // one heading, steady speed, hard brake at the end
};

class DriveSimulator {
public:
    DriveSimulator(double startLatitude, double startLongitude, double totalSeconds, DriveRoute route);

    // The state at the current time, then advances by stepSeconds.
    DriveSample next(double stepSeconds);

private:
    double targetSpeed() const;
    double turnRateDegreesPerSecond() const;
    double vibration();

    double m_latitude;
    double m_longitude;
    double m_total;
    DriveRoute m_route;
    double m_time = 0;
    double m_speed;
    double m_headingDegrees = 30; // north-north-east
    std::uint32_t m_noise = 0x2545f491u;
};
