#pragma once
// Owning wrappers for GStreamer references, for the exporter's own cutter and frame grabber
// (the only places in export/ that touch GStreamer). Include only from their .cpp files.

#include <gst/gst.h>

#include <memory>

struct GstObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
template <typename T>
using GstRef = std::unique_ptr<T, GstObjectUnref>;

struct GstMessageUnref {
    void operator()(GstMessage* message) const { gst_message_unref(message); }
};
using GstMessageRef = std::unique_ptr<GstMessage, GstMessageUnref>;

struct GstCapsUnref {
    void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
using GstCapsRef = std::unique_ptr<GstCaps, GstCapsUnref>;

struct GstSampleUnref {
    void operator()(GstSample* sample) const { gst_sample_unref(sample); }
};
using GstSampleRef = std::unique_ptr<GstSample, GstSampleUnref>;

// A pipeline that is set to NULL before its last reference goes, so no streaming thread outlives
// the state its probes point at.
struct GstPipelineStop {
    void operator()(GstElement* pipeline) const
    {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};
using GstPipelineRef = std::unique_ptr<GstElement, GstPipelineStop>;

// The text of an error message, freed.
inline std::string GstErrorText(GstMessage* message)
{
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    std::string text = error ? error->message : "unknown error";
    if (error)
        g_error_free(error);
    g_free(debug);
    return text;
}
