// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables.h"

#include "layouts.h"

#include <QtEndian>

#include <cstdint>

namespace orbisca::assets {

QByteArray techTable() {
    QByteArray out;
    for (int kin = 1; kin <= 260; ++kin) {
        const QPoint cell = wingsKinCell(kin);
        out += QByteArray::number(cell.x()) + '\n' + QByteArray::number(cell.y()) + '\n';
    }
    return out;
}

QByteArray helpRectTable() {
    QByteArray out;
    for (const BoardField& f : boardFields())
        for (int v : {f.left, f.top, f.right, f.bottom}) {
            char bytes[4];
            qToLittleEndian<std::int32_t>(v, bytes);
            out.append(bytes, 4);
        }
    return out;
}

}  // namespace orbisca::assets
