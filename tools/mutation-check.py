#!/usr/bin/env python3
"""Mutation check: plants one small fault at a time in the source and asks whether the test
suite notices.

Each mutant of tools/mutants.txt is applied to its file, the configured build folder is rebuilt
and the suite is run. A mutant is "caught" when any test fails or times out, "SURVIVED" when the
whole suite passes with the fault in place, "stillborn" when it does not compile (not counted),
and "not applicable" when its text is not found exactly once (not counted). The file is always
put back byte for byte, also after Ctrl-C or a kill with SIGTERM.

Run by hand, not in CI: every mutant is an incremental build plus the suite.
"""

from __future__ import annotations

import argparse
import dataclasses
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_MUTANTS = ROOT / "tools" / "mutants.txt"
DEFAULT_EXCLUDE = "^packaging_"

CAUGHT = "caught"
SURVIVED = "SURVIVED"
STILLBORN = "stillborn"
NOT_APPLICABLE = "not applicable"


@dataclasses.dataclass
class Mutant:
    area: str
    ident: str
    description: str
    line: int  # where its header stands in the list
    file: str = ""
    find: str | None = None
    into: str | None = None


class ListError(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# The mutant list
# ---------------------------------------------------------------------------------------------

HEADER = re.compile(r"^\[([A-Za-z][\w-]*)\]\s+([A-Za-z]\w*)\s+(\S.*)$")
KEY = re.compile(r"^(file|find|into):(?: (.*))?$")
CONTINUATION = re.compile(r"^\s+\|(?: (.*))?$")


def parse_mutants(path: Path) -> list[Mutant]:
    """Reads the list. A mutant is a header line "[area] ID description" followed by the keys
    file:, find: and into:. A find or into text goes on over the following lines that start
    with blanks and "|" (one blank after the bar is dropped, the rest kept as written). An
    empty into: deletes the found text. Lines starting with "#" and blank lines are ignored."""
    mutants: list[Mutant] = []
    current: Mutant | None = None
    last_key: str | None = None
    seen: dict[str, int] = {}

    def finish(m: Mutant | None) -> None:
        if m is None:
            return
        if not m.file:
            raise ListError(f"{path}:{m.line}: mutant {m.ident} has no 'file:'")
        if not m.find:
            raise ListError(f"{path}:{m.line}: mutant {m.ident} has no 'find:' text")
        if m.into is None:
            raise ListError(f"{path}:{m.line}: mutant {m.ident} has no 'into:' (leave it empty to delete)")
        if m.find == m.into:
            raise ListError(f"{path}:{m.line}: mutant {m.ident} changes nothing")
        mutants.append(m)

    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        line = raw.rstrip()
        if not line or line.lstrip().startswith("#"):
            if not line:
                last_key = None
            continue
        header = HEADER.match(line)
        if header:
            finish(current)
            area, ident, description = header.groups()
            if ident in seen:
                raise ListError(f"{path}:{number}: id {ident} already used on line {seen[ident]}")
            seen[ident] = number
            current = Mutant(area, ident, description.strip(), number)
            last_key = None
            continue
        if current is None:
            raise ListError(f"{path}:{number}: text before the first mutant header: {line!r}")
        cont = CONTINUATION.match(raw.rstrip("\r\n"))
        if cont and last_key in ("find", "into"):
            setattr(current, last_key, getattr(current, last_key) + "\n" + (cont.group(1) or ""))
            continue
        key = KEY.match(line)
        if not key:
            raise ListError(f"{path}:{number}: expected 'file:', 'find:', 'into:' or '  | ...': {line!r}")
        name, value = key.group(1), key.group(2) or ""
        if (current.file if name == "file" else getattr(current, name) is not None):
            raise ListError(f"{path}:{number}: second '{name}:' in mutant {current.ident}")
        setattr(current, name, value)
        last_key = name
    finish(current)
    return mutants


# ---------------------------------------------------------------------------------------------
# The source tree
# ---------------------------------------------------------------------------------------------


def git(*args: str) -> subprocess.CompletedProcess:
    return subprocess.run(["git", "-C", str(ROOT), *args], capture_output=True, text=True)


def dirty_files(files: list[str]) -> list[str]:
    """Those of `files` that differ from the last commit, in the index or the working tree."""
    if not files:
        return []
    result = git("diff", "--name-only", "HEAD", "--", *files)
    if result.returncode != 0:
        raise SystemExit(f"mutation-check: git diff failed: {result.stderr.strip()}")
    return [f for f in result.stdout.splitlines() if f]


def digest(path: Path) -> str:
    return hashlib.sha256(path.read_bytes()).hexdigest()


def occurrences(m: Mutant) -> int:
    path = ROOT / m.file
    if not path.is_file():
        return 0
    return path.read_bytes().count(m.find.encode("utf-8"))


class Pending:
    """A note in the build folder naming the file that is mutated right now, with a copy of its
    original bytes: a run killed with SIGKILL or a power cut leaves a way back."""

    def __init__(self, build_dir: Path) -> None:
        self.folder = build_dir / "mutation-check"
        self.note = self.folder / "pending.txt"
        self.copy = self.folder / "pending.orig"

    def check_clear(self) -> None:
        if self.note.exists():
            name = self.note.read_text(encoding="utf-8").strip()
            raise SystemExit(
                f"mutation-check: an earlier run was stopped while {name} was mutated.\n"
                f"  Its original bytes are in {self.copy}; put them back (or 'git checkout -- {name}'),\n"
                f"  then delete {self.note}.")

    def begin(self, relative: str, original: bytes) -> None:
        self.folder.mkdir(parents=True, exist_ok=True)
        self.copy.write_bytes(original)
        self.note.write_text(relative + "\n", encoding="utf-8")

    def end(self) -> None:
        self.note.unlink(missing_ok=True)
        self.copy.unlink(missing_ok=True)


def restore(path: Path, original: bytes, mutated_mtime: float) -> None:
    path.write_bytes(original)
    # The build must see the file as newer than the objects built from the mutant.
    now = max(time.time(), mutated_mtime + 1.0)
    os.utime(path, (now, now))
    if path.read_bytes() != original:
        raise RuntimeError(f"{path} could not be restored")


# ---------------------------------------------------------------------------------------------
# Build and suite
# ---------------------------------------------------------------------------------------------


@dataclasses.dataclass
class Settings:
    build_dir: Path
    jobs: int
    timeout: int
    exclude: str
    keep_going: bool
    logs: Path


def end_group(process: subprocess.Popen) -> None:
    """Ends what is left of the process group of `process`, started by this script, and waits
    until it is gone: a compiler still running after its build was stopped could otherwise write
    an object from the mutant after the file was restored, and the next build would take that
    object as current."""
    group = process.pid
    for sig in (signal.SIGTERM, signal.SIGKILL):
        deadline = time.monotonic() + 10.0
        try:
            os.killpg(group, sig)
            while time.monotonic() < deadline:
                process.poll()  # a leader that is not reaped still counts as a member
                os.killpg(group, 0)
                time.sleep(0.05)
        except ProcessLookupError:
            break
    process.wait()


def run_logged(command: list[str], log: Path, env: dict[str, str] | None = None) -> int:
    """Runs `command` in a process group of its own, output into `log`. When this script is
    interrupted the whole group is ended before the interruption goes on."""
    with log.open("w", encoding="utf-8", errors="replace") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, env=env,
                                   start_new_session=True)
        try:
            code = process.wait()
        except BaseException:
            end_group(process)
            raise
        end_group(process)  # anything a test left running
        return code


