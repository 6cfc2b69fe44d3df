#include "clipcutter.h"

#include "asfpacketlengths.h"
#include "gstrefs.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <mutex>
#include <vector>

// Both steps run the source through parsebin, which demuxes and parses into elementary streams
// without decoding:
//
//   scan:  filesrc ! parsebin ─┬─ fakesink   (a probe on the video pad notes the key frames)
//                              └─ fakesink
//
//   cut:   filesrc ! parsebin ─┬─ queue ─┬─ muxer ! filesink
//                              └─ queue ─┘
//
// The cut reads the source from its start and drops what lies outside the span in probes on
// parsebin's pads, instead of seeking: muxers take no flushing seek once their header is written.
// The probes also move every timestamp (as running time) back by the key frame's, so the clip
// starts at 0. Muxer pads are requested before the pipeline starts, because the muxers refuse
// new pads once data flows.

namespace {

constexpr GstClockTime kTimeSlack = GST_MSECOND;

std::string lowerExtension(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

const char* muxerFor(const std::string& path)
{
    const std::string ext = lowerExtension(path);
    if (ext == "asf" || ext == "wmv")
        return "asfmux";
    if (ext == "mp4")
        return "mp4mux";
    if (ext == "mov")
        return "qtmux";
    if (ext == "mkv")
        return "matroskamux";
    if (ext == "ts")
        return "mpegtsmux";
    return nullptr;
}

bool ensureGst()
{
    static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    return ready;
}

GstClockTime clockTime(double seconds)
{
    return seconds <= 0 ? 0 : GstClockTime(seconds * GST_SECOND + 0.5);
}

double fromClock(GstClockTime t) { return double(t) / GST_SECOND; }

// The pad's caps as far as they are known.
GstCapsRef padCaps(GstPad* pad)
{
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    return GstCapsRef(caps);
}

bool isVideo(GstCaps* caps)
{
    if (!caps || gst_caps_is_empty(caps) || gst_caps_is_any(caps))
        return false;
    const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    return g_str_has_prefix(name, "video/") || g_str_has_prefix(name, "image/");
}

bool isAudio(GstCaps* caps)
{
    if (!caps || gst_caps_is_empty(caps) || gst_caps_is_any(caps))
        return false;
    return g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
}

// Where a buffer sits on the running-time line of its pad's segment; for ordering in decode
// order the decode time counts when there is one.
GstClockTime runningPts(const GstSegment& segment, GstBuffer* buffer)
{
    GstClockTime t = GST_BUFFER_PTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(t))
        t = GST_BUFFER_DTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(t))
        return GST_CLOCK_TIME_NONE;
    return gst_segment_to_running_time(&segment, GST_FORMAT_TIME, t);
}

GstClockTime runningDts(const GstSegment& segment, GstBuffer* buffer)
{
    GstClockTime t = GST_BUFFER_DTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(t))
        return runningPts(segment, buffer);
    return gst_segment_to_running_time(&segment, GST_FORMAT_TIME, t);
}

GstElement* makeElement(const char* factory)
{
    return gst_element_factory_make(factory, nullptr);
}

// A fake sink behind a queue for pad: one streaming thread feeds every stream of the source, so a
// sink that prerolls without its own thread would block the others.
void sinkIntoFake(GstElement* pipeline, GstPad* pad)
{
    GstElement* queue = makeElement("queue");
    GstElement* sink = makeElement("fakesink");
    g_object_set(sink, "sync", FALSE, nullptr);
    gst_bin_add_many(GST_BIN(pipeline), queue, sink, nullptr);
    gst_element_link(queue, sink);
    GstRef<GstPad> queuePad(gst_element_get_static_pad(queue, "sink"));
    gst_pad_link(pad, queuePad.get());
    gst_element_sync_state_with_parent(sink);
    gst_element_sync_state_with_parent(queue);
}

