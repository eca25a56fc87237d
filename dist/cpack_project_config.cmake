# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack for each package it makes. For the Debian package, the Debian packages of the
# libraries that the programs link (dpkg-shlibdeps, as Debian's own packages find them) join the
# package's dependencies.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
if(NOT ORBISCA_DPKG_SHLIBDEPS)
  message(FATAL_ERROR "dpkg-shlibdeps (Debian package dpkg-dev) is missing: run scripts/bootstrap")
endif()
# dpkg-shlibdeps wants to run beside a debian/control; an empty one serves. A folder of its own
# for each run, so that two package builds never share it.
string(RANDOM LENGTH 8 run)
set(work "${ORBISCA_SHLIBDEPS_DIR}-${run}")
file(WRITE "${work}/debian/control" "")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C "${ORBISCA_DPKG_SHLIBDEPS}" --ignore-missing-info -O
          ${ORBISCA_PROGRAMS}
  WORKING_DIRECTORY "${work}"
  OUTPUT_VARIABLE found
  ERROR_VARIABLE complaint
  RESULT_VARIABLE failed)
file(REMOVE_RECURSE "${work}")
if(failed OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies of ${ORBISCA_PROGRAMS}: ${complaint}")
endif()
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}")
