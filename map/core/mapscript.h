#pragma once
// The script texts that the program runs in the map page. Every call into the
// page's JavaScript is built here.

#include <QString>

// SetLocation("<lat>","<lon>") with both numbers as "%f" writes them: six
// decimals and always a '.' as the decimal point.
QString SetLocationScript(double latitude, double longitude);
