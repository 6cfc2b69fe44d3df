#include "recordingevents.h"

#include "devicesettings.h"
#include "telemetrylogpath.h"

GSensorLimits EventLimitsForFolder(const QString& folder)
{
    GSensorLimits limits;
    const QString file = FindDeviceSettingsFile(folder);
    if (file.isEmpty())
        return limits;
    DeviceSettings settings;
    if (ReadDeviceSettings(file, settings))
        limits = {settings.G_LIMITX, settings.G_LIMITY, settings.G_LIMITZ};
    return limits;
}

std::optional<std::vector<GSensorEvent>> RecordingEvents(const QString& videoPath, const GSensorLimits& limits,
                                                         int* sampleCount)
{
    return DetectLogEvents(TelemetryLogPath(videoPath), limits, sampleCount);
}

QString EventCountText(int count)
{
    return count > 0 ? QString::number(count) : QString();
}
