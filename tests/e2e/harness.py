# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""What every end-to-end session and road shares: how a check fails, how a
road says the machine cannot take it, and the bounded wait.

Every wait polls with a bound; nothing relies on a fixed sleep alone, so a
loaded machine only makes the tests slower. Standard library only: the
screen reader's side (a11y_tree.py) runs it under the system's python3.
"""

import time

# Generous: a shared two-core machine can stall a process for seconds.
WAIT = 30.0


class Failure(AssertionError):
    pass


class Skip(Exception):
    """A road that this machine cannot take, and why."""


def wait_for(predicate, what, timeout=WAIT, ignoring=()):
    """Polls predicate() until it returns a true value, which is returned.
    An exception of `ignoring` counts as a false value."""
    deadline = time.monotonic() + timeout
    interval = 0.05
    while True:
        try:
            value = predicate()
        except ignoring:
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"délai dépassé ({timeout:.0f} s) en attendant : {what}")
        time.sleep(interval)
        interval = min(interval * 1.5, 0.5)


def wait_for_quietly(predicate, timeout):
    """Like wait_for, but gives False instead of failing."""
    try:
        return wait_for(predicate, "", timeout)
    except Failure:
        return False


def check(condition, what):
    if not condition:
        raise Failure(what)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}\n  obtenu  : {actual!r}\n  attendu : {expected!r}")