def build(s: Settings, log: Path) -> bool:
    return run_logged(["cmake", "--build", str(s.build_dir), f"-j{s.jobs}"], log) == 0


FAILED_LINE = re.compile(r"^\s*\d+\s+-\s+(\S+)\s+\((.+)\)\s*$")


def run_suite(s: Settings, log: Path) -> tuple[bool, list[str]]:
    """True when every test passed; the failing tests otherwise, as ctest names them."""
    command = ["ctest", "--test-dir", str(s.build_dir), f"-j{s.jobs}", "--timeout", str(s.timeout)]
    if s.exclude:
        command += ["-E", s.exclude]
    if not s.keep_going:
        command.append("--stop-on-failure")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    code = run_logged(command, log, env)
    text = log.read_text(encoding="utf-8", errors="replace")
    failed: list[str] = []
    if "The following tests FAILED:" in text:
        for line in text.split("The following tests FAILED:", 1)[1].splitlines():
            match = FAILED_LINE.match(line)
            if match:
                failed.append(f"{match.group(1)} ({match.group(2)})")
    if "No tests were found" in text:
        raise SystemExit(f"mutation-check: ctest found no tests in {s.build_dir} (see {log})")
    if code != 0 and not failed:
        # Stopped on the first failure, or a crash of ctest itself: the suite did not pass.
        failed.append("(see " + str(log) + ")")
    return code == 0, failed


# ---------------------------------------------------------------------------------------------
# One mutant
# ---------------------------------------------------------------------------------------------


@dataclasses.dataclass
class Outcome:
    mutant: Mutant
    verdict: str
    detail: str = ""
    seconds: float = 0.0


