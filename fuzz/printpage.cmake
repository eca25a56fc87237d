# SPDX-License-Identifier: GPL-3.0-or-later
orbisca_add_fuzzer(fuzz_script SOURCES script_fuzz.cpp LIBS printpage state
  SEEDS "${CMAKE_SOURCE_DIR}/fuzz/corpus/script-export.spt" "${CMAKE_SOURCE_DIR}/fuzz/corpus/script-broken.spt")
