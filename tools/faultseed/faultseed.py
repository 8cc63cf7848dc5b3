#!/usr/bin/env python3
"""Seeds small faults into a scratch copy of the tree, one at a time, and
records which tests catch each.

For every fault of the list: the snippet is replaced in its file, the scratch
build is brought up to date, every GoogleTest program under build/tests runs
(directly, not through ctest), the file is put back. The result is a TSV line:
fault id, caught (yes / no / not applicable / build failed), failing tests.

The scratch copy is made from a git revision with `git archive`, so it never
touches a working tree anyone uses. It is kept between runs (its build too):
a second run over another revision rebuilds only what differs.

    tools/faultseed/faultseed.py --rev main --out /tmp/base.tsv
    tools/faultseed/faultseed.py --rev leaner --only E01,T03 --out -
    tools/faultseed/faultseed.py --keep-tree --tests-rev leaner --first --out after.tsv

--first stops a fault's run at the first failing program (programs run
quickest first): enough to tell caught from missed, at a fraction of the time.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))


def read_faults(path):
    """id, file, original, replacement, description: one fault a line,
    tab-separated; '#' lines and blank lines are ignored. Snippets are taken
    literally (no escapes) and must stand exactly once in their file."""
    faults = []
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        parts = line.split("\t")
        if len(parts) != 5:
            sys.exit(f"{path}:{number}: want 5 tab-separated fields, got {len(parts)}")
        fid, file, original, replacement, what = parts
        faults.append(dict(id=fid, file=file, original=original,
                           replacement=replacement, what=what))
    return faults


def run(cmd, cwd=None, env=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)


def prepare_tree(rev, work):
    """Fills work/tree with the revision's files (build kept), all stamped
    now so the build sees every file that differs from its last state."""
    tree = os.path.join(work, "tree")
    os.makedirs(tree, exist_ok=True)
    for name in os.listdir(tree):
        if name != "build":
            p = os.path.join(tree, name)
            shutil.rmtree(p) if os.path.isdir(p) and not os.path.islink(p) else os.remove(p)
    archive = subprocess.Popen(["git", "-C", REPO, "archive", rev], stdout=subprocess.PIPE)
    subprocess.run(["tar", "-x", "-m", "-C", tree], stdin=archive.stdout, check=True)
    if archive.wait() != 0:
        sys.exit(f"git archive {rev} failed")
    return tree


def overlay_tests(rev, work):
    """Replaces the kept tree's tests/ by those of another revision: the same
    product code checked by another version of the tests."""
    tree = os.path.join(work, "tree")
    shutil.rmtree(os.path.join(tree, "tests"), ignore_errors=True)
    archive = subprocess.Popen(["git", "-C", REPO, "archive", rev, "tests"], stdout=subprocess.PIPE)
    subprocess.run(["tar", "-x", "-m", "-C", tree], stdin=archive.stdout, check=True)
    if archive.wait() != 0:
        sys.exit(f"git archive {rev} tests failed")
    return tree


def build_env():
    env = dict(os.environ)
    env.setdefault("CCACHE_DIR", "/work/.ccache")
    env.setdefault("CCACHE_BASEDIR", "/work")
    env["CCACHE_NOHASHDIR"] = "1"
    return env


def configure(tree, env):
    build = os.path.join(tree, "build")
    if os.path.exists(os.path.join(build, "build.ninja")):
        return build
    linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=mold"] if shutil.which("mold") else []
    r = run(["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
             "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
            + linker, env=env)
    if r.returncode != 0:
        sys.exit("configure failed:\n" + r.stdout[-3000:])
    return build


def build_all(build, env, jobs):
    return run(["nice", "-n", "10", "cmake", "--build", build, f"-j{jobs}"], env=env)


def test_programs(build):
    tests = os.path.join(build, "tests")
    return sorted(os.path.join(tests, f) for f in os.listdir(tests)
                  if f.startswith("test_") and os.access(os.path.join(tests, f), os.X_OK)
                  and os.path.isfile(os.path.join(tests, f)))


FAILED = re.compile(r"^\[  FAILED  \] (\S+)", re.M)


def run_tests(build, timeout, order=None, first=False, seconds=None):
    """Names of the failing tests (program:Suite.Test), or program:CRASH /
    program:TIMEOUT when a program ended without its verdicts. Programs run
    in `order` (names) when given; with `first`, the run stops after the
    first program that fails. `seconds` collects each program's time."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    programs = test_programs(build)
    if order:
        rank = {name: i for i, name in enumerate(order)}
        programs.sort(key=lambda p: rank.get(os.path.basename(p), -1))
    failing = []
    for prog in programs:
        name = os.path.basename(prog)
        start = time.time()
        try:
            r = run(["nice", "-n", "10", prog, "--gtest_brief=1"], cwd=os.path.dirname(prog),
                    env=env, timeout=timeout)
            names = sorted(set(m for m in FAILED.findall(r.stdout) if "." in m))
            if r.returncode != 0 and not names:
                names = ["CRASH"]
        except subprocess.TimeoutExpired:
            names = ["TIMEOUT"]
        if seconds is not None:
            seconds[name] = time.time() - start
        failing += [f"{name}:{n}" for n in names]
        if first and names:
            break
    return failing


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--rev", default="HEAD", help="git revision to seed into (default HEAD)")
    ap.add_argument("--faults", default=os.path.join(HERE, "faults.tsv"))
    ap.add_argument("--work", default="/tmp/faultseed", help="scratch folder (tree and build)")
    ap.add_argument("--out", default="-", help="TSV to write ('-': standard output)")
    ap.add_argument("--only", default="", help="comma-separated fault ids, run in this order")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, default=600, help="seconds a test program may take")
    ap.add_argument("--keep-tree", action="store_true", help="seed into the tree as it is")
    ap.add_argument("--tests-rev", default="",
                    help="with --keep-tree: take tests/ from this revision (e.g. a test-only change)")
    ap.add_argument("--first", action="store_true",
                    help="stop at the first failing program (quickest programs run first)")
    args = ap.parse_args()

    faults = read_faults(args.faults)
    if args.only:
        by_id = {f["id"]: f for f in faults}
        faults = [by_id[i] for i in args.only.split(",") if i in by_id]  # in the order given
    env = build_env()
    # The commit is named once, before anything is built: a branch that moves
    # during the run must not relabel what was checked.
    commit = run(["git", "-C", REPO, "rev-parse", args.rev]).stdout.strip()
    tests_commit = run(["git", "-C", REPO, "rev-parse", args.tests_rev]).stdout.strip() if args.tests_rev else ""
    tree = os.path.join(args.work, "tree") if args.keep_tree else prepare_tree(commit, args.work)
    if args.keep_tree and args.tests_rev:
        overlay_tests(tests_commit, args.work)
    build = configure(tree, env)
    r = build_all(build, env, args.jobs)
    if r.returncode != 0:
        sys.exit("the unseeded tree does not build:\n" + r.stdout[-3000:])
    seconds = {}
    base = run_tests(build, args.timeout, seconds=seconds)
    order = sorted(seconds, key=seconds.get)
    out = sys.stdout if args.out == "-" else open(args.out, "w", encoding="utf-8")
    rev = "kept tree" if args.keep_tree else commit
    if args.tests_rev:
        rev += ", tests of " + tests_commit
    out.write("# rev\t%s\n# unseeded failures\t%s\n" % (rev, ",".join(base) or "none"))
    out.write("# program seconds\t%s\n" % ", ".join("%s %.0f" % (n, seconds[n]) for n in order))
    out.write("id\tcaught\tfailing tests\tseconds\n")
    out.flush()
    for f in faults:
        start = time.time()
        path = os.path.join(tree, f["file"])
        original = open(path, encoding="utf-8").read() if os.path.exists(path) else None
        count = original.count(f["original"]) if original is not None else 0
        if count != 1:
            verdict, failing = ("not applicable" if count == 0 else "ambiguous anchor"), []
        else:
            with open(path, "w", encoding="utf-8") as fh:
                fh.write(original.replace(f["original"], f["replacement"]))
            try:
                b = build_all(build, env, args.jobs)
                if b.returncode != 0:
                    verdict, failing = "build failed", []
                else:
                    failing = [t for t in run_tests(build, args.timeout, order, args.first)
                               if t not in base]
                    verdict = "yes" if failing else "no"
            finally:
                with open(path, "w", encoding="utf-8") as fh:
                    fh.write(original)
        out.write("%s\t%s\t%s\t%d\n" % (f["id"], verdict, ",".join(failing), time.time() - start))
        out.flush()
    build_all(build, env, args.jobs)  # leave the scratch build matching its tree


if __name__ == "__main__":
    main()
