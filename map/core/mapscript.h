#pragma once
// The script texts that the program runs in the map page. Every call into the
// page's JavaScript is built here.

#include "maproute.h"

#include <QString>

#include <utility>
#include <vector>

// SetLocation("<lat>","<lon>") with both numbers as "%f" writes them: six
// decimals and always a '.' as the decimal point.
QString SetLocationScript(double latitude, double longitude);

// The page's route functions. A route travels as [[lat,lon,speed,sample],...]
// with six decimals for degrees and one for speeds, whatever the locale.

// SetRoute(id,[...]): the playing recording's whole route; an empty one clears
// the route the page showed. Either way the page starts a new trail.
QString SetRouteScript(int routeId, const std::vector<RoutePoint>& route);

// AddNeighbourRoutes([[id,[...]],...]): routes of other recordings, drawn dim.
using NeighbourRoute = std::pair<int, const std::vector<RoutePoint>*>;
QString AddNeighbourRoutesScript(const std::vector<NeighbourRoute>& routes);

// SetRouteSample(i): the route's marker moves to the sample shown.
QString SetRouteSampleScript(int sampleIndex);

// SetRouteUnit("km/h",factor): the legend's unit and the factor from logged
// speeds to it.
QString SetRouteUnitScript(const char* unit, double factor);
