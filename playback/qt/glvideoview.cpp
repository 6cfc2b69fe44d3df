#include "glvideoview.h"

#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>

#include <cstring>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcPlayback)

namespace {

#ifndef GL_UNPACK_ROW_LENGTH
constexpr GLenum GL_UNPACK_ROW_LENGTH = 0x0CF2;
#endif

// highp/mediump are defined away by Qt on desktop OpenGL.
const char* const kVertexShader = R"(
attribute highp vec2 position;
attribute highp vec2 texCoord;
varying highp vec2 uv;
void main()
{
    uv = texCoord;
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

const char* const kFragmentShader = R"(
varying highp vec2 uv;
uniform sampler2D planeY;
uniform sampler2D planeU;
uniform sampler2D planeV;
uniform mediump mat3 toRgb;
uniform mediump vec3 offset;
void main()
{
    mediump vec3 yuv = vec3(texture2D(planeY, uv).r, texture2D(planeU, uv).r, texture2D(planeV, uv).r) - offset;
    gl_FragColor = vec4(clamp(toRgb * yuv, 0.0, 1.0), 1.0);
}
)";

// Y'CbCr (offsets removed) to R'G'B', scaled for the range.
QMatrix3x3 rgbMatrix(const VideoFrame::Colour& colour)
{
    const float kr = colour.kr;
    const float kb = colour.kb;
    const float kg = 1.0f - kr - kb;
    const float ys = colour.fullRange ? 1.0f : 255.0f / 219.0f;
    const float cs = colour.fullRange ? 1.0f : 255.0f / 224.0f;
    const float m[9] = {ys, 0.0f, cs * 2.0f * (1.0f - kr),
                        ys, -cs * 2.0f * kb * (1.0f - kb) / kg, -cs * 2.0f * kr * (1.0f - kr) / kg,
                        ys, cs * 2.0f * (1.0f - kb), 0.0f};
    return QMatrix3x3(m);
}

QSize chromaSize(QSize luma)
{
    return {(luma.width() + 1) / 2, (luma.height() + 1) / 2};
}

} // namespace

GlVideoView::GlVideoView(QWidget* surface)
    : QOpenGLWidget(surface)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

GlVideoView::~GlVideoView()
{
    makeCurrent();
    releaseGl();
    doneCurrent();
}

void GlVideoView::setFrame(const VideoFrame& frame, QRect picture)
{
    m_frame = frame;
    m_picture = picture;
    m_dirty = true;
    update();
}

void GlVideoView::setPictureRect(QRect picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

void GlVideoView::initializeGL()
{
    initializeOpenGLFunctions();
    // The context goes when the view changes windows (full screen and back);
    // everything made in it goes with it and is made again here.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        releaseGl();
        doneCurrent();
    });
    m_rowLength = !context()->isOpenGLES() || context()->format().majorVersion() >= 3;
    m_program = std::make_unique<QOpenGLShaderProgram>();
    if (!m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader)
        || !m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader)
        || (m_program->bindAttributeLocation("position", 0), m_program->bindAttributeLocation("texCoord", 1),
            !m_program->link())) {
        qCWarning(lcPlayback) << "video shader:" << m_program->log();
        m_program.reset();
        return;
    }
    glGenTextures(3, m_textures);
    for (unsigned texture : m_textures) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    m_textureSize = QSize();
    m_dirty = true;
}

void GlVideoView::releaseGl()
{
    if (m_textures[0] && QOpenGLContext::currentContext())
        glDeleteTextures(3, m_textures);
    std::memset(m_textures, 0, sizeof m_textures);
    m_program.reset();
    m_textureSize = QSize();
}

// The planes go up as they are, one byte a sample; the shader reads .r of each.
void GlVideoView::upload()
{
    const QSize luma = m_frame.size();
    const QSize sizes[3] = {luma, chromaSize(luma), chromaSize(luma)};
    const bool remake = luma != m_textureSize;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<uchar> packed;
    for (int i = 0; i < 3; ++i) {
        glBindTexture(GL_TEXTURE_2D, m_textures[i]);
        const QSize s = sizes[i];
        const uchar* data = m_frame.plane(i);
        if (m_rowLength) {
            glPixelStorei(GL_UNPACK_ROW_LENGTH, m_frame.stride(i));
        } else if (m_frame.stride(i) != s.width()) {
            // OpenGL ES 2 takes rows only packed.
            packed.resize(size_t(s.width()) * s.height());
            for (int y = 0; y < s.height(); ++y)
                std::memcpy(packed.data() + size_t(y) * s.width(), data + size_t(y) * m_frame.stride(i), s.width());
            data = packed.data();
        }
        if (remake)
            glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, s.width(), s.height(), 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                         data);
        else
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, s.width(), s.height(), GL_LUMINANCE, GL_UNSIGNED_BYTE, data);
    }
    if (m_rowLength)
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    m_textureSize = luma;
    m_dirty = false;
}

void GlVideoView::paintGL()
{
    const qreal ratio = devicePixelRatioF();
    const int fullWidth = int(width() * ratio);
    const int fullHeight = int(height() * ratio);
    glViewport(0, 0, fullWidth, fullHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!m_program || !m_frame.isYuv() || m_picture.isEmpty())
        return;
    if (m_dirty)
        upload();
    // OpenGL counts rows from the bottom.
    const QRect p(int(m_picture.x() * ratio), int(m_picture.y() * ratio), int(m_picture.width() * ratio),
                  int(m_picture.height() * ratio));
    glViewport(p.x(), fullHeight - p.y() - p.height(), p.width(), p.height());

    static const GLfloat kPositions[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    static const GLfloat kTexCoords[] = {0, 1, 1, 1, 0, 0, 1, 0};
    m_program->bind();
    for (int i = 0; i < 3; ++i) {
        glActiveTexture(GL_TEXTURE0 + i);
        glBindTexture(GL_TEXTURE_2D, m_textures[i]);
    }
    m_program->setUniformValue("planeY", 0);
    m_program->setUniformValue("planeU", 1);
    m_program->setUniformValue("planeV", 2);
    const VideoFrame::Colour& colour = m_frame.colour();
    m_program->setUniformValue("toRgb", rgbMatrix(colour));
    const float lumaOffset = colour.fullRange ? 0.0f : 16.0f / 255.0f;
    m_program->setUniformValue("offset", QVector3D(lumaOffset, 128.0f / 255.0f, 128.0f / 255.0f));
    m_program->enableAttributeArray(0);
    m_program->enableAttributeArray(1);
    m_program->setAttributeArray(0, GL_FLOAT, kPositions, 2);
    m_program->setAttributeArray(1, GL_FLOAT, kTexCoords, 2);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    m_program->disableAttributeArray(0);
    m_program->disableAttributeArray(1);
    m_program->release();
    glActiveTexture(GL_TEXTURE0);
    emit framePainted();
}
