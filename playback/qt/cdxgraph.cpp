#include "cdxgraph.h"

#include "filenamecodec.h"
#include "snapshotfile.h"
#include "videofit.h"
#include "videoframe.h"
#include "videopathprobe.h"
#include "videosurface.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <gst/app/gstappsink.h>
#include <gst/audio/streamvolume.h>
#include <gst/gst.h>
#include <gst/pbutils/missing-plugins.h>
#include <gst/pbutils/pbutils.h>
#include <gst/video/video.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>

#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPlayback, "kestrel.playback")
// Off unless asked for (QT_LOGGING_RULES="kestrel.playback.frames.debug=true"):
// the frame counts of each engine, read by the playback benchmark.
Q_LOGGING_CATEGORY(lcFrames, "kestrel.playback.frames", QtWarningMsg)

namespace {

// Media time is 100-ns units; GStreamer counts nanoseconds.
constexpr gint64 kNanosecondsPerUnit = 100;
constexpr double kUnitsPerSecond = 10'000'000.0;
constexpr GstClockTime kStateQueryTimeout = 10 * GST_MSECOND;
// How long RenderFile waits for the first frame. A local recording prerolls in
// tens of milliseconds; this bound only matters for a file that never does.
constexpr auto kPrerollTimeout = std::chrono::seconds(8);
// How long StepOneFrame waits for a running pipeline to settle in pause.
constexpr GstClockTime kPauseSettleTimeout = 2 * GST_SECOND;
constexpr GstClockTime kConvertTimeout = 2 * GST_SECOND;
constexpr long kSilenceHundredthsDb = -10000;
constexpr double kMinRate = 0.25;
constexpr double kMaxRate = 4.0;

// playbin's GstPlayFlags (not in a public header): video, audio, software volume,
// deinterlacing. Subtitles, visualisation and the colour-balance element are off.
constexpr guint kPlayFlags = 0x1 | 0x2 | 0x10 | 0x200;

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
template <typename T>
using GstRef = std::unique_ptr<T, ObjectUnref>;

struct SampleUnref {
    void operator()(GstSample* sample) const { gst_sample_unref(sample); }
};
using SampleRef = std::unique_ptr<GstSample, SampleUnref>;

struct CapsUnref {
    void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
using CapsRef = std::unique_ptr<GstCaps, CapsUnref>;

struct GFreeString {
    void operator()(gchar* text) const { g_free(text); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeString>;

// Takes ownership of a floating or full reference from a factory.
GstElement* makeElement(const char* factory)
{
    GstElement* element = gst_element_factory_make(factory, nullptr);
    return element ? GST_ELEMENT(gst_object_ref_sink(element)) : nullptr;
}

// Whether the automatic audio sink finds a device that opens. Asked once per
// process: the probe is slow and noisy, and devices rarely come and go while
// the player runs.
bool soundDeviceOpens()
{
    static const bool opens = [] {
        GstElement* probe = makeElement("autoaudiosink");
        if (!probe)
            return false;
        const bool ok = gst_element_set_state(probe, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
        // autoaudiosink stands in a fakesink of its own when nothing opens.
        bool fake = false;
        if (ok && GST_IS_BIN(probe)) {
            GstIterator* it = gst_bin_iterate_sinks(GST_BIN(probe));
            GValue item = G_VALUE_INIT;
            while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
                auto* child = GST_ELEMENT(g_value_get_object(&item));
                GstElementFactory* factory = gst_element_get_factory(child);
                if (factory && g_str_equal(GST_OBJECT_NAME(factory), "fakesink"))
                    fake = true;
                g_value_reset(&item);
            }
            g_value_unset(&item);
            gst_iterator_free(it);
        }
        gst_element_set_state(probe, GST_STATE_NULL);
        gst_object_unref(probe);
        return ok && !fake;
    }();
    return opens;
}

// The audio sink for a new pipeline. Without a sound device (a headless
// machine) a clock-synchronised fakesink keeps playback in real time instead.
GstElement* makeAudioSink()
{
    if (soundDeviceOpens())
        if (GstElement* sink = makeElement("autoaudiosink"))
            return sink;
    GstElement* sink = makeElement("fakesink");
    if (sink)
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

void ensureGstreamer()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gst_init(nullptr, nullptr);
        gst_pb_utils_init();
    });
}

// A mapped video frame kept alive as long as a QImage shows its memory.
// The mapping holds its own reference to the buffer; the sample is let go at
// once, so the appsink can reuse its sample object for the next frame (a
// sample still held when the caps change cannot take the new caps).
struct MappedFrame {
    GstVideoFrame frame;
};

void releaseMappedFrame(void* info)
{
    auto* mapped = static_cast<MappedFrame*>(info);
    gst_video_frame_unmap(&mapped->frame);
    delete mapped;
}

// Wraps a BGRx sample as an RGB32 image without copying; null on a bad sample.
QImage imageFromSample(SampleRef sample)
{
    GstCaps* caps = gst_sample_get_caps(sample.get());
    GstBuffer* buffer = gst_sample_get_buffer(sample.get());
    GstVideoInfo info;
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps))
        return {};
    if (GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGRx)
        return {};
    auto* mapped = new MappedFrame{};
    if (!gst_video_frame_map(&mapped->frame, &info, buffer, GST_MAP_READ)) {
        delete mapped;
        return {};
    }
    const auto* data = static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->frame, 0));
    const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->frame, 0);
    // BGRx in memory is 0xxxRRGGBB in a little-endian word: Qt's RGB32.
    return QImage(data, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info), stride, QImage::Format_RGB32,
                  releaseMappedFrame, mapped);
}

