#include "burnedinmp4.h"

#include "burninoverlay.h"
#include "gstrefs.h"

#include <QImage>

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

// Two pipelines with this thread in between, so every frame passes through QPainter:
//
//   filesrc ! decodebin ─┬─ videoconvert ! RGBx ! appsink(video) ──┐
//                        └─ audioconvert ! audioresample ! S16 ! appsink(audio) ─┐
//                                                                  │ draw        │
//   appsrc(video) ! videoconvert ! I420 ! x264enc ! h264parse ! queue ─┐        │
//   appsrc(audio) ! audioconvert ! aac encoder ! aacparse ! queue ─────┴ mp4mux ! filesink
//
// Without an audio stream the audio appsrc gets silence, so every phone plays the file.

namespace {


constexpr int kAudioRate = 48000;
constexpr int kAudioChannels = 2;
constexpr int kAudioBytesPerFrame = 2 * kAudioChannels;  // S16LE interleaved
constexpr int kSilenceFrames = 1024;
constexpr GstClockTime kPollNs = 100 * GST_MSECOND;
constexpr GstClockTime kPrerollNs = 20 * GST_SECOND;
// Raw frames waiting for this thread: bounded, so a slow encoder holds the decoder back
// instead of filling memory.
constexpr int kDecodedFramesQueued = 4;

void SetError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

// The first error message on bus, or empty.
std::string BusError(GstElement* pipeline)
{
    GstRef<GstBus> bus(gst_element_get_bus(pipeline));
    if (GstMessageRef message{gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR)})
        return GstErrorText(message.get());
    return {};
}

void StopPipeline(GstElement* pipeline)
{
    if (pipeline)
        gst_element_set_state(pipeline, GST_STATE_NULL);
}

// The decoding half: decodebin's pads are linked to appsinks as they appear (on a
// streaming thread); the sinks are read once the pipeline has prerolled.
struct Decoder {
    GstRef<GstElement> pipeline;
    std::mutex mutex;
    GstElement* videoSink = nullptr;  // owned by pipeline
    GstElement* audioSink = nullptr;  // owned by pipeline

    ~Decoder() { StopPipeline(pipeline.get()); }

    static void OnPadAdded(GstElement*, GstPad* pad, gpointer data)
    {
        auto* self = static_cast<Decoder*>(data);
        GstCapsRef caps(gst_pad_get_current_caps(pad));
        if (!caps)
            caps.reset(gst_pad_query_caps(pad, nullptr));
        if (!caps || gst_caps_is_empty(caps.get()))
            return;
        const char* name = gst_structure_get_name(gst_caps_get_structure(caps.get(), 0));
        const bool video = g_str_has_prefix(name, "video/x-raw");
        const bool audio = g_str_has_prefix(name, "audio/x-raw");
        std::lock_guard lock(self->mutex);
        if ((video && self->videoSink) || (audio && self->audioSink) || (!video && !audio))
            return;
        const char* description = video
            ? "videoconvert ! video/x-raw,format=RGBx ! appsink name=sink sync=false"
            : "audioconvert ! audioresample ! audio/x-raw,format=S16LE,layout=interleaved,rate=48000,channels=2"
              " ! appsink name=sink sync=false";
        GError* gerror = nullptr;
        GstElement* branch = gst_parse_bin_from_description(description, TRUE, &gerror);
        if (!branch) {
            g_clear_error(&gerror);
            return;
        }
        GstRef<GstElement> sink(gst_bin_get_by_name(GST_BIN(branch), "sink"));
        if (video)
            g_object_set(sink.get(), "max-buffers", guint(kDecodedFramesQueued), "drop", FALSE, nullptr);
        gst_bin_add(GST_BIN(self->pipeline.get()), branch);
        gst_element_sync_state_with_parent(branch);
        GstRef<GstPad> sinkPad(gst_element_get_static_pad(branch, "sink"));
        if (gst_pad_link(pad, sinkPad.get()) != GST_PAD_LINK_OK)
            return;
        (video ? self->videoSink : self->audioSink) = sink.get();
    }
};