// Runs the bus of pipeline until done() holds, the stream ends, or an error comes. progress()
// returning false cancels. Returns 0 done, 1 end of stream, -1 error (text in *error), -2 cancelled.
int runBus(GstElement* pipeline, const std::function<bool()>& done, const std::function<bool()>& progress,
           std::string* error)
{
    GstRef<GstBus> bus(gst_element_get_bus(pipeline));
    for (;;) {
        if (done && done())
            return 0;
        if (progress && !progress())
            return -2;
        GstMessageRef message(gst_bus_timed_pop_filtered(
            bus.get(), 50 * GST_MSECOND, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS)));
        if (!message)
            continue;
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS)
            return 1;
        if (error)
            *error = GstErrorText(message.get());
        return -1;
    }
}

// Waits for the pipeline to reach PAUSED (all sinks prerolled). False with the error's text.
bool preroll(GstElement* pipeline, std::string* error)
{
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        GstRef<GstBus> bus(gst_element_get_bus(pipeline));
        GstMessageRef message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
        *error = message ? GstErrorText(message.get()) : "the pipeline did not start";
        return false;
    }
    GstRef<GstBus> bus(gst_element_get_bus(pipeline));
    for (;;) {
        GstMessageRef message(gst_bus_timed_pop_filtered(
            bus.get(), 30 * GST_SECOND, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_EOS)));
        if (!message) {
            *error = "the source did not start within 30 seconds";
            return false;
        }
        switch (GST_MESSAGE_TYPE(message.get())) {
        case GST_MESSAGE_ASYNC_DONE:
        case GST_MESSAGE_EOS:
            return true;
        default:
            *error = GstErrorText(message.get());
            return false;
        }
    }
}

// An error text ready to end a sentence.
std::string clause(std::string text)
{
    while (!text.empty() && (text.back() == '.' || text.back() == ' '))
        text.pop_back();
    if (!text.empty())
        text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// ---- scan ---------------------------------------------------------------------------------

// Written by the streaming threads under the mutex, read by the caller's thread.
struct ScanState {
    std::mutex mutex;
    GstClockTime from = 0;
    GstClockTime lastKey = GST_CLOCK_TIME_NONE;  // running time of the last key frame <= from
    GstClockTime position = 0;                    // newest video running time seen
    GstSegment segment{};
    bool hasVideo = false;
    std::atomic<bool> passed{false};              // a key frame after from was seen
    GstElement* pipeline = nullptr;               // borrowed
};

GstPadProbeReturn scanProbe(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    auto* state = static_cast<ScanState*>(data);
    std::lock_guard lock(state->mutex);
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            const GstSegment* segment = nullptr;
            gst_event_parse_segment(event, &segment);
            gst_segment_copy_into(segment, &state->segment);
        }
        return GST_PAD_PROBE_OK;
    }
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    const GstClockTime t = runningPts(state->segment, buffer);
    if (!GST_CLOCK_TIME_IS_VALID(t) || state->passed)
        return GST_PAD_PROBE_OK;
    state->position = std::max(state->position, t);
    if (!GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT)) {
        if (t <= state->from + kTimeSlack)
            state->lastKey = t;
        else
            state->passed = true;
    }
    return GST_PAD_PROBE_OK;
}

void scanPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* state = static_cast<ScanState*>(data);
    GstCapsRef caps = padCaps(pad);
    if (isVideo(caps.get())) {
        bool first = false;
        {
            std::lock_guard lock(state->mutex);
            first = !state->hasVideo;
            state->hasVideo = true;
        }
        // Only the first video stream decides where the cut may start.
        if (first)
            gst_pad_add_probe(pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                              scanProbe, state, nullptr);
    }
    sinkIntoFake(state->pipeline, pad);
}

// The caps a muxer pad is chosen by: only the media type, because a parser in front of the pad
// converts the stream's format (H.264 "avc" for MP4, "byte-stream" for MPEG-TS) as the muxer asks.
GstCapsRef mediaType(GstCaps* caps)
{
    if (!caps || gst_caps_is_empty(caps) || gst_caps_is_any(caps))
        return GstCapsRef(caps ? gst_caps_ref(caps) : gst_caps_new_empty());
    return GstCapsRef(gst_caps_new_empty_simple(gst_structure_get_name(gst_caps_get_structure(caps, 0))));
}

