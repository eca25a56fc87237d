#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The moon phase of orbisca-cli range against an independent ephemeris (Debian's python3-ephem).

Usage: moon_phase_sky_test.py ORBISCA_CLI

At 12:00 UTC of every 7th day from 1800 to 2200 the phase (the fraction of the lunation between
the new moons before and after that noon) stays within 1.5 % of a lunation of the ephemeris's, and
on the day of each of the ephemeris's new moons the phase is nearer to 0 than on the days before
and after. Prints the largest error and the number of new-moon days that agree.
"""
import bisect
import subprocess
import sys

import ephem

CLI = sys.argv[1] if len(sys.argv) > 1 else "orbisca-cli"
DUBLIN = 2415020  # ephem counts days from 1899-12-31 12:00 UT, Julian Day 2415020
MODULUS = 10**9
FIRST, LAST = "1800-01-01", "2200-12-31"
# Two ephemerides disagree on the day of a new moon that falls within seconds of midnight.
MIDNIGHT_MARGIN_DAYS = 2 / 1440


def julian_day(iso):
    """The Julian Day Number of a proleptic Gregorian date (the Julian Date of its noon)."""
    year, month, day = (int(part) for part in iso.split("-"))
    a = (14 - month) // 12
    y, m = year + 4800 - a, month + 12 * a - 3
    return day + (153 * m + 2) // 5 + 365 * y + y // 4 - y // 100 + y // 400 - 32045


def program_phases():
    """Phase by Julian Day Number, from a range a day wider than the checked one."""
    out = subprocess.run([CLI, "range", "1799-12-31", "2201-01-01", "--csv"], check=True,
                         capture_output=True, text=True).stdout.splitlines()
    column = out[0].split(",").index("moonPhase")
    return {julian_day(row.split(",")[0]): int(row.split(",")[column]) for row in out[1:]}


def sky_new_moons(first, last):
    """The ephemeris's new moons (Julian Dates, UT) from a lunation before `first` to after `last`."""
    moons, t = [], ephem.Date(first - 40 - DUBLIN)
    while t + DUBLIN < last + 40:
        t = ephem.next_new_moon(t)
        moons.append(float(t) + DUBLIN)
    return moons


def lunation_distance(a, b):
    """The distance of two lunation fractions around the circle."""
    d = abs(a - b) % 1
    return min(d, 1 - d)


def main():
    phases = program_phases()
    first, last = julian_day(FIRST), julian_day(LAST)
    moons = sky_new_moons(first, last)
    failures = []

    worst, worst_day = 0.0, None
    for noon in range(first, last + 1, 7):
        i = bisect.bisect_right(moons, noon)
        sky = (noon - moons[i - 1]) / (moons[i] - moons[i - 1])
        error = lunation_distance(sky, phases[noon] / MODULUS)
        if error > worst:
            worst, worst_day = error, noon
    if worst > 0.015:
        failures.append(f"phase error {worst:.2%} of a lunation on JD {worst_day}")

    agree = total = 0
    for moon in moons:
        day = int(moon + 0.5)  # the day whose [00:00, 24:00) UTC holds the new moon
        if not first <= day <= last:
            continue
        total += 1
        nearness = [lunation_distance(phases[d] / MODULUS, 0) for d in (day - 1, day, day + 1)]
        if nearness[1] < min(nearness[0], nearness[2]):
            agree += 1
        elif min(moon + 0.5 - day, day + 1 - moon - 0.5) > MIDNIGHT_MARGIN_DAYS:
            failures.append(f"new moon at JD {moon:.5f}: nearest to 0 is not day {day}")

    print(f"{(last - first) // 7 + 1} noons: largest phase error {worst:.4%} of a lunation "
          f"({worst * 29.530589 * 1440:.1f} minutes); new-moon day agrees for {agree} of {total} "
          f"new moons")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures or total < 4900 else 0


if __name__ == "__main__":
    sys.exit(main())
