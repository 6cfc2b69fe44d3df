#include "burnedinmp4.h"

bool WriteBurnedInMp4(const std::string&, double, double, const std::vector<BurnInSample>&, bool,
                      const std::string&, const std::function<bool(double)>&, std::string* error)
{
    if (error)
        *error = "The burned-in MP4 is not available in this build.";
    return false;
}