// The encoding half, made once the first frame tells the picture's size and rate.
struct Encoder {
    GstRef<GstElement> pipeline;
    GstElement* videoSrc = nullptr;  // owned by pipeline
    GstElement* audioSrc = nullptr;  // owned by pipeline
    guint64 audioFramesPushed = 0;

    ~Encoder() { StopPipeline(pipeline.get()); }

    bool Start(int width, int height, int fpsNumerator, int fpsDenominator, const std::string& path,
               std::string* error)
    {
        const char* aacEncoder = nullptr;
        for (const char* candidate : {"avenc_aac", "voaacenc"}) {
            if (GstRef<GstElementFactory> factory{gst_element_factory_find(candidate)}) {
                aacEncoder = candidate;
                break;
            }
        }
        GstRef<GstElementFactory> x264{gst_element_factory_find("x264enc")};
        if (!x264 || !aacEncoder) {
            SetError(error, !x264 ? "The H.264 encoder is missing (install gstreamer1.0-plugins-ugly)."
                                  : "The AAC encoder is missing (install gstreamer1.0-libav).");
            return false;
        }
        const int keyInterval = std::max(1, 2 * fpsNumerator / std::max(1, fpsDenominator));
        char description[1024];
        std::snprintf(description, sizeof description,
                      "appsrc name=video format=time block=true max-bytes=%d"
                      " ! videoconvert ! video/x-raw,format=I420"
                      " ! x264enc speed-preset=faster pass=qual quantizer=20 key-int-max=%d"
                      " ! video/x-h264,profile=main ! h264parse"
                      " ! queue max-size-buffers=0 max-size-bytes=0 max-size-time=0 ! mp4mux name=mux faststart=true"
                      " ! filesink name=out"
                      " appsrc name=audio format=time"
                      " ! audioconvert ! %s bitrate=128000 ! aacparse"
                      " ! queue max-size-buffers=0 max-size-bytes=0 max-size-time=0 ! mux.",
                      8 * width * height * 4, keyInterval, aacEncoder);
        GError* gerror = nullptr;
        pipeline.reset(gst_parse_launch(description, &gerror));
        if (!pipeline || gerror) {
            SetError(error, std::string("The MP4 encoder could not be set up: ") +
                                (gerror ? gerror->message : "unknown error") + ".");
            g_clear_error(&gerror);
            return false;
        }
        GstRef<GstElement> video(gst_bin_get_by_name(GST_BIN(pipeline.get()), "video"));
        GstRef<GstElement> audio(gst_bin_get_by_name(GST_BIN(pipeline.get()), "audio"));
        GstRef<GstElement> out(gst_bin_get_by_name(GST_BIN(pipeline.get()), "out"));
        videoSrc = video.get();
        audioSrc = audio.get();
        g_object_set(out.get(), "location", path.c_str(), nullptr);
        GstCapsRef videoCaps(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGBx", "width", G_TYPE_INT,
                                              width, "height", G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION,
                                              fpsNumerator, fpsDenominator, "pixel-aspect-ratio",
                                              GST_TYPE_FRACTION, 1, 1, nullptr));
        GstCapsRef audioCaps(gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "S16LE", "layout",
                                              G_TYPE_STRING, "interleaved", "rate", G_TYPE_INT, kAudioRate,
                                              "channels", G_TYPE_INT, kAudioChannels, nullptr));
        g_object_set(videoSrc, "caps", videoCaps.get(), nullptr);
        g_object_set(audioSrc, "caps", audioCaps.get(), nullptr);
        if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
            SetError(error, "The MP4 file could not be written: " + path + ".");
            return false;
        }
        return true;
    }

    bool PushVideo(std::unique_ptr<QImage> frame, GstClockTime pts, GstClockTime duration)
    {
        QImage* image = frame.release();
        GstBuffer* buffer = gst_buffer_new_wrapped_full(
            GST_MEMORY_FLAG_READONLY, image->bits(), gsize(image->sizeInBytes()), 0, gsize(image->sizeInBytes()),
            image, [](gpointer data) { delete static_cast<QImage*>(data); });
        GST_BUFFER_PTS(buffer) = pts;
        GST_BUFFER_DURATION(buffer) = duration;
        return gst_app_src_push_buffer(GST_APP_SRC(videoSrc), buffer) == GST_FLOW_OK;
    }

    // Audio frames (S16LE stereo) placed right after the ones already pushed, so the
    // track has no gaps a player could stumble on.
    bool PushAudio(const guint8* data, gsize frames)
    {
        if (frames == 0)
            return true;
        GstBuffer* buffer = gst_buffer_new_allocate(nullptr, frames * kAudioBytesPerFrame, nullptr);
        if (data)
            gst_buffer_fill(buffer, 0, data, frames * kAudioBytesPerFrame);
        else
            gst_buffer_memset(buffer, 0, 0, frames * kAudioBytesPerFrame);
        GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(audioFramesPushed, GST_SECOND, kAudioRate);
        GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(frames, GST_SECOND, kAudioRate);
        audioFramesPushed += frames;
        return gst_app_src_push_buffer(GST_APP_SRC(audioSrc), buffer) == GST_FLOW_OK;
    }

    // Silence up to seconds of the clip.
    bool PadSilenceTo(double seconds)
    {
        const guint64 target = guint64(std::max(0.0, seconds) * kAudioRate);
        while (audioFramesPushed < target) {
            const gsize frames = gsize(std::min<guint64>(kSilenceFrames, target - audioFramesPushed));
            if (!PushAudio(nullptr, frames))
                return false;
        }
        return true;
    }
};

