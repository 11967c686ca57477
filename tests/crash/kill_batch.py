#!/usr/bin/env python3
"""A batch that replaces every one of its outputs, killed outright (SIGKILL)
at many moments, from a seeded sequence: after a delay, once a number of its
temporaries are written, once a number are left to rename. After each kill
every output holds its old bytes or the whole of its new ones, byte for byte,
and nothing else is in the folder but the temporaries of the killed run.
    kill_batch.py TOOL [KILLS]"""
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

tool = sys.argv[1]
kills = int(sys.argv[2]) if len(sys.argv) > 2 else 60
here = os.path.dirname(os.path.abspath(__file__))
source = os.path.join(here, "..", "data", "files", "valid", "gradient_24bit_no_table.ico")
count = 400
depths = (1, 4, 8, 24)


def is_temporary(name):
    return (len(name) == 11 and name.startswith(".gs")
            and all(c.isdigit() or "a" <= c <= "z" for c in name[3:]))


def main():
    work = tempfile.mkdtemp(prefix="gs-kill-")
    try:
        return run(work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


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
    old = {n: kinds[i % 4] for i, n in enumerate(names)}

    def put_back(n):
        path = os.path.join(out, n + ".bmp")
        with open(path, "rb") as f:
            if f.read() == old[n]:
                return
        with open(path, "wb") as f:
            f.write(old[n])

    def restore():
        for name in os.listdir(out):
            if is_temporary(name):
                os.unlink(os.path.join(out, name))
        # A disk that discards freed blocks makes each rewrite wait: a few at once.
        with ThreadPoolExecutor(8) as pool:
            list(pool.map(put_back, names))

    def wait_for(proc, enough):
        while proc.poll() is None:
            if enough(sum(1 for name in os.listdir(out) if is_temporary(name))):
                return

    def outputs():
        got = {}
        for name in os.listdir(out):
            if is_temporary(name):
                continue
            with open(os.path.join(out, name), "rb") as f:
                got[name] = f.read()
        return got

    for n in names:
        with open(os.path.join(out, n + ".bmp"), "wb") as f:
            f.write(old[n])
    # One whole run gives the new bytes and the length of a run.
    start = time.monotonic()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL)
    whole = time.monotonic() - start
    new = {n: v for n, v in ((n, outputs()[n + ".bmp"]) for n in names)}
    if any(new[n] == old[n] for n in names):
        print("FAIL: the batch did not replace every output")
        return 1

    rng = random.Random(20261207)
    failed, counts = set(), {"none": 0, "some": 0, "all": 0}
    for k in range(kills):
        restore()
        # A third at a delay over the whole run; a third once a number of
        # temporaries are written; a third once that many are left to rename.
        proc = subprocess.Popen(command, stderr=subprocess.DEVNULL)
        if k % 3 == 0:
            delay = rng.uniform(0.0, 1.0) * whole
            time.sleep(delay)
            moment = f"after {delay * 1000:.1f} ms"
        elif k % 3 == 1:
            written = rng.randint(1, count)
            wait_for(proc, lambda t: t >= written)
            moment = f"with {written} temporaries written"
        else:
            left = rng.randint(0, count - 1)
            wait_for(proc, lambda t: t >= count)
            wait_for(proc, lambda t: t <= left)
            moment = f"with {left} renames left"
        proc.send_signal(signal.SIGKILL)
        proc.wait()
        got = outputs()
        extra = sorted(set(got) - {n + ".bmp" for n in names})
        if extra:
            print(f"FAIL: kill {k} {moment} left {extra[:5]}")
            failed.add(k)
        replaced = 0
        for n in names:
            bytes_ = got.get(n + ".bmp")
            if bytes_ == new[n]:
                replaced += 1
            elif bytes_ != old[n]:
                what = "missing" if bytes_ is None else f"{len(bytes_)} bytes, neither old nor new"
                print(f"FAIL: kill {k} {moment}: {n}.bmp {what}")
                failed.add(k)
        counts["none" if replaced == 0 else "all" if replaced == count else "some"] += 1
    print(f"{kills} kills of a {whole * 1000:.0f} ms batch of {count} replaced files: "
          f"{counts['none']} with no output replaced yet, {counts['some']} with some, "
          f"{counts['all']} with all")
    # What the kills left does not stop the next run.
    restore()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL)
    whole_again = outputs() == {n + ".bmp": new[n] for n in names}
    if not whole_again:
        print("FAIL: a whole run after the kills")
    print(f"{kills - len(failed)} passed, {len(failed)} failed")
    return 0 if whole_again and not failed else 1


sys.exit(main())