// An I420 sample as a frame for the GL path, its planes mapped without copying.
VideoFrame yuvFrameFromSample(SampleRef sample)
{
    GstCaps* caps = gst_sample_get_caps(sample.get());
    GstBuffer* buffer = gst_sample_get_buffer(sample.get());
    GstVideoInfo info;
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps) || GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_I420)
        return {};
    auto* raw = new MappedFrame{};
    if (!gst_video_frame_map(&raw->frame, &info, buffer, GST_MAP_READ)) {
        delete raw;
        return {};
    }
    const std::shared_ptr<MappedFrame> mapped(raw, [](MappedFrame* m) { releaseMappedFrame(m); });
    const uchar* planes[3];
    int strides[3];
    for (int i = 0; i < 3; ++i) {
        planes[i] = static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->frame, i));
        strides[i] = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->frame, i);
    }
    VideoFrame::Colour colour;
    gdouble kr = 0;
    gdouble kb = 0;
    if (gst_video_color_matrix_get_Kr_Kb(GST_VIDEO_INFO_COLORIMETRY(&info).matrix, &kr, &kb)) {
        colour.kr = float(kr);
        colour.kb = float(kb);
    }
    colour.fullRange = GST_VIDEO_INFO_COLORIMETRY(&info).range == GST_VIDEO_COLOR_RANGE_0_255;
    return VideoFrame::fromI420(QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)), planes, strides,
                                colour, mapped);
}

struct RequiredElement {
    const char* factory;
    const char* package;
};

constexpr RequiredElement kRequiredElements[] = {
    {"playbin", "gstreamer1.0-plugins-base"},
    {"appsink", "gstreamer1.0-plugins-base"},
    {"videoconvert", "gstreamer1.0-plugins-base"},
    {"videoconvertscale", "gstreamer1.0-plugins-base"},
    {"audioconvert", "gstreamer1.0-plugins-base"},
    {"asfdemux", "gstreamer1.0-plugins-ugly"},
    {"avdec_wmv2", "gstreamer1.0-libav"},
    {"avdec_wmav2", "gstreamer1.0-libav"},
};

} // namespace

// The engine's private side. Threads: the UI thread calls every CDXGraph
// operation; GStreamer's streaming threads run onBusMessage (the bus sync
// handler) and the appsink callbacks. Those touch only the members marked
// "shared" below, under `mutex` or as atomics.
struct CDXGraph::Impl {
    // Owned references, UI thread. The pipeline holds its own references to
    // the sinks as well; ours keep them valid until ReleaseAll.
    GstRef<GstElement> playbin;
    GstRef<GstElement> videoSink;   // the appsink inside videoBin
    GstRef<GstElement> videoBin;    // playbin's video sink: scaler ! sizeFilter ! videoSink
    GstRef<GstElement> sizeFilter;
    GstRef<GstPad> nativePad;       // the scaler's input: decoded frames at their own size
    QSize pictureSize;              // what sizeFilter asks for now; empty: the native size
    GstRef<GstBus> bus;
    // Receiver of queued frame deliveries on the UI thread; deleting it drops
    // deliveries still in the queue, so it outlives the streaming threads.
    std::unique_ptr<QObject> relay;
    QPointer<VideoSurface> surface;
    VideoFrame lastFrame;
    // Software: frames come converted and scaled to the picture's size. Gl:
    // I420 at native size, for the GPU to convert and scale. Set by Create.
    VideoPath path = VideoPath::Software;
    // Frames that reached the UI thread, and those the surface drew, this file.
    quint64 framesDelivered = 0;
    quint64 framesShownBefore = 0;
    // Duration in media units, read once after preroll so that every reader,
    // and the position at the end, see one and the same number. -1: unknown.
    gint64 durationUnits = -1;
    // Playback rate asked for, and whether the pipeline's segment carries it (a
    // new preroll or a stop starts a segment at rate 1).
    double rate = 1.0;
    bool rateApplied = true;

    // Shared. Written by the bus handler, read by the UI thread.
    std::mutex mutex;
    std::condition_variable changed;
    bool prerolled = false;       // guarded by mutex: the pipeline finished a state change
    bool failed = false;          // guarded by mutex: an error was posted
    std::atomic<bool> atEnd{false};        // end of stream reached (or error after preroll)
    std::atomic<bool> seekPending{false};  // a seek has not settled yet
    std::atomic<gint64> seekTargetUnits{0};

    // Shared. Written by the appsink thread, taken by the UI thread.
    GstSample* pendingSample = nullptr; // guarded by mutex; owned reference
    bool deliveryQueued = false;        // guarded by mutex
    // Shared. The two newest decoded frames before scaling, written by the
    // streaming thread, read by GetCurrentImage; owned references.
    GstSample* nativeSamples[2] = {nullptr, nullptr}; // guarded by mutex; [0] is the newest
    // Shared. The times of the latest frames going into the video decoder, as
    // the file has them (a decoder clips the first frame after a seek to the
    // seek's target); written by the streaming thread, read by StepBackOneFrame.
    std::deque<GstClockTime> frameTimes; // guarded by mutex; newest at the back
    // Shared. The first decoder or demuxer this file needed and GStreamer
    // lacks, from the bus handler; empty when none.
    MissingPlugin missing; // guarded by mutex

