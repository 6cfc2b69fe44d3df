#pragma once
// Counts the playbins of the test process (one per engine) through
// GStreamer's tracing hooks, without touching the player: which exist (made
// and not yet finalized), how many were made and finalized, and how many are
// out of NULL.
// Include in one translation unit only (it defines a GObject type).
#include <gst/gst.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

struct PlaybinWatchTracer {
    GstTracer parent;
};
struct PlaybinWatchTracerClass {
    GstTracerClass parentClass;
};
G_DEFINE_TYPE(PlaybinWatchTracer, playbin_watch_tracer, GST_TYPE_TRACER)
static void playbin_watch_tracer_class_init(PlaybinWatchTracerClass*) {}
static void playbin_watch_tracer_init(PlaybinWatchTracer*) {}

class PlaybinWatch {
public:
    // Call after gst_init (any engine's Create does it) and before the engines to count.
    static PlaybinWatch& Instance()
    {
        static PlaybinWatch watch;
        return watch;
    }

    int Existing()
    {
        std::lock_guard lock(m_mutex);
        return int(m_states.size());
    }
    int Running()
    {
        std::lock_guard lock(m_mutex);
        return int(std::count_if(m_states.begin(), m_states.end(),
                                 [](const auto& s) { return s.second > GST_STATE_NULL; }));
    }
    int Made()
    {
        std::lock_guard lock(m_mutex);
        return m_made;
    }
    int Finalized()
    {
        std::lock_guard lock(m_mutex);
        return m_finalized;
    }
    int MostExisting()
    {
        std::lock_guard lock(m_mutex);
        return m_mostExisting;
    }
    void ResetMost()
    {
        std::lock_guard lock(m_mutex);
        m_mostExisting = int(m_states.size());
    }

private:
    PlaybinWatch()
    {
        m_tracer = GST_TRACER(g_object_new(playbin_watch_tracer_get_type(), nullptr));
        gst_tracing_register_hook(m_tracer, "element-new", G_CALLBACK(&PlaybinWatch::OnElementNew));
        gst_tracing_register_hook(m_tracer, "element-change-state-post", G_CALLBACK(&PlaybinWatch::OnStateChanged));
    }

    static bool IsPlaybin(GstElement* element) { return std::strcmp(G_OBJECT_TYPE_NAME(element), "GstPlayBin") == 0; }

    static void OnElementNew(GstTracer*, guint64, GstElement* element)
    {
        if (!IsPlaybin(element))
            return;
        PlaybinWatch& self = Instance();
        {
            std::lock_guard lock(self.m_mutex);
            self.m_states[element] = GST_STATE_NULL;
            ++self.m_made;
            self.m_mostExisting = std::max(self.m_mostExisting, int(self.m_states.size()));
        }
        g_object_weak_ref(G_OBJECT(element), &PlaybinWatch::OnFinalized, nullptr);
    }
    static void OnFinalized(gpointer, GObject* gone)
    {
        PlaybinWatch& self = Instance();
        std::lock_guard lock(self.m_mutex);
        self.m_states.erase(gone);
        ++self.m_finalized;
    }
    static void OnStateChanged(GstTracer*, guint64, GstElement* element, GstStateChange transition,
                               GstStateChangeReturn result)
    {
        if (result == GST_STATE_CHANGE_FAILURE || !IsPlaybin(element))
            return;
        PlaybinWatch& self = Instance();
        std::lock_guard lock(self.m_mutex);
        const auto it = self.m_states.find(element);
        if (it != self.m_states.end())
            it->second = GST_STATE_TRANSITION_NEXT(transition);
    }

    GstTracer* m_tracer = nullptr;
    std::mutex m_mutex;
    std::map<const void*, GstState> m_states;
    int m_made = 0;
    int m_finalized = 0;
    int m_mostExisting = 0;
};
