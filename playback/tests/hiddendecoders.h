#pragma once
// Test helpers for recordings of current cameras: one made by ffmpeg at test
// time, and GStreamer's decoders of one format made unusable for the
// pipelines built while a HiddenDecoders lives (as on a system without them).
#include <gst/gst.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Writes `seconds` of a moving test picture with a tone to `path` (the
// container follows its extension); `videoCodec` "libx264" or "libx265".
// False when ffmpeg or the encoder is missing.
inline bool MakeCameraRecording(const QString& path, const QString& videoCodec, int seconds = 2, int width = 320,
                                int height = 240)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return false;
    QStringList arguments{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                          QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("testsrc2=size=%1x%2:rate=25").arg(width).arg(height), QStringLiteral("-f"),
                          QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("sine=frequency=440:sample_rate=44100"), QStringLiteral("-t"),
                          QString::number(seconds), QStringLiteral("-c:v"), videoCodec, QStringLiteral("-preset"),
                          QStringLiteral("ultrafast"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                          QStringLiteral("-g"), QStringLiteral("12")};
    if (videoCodec == QLatin1String("libx265"))
        arguments << QStringLiteral("-x265-params") << QStringLiteral("log-level=error");
    arguments << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-shortest") << path;
    QProcess process;
    process.start(ffmpeg, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

class HiddenDecoders {
public:
    // `caps`: the coded format, e.g. "video/x-h265". Call after gst_init.
    explicit HiddenDecoders(const char* caps)
    {
        GstCaps* wanted = gst_caps_from_string(caps);
        GList* decoders = gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_DECODER, GST_RANK_NONE);
        for (GList* item = decoders; item; item = item->next) {
            auto* factory = GST_ELEMENT_FACTORY(item->data);
            if (!gst_element_factory_can_sink_any_caps(factory, wanted))
                continue;
            auto* feature = GST_PLUGIN_FEATURE(gst_object_ref(factory));
            m_saved.emplace_back(feature, gst_plugin_feature_get_rank(feature));
            gst_plugin_feature_set_rank(feature, GST_RANK_NONE);
        }
        gst_plugin_feature_list_free(decoders);
        gst_caps_unref(wanted);
    }
    ~HiddenDecoders()
    {
        for (auto& [feature, rank] : m_saved) {
            gst_plugin_feature_set_rank(feature, rank);
            gst_object_unref(feature);
        }
    }
    HiddenDecoders(const HiddenDecoders&) = delete;
    HiddenDecoders& operator=(const HiddenDecoders&) = delete;
    int Count() const { return int(m_saved.size()); }

private:
    std::vector<std::pair<GstPluginFeature*, guint>> m_saved;
};
