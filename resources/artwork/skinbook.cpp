#include "skinbook.h"

#include <QDir>
#include <QImageWriter>

#include "aboutartist.h"
#include "backgroundartist.h"
#include "buttonartist.h"
#include "iconartist.h"
#include "instrumentartist.h"
#include "panelartist.h"
#include "skin.h"

QList<int> SkinBook::ids()
{
    QList<int> list;
    list << 128;
    for (int id = 136; id <= 146; ++id)
        list << id;
    for (int id = 148; id <= 150; ++id)
        list << id;
    list << 154 << 155 << 156 << 157 << 158 << 159 << 160 << 163 << 164;
    for (int id = 165; id <= 186; ++id)
        list << id;
    list << 188 << 189;
    for (int id = 191; id <= 197; ++id)
        list << id;
    list << 202 << 203 << 204 << 205 << 206 << 207 << 208 << 209;
    return list;
}

void SkinBook::paint()
{
    m_images.clear();
    const QImage background = BackgroundArtist().paint();
    const PanelArtist panels;
    const QImage recordPanel = panels.recordPanel();
    const QImage infoPanel = panels.infoPanel();
    const QImage about = AboutArtist().paint();
    m_images.insert(202, background);
    m_images.insert(154, recordPanel);
    m_images.insert(160, infoPanel);
    m_images.insert(203, about);
    m_images.insert(128, IconArtist().paint());

    const InstrumentArtist instruments(background);
    m_images.insert(208, instruments.gauge(true));
    m_images.insert(209, instruments.gauge(false));
    m_images.insert(188, instruments.positionChannel());
    m_images.insert(189, instruments.positionThumb());
    m_images.insert(163, instruments.volumeChannel(false));
    m_images.insert(164, instruments.volumeChannel(true));

    const QHash<int, QImage> faces = ButtonArtist(background, recordPanel, infoPanel, about).paintAll();
    for (auto it = faces.cbegin(); it != faces.cend(); ++it)
        m_images.insert(it.key(), it.value());
}

QStringList SkinBook::problems() const
{
    QStringList list;
    for (int id : ids()) {
        const auto it = m_images.constFind(id);
        if (it == m_images.cend()) {
            list << QStringLiteral("%1: not painted").arg(id);
            continue;
        }
        if (it->size() != SkinSize(id))
            list << QStringLiteral("%1: painted %2x%3, the program expects %4x%5")
                        .arg(id)
                        .arg(it->width())
                        .arg(it->height())
                        .arg(SkinSize(id).width())
                        .arg(SkinSize(id).height());
    }
    for (auto it = m_images.cbegin(); it != m_images.cend(); ++it)
        if (!ids().contains(it.key()))
            list << QStringLiteral("%1: painted but not part of the skin").arg(it.key());
    return list;
}

bool SkinBook::write(const QString& folder, QString* error) const
{
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    for (int id : ids()) {
        // The program reads every bitmap as opaque RGB; only the icon keeps alpha.
        const QImage image = id == 128 ? m_images.value(id).convertToFormat(QImage::Format_ARGB32)
                                       : m_images.value(id).convertToFormat(QImage::Format_RGB32);
        const QString path = QDir(folder).filePath(QStringLiteral("%1.png").arg(id));
        QImageWriter writer(path, "png");
        if (!writer.write(image)) {
            *error = QStringLiteral("%1: %2").arg(path, writer.errorString());
            return false;
        }
    }
    return true;
}
