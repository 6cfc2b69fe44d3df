#pragma once
// Runs the artists in the order their pictures depend on each other (faces
// are composed over the background and panels) and writes every bitmap as
// <id>.png. Sizes are checked against the program's own skin table.
#include <QHash>
#include <QImage>
#include <QStringList>

class SkinBook
{
public:
    void paint();
    const QHash<int, QImage>& images() const { return m_images; }
    // Bitmaps whose size differs from SkinSize(id), or that are missing.
    QStringList problems() const;
    bool write(const QString& folder, QString* error) const;

    // Every bitmap number the skin provides.
    static QList<int> ids();

private:
    QHash<int, QImage> m_images;
};