def try_mutant(m: Mutant, s: Settings, pending: Pending) -> Outcome:
    started = time.monotonic()
    count = occurrences(m)
    if count != 1:
        where = "file not found" if not (ROOT / m.file).is_file() else f"text found {count} times"
        return Outcome(m, NOT_APPLICABLE, where)
    path = ROOT / m.file
    original = path.read_bytes()
    mutated = original.replace(m.find.encode("utf-8"), m.into.encode("utf-8"), 1)
    pending.begin(m.file, original)
    mutated_mtime = time.time()
    try:
        path.write_bytes(mutated)
        mutated_mtime = path.stat().st_mtime
        if not build(s, s.logs / f"{m.ident}.build.log"):
            return Outcome(m, STILLBORN, "does not compile", time.monotonic() - started)
        passed, failed = run_suite(s, s.logs / f"{m.ident}.test.log")
    finally:
        # A second Ctrl-C or kill must not cut the restoring short.
        previous = {sig: signal.signal(sig, signal.SIG_IGN) for sig in (signal.SIGINT, signal.SIGTERM)}
        try:
            restore(path, original, mutated_mtime)
            pending.end()
        finally:
            for sig, handler in previous.items():
                signal.signal(sig, handler)
    if passed:
        return Outcome(m, SURVIVED, "", time.monotonic() - started)
    more = f" (+{len(failed) - 1})" if len(failed) > 1 else ""
    return Outcome(m, CAUGHT, "by " + failed[0] + more, time.monotonic() - started)


# ---------------------------------------------------------------------------------------------
# Reporting
# ---------------------------------------------------------------------------------------------


def line_for(o: Outcome, width_id: int, width_area: int) -> str:
    text = f"{o.mutant.ident:<{width_id}}  {o.mutant.area:<{width_area}}  {o.verdict:<14}  {o.mutant.description}"
    if o.detail:
        text += f"   [{o.detail}]"
    return text


def score_text(caught: int, counted: int) -> str:
    if counted == 0:
        return "no counted mutant"
    return f"{caught} caught of {counted} ({100.0 * caught / counted:.1f}%)"


def summary(outcomes: list[Outcome], areas: list[str]) -> str:
    out = []
    counted = [o for o in outcomes if o.verdict in (CAUGHT, SURVIVED)]
    caught = [o for o in counted if o.verdict == CAUGHT]
    out.append("")
    out.append(f"Score: {score_text(len(caught), len(counted))}"
               f"   (stillborn {sum(o.verdict == STILLBORN for o in outcomes)},"
               f" not applicable {sum(o.verdict == NOT_APPLICABLE for o in outcomes)})")
    for area in areas:
        in_area = [o for o in counted if o.mutant.area == area]
        if not any(o.mutant.area == area for o in outcomes):
            continue
        out.append(f"  {area:<12} {score_text(sum(o.verdict == CAUGHT for o in in_area), len(in_area))}")
    survivors = [o for o in outcomes if o.verdict == SURVIVED]
    if survivors:
        out.append("Survivors:")
        for o in survivors:
            out.append(f"  {o.mutant.ident} [{o.mutant.area}] {o.mutant.description} ({o.mutant.file})")
    skipped = [o for o in outcomes if o.verdict in (STILLBORN, NOT_APPLICABLE)]
    if skipped:
        out.append("Not counted:")
        for o in skipped:
            out.append(f"  {o.mutant.ident} [{o.mutant.area}] {o.verdict}: {o.detail} ({o.mutant.file})")
    return "\n".join(out)


# ---------------------------------------------------------------------------------------------
# Main
# ---------------------------------------------------------------------------------------------


def select(mutants: list[Mutant], only: list[str]) -> list[Mutant]:
    if not only:
        return mutants
    wanted = {w.strip() for item in only for w in item.split(",") if w.strip()}
    known = {m.ident for m in mutants} | {m.area for m in mutants}
    unknown = sorted(wanted - known)
    if unknown:
        raise SystemExit(f"mutation-check: no mutant or area called {', '.join(unknown)}")
    return [m for m in mutants if m.ident in wanted or m.area in wanted]


def check_build_dir(build_dir: Path) -> None:
    cache = build_dir / "CMakeCache.txt"
    if not cache.is_file():
        raise SystemExit(f"mutation-check: {build_dir} is no configured build folder (no CMakeCache.txt);\n"
                         f"  configure it first, e.g. cmake -S {ROOT} -B {build_dir} -G Ninja")
    for line in cache.read_text(encoding="utf-8", errors="replace").splitlines():
        if line.startswith("CMAKE_HOME_DIRECTORY:"):
            home = Path(line.split("=", 1)[1]).resolve()
            if home != ROOT:
                raise SystemExit(f"mutation-check: {build_dir} builds {home}, not {ROOT}")


def on_sigterm(signum, frame):  # noqa: ARG001
    raise KeyboardInterrupt