// The parser that converts this stream's format for the muxer, or null where none is needed.
const char* converterFor(GstCaps* caps)
{
    if (!caps || gst_caps_is_empty(caps) || gst_caps_is_any(caps))
        return nullptr;
    const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    if (g_str_equal(name, "video/x-h264"))
        return "h264parse";
    if (g_str_equal(name, "video/x-h265"))
        return "h265parse";
    return nullptr;
}

// ---- cut ----------------------------------------------------------------------------------

struct CutState;

// One stream of the source on its way to the muxer. Touched only by that stream's streaming
// thread (inside its probe).
struct CutStream {
    CutState* cut = nullptr;
    bool video = false;
    bool started = false;    // the first buffer inside the span went through
    bool ended = false;      // the stream's last buffer and its EOS went out
    bool releasing = false;  // the probe itself is pushing the held buffer
    GstSegment segment{};
    // Demuxers give no buffer durations, and asfmux leaves a buffer without one out of the
    // file's play time; so each buffer is held back until the next one tells its duration.
    GstBuffer* held = nullptr;
    GstClockTime lastDuration = GST_CLOCK_TIME_NONE;
    ~CutStream()
    {
        if (held)
            gst_buffer_unref(held);
    }
};

struct CutState {
    GstClockTime keyFrame = 0;   // running time where the clip starts
    GstClockTime offset = 0;     // subtracted from every timestamp
    GstClockTime to = 0;
    std::atomic<GstClockTime> position{0};  // newest video running time passed to the muxer
    GstElement* pipeline = nullptr;
    std::mutex mutex;               // guards freePads and streams
    std::vector<GstPad*> freePads;  // requested muxer pads not yet linked; owned by the muxer
    std::vector<std::unique_ptr<CutStream>> streams;
};

GstClockTime shifted(GstClockTime t, GstClockTime offset)
{
    return t >= offset ? t - offset : 0;
}

// The time a buffer's duration is measured by: decode time where there is one (so frames in
// decode order give positive steps), else presentation time.
GstClockTime orderTime(GstBuffer* buffer)
{
    return GST_BUFFER_DTS_IS_VALID(buffer) ? GST_BUFFER_DTS(buffer) : GST_BUFFER_PTS(buffer);
}

// Sends the held buffer on, with the duration that next (if any) gives it.
void releaseHeld(CutStream& stream, GstPad* pad, GstBuffer* next)
{
    if (!stream.held)
        return;
    GstBuffer* held = stream.held;
    stream.held = nullptr;
    if (!GST_BUFFER_DURATION_IS_VALID(held)) {
        if (next && GST_CLOCK_TIME_IS_VALID(orderTime(next)) && orderTime(next) > orderTime(held))
            stream.lastDuration = orderTime(next) - orderTime(held);
        if (GST_CLOCK_TIME_IS_VALID(stream.lastDuration))
            GST_BUFFER_DURATION(held) = stream.lastDuration;
    }
    stream.releasing = true;
    gst_pad_push(pad, held);
    stream.releasing = false;
}

// The stream's last buffer goes out, and EOS after it unless upstream's own EOS follows.
void finishStream(CutStream& stream, GstPad* pad, bool sendEos)
{
    releaseHeld(stream, pad, nullptr);
    if (sendEos) {
        stream.releasing = true;
        gst_pad_push_event(pad, gst_event_new_eos());
        stream.releasing = false;
    }
    stream.ended = true;
}

