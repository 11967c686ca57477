#!/usr/bin/env python3
"""Batches stopped at many moments, from a seeded sequence: after a delay,
once a number of their files are written, once a number are left to rename.

- Killed outright (SIGKILL), batches that replace their outputs and batches
  that write new ones: every output is absent, its old bytes or the whole of
  its new ones, never anything else; the next run (a batch of one other file
  into the same folder) leaves nothing in the folder but the outputs.
- The same on a file system without unnamed files (O_TMPFILE refused by the
  preloaded SHIM), where new outputs go through temporaries.
- Interrupted (SIGINT, SIGTERM): exit status 130, nothing torn and nothing
  left at once, and the summary's counts and list of outputs not replaced
  match the folder. Stopped twice (ended at once): nothing torn or left.
- Interrupted while it waits for the next name of its list, with a group of
  replacements written: each is listed as not replaced and keeps its old file.
The verdict never depends on timing: only the moments are random.
    kill_batch.py TOOL SHIM [KILLS]"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

tool, shim = sys.argv[1], sys.argv[2]
kills = int(sys.argv[3]) if len(sys.argv) > 3 else 60
here = os.path.dirname(os.path.abspath(__file__))
source = os.path.join(here, "..", "data", "files", "valid", "gradient_24bit_no_table.ico")
count = 200
depths = (1, 4, 8, 24)
rng = random.Random(20261208)
failures = []


def fail(message):
    print("FAIL: " + message)
    failures.append(message)


def main():
    # A tmpfs where there is one: its flushes cost nothing, so a run is short.
    base = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    work = tempfile.mkdtemp(prefix="gs-kill-", dir=base)
    try:
        run(work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


def run(work):
    inputs, out = os.path.join(work, "in"), os.path.join(work, "out")
    os.mkdir(inputs)
    os.mkdir(out)
    # Four icons of other depths (so BMPs of four sizes); the old outputs are
    # the icons themselves, the new ones their BMPs.
    kinds = []
    for d in depths:
        path = os.path.join(work, f"k{d}.ico")
        subprocess.run([tool, "convert", source, path, "--depth", str(d)], check=True)
        with open(path, "rb") as f:
            kinds.append(f.read())
    names = [f"i{i}" for i in range(count)]
    for i, name in enumerate(names):
        with open(os.path.join(inputs, name + ".ico"), "wb") as f:
            f.write(kinds[i % 4])
    listing = os.path.join(work, "list")
    with open(listing, "w") as f:
        f.write("".join(os.path.join(inputs, n + ".ico") + "\n" for n in names))
    command = [tool, "convert", "--out-dir", out, "--files-from", listing]
    probe_in = os.path.join(work, "probe.ico")
    shutil.copy(os.path.join(work, "k8.ico"), probe_in)
    probe = [tool, "convert", "--out-dir", out, probe_in]
    outputs_named = {n + ".bmp" for n in names}
    old = {n + ".bmp": kinds[i % 4] for i, n in enumerate(names)}

    def contents():
        got = {}
        for name in os.listdir(out):
            with open(os.path.join(out, name), "rb") as f:
                got[name] = f.read()
        return got

    def start_over(replacing):
        for name in os.listdir(out):
            os.unlink(os.path.join(out, name))
        if replacing:
            for name, data in old.items():
                with open(os.path.join(out, name), "wb") as f:
                    f.write(data)

    # One whole run gives the new bytes and the length of a run.
    start_over(False)
    begin = time.monotonic()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL)
    whole = time.monotonic() - begin
    new = contents()
    if set(new) != outputs_named or any(new[n] == old[n] for n in new):
        fail("a whole run did not write every output")
        return

    def stop_at_random(proc, k, sig):
        """Sends sig at the k-th moment of the seeded sequence; says when."""
        def wait_for(enough):
            while proc.poll() is None:
                if enough(len(os.listdir(out))):
                    return

        if k % 3 == 0:
            delay = rng.uniform(0.0, 1.0) * whole
            time.sleep(delay)
            moment = f"after {delay * 1000:.1f} ms"
        elif k % 3 == 1:
            written = rng.randint(1, count)
            # Replacing: old outputs and temporaries; new: outputs (and temporaries).
            wait_for(lambda n: n >= written + (count if proc.replacing else 0))
            moment = f"with {written} files written"
        else:
            left = rng.randint(0, count - 1)
            if proc.replacing:  # every temporary written, then renamed down to `left`
                wait_for(lambda n: n >= 2 * count)
                wait_for(lambda n: n <= count + left)
                moment = f"with {left} renames left"
            else:
                wait_for(lambda n: n >= count - left)
                moment = f"with {left} files left"
        proc.send_signal(sig)
        return moment

    def check_outputs(what, replacing, allow_temporaries):
        """Each output absent, old or new whole; returns those new and those old."""
        got = contents()
        replaced, kept = set(), set()
        for name, data in got.items():
            if name in outputs_named:
                if data == new[name]:
                    replaced.add(name)
                elif replacing and data == old[name]:
                    kept.add(name)
                else:
                    fail(f"{what}: {name} torn ({len(data)} bytes, neither old nor new)")
            elif name == "probe.bmp":
                continue
            elif not (allow_temporaries and name.startswith(".gs")):
                fail(f"{what}: left {name}")
        if replacing and len(replaced) + len(kept) != count:
            fail(f"{what}: {count - len(replaced) - len(kept)} outputs missing")
        return replaced, kept

    def killed_runs(label, kills_here, replacing, env):
        tally = {"none": 0, "some": 0, "all": 0}
        for k in range(kills_here):
            start_over(replacing)
            proc = subprocess.Popen(command, stderr=subprocess.DEVNULL, env=env)
            proc.replacing = replacing
            moment = stop_at_random(proc, k, signal.SIGKILL)
            proc.wait()
            what = f"{label} kill {k} {moment}"
            replaced, _ = check_outputs(what, replacing, allow_temporaries=True)
            tally["none" if not replaced else "all" if len(replaced) == count else "some"] += 1
            # The next run removes what the killed one left, at once.
            subprocess.run(probe, check=True, stderr=subprocess.DEVNULL, env=env)
            stray = sorted(set(os.listdir(out)) - outputs_named - {"probe.bmp"})
            if stray:
                fail(f"{what}: the next run left {stray[:3]} ({len(stray)})")
        print(f"{label}: {kills_here} kills of a batch of {count} files: "
              f"{tally['none']} with none written, {tally['some']} with some, {tally['all']} with all")

    def stopped_twice(label, runs, replacing):
        """A second signal ends the run at once: its temporaries go with it."""
        for k in range(runs):
            start_over(replacing)
            proc = subprocess.Popen(command, stderr=subprocess.DEVNULL)
            proc.replacing = replacing
            # Two signals, not one sent twice, which could merge into one.
            moment = stop_at_random(proc, k, signal.SIGTERM)
            proc.send_signal(signal.SIGINT)
            proc.wait()
            check_outputs(f"{label} stopped twice {k} {moment}", replacing, allow_temporaries=False)
        print(f"{label}: {runs} batches stopped twice")

    def interrupted_runs(label, runs, replacing):
        for k in range(runs):
            start_over(replacing)
            proc = subprocess.Popen(command, stderr=subprocess.PIPE, text=True)
            proc.replacing = replacing
            sig = signal.SIGINT if k % 2 == 0 else signal.SIGTERM
            moment = stop_at_random(proc, k, sig)
            _, err = proc.communicate()
            what = f"{label} {signal.Signals(sig).name} {k} {moment}"
            replaced, kept = check_outputs(what, replacing, allow_temporaries=False)
            if proc.returncode == 0 and len(replaced) == count:
                continue  # the signal came after the end
            if proc.returncode == -sig and not replaced and len(kept) == (count if replacing else 0):
                continue  # or before the batch began
            if proc.returncode != 130:
                fail(f"{what}: exit status {proc.returncode}")
                continue
            summary = re.search(r"^interrupted after ([\d,]+) files?: ([\d,]+) written, "
                                r"([\d,]+) failed, ([\d,]+) not replaced$", err, re.M)
            listed = {os.path.basename(p) for p in
                      re.findall(r"^glyphsmith-tool: (.*): not replaced \(interrupted\)$", err, re.M)}
            if not summary:
                fail(f"{what}: no summary in {err[-300:]!r}")
                continue
            seen, written, failed, not_replaced = (int(g.replace(",", "")) for g in summary.groups())
            if written != len(replaced) or failed != 0 or not_replaced != len(listed):
                fail(f"{what}: summary {summary.group(0)!r}, {len(replaced)} outputs new, "
                     f"{len(listed)} listed")
            if not listed <= kept or seen != written + not_replaced:
                fail(f"{what}: listed outputs are not those kept")
        print(f"{label}: {runs} interrupted batches")

    plain = dict(os.environ)
    no_tmpfile = dict(os.environ, LD_PRELOAD=shim)
    per = max(kills // 4, 1)
    killed_runs("replacing", 2 * per, True, plain)
    killed_runs("new", 2 * per, False, plain)
    killed_runs("replacing without O_TMPFILE", per, True, no_tmpfile)
    killed_runs("new without O_TMPFILE", per, False, no_tmpfile)
    interrupted_runs("replacing", 6, True)
    interrupted_runs("new", 4, False)
    stopped_twice("replacing", 6, True)
    stopped_twice("new", 4, False)

    # Stopped while waiting for the list's next name: the replacements written
    # so far are dropped and listed, their old files kept.
    start_over(True)
    fifo = os.path.join(work, "fifo")
    os.mkfifo(fifo)
    proc = subprocess.Popen([tool, "convert", "--out-dir", out, "--files-from", fifo],
                            stderr=subprocess.PIPE, text=True)
    waiting = names[:37]
    with open(fifo, "w") as f:
        f.write("".join(os.path.join(inputs, n + ".ico") + "\n" for n in waiting))
        f.flush()
        while len(os.listdir(out)) < count + len(waiting) and proc.poll() is None:
            pass
        proc.send_signal(signal.SIGINT)
        _, err = proc.communicate()
    listed = sorted(re.findall(r"^glyphsmith-tool: .*/(i\d+\.bmp): not replaced \(interrupted\)$",
                               err, re.M))
    if proc.returncode != 130 or listed != sorted(n + ".bmp" for n in waiting):
        fail(f"waiting for its list: exit {proc.returncode}, stderr {err[-300:]!r}")
    if "interrupted after 37 files: 0 written, 0 failed, 37 not replaced\n" not in err:
        fail(f"waiting for its list: summary {err[-200:]!r}")
    if contents() != old:
        fail("waiting for its list: the old outputs changed or something was left")


sys.exit(main())