    static GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer self);
    static GstFlowReturn onNewPreroll(GstAppSink* sink, gpointer self);
    static GstFlowReturn onNewSample(GstAppSink* sink, gpointer self);
    static GstPadProbeReturn onNativeFrame(GstPad* pad, GstPadProbeInfo* info, gpointer self);
    static GstPadProbeReturn onCodedFrame(GstPad* pad, GstPadProbeInfo* info, gpointer self);
    static void onElementSetup(GstElement* playbin, GstElement* element, gpointer self);

    void offerSample(GstSample* sample);
    void takeSample();
    bool queryState(GstState& state) const;
    void resetStreamFlags();
    void knowDuration();
    bool seekTo(gint64 units, SeekMode mode);
    void dropNativeSamples();
    bool nativeVideo(GstVideoInfo& info) const;
    void fitPictureToSurface();
    gint64 positionUnits();
};

GstBusSyncReply CDXGraph::Impl::onBusMessage(GstBus*, GstMessage* message, gpointer self)
{
    auto* d = static_cast<Impl*>(self);
    const bool fromPipeline = GST_MESSAGE_SRC(message) == GST_OBJECT(d->playbin.get());
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (fromPipeline) {
            d->seekPending = false;
            std::lock_guard lock(d->mutex);
            d->prerolled = true;
            d->changed.notify_all();
        }
        break;
    case GST_MESSAGE_EOS:
        if (fromPipeline)
            d->atEnd = true;
        break;
    case GST_MESSAGE_ELEMENT:
        // Without it the picture just stays black: the owner tells the user
        // which package to install.
        if (gst_is_missing_plugin_message(message)) {
            GCharPtr description(gst_missing_plugin_message_get_description(message));
            GCharPtr detail(gst_missing_plugin_message_get_installer_detail(message));
            std::lock_guard lock(d->mutex);
            if (d->missing.detail.isEmpty()) {
                d->missing.description = QString::fromUtf8(description ? description.get() : "");
                d->missing.detail = QString::fromUtf8(detail ? detail.get() : "");
            }
        }
        break;
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gchar* debug = nullptr;
        gst_message_parse_error(message, &error, &debug);
        qCWarning(lcPlayback, "%s: %s (%s)", GST_OBJECT_NAME(GST_MESSAGE_SRC(message)),
                  error ? error->message : "error", debug ? debug : "");
        g_clear_error(&error);
        g_free(debug);
        std::lock_guard lock(d->mutex);
        // A recording that breaks off while playing ends there: the position
        // then reads as the duration and the owner's end check finds the end.
        if (d->prerolled)
            d->atEnd = true;
        d->seekPending = false;
        d->failed = true;
        d->changed.notify_all();
        break;
    }
    default:
        break;
    }
    // Nobody pops this bus: everything the engine needs is taken here. A
    // dropped message is ours to release; it holds a reference to its sender,
    // so keeping it would keep the whole pipeline alive after ReleaseAll.
    gst_message_unref(message);
    return GST_BUS_DROP;
}

GstFlowReturn CDXGraph::Impl::onNewPreroll(GstAppSink* sink, gpointer self)
{
    if (GstSample* sample = gst_app_sink_pull_preroll(sink))
        static_cast<Impl*>(self)->offerSample(sample);
    return GST_FLOW_OK;
}

GstFlowReturn CDXGraph::Impl::onNewSample(GstAppSink* sink, gpointer self)
{
    if (GstSample* sample = gst_app_sink_pull_sample(sink))
        static_cast<Impl*>(self)->offerSample(sample);
    return GST_FLOW_OK;
}

// Streaming thread: keeps a reference to each decoded frame on its way to the
// scaler (no copy), so that the current image can be had at its native size.
GstPadProbeReturn CDXGraph::Impl::onNativeFrame(GstPad* pad, GstPadProbeInfo* info, gpointer self)
{
    auto* d = static_cast<Impl*>(self);
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    CapsRef caps(gst_pad_get_current_caps(pad));
    if (!buffer || !caps)
        return GST_PAD_PROBE_OK;
    GstSample* sample = gst_sample_new(buffer, caps.get(), nullptr, nullptr);
    std::lock_guard lock(d->mutex);
    if (d->nativeSamples[1])
        gst_sample_unref(d->nativeSamples[1]);
    d->nativeSamples[1] = d->nativeSamples[0];
    d->nativeSamples[0] = sample;
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn CDXGraph::Impl::onCodedFrame(GstPad*, GstPadProbeInfo* info, gpointer self)
{
    auto* d = static_cast<Impl*>(self);
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (!buffer || !GST_BUFFER_PTS_IS_VALID(buffer))
        return GST_PAD_PROBE_OK;
    constexpr size_t kKeptTimes = 256;
    std::lock_guard lock(d->mutex);
    d->frameTimes.push_back(GST_BUFFER_PTS(buffer));
    if (d->frameTimes.size() > kKeptTimes)
        d->frameTimes.pop_front();
    return GST_PAD_PROBE_OK;
}

// Any thread: playbin made an element. The video decoder's input shows every
// frame's own time, before the decoder clips it.
void CDXGraph::Impl::onElementSetup(GstElement*, GstElement* element, gpointer self)
{
    GstElementFactory* factory = gst_element_get_factory(element);
    const gchar* klass = factory ? gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS) : nullptr;
    if (!klass || !strstr(klass, "Decoder") || !strstr(klass, "Video"))
        return;
    if (GstRef<GstPad> pad{gst_element_get_static_pad(element, "sink")})
        gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, &Impl::onCodedFrame, self, nullptr);
}

