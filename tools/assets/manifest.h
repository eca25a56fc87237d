#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace orbisca::assets {

// One picture of the pack: its file under graphic/, its size and why it has that size, the colour
// that is transparent where it is drawn, and the drawing that makes it.
struct Asset {
    QString file;    // e.g. "0Y.bmp", "zc35" "0002" ".bmp"
    QString family;  // group on the contact sheet: compact, sign, tone, plasma, mark, moon, button
    QSize size;
    QRgb key;        // transparent colour where it is drawn; masks and opaque pictures say black
    bool mask;       // a grey-level mask rather than a picture
    QString reason;  // where the size comes from
    std::function<QImage()> draw;
};

const std::vector<Asset>& manifest();

// A variant digit followed by the index in three digits, as the element files are numbered.
QString codedIndex(int index, int variant = 0);

}  // namespace orbisca::assets
