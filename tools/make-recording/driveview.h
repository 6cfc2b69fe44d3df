#pragma once
// DriveView: what a dash camera behind the windscreen sees on a two-lane country
// road, painted one frame at a time into a caller's QImage. It keeps the distance
// driven, the heading, the bend of the road and the pitch of the car between
// frames, so the road moves at the speed it is given, bends with the lateral G
// and the view dips at a hard brake. Nothing in it is random per frame: a car
// that stands still gets the same picture frame after frame. One instance per
// recording, used from one thread; text needs a QGuiApplication.
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <vector>

struct DriveViewInput {
    double speedMetresPerSecond = 0;
    double lateralG = 0; // positive while the car turns left
    double brakingG = 0; // positive while it slows down, negative while it speeds up
    QString stamp;       // burned in at the bottom left, as cameras stamp date, time and speed
};

class DriveView {
public:
    DriveView(int width, int height);

    // Moves the car on by stepSeconds with input's speed and G, then paints the
    // frame. frame must be width x height, Format_RGB32.
    void paint(QImage& frame, const DriveViewInput& input, double stepSeconds);

    // Moves the car on as paint does, without painting: the drive before a
    // recording's first frame, so a clip that continues a drive continues its road.
    void advance(const DriveViewInput& input, double stepSeconds);

    // The camera's stamp: "2026/06/12 14:05:03  47 km/h", the clock at
    // secondsIn after start (whole seconds, as a camera's clock ticks).
    static QString stampText(const QDateTime& start, double secondsIn, double speedMetresPerSecond);

    // Where the far end of the road and the horizon are after the last paint, in
    // pixels: the road's vanishing point moves sideways in a bend, the horizon
    // rises while the nose dips under braking.
    double vanishingPointX() const;
    double horizonY() const;

private:
    struct Projected {
        double x;
        double y;
        double scale; // pixels per metre at that distance
    };
    Projected project(double ahead, double across) const;
    void paintBackground(QPainter& painter) const;
    void paintRoad(QPainter& painter) const;
    void paintRoadside(QPainter& painter) const;
    void paintStamp(QPainter& painter, const QString& stamp);
    void makePanorama();

    int m_width;
    int m_height;
    double m_focal;         // pixels
    double m_horizonRest;   // horizon row when the car is level
    QImage m_panorama;      // sky, clouds, hills and tree line all round; wraps at a full turn
    int m_panoramaHorizon;  // row of the horizon in m_panorama
    QImage m_grain;         // tile of faint specks over the asphalt
    std::vector<double> m_depths; // metres ahead at which the road's outline is sampled

    double m_distance = 0;  // metres driven
    double m_heading = 0;   // radians turned, left positive
    double m_curvature = 0; // 1/m of the road ahead, left positive
    double m_pitch = 0;     // pixels the horizon stands above its rest
    bool m_moved = false;   // the first frame takes the state as it comes

    QFont m_stampFont;
    QString m_stampText;
    QPainterPath m_stampPath;
};