// Frame rate of the decoded caps, 25/1 where the stream does not say.
void FrameRate(const GstVideoInfo& info, int* numerator, int* denominator)
{
    *numerator = GST_VIDEO_INFO_FPS_N(&info);
    *denominator = GST_VIDEO_INFO_FPS_D(&info);
    if (*numerator <= 0 || *denominator <= 0) {
        *numerator = 25;
        *denominator = 1;
    }
}

}  // namespace

bool WriteBurnedInMp4(const std::string& source, double from, double to,
                      const std::vector<BurnInSample>& samples, bool miles, const std::string& outPath,
                      const std::function<bool(double)>& progress, std::string* error)
{
    if (!(to > from) || from < 0) {
        SetError(error, "The span to write is empty.");
        return false;
    }
    if (!gst_is_initialized()) {
        GError* gerror = nullptr;
        if (!gst_init_check(nullptr, nullptr, &gerror)) {
            g_clear_error(&gerror);
            SetError(error, "GStreamer could not be started.");
            return false;
        }
    }
    // Written under a working name and renamed at the end, so a cancel or a failure
    // never leaves a half file under the real one.
    const std::string workingPath = outPath + ".part";
    bool finished = false;
    struct Cleanup {
        const std::string& path;
        const bool& finished;
        ~Cleanup()
        {
            if (!finished)
                std::remove(path.c_str());
        }
    } cleanup{workingPath, finished};
    const auto cancelled = [&](double fraction) { return progress && !progress(std::clamp(fraction, 0.0, 1.0)); };

    Decoder decoder;
    {
        decoder.pipeline.reset(gst_pipeline_new("burn-in-decode"));
        GstElement* file = gst_element_factory_make("filesrc", nullptr);
        GstElement* decode = gst_element_factory_make("decodebin", nullptr);
        if (!file || !decode) {
            SetError(error, "The video decoder is missing (install gstreamer1.0-plugins-base).");
            return false;
        }
        g_object_set(file, "location", source.c_str(), nullptr);
        gst_bin_add_many(GST_BIN(decoder.pipeline.get()), file, decode, nullptr);
        gst_element_link(file, decode);
        g_signal_connect(decode, "pad-added", G_CALLBACK(&Decoder::OnPadAdded), &decoder);
    }
    GstElement* decodePipeline = decoder.pipeline.get();
    if (gst_element_set_state(decodePipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
        gst_element_get_state(decodePipeline, nullptr, nullptr, kPrerollNs) != GST_STATE_CHANGE_SUCCESS) {
        const std::string why = BusError(decodePipeline);
        SetError(error, "The recording could not be decoded" + (why.empty() ? std::string() : ": " + why) + ".");
        return false;
    }
    GstElement* videoSink = nullptr;
    GstElement* audioSink = nullptr;
    {
        std::lock_guard lock(decoder.mutex);
        videoSink = decoder.videoSink;
        audioSink = decoder.audioSink;
    }
    if (!videoSink) {
        SetError(error, "The recording has no video to write.");
        return false;
    }
    // An accurate seek: decoding starts at the key frame before from, and the frames up to
    // from are dropped, so the clip starts where it was asked to.
    const auto fromNs = GstClockTime(from * GST_SECOND);
    const auto toNs = GstClockTime(to * GST_SECOND);
    if (!gst_element_seek(decodePipeline, 1.0, GST_FORMAT_TIME,
                          GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), GST_SEEK_TYPE_SET, gint64(fromNs),
                          GST_SEEK_TYPE_SET, gint64(toNs))) {
        SetError(error, "The recording could not be positioned at the start of the span.");
        return false;
    }
    gst_element_get_state(decodePipeline, nullptr, nullptr, kPrerollNs);
    gst_element_set_state(decodePipeline, GST_STATE_PLAYING);

    Encoder encoder;
    std::unique_ptr<BurnInOverlay> overlay;
    QSize frameSize;
    GstVideoInfo info;
    gst_video_info_init(&info);
    GstClockTime frameDuration = GST_SECOND / 25;
    bool audioOffsetKnown = false;
    const double span = to - from;
    double lastFrameEnd = 0.0;

    // Moves the decoded audio that has arrived into the encoder, trimmed to the span;
    // wait lets it block for the rest once the video is done.
    const auto drainAudio = [&](bool wait) -> bool {
        if (!audioSink)
            return true;
        for (;;) {
            GstSampleRef sample{wait ? gst_app_sink_try_pull_sample(GST_APP_SINK(audioSink), kPollNs)
                                  : gst_app_sink_try_pull_sample(GST_APP_SINK(audioSink), 0)};
            if (!sample) {
                if (!wait || gst_app_sink_is_eos(GST_APP_SINK(audioSink)))
                    return true;
                if (cancelled(0.98) || !BusError(decodePipeline).empty())
                    return false;
                continue;
            }
            GstBuffer* buffer = gst_sample_get_buffer(sample.get());
            GstMapInfo map;
            if (!buffer || !gst_buffer_map(buffer, &map, GST_MAP_READ))
                continue;
            gsize frames = map.size / kAudioBytesPerFrame;
            const guint8* data = map.data;
            if (GST_BUFFER_PTS_IS_VALID(buffer)) {
                const double start = GST_BUFFER_PTS(buffer) / double(GST_SECOND);
                if (start < from) {
                    const gsize skip = std::min<gsize>(frames, gsize((from - start) * kAudioRate));
                    data += skip * kAudioBytesPerFrame;
                    frames -= skip;
                }
                if (!audioOffsetKnown && frames > 0) {
                    // A stream that starts late in the span starts with silence.
                    audioOffsetKnown = true;
                    encoder.PadSilenceTo(std::max(0.0, start - from));
                }
            }
            const guint64 limit = guint64(span * kAudioRate);
            if (encoder.audioFramesPushed + frames > limit)
                frames = gsize(limit > encoder.audioFramesPushed ? limit - encoder.audioFramesPushed : 0);
            const bool pushed = encoder.PushAudio(data, frames);
            gst_buffer_unmap(buffer, &map);
            if (!pushed)
                return false;
        }
    };

    for (;;) {
        GstSampleRef sample{gst_app_sink_try_pull_sample(GST_APP_SINK(videoSink), kPollNs)};
        if (!sample) {
            if (gst_app_sink_is_eos(GST_APP_SINK(videoSink)))
                break;
            if (const std::string why = BusError(decodePipeline); !why.empty()) {
                SetError(error, "The recording could not be decoded: " + why + ".");
                return false;
            }
            if (cancelled(lastFrameEnd / span * 0.98)) {
                SetError(error, "Cancelled.");
                return false;
            }
            continue;
        }
        GstBuffer* buffer = gst_sample_get_buffer(sample.get());
        if (!buffer || !GST_BUFFER_PTS_IS_VALID(buffer))
            continue;
        const double seconds = GST_BUFFER_PTS(buffer) / double(GST_SECOND);
        if (seconds >= to)
            break;
        if (seconds < from - 0.001)
            continue;
        if (!overlay) {
            if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample.get()))) {
                SetError(error, "The recording's picture format is not understood.");
                return false;
            }
            int fpsN = 0;
            int fpsD = 0;
            FrameRate(info, &fpsN, &fpsD);
            frameDuration = gst_util_uint64_scale(GST_SECOND, fpsD, fpsN);
            // H.264 in 4:2:0 wants even sizes; an odd last row or column is left out.
            const int width = GST_VIDEO_INFO_WIDTH(&info) & ~1;
            const int height = GST_VIDEO_INFO_HEIGHT(&info) & ~1;
            if (width < 2 || height < 2) {
                SetError(error, "The recording's picture is too small to write.");
                return false;
            }
            if (!encoder.Start(width, height, fpsN, fpsD, workingPath, error))
                return false;
            frameSize = QSize(width, height);
            overlay = std::make_unique<BurnInOverlay>(frameSize, miles);
        }
        GstVideoFrame mapped;
        if (!gst_video_frame_map(&mapped, &info, buffer, GST_MAP_READ))
            continue;
        const QImage view(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, 0)),
                          GST_VIDEO_FRAME_WIDTH(&mapped), GST_VIDEO_FRAME_HEIGHT(&mapped),
                          GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, 0), QImage::Format_RGBX8888);
        auto frame = std::make_unique<QImage>(view.copy(QRect(QPoint(0, 0), frameSize)));
        gst_video_frame_unmap(&mapped);
        overlay->Draw(*frame, BurnInSampleAt(samples, seconds), seconds);

        const GstClockTime pts = GstClockTime((std::max(0.0, seconds - from)) * GST_SECOND);
        lastFrameEnd = (pts + frameDuration) / double(GST_SECOND);
        if (!drainAudio(false) || (!audioSink && !encoder.PadSilenceTo(std::min(span, lastFrameEnd))) ||
            !encoder.PushVideo(std::move(frame), pts, frameDuration)) {
            const std::string why = BusError(encoder.pipeline.get());
            SetError(error, "The MP4 file could not be written" + (why.empty() ? std::string() : ": " + why) + ".");
            return false;
        }
        if (cancelled(std::min(lastFrameEnd, span) / span * 0.98)) {
            SetError(error, "Cancelled.");
            return false;
        }
        if (const std::string why = BusError(encoder.pipeline.get()); !why.empty()) {
            SetError(error, "The MP4 file could not be written: " + why + ".");
            return false;
        }
    }
    if (!overlay) {
        SetError(error, "The recording has no picture in the span.");
        return false;
    }
    if (!drainAudio(true)) {
        SetError(error, cancelled(0.98) ? "Cancelled." : "The recording's sound could not be decoded.");
        return false;
    }
    StopPipeline(decodePipeline);
    // A short or missing sound track is filled to the picture's end.
    encoder.PadSilenceTo(std::min(span, lastFrameEnd));
    gst_app_src_end_of_stream(GST_APP_SRC(encoder.videoSrc));
    gst_app_src_end_of_stream(GST_APP_SRC(encoder.audioSrc));

    GstRef<GstBus> bus(gst_element_get_bus(encoder.pipeline.get()));
    for (;;) {
        GstMessageRef message{gst_bus_timed_pop_filtered(bus.get(), kPollNs,
                                                      GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR))};
        if (!message) {
            if (cancelled(0.99)) {
                SetError(error, "Cancelled.");
                return false;
            }
            continue;
        }
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
            SetError(error, "The MP4 file could not be written: " + GstErrorText(message.get()) + ".");
            return false;
        }
        break;
    }
    StopPipeline(encoder.pipeline.get());
    if (std::rename(workingPath.c_str(), outPath.c_str()) != 0) {
        SetError(error, "The MP4 file could not be written: " + outPath + ".");
        return false;
    }
    finished = true;
    if (progress)
        progress(1.0);
    return true;
}