GstPadProbeReturn cutProbe(GstPad* pad, GstPadProbeInfo* info, gpointer data)
{
    auto* stream = static_cast<CutStream*>(data);
    CutState& cut = *stream->cut;
    if (stream->releasing)
        return GST_PAD_PROBE_OK;
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_EOS) {
            if (stream->ended)
                return GST_PAD_PROBE_DROP;
            finishStream(*stream, pad, false);
            return GST_PAD_PROBE_OK;
        }
        if (GST_EVENT_TYPE(event) != GST_EVENT_SEGMENT)
            return GST_PAD_PROBE_OK;
        const GstSegment* segment = nullptr;
        gst_event_parse_segment(event, &segment);
        gst_segment_copy_into(segment, &stream->segment);
        // The muxer sees the clip's own time line: running time less the offset, from 0.
        GstSegment clip;
        gst_segment_init(&clip, GST_FORMAT_TIME);
        GstEvent* replacement = gst_event_new_segment(&clip);
        gst_event_set_seqnum(replacement, gst_event_get_seqnum(event));
        gst_event_unref(event);
        GST_PAD_PROBE_INFO_DATA(info) = replacement;
        return GST_PAD_PROBE_OK;
    }
    if (stream->ended)
        return GST_PAD_PROBE_DROP;
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    const GstClockTime pts = runningPts(stream->segment, buffer);
    if (!GST_CLOCK_TIME_IS_VALID(pts) && !stream->started)
        return GST_PAD_PROBE_DROP;
    if (!stream->started) {
        const bool key = !GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT);
        if (pts + kTimeSlack < cut.keyFrame || (stream->video && !key))
            return GST_PAD_PROBE_DROP;
        stream->started = true;
    }
    if (GST_CLOCK_TIME_IS_VALID(pts) && runningDts(stream->segment, buffer) >= cut.to) {
        finishStream(*stream, pad, true);
        return GST_PAD_PROBE_DROP;
    }
    buffer = gst_buffer_make_writable(buffer);
    if (GST_CLOCK_TIME_IS_VALID(pts))
        GST_BUFFER_PTS(buffer) = shifted(pts, cut.offset);
    if (GST_BUFFER_DTS_IS_VALID(buffer))
        GST_BUFFER_DTS(buffer) =
            shifted(gst_segment_to_running_time(&stream->segment, GST_FORMAT_TIME, GST_BUFFER_DTS(buffer)), cut.offset);
    if (stream->video && GST_CLOCK_TIME_IS_VALID(pts)) {
        GstClockTime seen = cut.position.load();
        while (pts > seen && !cut.position.compare_exchange_weak(seen, pts)) {
        }
    }
    // This buffer waits; the one before it goes out now that its duration is known.
    releaseHeld(*stream, pad, buffer);
    stream->held = buffer;
    GST_PAD_PROBE_INFO_DATA(info) = nullptr;
    return GST_PAD_PROBE_HANDLED;
}

void cutPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* cut = static_cast<CutState*>(data);
    GstCapsRef caps = padCaps(pad);
    GstPad* muxPad = nullptr;
    CutStream* stream = nullptr;
    {
        std::lock_guard lock(cut->mutex);
        for (auto it = cut->freePads.begin(); it != cut->freePads.end(); ++it) {
            GstCapsRef accepted(gst_pad_query_caps(*it, nullptr));
            if (caps && gst_caps_can_intersect(accepted.get(), mediaType(caps.get()).get())) {
                muxPad = *it;
                cut->freePads.erase(it);
                break;
            }
        }
        if (muxPad) {
            cut->streams.push_back(std::make_unique<CutStream>());
            stream = cut->streams.back().get();
            stream->cut = cut;
            stream->video = isVideo(caps.get());
            gst_segment_init(&stream->segment, GST_FORMAT_TIME);
        }
    }
    if (!muxPad) {
        // A stream the muxer does not take (subtitles, data) is left out of the clip.
        sinkIntoFake(cut->pipeline, pad);
        return;
    }
    // Interleaving in the source may put seconds between the streams; the queue holds them.
    GstElement* queue = makeElement("queue");
    g_object_set(queue, "max-size-buffers", 0u, "max-size-bytes", 0u, "max-size-time", guint64(20 * GST_SECOND),
                 nullptr);
    gst_bin_add(GST_BIN(cut->pipeline), queue);
    GstRef<GstPad> queueSink(gst_element_get_static_pad(queue, "sink"));
    GstElement* last = queue;
    if (const char* converter = converterFor(caps.get())) {
        if (GstElement* parser = makeElement(converter)) {
            gst_bin_add(GST_BIN(cut->pipeline), parser);
            gst_element_link(queue, parser);
            gst_element_sync_state_with_parent(parser);
            last = parser;
        }
    }
    GstRef<GstPad> lastSrc(gst_element_get_static_pad(last, "src"));
    gst_pad_link(lastSrc.get(), muxPad);
    gst_element_sync_state_with_parent(queue);
    gst_pad_add_probe(pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), cutProbe,
                      stream, nullptr);
    gst_pad_link(pad, queueSink.get());
}

