# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzz targets of the data files (included by fuzz/CMakeLists.txt).
set(share "${CMAKE_SOURCE_DIR}/share")
set(corpus "${CMAKE_CURRENT_SOURCE_DIR}/corpus")

orbisca_add_fuzzer(fuzz_fdb SOURCES fdb_fuzz.cpp LIBS data gfx
  SEEDS "${share}/fdb.dat" "${corpus}/fdb-short.dat")
orbisca_add_fuzzer(fuzz_conf SOURCES conf_fuzz.cpp LIBS data
  SEEDS "${share}/conf.dat" "${corpus}/conf-crlf.dat")
orbisca_add_fuzzer(fuzz_windwhp SOURCES windwhp_fuzz.cpp LIBS data
  SEEDS "${share}/WindWHP.dat")
orbisca_add_fuzzer(fuzz_strt SOURCES strt_fuzz.cpp LIBS data
  SEEDS "${corpus}/strt.dat" "${corpus}/strt-crlf.dat")
orbisca_add_fuzzer(fuzz_print SOURCES print_fuzz.cpp LIBS data
  SEEDS "${corpus}/print.dat")
orbisca_add_fuzzer(fuzz_hrct SOURCES hrct_fuzz.cpp LIBS data
  SEEDS "${corpus}/HRCT.dat")
orbisca_add_fuzzer(fuzz_sgn SOURCES sgn_fuzz.cpp LIBS data
  SEEDS "${corpus}/sgn.dat")
