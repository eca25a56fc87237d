// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace orbisca::assets {

// How the program puts a picture on screen, which decides what its pixels must respect.
enum class Use {
    Keyed,    // drawn with a colour key (`key`): the key surrounds the figure, never inside it
    Blended,  // blended through the grey-level mask named in `mask`, which has the same size
    Opaque,   // drawn as it is (window faces, button glyphs)
    Mask,     // a grey-level mask: white shows the picture, black the background
};

// One picture of the pack: its file under graphic/, its size and why it has that size, how it is
// drawn, and the drawing that makes it.
struct Asset {
    QString file;    // e.g. "0Y.bmp", "zc35" "0002" ".bmp"
    QString family;  // group on the contact sheet: compact, sign, tone, plasma, mark, board ...
    QSize size;
    QRgb key;  // transparent colour of a keyed picture; black for the others
    Use use;
    QString mask;    // the mask a blended picture is drawn through
    QString reason;  // where the size comes from
    std::function<QImage()> draw;
};

const std::vector<Asset>& manifest();

// A data table of the working folder that the generator writes from the same layout as the
// pictures it belongs to, so that the two cannot drift apart.
struct Table {
    QString file;    // in the working folder itself, e.g. "tech.dat"
    QString reason;  // what it holds and why it has that many records
    std::function<QByteArray()> build;
};

const std::vector<Table>& tables();

// A variant digit followed by the index in three digits, as the element files are numbered.
QString codedIndex(int index, int variant = 0);

}  // namespace orbisca::assets
