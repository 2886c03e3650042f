#!/usr/bin/env python3
"""Writes the hand-made seeds of timer_window_fuzz into corpus/timer_window_fuzz/.

FuzzedDataProvider takes integers from the end of the input, one byte each
for the small ranges the target asks for, so a script of choices is written
reversed. A range of one value reads no byte: with a single usable button the
click takes no index. Run it again whenever the target changes how it decodes
its input; the numbers below follow its switch cases and word lists.
"""
from pathlib import Path

TYPE, LIST, CLICK, ENTER, TICK, CLOCK, MOUSE, ANSWER, FAIL, MISC, REFUSE, JUMP, ENDING = (
    0, 1, 2, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14)


def small(field, value):  # paste 0..3 into Text1..Text4 (field 0..3)
    return [TYPE, field, 2, value, 0]


def word(field, index):  # paste kTexts[index]: 0 "0", 5 "24", 8 "1,5", 27 "3651"
    return [TYPE, field, 3, index, 0]


def combo(which, index):  # kActions[index] into Combo1, or kRunModes[index] into Combo2
    return [LIST, 1 if which == 1 else 0, 3, index]


def click(index):  # index among the buttons a user could press, in Command1..7 order
    return [CLICK, index]


def ticks(count):
    return [TICK, count - 1] + [1] * count


def stall(ms):  # up to 5 s: a bool, then ms - 1 in two bytes
    return [JUMP, 1, (ms - 1) >> 8, (ms - 1) & 0xFF]


def sleep(ms):  # up to 10 000 s: a bool, then ms - 1 in three bytes
    return [JUMP, 0] + list((ms - 1).to_bytes(3, 'big'))


def ending(code, after, never=0):  # code 0, 5, 1116, 1190 and after 0, 300, 1500, 20000 ms by index
    return [ENDING, code, after, never]


HELP = [MOUSE, 1, 1]  # right button, item "help"

# Each starts with the decimal separator ("." 0, "," 1) and the time of day.
SCENARIOS = {
    'hour-borrow': [0, 10, 0, 0] + small(1, 1) + small(2, 0) + click(0) + ticks(3),
    'day-borrow': [0, 10, 0, 0] + small(0, 1) + small(2, 0) + click(0) + ticks(3),
    'foreground-logoff': [0, 10, 0, 0] + click(1) + combo(2, 1) + combo(1, 3) + small(2, 0) + small(3, 3)
    + click(0) + ticks(5) + click(1) * 3 + click(0) + [ENTER] + ticks(2),
    'schedule-cancel': [0, 23, 59, 0] + click(2) + small(0, 1) + small(1, 0) + [ENTER] + [CLICK]
    + click(1) * 3 + click(0) + click(3) + HELP,
    'invalid-time-comma': [1, 12, 0, 0] + click(2) + word(1, 5) + word(2, 8) + click(1) + HELP,
    'failing-commands': [0, 8, 30, 0] + [FAIL] + click(0) + [FAIL] + [MISC, 1, 2] + click(0) + HELP
    + ticks(2) + [MISC, 0],
    'stall-then-sleep-past-deadline': [0, 10, 0, 0] + click(0) + ticks(2) + stall(2999) + sleep(3_600_000),
    'refused-timer': [0, 10, 0, 0] + [REFUSE] + click(0) + [REFUSE] + click(0) + ticks(1) + [REFUSE] + ticks(1),
    'windows-refuses': [0, 10, 0, 0] + ending(3, 2) + click(0) + ticks(3) + click(1) + click(2) * 3 + click(0)
    + ending(1, 0) + click(0) + ending(2, 1) + click(0) + ticks(1),
    'refused-starts': [0, 9, 0, 0] + combo(1, 5) + click(0) + combo(1, 0) + word(0, 27) + click(0)
    + word(0, 0) + [ENTER] + ticks(2),
}

if __name__ == '__main__':
    folder = Path(__file__).resolve().parent / 'corpus' / 'timer_window_fuzz'
    folder.mkdir(parents=True, exist_ok=True)
    for name, choices in SCENARIOS.items():
        (folder / name).write_bytes(bytes(reversed(choices)))
