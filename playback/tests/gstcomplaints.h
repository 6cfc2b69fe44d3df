#pragma once
// Collects the warnings and criticals GStreamer and GObject print through
// GLib's log (a failed g_return_if_fail, a misused object): each one is a
// misuse of theirs by the engine, so a test that sees one fails. They are still
// printed as usual. Install once, after gst_init (which puts a handler of
// GStreamer's own on its log domain) and before the first engine.
#include <glib.h>

#include <QString>
#include <QStringList>

#include <cstring>
#include <mutex>

class GstComplaints {
public:
    static GstComplaints& Instance()
    {
        static GstComplaints complaints;
        return complaints;
    }
    void Install()
    {
        constexpr auto levels = GLogLevelFlags(G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING
                                               | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
        // The newest handler of a domain wins over GStreamer's own.
        g_log_set_handler("GStreamer", levels, &GstComplaints::handle, this);
        g_log_set_handler("GLib-GObject", levels, &GstComplaints::handle, this);
        // The libraries' domains ("GStreamer-App", "GStreamer-Video", ...) have none.
        g_log_set_default_handler(&GstComplaints::handle, this);
    }
    // What was logged since the last call; empties the list.
    QStringList Take()
    {
        std::lock_guard lock(m_mutex);
        QStringList taken;
        taken.swap(m_messages);
        return taken;
    }

private:
    static bool ours(const gchar* domain)
    {
        return domain && (std::strncmp(domain, "GStreamer", 9) == 0 || std::strcmp(domain, "GLib-GObject") == 0);
    }
    // Streaming threads log too: the list is guarded.
    static void handle(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer data)
    {
        auto* self = static_cast<GstComplaints*>(data);
        if (ours(domain) && (level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_ERROR))) {
            std::lock_guard lock(self->m_mutex);
            self->m_messages << QStringLiteral("%1: %2").arg(QString::fromUtf8(domain), QString::fromUtf8(message));
        }
        g_log_default_handler(domain, level, message, nullptr);
    }

    std::mutex m_mutex;
    QStringList m_messages;
};