void CDXGraph::Impl::dropNativeSamples()
{
    std::lock_guard lock(mutex);
    frameTimes.clear();
    for (GstSample*& sample : nativeSamples) {
        if (sample)
            gst_sample_unref(sample);
        sample = nullptr;
    }
}

// The decoded video's own format, from the scaler's input.
bool CDXGraph::Impl::nativeVideo(GstVideoInfo& info) const
{
    CapsRef caps(nativePad ? gst_pad_get_current_caps(nativePad.get()) : nullptr);
    return caps && gst_video_info_from_caps(&info, caps.get());
}

// UI thread. GStreamer scales to the place the picture takes on the surface
// (its proportions kept), in its own thread: the surface then only copies.
void CDXGraph::Impl::fitPictureToSurface()
{
    if (!sizeFilter)
        return;
    GstVideoInfo info;
    const bool known = nativeVideo(info);
    QSize wanted;
    if (surface && known) {
        const QSize native(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
        surface->setVideoGeometry(native, GST_VIDEO_INFO_PAR_N(&info), GST_VIDEO_INFO_PAR_D(&info));
        wanted = FitVideo(surface->size(), native, GST_VIDEO_INFO_PAR_N(&info), GST_VIDEO_INFO_PAR_D(&info)).size();
    }
    // On the GPU path the frames keep their native size.
    if (path == VideoPath::Gl)
        return;
    if (wanted == pictureSize)
        return;
    pictureSize = wanted;
    CapsRef caps(wanted.isEmpty()
                     ? gst_caps_from_string("video/x-raw,format=BGRx")
                     : gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT,
                                           wanted.width(), "height", G_TYPE_INT, wanted.height(),
                                           "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr));
    g_object_set(sizeFilter.get(), "caps", caps.get(), nullptr);
}

// Streaming thread: keep only the newest frame and make sure one delivery is
// queued to the UI thread; frames arriving before it runs replace each other.
void CDXGraph::Impl::offerSample(GstSample* sample)
{
    {
        std::lock_guard lock(mutex);
        if (pendingSample)
            gst_sample_unref(pendingSample);
        pendingSample = sample;
        if (deliveryQueued)
            return;
        deliveryQueued = true;
    }
    QMetaObject::invokeMethod(relay.get(), [this] { takeSample(); }, Qt::QueuedConnection);
}

// UI thread.
void CDXGraph::Impl::takeSample()
{
    SampleRef sample;
    {
        std::lock_guard lock(mutex);
        sample.reset(pendingSample);
        pendingSample = nullptr;
        deliveryQueued = false;
    }
    if (!sample)
        return;
    const VideoFrame frame =
        path == VideoPath::Gl ? yuvFrameFromSample(std::move(sample)) : VideoFrame(imageFromSample(std::move(sample)));
    if (frame.isNull())
        return;
    lastFrame = frame;
    ++framesDelivered;
    if (surface)
        surface->setFrame(frame);
}

// A change still in progress after the 10 ms wait reports the state it enters,
// as the design's state query does.
bool CDXGraph::Impl::queryState(GstState& state) const
{
    GstState current = GST_STATE_VOID_PENDING;
    GstState pending = GST_STATE_VOID_PENDING;
    const GstStateChangeReturn result = gst_element_get_state(playbin.get(), &current, &pending, kStateQueryTimeout);
    if (result == GST_STATE_CHANGE_FAILURE)
        return false;
    state = (result == GST_STATE_CHANGE_ASYNC && pending != GST_STATE_VOID_PENDING) ? pending : current;
    return true;
}

void CDXGraph::Impl::resetStreamFlags()
{
    std::lock_guard lock(mutex);
    prerolled = false;
    failed = false;
    atEnd = false;
    seekPending = false;
}

void CDXGraph::Impl::knowDuration()
{
    gint64 nanoseconds = 0;
    if (durationUnits < 0 && gst_element_query_duration(playbin.get(), GST_FORMAT_TIME, &nanoseconds)
        && nanoseconds >= 0)
        durationUnits = nanoseconds / kNanosecondsPerUnit;
}

// Every seek carries the rate, so a seek never drops the speed the user chose.
bool CDXGraph::Impl::seekTo(gint64 units, SeekMode mode)
{
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH
                                    | (mode == SeekMode::Accurate ? GST_SEEK_FLAG_ACCURATE : GST_SEEK_FLAG_KEY_UNIT));
    if (!gst_element_seek(playbin.get(), rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, units * kNanosecondsPerUnit,
                          GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE))
        return false;
    rateApplied = true;
    seekTargetUnits = units;
    seekPending = true;
    return true;
}

// The place shown now, in media units; -1 when it cannot be read.
gint64 CDXGraph::Impl::positionUnits()
{
    if (seekPending) {
        // A seek has settled once the pipeline has no state change in
        // progress; its done message can be missed when a run follows at once.
        if (gst_element_get_state(playbin.get(), nullptr, nullptr, 0) == GST_STATE_CHANGE_ASYNC)
            return seekTargetUnits;
        seekPending = false;
    }
    gint64 nanoseconds = 0;
    if (!gst_element_query_position(playbin.get(), GST_FORMAT_TIME, &nanoseconds) || nanoseconds < 0)
        return -1;
    return nanoseconds / kNanosecondsPerUnit;
}

CDXGraph::CDXGraph()
    : d(std::make_unique<Impl>())
{
}

CDXGraph::~CDXGraph()
{
    ReleaseAll();
}

// The pipeline:
//
//   playbin  uri=file:///.../REC.asf
//     uridecodebin: filesrc ! asfdemux ─┬─ avdec_wmv2 ─┐
//                                       └─ avdec_wmav2 ┼─┐
//     playsink:                                        │ │
//       video: deinterlace ! videoBin:
//         videoconvertscale ! capsfilter ! appsink
//           │  bilinear      │ software: BGRx at the size the picture takes on the surface
//           │                │ GL: I420 at native size (passes the scaler untouched)
//           │                │ (max-buffers=1, drop, sync)
//           │                └─ new-preroll / new-sample ─► queued call ─► VideoSurface (UI thread)
//           │                                                    (GL: its GlVideoView converts and scales)
//           └─ probe on its input: the newest decoded frames, at native size (current image)
//       audio: audioconvert ! volume ! autoaudiosink  (fakesink sync=true when no sound device opens)
//
//   bus ─► sync handler: ASYNC_DONE, EOS and ERROR latched for the UI thread.
bool CDXGraph::Create()
{
    ensureGstreamer();
    if (d->playbin)
        return false;
    d->playbin.reset(makeElement("playbin"));
    if (!d->playbin)
        return false;
    g_object_set(d->playbin.get(), "flags", kPlayFlags, nullptr);
    g_signal_connect(d->playbin.get(), "element-setup", G_CALLBACK(&Impl::onElementSetup), d.get());

    d->relay = std::make_unique<QObject>();
    d->bus.reset(gst_element_get_bus(d->playbin.get()));
    if (d->bus)
        gst_bus_set_sync_handler(d->bus.get(), &Impl::onBusMessage, d.get(), nullptr);

    d->path = VideoPathProbe::path();
    d->videoSink.reset(makeElement("appsink"));
    d->sizeFilter.reset(makeElement("capsfilter"));
    GstRef<GstElement> scaler(makeElement("videoconvertscale"));
    d->videoBin.reset(makeElement("bin"));
    if (d->videoSink && d->sizeFilter && scaler && d->videoBin) {
        // The decoders give I420, which then passes the scaler untouched on
        // the GPU path.
        CapsRef caps(gst_caps_from_string(d->path == VideoPath::Gl ? "video/x-raw,format=I420" : "video/x-raw,format=BGRx"));
        g_object_set(d->sizeFilter.get(), "caps", caps.get(), nullptr);
        g_object_set(d->videoSink.get(), "max-buffers", 1u, "drop", TRUE, "sync", TRUE, "enable-last-sample", TRUE,
                     "emit-signals", FALSE, nullptr);
        // Proportions come from the size asked for; 8-bit in and out needs no dither.
        g_object_set(scaler.get(), "method", 1 /* bilinear */, "add-borders", FALSE, "dither", 0, nullptr);
        // The half-size chroma is repeated instead of filtered before the
        // bilinear scaling: the scaling smooths it anyway, and the chroma
        // filter took a third of the conversion's time on a 720p recording.
        gst_util_set_object_arg(G_OBJECT(scaler.get()), "chroma-mode", "none");
        GstAppSinkCallbacks callbacks{};
        callbacks.new_preroll = &Impl::onNewPreroll;
        callbacks.new_sample = &Impl::onNewSample;
        gst_app_sink_set_callbacks(GST_APP_SINK(d->videoSink.get()), &callbacks, d.get(), nullptr);
        GstBin* bin = GST_BIN(d->videoBin.get());
        gst_bin_add_many(bin, GST_ELEMENT(gst_object_ref(scaler.get())), GST_ELEMENT(gst_object_ref(d->sizeFilter.get())),
                         GST_ELEMENT(gst_object_ref(d->videoSink.get())), nullptr);
        gst_element_link_many(scaler.get(), d->sizeFilter.get(), d->videoSink.get(), nullptr);
        d->nativePad.reset(gst_element_get_static_pad(scaler.get(), "sink"));
        gst_element_add_pad(d->videoBin.get(), gst_ghost_pad_new("sink", d->nativePad.get()));
        gst_pad_add_probe(d->nativePad.get(), GST_PAD_PROBE_TYPE_BUFFER, &Impl::onNativeFrame, d.get(), nullptr);
        g_object_set(d->playbin.get(), "video-sink", d->videoBin.get(), nullptr);
    } else {
        d->videoSink.reset();
    }

    GstRef<GstElement> audioSink(makeAudioSink());
    if (audioSink)
        g_object_set(d->playbin.get(), "audio-sink", audioSink.get(), nullptr);
    // Keeps the voice's pitch at other speeds; without it a rate still works.
    if (GstRef<GstElement> tempo{makeElement("scaletempo")})
        g_object_set(d->playbin.get(), "audio-filter", tempo.get(), nullptr);

    return d->bus && d->videoSink && audioSink;
}

void CDXGraph::ReleaseAll()
{
    if (d->playbin && lcFrames().isDebugEnabled())
        qCDebug(lcFrames, "frames delivered %llu shown %llu", static_cast<unsigned long long>(d->framesDelivered),
                static_cast<unsigned long long>(d->framesShownBefore + (d->surface ? d->surface->framesShown() : 0)));
    d->framesDelivered = 0;
    d->framesShownBefore = 0;
    if (d->surface) {
        VideoSurface* surface = d->surface;
        d->surface = nullptr;
        surface->hide();
        surface->setFrame({});
        surface->setParent(nullptr);
        // Later, not now: this may run inside one of the surface's own handlers.
        surface->deleteLater();
    }
    if (d->playbin)
        gst_element_set_state(d->playbin.get(), GST_STATE_NULL); // joins the streaming threads
    if (d->bus) {
        gst_bus_set_sync_handler(d->bus.get(), nullptr, nullptr, nullptr);
        d->bus.reset();
    }
    d->relay.reset();
    {
        std::lock_guard lock(d->mutex);
        if (d->pendingSample)
            gst_sample_unref(d->pendingSample);
        d->pendingSample = nullptr;
        d->deliveryQueued = false;
    }
    d->lastFrame = VideoFrame();
    d->dropNativeSamples();
    d->nativePad.reset();
    d->sizeFilter.reset();
    d->videoBin.reset();
    d->videoSink.reset();
    d->pictureSize = QSize();
    d->playbin.reset();
    d->durationUnits = -1;
    d->resetStreamFlags();
}

bool CDXGraph::RenderFile(const QString& path)
{
    if (!d->playbin)
        return false;
    // The bytes the file system has (see filenamecodec.h): a name that is no
    // valid UTF-8 opens too. A relative path is made absolute by GStreamer.
    const QByteArray native = EncodeFileName(path);
    struct stat info {};
    if (native.isEmpty() || ::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode)
        || ::access(native.constData(), R_OK) != 0)
        return false;
    GCharPtr uri(gst_filename_to_uri(native.constData(), nullptr));
    if (!uri)
        return false;

    gst_element_set_state(d->playbin.get(), GST_STATE_NULL);
    d->durationUnits = -1;
    d->resetStreamFlags();
    // A frame of a file opened before must not turn up in this one.
    {
        std::lock_guard lock(d->mutex);
        if (d->pendingSample)
            gst_sample_unref(d->pendingSample);
        d->pendingSample = nullptr;
    }
    d->lastFrame = VideoFrame();
    d->dropNativeSamples();
    {
        std::lock_guard lock(d->mutex);
        d->missing = MissingPlugin();
    }
    g_object_set(d->playbin.get(), "uri", uri.get(), nullptr);

    // Preroll now, as the design's graph is complete when the file is rendered:
    // size, duration and the first frame are known when this returns.
    const GstStateChangeReturn result = gst_element_set_state(d->playbin.get(), GST_STATE_PAUSED);
    bool ready = result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
    if (result == GST_STATE_CHANGE_ASYNC) {
        std::unique_lock lock(d->mutex);
        d->changed.wait_for(lock, kPrerollTimeout, [this] { return d->prerolled || d->failed; });
        ready = d->prerolled && !d->failed;
    }
    if (!ready) {
        gst_element_set_state(d->playbin.get(), GST_STATE_NULL);
        d->resetStreamFlags();
        return false;
    }
    d->knowDuration();
    d->fitPictureToSurface();
    d->rateApplied = d->rate == 1.0;
    if (!d->rateApplied)
        d->seekTo(0, SeekMode::Accurate);
    return true;
}

