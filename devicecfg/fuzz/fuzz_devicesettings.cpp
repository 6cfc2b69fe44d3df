// Any settings text must read into bounded values, and writing those values and
// reading them back must be a fixed point.
#include "devicesettings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DeviceSettings s = DeviceSettings::defaults();
    ParseDeviceSettings(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), s);
    for (float limit : {s.G_LIMITX, s.G_LIMITY, s.G_LIMITZ})
        if (!(limit >= -8.0f && limit <= 8.0f))
            std::abort();
    if (s.BEFORE_VIDEO_EVENT < 2 || s.BEFORE_VIDEO_EVENT > 60 || s.VIDEO_EVENT_LENGTH < 10
        || s.VIDEO_EVENT_LENGTH > 300 || s.VIDEO_LENGTH < 60 || s.VIDEO_LENGTH > 600)
        std::abort();

    const QByteArray once = FormatDeviceSettings(s);
    DeviceSettings again = DeviceSettings::defaults();
    ParseDeviceSettings(once, again);
    if (FormatDeviceSettings(again) != once)
        std::abort();
    return 0;
}
