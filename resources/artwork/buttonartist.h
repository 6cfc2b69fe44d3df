#pragma once
// Paints every button face of the skin: transport keys, round command
// buttons, the small window buttons and their mask, the panel tabs, the
// record list's LOAD/OPEN, Previous/Next and the about box's close button.
// Each face is composed over the piece of picture it covers at its place, so
// edges blend into the skin whatever clipping its window uses.
#include <QHash>
#include <QImage>

class ButtonArtist
{
public:
    ButtonArtist(const QImage& background, const QImage& recordPanel, const QImage& infoPanel,
                 const QImage& about);

    // Every face and mask by bitmap number.
    QHash<int, QImage> paintAll() const;

private:
    void transport(QHash<int, QImage>& out) const;
    void commands(QHash<int, QImage>& out) const;
    void windowButtons(QHash<int, QImage>& out) const;
    void tabs(QHash<int, QImage>& out) const;
    void panelButtons(QHash<int, QImage>& out) const;
    void aboutClose(QHash<int, QImage>& out) const;

    QImage m_background;
    QImage m_recordPanel;
    QImage m_infoPanel;
    QImage m_about;
};
