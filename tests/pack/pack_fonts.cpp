#include "pack_fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

#include "data/font_table.h"

namespace orbisca::packtest {

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pack_tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

QFont packFont(int index) {
    EXPECT_TRUE(fontTableState().fonttable.at(static_cast<std::size_t>(index)).has_value())
        << "fdb.dat has no font " << index;
    return tableFont(index).font;
}

}  // namespace orbisca::packtest