bool CDXGraph::SetDisplayWindow(QWidget* target)
{
    if (!d->playbin)
        return false;
    if (d->surface) {
        VideoSurface* old = d->surface;
        d->framesShownBefore += old->framesShown();
        d->surface = nullptr;
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    if (!target)
        return true;
    d->surface = new VideoSurface(target, d->path == VideoPath::Gl); // owned by target from here on
    QObject::connect(d->surface, &VideoSurface::resized, d->relay.get(), [this] { d->fitPictureToSurface(); });
    d->fitPictureToSurface();
    d->surface->setFrame(d->lastFrame);
    d->surface->show();
    return true;
}

bool CDXGraph::IsRunning()
{
    GstState state;
    return d->playbin && d->queryState(state) && state == GST_STATE_PLAYING;
}

bool CDXGraph::IsPaused()
{
    GstState state;
    return d->playbin && d->queryState(state) && state == GST_STATE_PAUSED;
}

bool CDXGraph::IsStopped()
{
    GstState state;
    return d->playbin && d->queryState(state) && state <= GST_STATE_READY;
}

bool CDXGraph::Run()
{
    if (!d->playbin)
        return false;
    if (IsRunning())
        return true;
    if (!d->rateApplied) {
        // After a stop the segment starts again at rate 1: preroll, then seek
        // with the chosen rate before running.
        gst_element_set_state(d->playbin.get(), GST_STATE_PAUSED);
        gst_element_get_state(d->playbin.get(), nullptr, nullptr, kPauseSettleTimeout);
        const gint64 units = d->positionUnits();
        d->seekTo(units < 0 ? 0 : units, SeekMode::Accurate);
    }
    return gst_element_set_state(d->playbin.get(), GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

bool CDXGraph::Pause()
{
    if (!d->playbin)
        return false;
    if (IsPaused())
        return true;
    return gst_element_set_state(d->playbin.get(), GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
}

bool CDXGraph::Stop()
{
    if (!d->playbin)
        return false;
    if (IsStopped())
        return true;
    // READY keeps the opened file; the next Run plays it again from the start.
    if (gst_element_set_state(d->playbin.get(), GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return false;
    d->resetStreamFlags();
    d->rateApplied = d->rate == 1.0;
    return true;
}

bool CDXGraph::GetCurrentPosition(double& seconds)
{
    if (!d->playbin)
        return false;
    d->knowDuration();
    if (d->atEnd && d->durationUnits >= 0) {
        seconds = double(d->durationUnits) / kUnitsPerSecond;
        return true;
    }
    // Until a seek settles the sinks still report the old place: the target
    // is the position then.
    gint64 units = d->positionUnits();
    if (units < 0)
        return false;
    if (d->durationUnits >= 0 && units > d->durationUnits)
        units = d->durationUnits;
    seconds = double(units) / kUnitsPerSecond;
    return true;
}

bool CDXGraph::GetDuration(double& seconds)
{
    if (!d->playbin)
        return false;
    d->knowDuration();
    if (d->durationUnits < 0)
        return false;
    seconds = double(d->durationUnits) / kUnitsPerSecond;
    return true;
}

bool CDXGraph::SetCurrentPosition(double seconds, SeekMode mode)
{
    if (!d->playbin || !std::isfinite(seconds))
        return false;
    const double scaled = std::trunc(seconds * kUnitsPerSecond);
    const double limit = double(std::numeric_limits<gint64>::max() / kNanosecondsPerUnit);
    gint64 units = scaled >= limit ? gint64(limit) : scaled <= -limit ? -gint64(limit) : gint64(scaled);
    // The engine passes the target on unclamped; here the platform layer keeps
    // it inside the recording, as the design allows.
    if (units < 0)
        units = 0;
    d->knowDuration();
    const bool toEnd = d->durationUnits >= 0 && units >= d->durationUnits;
    if (toEnd)
        units = d->durationUnits;
    if (!d->seekTo(units, mode))
        return false;
    // A seek to the end is at the end at once, as on the design's platform.
    d->atEnd = toEnd;
    return true;
}

bool CDXGraph::SetPlaybackRate(double rate)
{
    if (!d->playbin || !(rate >= kMinRate && rate <= kMaxRate))
        return false;
    if (rate == d->rate)
        return true;
    d->rate = rate;
    d->rateApplied = false;
    GstState state;
    // Paused or playing on a rendered file: go on from the frame shown at the
    // new speed. Otherwise the next preroll, seek or run takes the rate along.
    if (d->durationUnits < 0 || d->atEnd || !d->queryState(state) || state < GST_STATE_PAUSED)
        return true;
    const gint64 units = d->positionUnits();
    return d->seekTo(units < 0 ? 0 : units, SeekMode::Accurate);
}

double CDXGraph::PlaybackRate() const
{
    return d->rate;
}

bool CDXGraph::SetAudioVolume(long hundredthsDb)
{
    if (!d->playbin || hundredthsDb > 0 || hundredthsDb < kSilenceHundredthsDb)
        return false;
    const double linear = hundredthsDb == kSilenceHundredthsDb
        ? 0.0
        : gst_stream_volume_convert_volume(GST_STREAM_VOLUME_FORMAT_DB, GST_STREAM_VOLUME_FORMAT_LINEAR,
                                           double(hundredthsDb) / 100.0);
    GstStreamVolume* volume = GST_STREAM_VOLUME(d->playbin.get());
    // Called on every display tick with the same value: only real changes go on.
    if (gst_stream_volume_get_volume(volume, GST_STREAM_VOLUME_FORMAT_LINEAR) != linear)
        gst_stream_volume_set_volume(volume, GST_STREAM_VOLUME_FORMAT_LINEAR, linear);
    return true;
}

bool CDXGraph::StepOneFrame()
{
    if (!d->playbin)
        return false;
    if (IsRunning()) {
        if (gst_element_set_state(d->playbin.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
            return false;
        gst_element_get_state(d->playbin.get(), nullptr, nullptr, kPauseSettleTimeout);
    }
    if (!IsPaused() || d->atEnd)
        return false;
    d->seekPending = false;
    // One buffer, at normal rate, flushing the prerolled one: the sink shows the
    // next frame and prerolls on it.
    return gst_element_send_event(d->playbin.get(), gst_event_new_step(GST_FORMAT_BUFFERS, 1, 1.0, TRUE, FALSE));
}

bool CDXGraph::StepBackOneFrame()
{
    if (!d->playbin || !d->videoSink)
        return false;
    // Media time of the frame shown (or, while a step is still on its way, of
    // the place it goes to), in nanoseconds.
    gint64 shown = 0;
    if (d->seekPending) {
        shown = d->seekTargetUnits * kNanosecondsPerUnit;
    } else {
        GstSample* raw = nullptr;
        g_object_get(d->videoSink.get(), "last-sample", &raw, nullptr);
        SampleRef sample(raw);
        GstBuffer* buffer = sample ? gst_sample_get_buffer(sample.get()) : nullptr;
        const GstSegment* segment = sample ? gst_sample_get_segment(sample.get()) : nullptr;
        if (!buffer || !segment || !GST_BUFFER_PTS_IS_VALID(buffer) || segment->format != GST_FORMAT_TIME)
            return false;
        shown = gint64(GST_BUFFER_PTS(buffer)) - gint64(segment->start) + gint64(segment->time);
    }
    // The frame that covers that time starts at the latest frame time at or
    // before it; the target is the middle of the frame before that one.
    gint64 current = -1;
    gint64 previous = -1;
    gint64 spacing = -1;
    {
        std::lock_guard lock(d->mutex);
        for (const GstClockTime time : d->frameTimes) {
            const auto t = gint64(time);
            if (t <= shown && t > current)
                current = t;
        }
        for (const GstClockTime time : d->frameTimes) {
            const auto t = gint64(time);
            if (t < current && t > previous)
                previous = t;
            if (t > current && (spacing < 0 || t - current < spacing))
                spacing = t - current;
        }
    }
    if (current < 0)
        return false;
    gint64 target = 0;
    if (previous >= 0)
        target = (previous + current) / 2;
    else if (spacing > 0)
        target = current - spacing / 2; // the frame before was not decoded since the last seek
    else
        return false;
    if (target < 0 || current == 0)
        target = 0;
    if (!d->seekTo(target / kNanosecondsPerUnit, SeekMode::Accurate))
        return false;
    d->atEnd = false;
    return true;
}

bool CDXGraph::GetVideoSize(long& width, long& height)
{
    if (!d->playbin)
        return false;
    width = 0;
    height = 0;
    GstVideoInfo info;
    if (d->nativeVideo(info)) {
        width = GST_VIDEO_INFO_WIDTH(&info);
        height = GST_VIDEO_INFO_HEIGHT(&info);
    }
    return true;
}

bool CDXGraph::SetFullScreen(bool on)
{
    if (!d->playbin || !d->surface)
        return false;
    if (on)
        d->surface->enterFullScreen();
    else
        d->surface->leaveFullScreen();
    return true;
}

bool CDXGraph::GetCurrentImage(QImage& image)
{
    if (!d->playbin || !d->videoSink)
        return false;
    // The frame the video sink holds now, found by its time among the newest
    // decoded ones, which are still at their native size.
    GstSample* raw = nullptr;
    g_object_get(d->videoSink.get(), "last-sample", &raw, nullptr);
    SampleRef shown(raw);
    GstBuffer* shownBuffer = shown ? gst_sample_get_buffer(shown.get()) : nullptr;
    const GstClockTime shownTime = shownBuffer ? GST_BUFFER_PTS(shownBuffer) : GST_CLOCK_TIME_NONE;
    SampleRef sample;
    {
        std::lock_guard lock(d->mutex);
        GstSample* pick = d->nativeSamples[0];
        for (GstSample* candidate : d->nativeSamples)
            if (candidate && GST_BUFFER_PTS(gst_sample_get_buffer(candidate)) == shownTime)
                pick = candidate;
        if (pick)
            sample.reset(gst_sample_ref(pick));
    }
    GstVideoInfo info;
    GstCaps* caps = sample ? gst_sample_get_caps(sample.get()) : nullptr;
    if (!caps || !gst_video_info_from_caps(&info, caps))
        return false;
    if (GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGRx) {
        // Same size and pixel aspect: a format conversion only, no scaling.
        CapsRef bgrx(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT,
                                         GST_VIDEO_INFO_WIDTH(&info), "height", G_TYPE_INT,
                                         GST_VIDEO_INFO_HEIGHT(&info), "pixel-aspect-ratio", GST_TYPE_FRACTION,
                                         GST_VIDEO_INFO_PAR_N(&info), GST_VIDEO_INFO_PAR_D(&info), nullptr));
        sample.reset(gst_video_convert_sample(sample.get(), bgrx.get(), kConvertTimeout, nullptr));
    }
    QImage frame = sample ? imageFromSample(std::move(sample)) : QImage();
    if (frame.isNull())
        return false;
    image = frame;
    return true;
}

QWidget* CDXGraph::SurfaceWidget() const
{
    return d->surface.data();
}

bool CDXGraph::SaveSnapshot(const QString& path)
{
    QImage frame;
    if (!GetCurrentImage(frame))
        return false;
    const QByteArray dib = PackBgrxFrameAsDib(frame.constBits(), frame.width(), frame.height(), frame.bytesPerLine());
    if (!WriteSnapshotFile(path, dib)) {
        qCWarning(lcPlayback) << "cannot write the snapshot" << path;
        return false;
    }
    return true;
}

CDXGraph::MissingPlugin CDXGraph::MissingDecoder() const
{
    std::lock_guard lock(d->mutex);
    return d->missing;
}

void CDXGraph::PrepareVideoPath()
{
    VideoPathProbe::start();
}

QString CDXGraph::MissingPluginsMessage()
{
    ensureGstreamer();
    QStringList elements;
    QStringList packages;
    for (const RequiredElement& required : kRequiredElements) {
        GstRef<GstElementFactory> factory(gst_element_factory_find(required.factory));
        if (factory)
            continue;
        elements << QString::fromLatin1(required.factory);
        const QString package = QString::fromLatin1(required.package);
        if (!packages.contains(package))
            packages << package;
    }
    if (elements.isEmpty())
        return {};
    return QStringLiteral("Recordings cannot be played: the GStreamer elements %1 are missing. "
                          "Install the Debian package%2 %3.")
        .arg(elements.join(QStringLiteral(", ")), packages.size() > 1 ? QStringLiteral("s") : QString(),
             packages.join(QStringLiteral(" ")));
}
