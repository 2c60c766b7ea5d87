"""What the AT-SPI checks share: every node below one, and a check given a
few seconds, as a program tells its news as it gets round to it."""
import time


def walk(node):
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i))


def within_seconds(check, seconds=5):
    tries = int(seconds / 0.25)
    for attempt in range(tries):
        try:
            return check()
        except AssertionError:
            if attempt == tries - 1:
                raise
            time.sleep(0.25)