def main() -> int:
    parser = argparse.ArgumentParser(
        description="Apply each mutant of the list, rebuild, run the suite, restore the file.")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build",
                        help="an already configured build folder of this tree (default: build)")
    parser.add_argument("--mutants", type=Path, default=DEFAULT_MUTANTS, help="the mutant list")
    parser.add_argument("--list", action="store_true",
                        help="list the mutants and whether each applies; build and run nothing")
    parser.add_argument("--only", action="append", default=[], metavar="ID|AREA",
                        help="only these mutants or areas (repeat, or separate with commas)")
    parser.add_argument("--keep-going", action="store_true",
                        help="run the whole suite for every mutant and name every test that fails "
                             "(default: stop the suite at the first failing test)")
    parser.add_argument("--exclude", default=DEFAULT_EXCLUDE,
                        help=f"ctest -E pattern of tests left out (default: '{DEFAULT_EXCLUDE}', "
                             "the install and lintian checks; '' runs everything)")
    parser.add_argument("--jobs", type=int, default=2, help="parallel jobs of build and ctest (default 2)")
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test (default 120)")
    parser.add_argument("--no-baseline", action="store_true",
                        help="skip building and running the unmutated tree first")
    args = parser.parse_args()

    try:
        mutants = select(parse_mutants(args.mutants), args.only)
    except ListError as e:
        print(f"mutation-check: {e}", file=sys.stderr)
        return 2
    areas = list(dict.fromkeys(m.area for m in mutants))
    width_id = max((len(m.ident) for m in mutants), default=3)
    width_area = max((len(a) for a in areas), default=6)

    if args.list:
        for m in mutants:
            n = occurrences(m)
            state = "applies" if n == 1 else NOT_APPLICABLE + (f" (found {n} times)" if n else " (not found)")
            print(f"{m.ident:<{width_id}}  {m.area:<{width_area}}  {m.file:<34} {state:<14}  {m.description}")
        print(f"\n{len(mutants)} mutants in {len(areas)} areas: " +
              ", ".join(f"{a} {sum(m.area == a for m in mutants)}" for a in areas))
        return 0

    build_dir = args.build_dir.resolve()
    check_build_dir(build_dir)
    pending = Pending(build_dir)
    pending.check_clear()
    files = sorted({m.file for m in mutants if (ROOT / m.file).is_file()})
    dirty = dirty_files(files)
    if dirty:
        print("mutation-check: these files differ from the last commit; commit or stash them first:\n  " +
              "\n  ".join(dirty), file=sys.stderr)
        return 2
    before = {f: digest(ROOT / f) for f in files}

    logs = build_dir / "mutation-check" / "logs"
    shutil.rmtree(logs, ignore_errors=True)
    logs.mkdir(parents=True)
    settings = Settings(build_dir, args.jobs, args.timeout, args.exclude, args.keep_going, logs)
    # Also when started in the background, where a shell leaves SIGINT ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_sigterm)

    print(f"mutation-check: {len(mutants)} mutants, tree {ROOT}, build {build_dir}", flush=True)
    head = git("rev-parse", "--short", "HEAD").stdout.strip()
    print(f"commit {head}, {time.strftime('%Y-%m-%d %H:%M')}, logs in {logs}", flush=True)

    outcomes: list[Outcome] = []
    interrupted = False
    started = time.monotonic()
    try:
        if not args.no_baseline:
            if not build(settings, logs / "baseline.build.log"):
                print(f"mutation-check: the unmutated tree does not build (see {logs / 'baseline.build.log'})",
                      file=sys.stderr)
                return 2
            passed, failed = run_suite(settings, logs / "baseline.test.log")
            if not passed:
                print("mutation-check: the suite fails without any mutant, so no mutant would mean anything:\n  " +
                      "\n  ".join(failed), file=sys.stderr)
                return 2
            print(f"baseline: build and suite pass ({time.monotonic() - started:.0f} s)\n", flush=True)
        for m in mutants:
            o = try_mutant(m, settings, pending)
            outcomes.append(o)
            print(line_for(o, width_id, width_area) + (f"   {o.seconds:.0f} s" if o.seconds else ""),
                  flush=True)
    except KeyboardInterrupt:
        interrupted = True
        print("\nmutation-check: interrupted; the mutated file has been restored.", flush=True)
    finally:
        changed = [f for f in files if digest(ROOT / f) != before[f]]
        still_dirty = dirty_files(files)

    print(summary(outcomes, areas))
    print(f"\n{len(outcomes)} of {len(mutants)} mutants tried in {(time.monotonic() - started) / 60:.1f} min")
    if changed or still_dirty:
        print("mutation-check: THE SOURCE TREE IS NOT AS IT WAS: " + ", ".join(sorted(set(changed + still_dirty))),
              file=sys.stderr)
        return 1
    print("source tree unchanged (git diff --quiet holds for every mutated file)")
    if not interrupted and outcomes:
        # Leave the build folder built from the source as it stands.
        if not build(settings, logs / "final.build.log"):
            print(f"mutation-check: the final rebuild failed (see {logs / 'final.build.log'})", file=sys.stderr)
            return 1
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