// A new request pad of muxer for a stream of these caps, or null. The muxer owns it.
GstPad* requestPad(GstElement* muxer, GstCaps* caps)
{
    for (const GList* item = gst_element_class_get_pad_template_list(GST_ELEMENT_GET_CLASS(muxer)); item;
         item = item->next) {
        auto* templ = static_cast<GstPadTemplate*>(item->data);
        if (GST_PAD_TEMPLATE_DIRECTION(templ) != GST_PAD_SINK || GST_PAD_TEMPLATE_PRESENCE(templ) != GST_PAD_REQUEST)
            continue;
        GstCapsRef accepted(gst_pad_template_get_caps(templ));
        if (gst_caps_can_intersect(accepted.get(), mediaType(caps).get())) {
            GstPad* pad = gst_element_request_pad(muxer, templ, nullptr, nullptr);
            if (pad)
                gst_object_unref(pad);  // the element keeps its own reference
            return pad;
        }
    }
    return nullptr;
}

// The streams of the source, as caps, from a short preroll with fake sinks.
struct StreamList {
    std::vector<GstCapsRef> caps;
    std::mutex mutex;
    GstElement* pipeline = nullptr;
};

void listPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* list = static_cast<StreamList*>(data);
    {
        std::lock_guard lock(list->mutex);
        list->caps.push_back(padCaps(pad));
    }
    sinkIntoFake(list->pipeline, pad);
}

GstPipelineRef sourcePipeline(const std::string& source, GstElement** parse)
{
    GstPipelineRef pipeline(gst_pipeline_new(nullptr));
    GstElement* src = makeElement("filesrc");
    *parse = makeElement("parsebin");
    if (!src || !*parse) {
        if (src)
            gst_object_unref(src);
        if (*parse)
            gst_object_unref(*parse);
        return {};
    }
    g_object_set(src, "location", source.c_str(), nullptr);
    gst_bin_add_many(GST_BIN(pipeline.get()), src, *parse, nullptr);
    gst_element_link(src, *parse);
    return pipeline;
}

}  // namespace

bool ClipCutter::SupportsContainer(const std::string& path)
{
    return muxerFor(path) != nullptr;
}

std::optional<CutScan> ClipCutter::Scan(const std::string& source, double fromSeconds, const Progress& progress,
                                        std::string* error)
{
    std::string why;
    if (!ensureGst()) {
        *error = "GStreamer could not be started.";
        return std::nullopt;
    }
    GstElement* parse = nullptr;
    GstPipelineRef pipeline = sourcePipeline(source, &parse);
    if (!pipeline) {
        *error = "GStreamer's parsebin is missing (install gstreamer1.0-plugins-base).";
        return std::nullopt;
    }
    ScanState state;
    state.from = clockTime(fromSeconds);
    state.pipeline = pipeline.get();
    gst_segment_init(&state.segment, GST_FORMAT_TIME);
    g_signal_connect(parse, "pad-added", G_CALLBACK(scanPadAdded), &state);
    if (!preroll(pipeline.get(), &why)) {
        *error = "The video cannot be read: " + clause(why) + ".";
        return std::nullopt;
    }
    CutScan scan;
    gint64 duration = 0;
    if (gst_element_query_duration(pipeline.get(), GST_FORMAT_TIME, &duration) && duration > 0)
        scan.durationSeconds = fromClock(GstClockTime(duration));
    {
        std::lock_guard lock(state.mutex);
        scan.hasVideo = state.hasVideo;
    }
    if (!scan.hasVideo) {
        scan.keyFrameSeconds = fromSeconds;
        return scan;
    }
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const int end = runBus(
        pipeline.get(), [&] { return state.passed.load(); },
        [&] {
            if (!progress)
                return true;
            std::lock_guard lock(state.mutex);
            return progress(state.from > 0 ? std::min(1.0, double(state.position) / double(state.from)) : 1.0);
        },
        &why);
    if (end == -2) {
        *error = "Cancelled.";
        return std::nullopt;
    }
    if (end == -1) {
        *error = "The video cannot be read: " + clause(why) + ".";
        return std::nullopt;
    }
    std::lock_guard lock(state.mutex);
    scan.keyFrameSeconds = GST_CLOCK_TIME_IS_VALID(state.lastKey) ? fromClock(state.lastKey) : 0.0;
    return scan;
}

