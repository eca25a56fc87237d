#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""orbisca-cli ics read back by an independent iCalendar parser (Debian's python3-icalendar).

Usage: ics_feed_test.py ORBISCA_CLI HOME_DIR

The feed is made from a copy of the pack whose texts are partly Russian, accented, CJK and emoji
(so that folding meets characters of two, three and four octets) and partly full of the
characters that iCalendar escapes (";", "," and a backslash).
"""
import concurrent.futures
import datetime
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import icalendar

CLI = sys.argv[1] if len(sys.argv) > 1 else "orbisca-cli"
PACK = sys.argv[2] if len(sys.argv) > 2 else "build/home"

# Lines of BASE.KTX replaced in the test pack (line numbers from 0).
CHANGED_LINES = {
    **{80 + i: name for i, name in enumerate(
        ["Дракон", "Ветер", "Ночь", "Семя", "Змей", "Соединитель Миров", "Рука", "Звезда",
         "Луна", "Собака", "Обезьяна", "Человек", "Небесный Странник", "Маг", "Орёл", "Воин",
         "Земля", "Зеркало", "Буря", "Солнце"], start=1)},
    6: "Blanc Passeur-de-mondes àéîõü",
    61: "Луна",
    145: "Anti;pode, a\\b",
    198: "Сегодня открыт портал, входите осторожно.",
    391: "Guía",
    566: "Woche 週 🌙",
    # No comma here: this parser splits CATEGORIES at escaped commas too.
    680: "Тринадцать лун; счёт 13\\moon",
}


def make_pack(folder):
    for name in os.listdir(PACK):
        source = os.path.join(PACK, name)
        if os.path.isfile(source):
            shutil.copy(source, folder)
    path = os.path.join(folder, "BASE.KTX")
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, text in CHANGED_LINES.items():
        lines[number] = text
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return lines


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True)


def day_json(date):
    result = run("day", date.isoformat(), "--json")
    assert result.returncode == 0, result.stderr
    return json.loads(result.stdout)


def days(first, last):
    day = first
    while day <= last:
        yield day
        day += datetime.timedelta(days=1)


class Feed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.home = os.path.join(cls.tmp.name, "home")
        os.mkdir(cls.home)
        cls.L = make_pack(cls.home)
        cls.first, cls.last = datetime.date(2024, 1, 1), datetime.date(2024, 12, 31)
        result = run("--today", "2025-01-01", "ics", "2024-01-01", "2024-12-31",
                     "--home", cls.home, "--alarm", "07:45")
        assert result.returncode == 0, result.stderr
        cls.raw = result.stdout
        cls.calendar = icalendar.Calendar.from_ical(cls.raw)
        cls.events = cls.calendar.walk("VEVENT")
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            cls.positions = dict(zip(days(cls.first, cls.last),
                                     pool.map(day_json, days(cls.first, cls.last))))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def expected_summary(self, date, info):
        L, p, o = self.L, info["position"], info["oracle"]
        colour = L[(130 if o["signFlag"] == 1 else 134) + o["colour"]]
        tone = L[(103 if o["signFlag"] == 1 else 116) + p["tone"]]
        head = f"{L[60]} {p['kin']} - {colour} {tone} {L[80 + p['sign']]} - "
        if p["month"] == 0:
            return head + L[419]
        text = (f"{head}{L[66 + p['month']]}{L[29]} {L[61]}, {L[59].lower()} "
                f"{p['monthDay']}")
        return text + f" ({L[681]})" if (date.month, date.day) == (2, 29) else text

    def test_octets_line_ends_and_folding(self):
        lines = self.raw.split(b"\r\n")
        self.assertEqual(lines[-1], b"", "the file ends with CR LF")
        stepped_back = 0
        for number, line in enumerate(lines[:-1]):
            self.assertNotIn(b"\n", line, f"bare LF in line {number}")
            self.assertNotIn(b"\r", line, f"bare CR in line {number}")
            self.assertLessEqual(len(line), 75, f"line {number} is too long")
            line.decode("utf-8")  # a fold inside a character leaves a broken sequence
            following = lines[number + 1]
            if following.startswith(b" ") and len(line) < 75:
                stepped_back += following[1] >= 0x80
        self.assertGreater(stepped_back, 0, "no fold met a multi-octet character")
        # This parser also accepts a bare ";", so the escapes are checked in the text itself.
        unfolded = self.raw.replace(b"\r\n ", b"")
        self.assertIn(b"\\nAnti\\;pode\\, a\\\\b: ", unfolded)

    def test_calendar_properties(self):
        c = self.calendar
        self.assertEqual(str(c["VERSION"]), "2.0")
        self.assertEqual(str(c["CALSCALE"]), "GREGORIAN")
        self.assertTrue(str(c["PRODID"]))
        self.assertEqual(str(c["X-WR-CALNAME"]), self.L[680])

    def test_one_event_per_day_in_the_words_of_the_pack(self):
        self.assertEqual(len(self.events), 366)
        L = self.L
        for event, date in zip(self.events, days(self.first, self.last)):
            info = self.positions[date]
            p, o = info["position"], info["oracle"]
            with self.subTest(date=date.isoformat()):
                self.assertEqual(event["DTSTART"].dt, date)
                self.assertEqual(event["DTEND"].dt, date + datetime.timedelta(days=1))
                self.assertEqual(event["DTSTART"].params["VALUE"], "DATE")
                self.assertEqual(str(event["SUMMARY"]), self.expected_summary(date, info))
                self.assertEqual(str(event["TRANSP"]), "TRANSPARENT")
                self.assertEqual([str(c) for c in event["CATEGORIES"].cats], [L[680]])
                self.assertIsInstance(event["DTSTAMP"].dt, datetime.datetime)
                description = str(event["DESCRIPTION"])
                oracle = (f"{L[391]}: {L[o['guide']]}\n{L[146]}: {L[o['analog']]}\n"
                          f"{L[145]}: {L[o['antipod']]}\n{L[147]} {L[149]}: {L[o['ateacher']]}\n")
                self.assertTrue(description.startswith(oracle), description)
                week = f"\n{L[165]}: {L[49 + p['plasma']]}\n{L[566]} {p['weekNumber']}\n"
                self.assertEqual(week in description, p["month"] > 0, description)
                self.assertEqual(description.endswith("\n" + L[198]), o["markedKin"] == 1)
                alarms = event.walk("VALARM")
                self.assertEqual(len(alarms), 1)
                self.assertEqual(alarms[0]["TRIGGER"].dt, datetime.timedelta(hours=7, minutes=45))
                self.assertEqual(str(alarms[0]["ACTION"]), "DISPLAY")

    def test_day_out_of_time_and_leap_day(self):
        by_date = {event["DTSTART"].dt: str(event["SUMMARY"]) for event in self.events}
        self.assertTrue(by_date[datetime.date(2024, 7, 25)].endswith(" - " + self.L[419]))
        leap, before = by_date[datetime.date(2024, 2, 29)], by_date[datetime.date(2024, 2, 28)]
        self.assertEqual(leap, f"{before} ({self.L[681]})")

    def test_uids_unique_and_stable_across_runs(self):
        uids = [str(event["UID"]) for event in self.events]
        self.assertEqual(len(set(uids)), len(uids))
        again = run("--today", "2030-06-15", "ics", "2024-06-01", "2024-12-31",
                    "--home", self.home)
        self.assertEqual(again.returncode, 0, again.stderr)
        later = [str(e["UID"]) for e in icalendar.Calendar.from_ical(again.stdout).walk("VEVENT")]
        self.assertEqual(later, uids[-len(later):])

    def test_file_output_equals_the_stream(self):
        path = os.path.join(self.tmp.name, "year.ics")
        result = run("--today", "2025-01-01", "ics", "2024-01-01", "2024-12-31",
                     "--home", self.home, "--alarm", "07:45", "-o", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        # DTSTAMP is the real clock's time of each run.
        def unstamped(feed):
            return re.sub(rb"DTSTAMP:[0-9TZ]+", b"", feed)
        with open(path, "rb") as f:
            self.assertEqual(unstamped(f.read()), unstamped(self.raw))


class BadInput(unittest.TestCase):
    def test_one_line_and_the_exit_status(self):
        with tempfile.TemporaryDirectory() as tmp:
            cases = [
                (["2024-02-30", "2024-03-01"], 2),
                (["2024-03-01", "2024-02-01"], 2),
                (["2024-03-01"], 2),
                (["10000-01-01", "10000-01-02"], 2),
                (["2024-03-01", "2024-03-02", "--alarm", "24:00"], 2),
                (["2024-03-01", "2024-03-02", "--alarm", "7"], 2),
                (["2024-03-01", "2024-03-02", "-o", os.path.join(tmp, "no", "x.ics")], 1),
                (["2024-03-01", "2024-03-02", "--home", os.path.join(tmp, "no")], 2),
                (["2024-03-01", "2024-03-02", "-o", tmp], 1),
            ]
            for args, status in cases:
                with self.subTest(args=args):
                    if "--home" not in args:
                        args = args + ["--home", PACK]
                    result = run("ics", *args)
                    self.assertEqual(result.returncode, status, result.stderr)
                    self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)
                    self.assertEqual(result.stdout, b"")
            self.assertEqual(os.listdir(tmp), [], "a file was left behind")

    def test_a_long_range_is_streamed(self):
        marker, events, tail = b"BEGIN:VEVENT\r\n", 0, b""
        with subprocess.Popen([CLI, "ics", "1700-01-01", "1999-12-31", "--home", PACK],
                              stdout=subprocess.PIPE) as process:
            while chunk := process.stdout.read(1 << 20):
                text = tail + chunk  # whole lines are counted, the unfinished one waits
                end = text.rfind(b"\r\n") + 2 if b"\r\n" in text else 0
                events += text[:end].count(marker)
                tail = text[end:]
        self.assertEqual(process.returncode, 0)
        self.assertEqual(events, (datetime.date(2000, 1, 1) - datetime.date(1700, 1, 1)).days)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
