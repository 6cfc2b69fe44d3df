#pragma once
// GlVideoView: the OpenGL drawing of a VideoSurface on the GL path. A child
// that fills its surface, lets all input through to it, and draws the newest
// I420 frame at its native size into the picture's place with a shader: the
// GPU converts to RGB and scales (bilinear), the rest is cleared to black.
// Owned by its VideoSurface; UI thread only.
#include "videoframe.h"

#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QRect>

#include <memory>

class QOpenGLShaderProgram;

class GlVideoView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT
public:
    explicit GlVideoView(QWidget* surface);
    ~GlVideoView() override;

    // The frame to draw and its place in this widget; a null or non-YUV frame
    // draws black.
    void setFrame(const VideoFrame& frame, QRect picture);
    void setPictureRect(QRect picture);

signals:
    // A frame (not only black) was drawn.
    void framePainted();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void releaseGl();
    void upload();

    VideoFrame m_frame;
    QRect m_picture;
    bool m_dirty = false;       // m_frame is not in the textures yet
    QSize m_textureSize;        // size the textures were made for
    unsigned m_textures[3] = {0, 0, 0};
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    bool m_rowLength = false;   // GL_UNPACK_ROW_LENGTH is there (not OpenGL ES 2)
};
