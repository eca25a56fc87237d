# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzz target of the bitmap loader (included by fuzz/CMakeLists.txt).
set(pictures "${CMAKE_SOURCE_DIR}/tests/gfx/data")
orbisca_add_fuzzer(fuzz_bitmap SOURCES bitmap_fuzz.cpp LIBS gfx data
  SEEDS "${pictures}/depth1.bmp" "${pictures}/depth8rle.bmp" "${pictures}/depth16.bmp" "${pictures}/depth24.bmp"
        "${pictures}/depth32.bmp" "${pictures}/depth24v5.bmp" "${pictures}/colours.png")
