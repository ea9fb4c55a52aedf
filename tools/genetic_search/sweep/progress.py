"""The line of counts that a sweep shows on a terminal while its jobs run,
whichever way they run; off a terminal it shows nothing."""
import sys

from .judge import judge


class Tally:
    """The pending settings' counts: done (done or refused, as their folders
    show once their jobs ended), running, waiting and failed."""

    def __init__(self, out, pending, stats, stream=None):
        self.out, self.stats = out, stats
        self.pending = {setting.folder: setting for setting in pending}
        self.stream = stream or sys.stderr
        self.shown = self.stream.isatty()
        self.verdicts = {}  # folder: whether it ended done or refused
        self.line = ""

    def update(self, running, ended):
        """Shows the counts, given how many jobs run and the folders whose
        jobs ended."""
        if not self.shown:
            return
        for folder in set(ended) - set(self.verdicts):
            outcome = judge(self.out, self.pending[folder], self.stats).outcome
            self.verdicts[folder] = outcome != "failed"
        done = sum(self.verdicts.values())
        failed = len(self.verdicts) - done
        waiting = len(self.pending) - len(self.verdicts) - running
        line = f"{done} done, {running} running, {max(waiting, 0)} waiting, {failed} failed"
        if line != self.line:
            self.stream.write(f"\r{line}\x1b[K")
            self.stream.flush()
            self.line = line

    def close(self):
        """Takes the line away, before the summary."""
        if self.line:
            self.stream.write("\r\x1b[K")
            self.stream.flush()
            self.line = ""