bool ClipCutter::Cut(const std::string& source, const CutScan& scan, double toSeconds, const std::string& outPath,
                     const Progress& progress, std::string* error, bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (!ensureGst()) {
        *error = "GStreamer could not be started.";
        return false;
    }
    const char* muxerName = muxerFor(source);
    if (!muxerName) {
        *error = "Only ASF, MP4, MOV, MKV and TS recordings can be cut.";
        return false;
    }

    // First the source's streams, so the muxer's pads exist before any data reaches it.
    std::vector<GstCapsRef> streams;
    {
        GstElement* parse = nullptr;
        GstPipelineRef probe = sourcePipeline(source, &parse);
        if (!probe) {
            *error = "GStreamer's parsebin is missing (install gstreamer1.0-plugins-base).";
            return false;
        }
        StreamList list;
        list.pipeline = probe.get();
        g_signal_connect(parse, "pad-added", G_CALLBACK(listPadAdded), &list);
        std::string why;
        if (!preroll(probe.get(), &why)) {
            *error = "The video cannot be read: " + clause(why) + ".";
            return false;
        }
        gst_element_set_state(probe.get(), GST_STATE_NULL);
        streams = std::move(list.caps);
    }

    GstElement* parse = nullptr;
    GstPipelineRef pipeline = sourcePipeline(source, &parse);
    GstElement* muxer = makeElement(muxerName);
    GstElement* sink = makeElement("filesink");
    if (!pipeline || !muxer || !sink) {
        if (muxer)
            gst_object_unref(muxer);
        if (sink)
            gst_object_unref(sink);
        *error = std::string("GStreamer's ") + muxerName + " is missing (install gstreamer1.0-plugins-bad or -good).";
        return false;
    }
    g_object_set(sink, "location", outPath.c_str(), "sync", FALSE, nullptr);
    gst_bin_add_many(GST_BIN(pipeline.get()), muxer, sink, nullptr);
    gst_element_link(muxer, sink);

    CutState state;
    state.pipeline = pipeline.get();
    state.keyFrame = clockTime(scan.keyFrameSeconds);
    state.offset = state.keyFrame;
    state.to = clockTime(toSeconds);
    for (const GstCapsRef& caps : streams) {
        if (!isVideo(caps.get()) && !isAudio(caps.get()))
            continue;
        if (GstPad* pad = requestPad(muxer, caps.get()))
            state.freePads.push_back(pad);
    }
    if (state.freePads.empty()) {
        *error = std::string("The recording's streams cannot be written by ") + muxerName + ".";
        return false;
    }
    g_signal_connect(parse, "pad-added", G_CALLBACK(cutPadAdded), &state);

    std::string why;
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const double span = std::max(1e-3, toSeconds - scan.keyFrameSeconds);
    const int end = runBus(pipeline.get(), {},
                           [&] {
                               if (!progress)
                                   return true;
                               const double done = fromClock(state.position.load()) - scan.keyFrameSeconds;
                               return progress(std::clamp(done / span, 0.0, 1.0));
                           },
                           &why);
    // Requested pads nobody linked would keep the muxer waiting; they go with the pipeline.
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    if (end == -2) {
        if (cancelled)
            *cancelled = true;
        *error = "Cancelled.";
        return false;
    }
    if (end != 1) {
        *error = "The clip could not be cut: " + clause(why) + ".";
        return false;
    }
    if (std::string(muxerName) == "asfmux" && NormalizeAsfPacketLengths(outPath) < 0) {
        *error = "The cut ASF file could not be completed.";
        return false;
    }
    return true;
}
