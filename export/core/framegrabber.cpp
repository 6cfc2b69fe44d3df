#include "framegrabber.h"

#include "gstrefs.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

// filesrc ! decodebin ─┬─ videoconvert ! videoscale ! appsink (BGRx, prerolls one frame)
//                      └─ fakesink (audio and anything else)

namespace {

struct GrabState {
    GstElement* pipeline = nullptr;  // borrowed
    GstElement* convert = nullptr;   // first element of the video branch; borrowed
    bool linked = false;             // decodebin's streaming thread only
};

void padAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* grab = static_cast<GrabState*>(data);
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    GstCapsRef owned(caps);
    const bool video = caps && !gst_caps_is_empty(caps)
        && g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "video/");
    if (video && !grab->linked) {
        GstRef<GstPad> sink(gst_element_get_static_pad(grab->convert, "sink"));
        grab->linked = gst_pad_link(pad, sink.get()) == GST_PAD_LINK_OK;
        return;
    }
    GstElement* fake = gst_element_factory_make("fakesink", nullptr);
    g_object_set(fake, "sync", FALSE, "async", FALSE, nullptr);
    gst_bin_add(GST_BIN(grab->pipeline), fake);
    GstRef<GstPad> sink(gst_element_get_static_pad(fake, "sink"));
    gst_pad_link(pad, sink.get());
    gst_element_sync_state_with_parent(fake);
}

bool waitAsyncDone(GstElement* pipeline, std::string* error)
{
    GstRef<GstBus> bus(gst_element_get_bus(pipeline));
    GstMessageRef message(gst_bus_timed_pop_filtered(
        bus.get(), 30 * GST_SECOND, GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR | GST_MESSAGE_EOS)));
    if (!message) {
        *error = "The video did not decode within 30 seconds.";
        return false;
    }
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
        *error = "The video cannot be decoded: " + GstErrorText(message.get()) + ".";
        return false;
    }
    return true;
}

}  // namespace

QImage FrameGrabber::Grab(const std::string& source, double seconds, int maxWidth, std::string* error)
{
    if (!gst_init_check(nullptr, nullptr, nullptr)) {
        *error = "GStreamer could not be started.";
        return {};
    }
    GstPipelineRef pipeline(gst_pipeline_new(nullptr));
    GstElement* src = gst_element_factory_make("filesrc", nullptr);
    GstElement* decode = gst_element_factory_make("decodebin", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* scale = gst_element_factory_make("videoscale", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!src || !decode || !convert || !scale || !sink) {
        for (GstElement* e : {src, decode, convert, scale, sink})
            if (e)
                gst_object_unref(e);
        *error = "GStreamer's decodebin, videoconvert, videoscale or appsink is missing "
                 "(install gstreamer1.0-plugins-base).";
        return {};
    }
    g_object_set(src, "location", source.c_str(), nullptr);
    GstCapsRef caps(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "pixel-aspect-ratio",
                                        GST_TYPE_FRACTION, 1, 1, nullptr));
    g_object_set(sink, "caps", caps.get(), "sync", FALSE, nullptr);
    gst_bin_add_many(GST_BIN(pipeline.get()), src, decode, convert, scale, sink, nullptr);
    gst_element_link(src, decode);
    gst_element_link_many(convert, scale, sink, nullptr);

    GrabState grab;
    grab.pipeline = pipeline.get();
    grab.convert = convert;
    g_signal_connect(decode, "pad-added", G_CALLBACK(padAdded), &grab);

    gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
    if (!waitAsyncDone(pipeline.get(), error))
        return {};
    if (!grab.linked) {
        *error = "The recording holds no video.";
        return {};
    }
    if (seconds > 0) {
        gst_element_seek_simple(pipeline.get(), GST_FORMAT_TIME,
                                GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                gint64(seconds * GST_SECOND));
        if (!waitAsyncDone(pipeline.get(), error))
            return {};
    }
    GstSampleRef sample(gst_app_sink_try_pull_preroll(GST_APP_SINK(sink), 10 * GST_SECOND));
    if (!sample) {
        *error = "No frame could be decoded at that moment.";
        return {};
    }
    GstVideoInfo info;
    if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample.get()))) {
        *error = "The decoded frame has no usable format.";
        return {};
    }
    GstBuffer* buffer = gst_sample_get_buffer(sample.get());
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        *error = "The decoded frame cannot be read.";
        return {};
    }
    const QImage view(map.data, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                      GST_VIDEO_INFO_PLANE_STRIDE(&info, 0), QImage::Format_RGB32);
    QImage image = view.copy();  // the buffer goes back to GStreamer below
    gst_buffer_unmap(buffer, &map);
    if (maxWidth > 0 && image.width() > maxWidth)
        image = image.scaledToWidth(maxWidth, Qt::SmoothTransformation);
    return image;
}
