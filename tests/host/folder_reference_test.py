#!/usr/bin/env python3
"""Checks the folder actions against Python on random trees built on the
Linux side: sizes against an os.walk sum, copies and moves against
filecmp. Runs a script in the test host under Wine.

usage: folder_reference_test.py WINE_RUN HOST_EXE
"""
import filecmp
import os
import random
import subprocess
import sys
import tempfile

RESULT = "=> "
# Blanks, dots, Cyrillic and names no single-byte code page spells.
PARTS = ["a", "b c", "dots.in.name", ".lead", "x.y.z", "Папка", "файл", "日本語", "ñandú",
         "Ελλάδα", "long" * 12]


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_host(wine_run, host, lines, workdir):
    script = os.path.join(workdir, "folders.nbs")
    with open(script, "wb") as f:
        f.write("\r\n".join(lines + ["Exit"]).encode("ascii") + b"\r\n")
    done = subprocess.run([wine_run, host, wine_path(script)], capture_output=True, timeout=600)
    if done.returncode != 0:
        sys.exit("host failed (%d):\n%s\n%s" % (done.returncode, done.stdout.decode("latin-1"),
                                               done.stderr.decode("latin-1")))
    out = {}
    for line in done.stdout.decode("latin-1").splitlines():
        if line.startswith(RESULT):
            key, _, value = line[len(RESULT):].strip().partition(" ")
            out[key] = value
    return out


def random_tree(root, rng, files):
    os.makedirs(root)
    folders = [root]
    for i in range(files):
        if rng.random() < 0.3 or len(folders) == 1:
            parent = rng.choice(folders)
            folder = os.path.join(parent, "%s %d" % (rng.choice(PARTS), i))
            os.makedirs(folder)
            folders.append(folder)
        name = "%s-%d%s" % (rng.choice(PARTS), i, rng.choice(["", ".txt", ".tar.gz", ".x"]))
        with open(os.path.join(rng.choice(folders), name), "wb") as f:
            f.write(os.urandom(rng.choice([0, 1, 100, 4096, 65537, rng.randrange(200000)])))
    for i in range(3):  # empty folders
        os.makedirs(os.path.join(rng.choice(folders), "empty %d" % i))


def walk_size(root):
    total = 0
    for folder, _, names in os.walk(root):  # links to folders are not entered
        total += sum(os.lstat(os.path.join(folder, n)).st_size for n in names
                     if not os.path.islink(os.path.join(folder, n)))
    return total


def same_trees(a, b):
    """Names and contents equal at every level."""
    cmp = filecmp.dircmp(a, b)
    if cmp.left_only or cmp.right_only or cmp.funny_files:
        return False
    _, mismatch, errors = filecmp.cmpfiles(a, b, cmp.common_files, shallow=False)
    if mismatch or errors:
        return False
    return all(same_trees(os.path.join(a, d), os.path.join(b, d)) for d in cmp.common_dirs)


def main():
    wine_run, host = sys.argv[1], sys.argv[2]
    rng = random.Random(int(os.environ.get("KELVANE_SEED", "4313")))
    problems = []
    with tempfile.TemporaryDirectory(prefix="kelvane-folders-") as work:
        trees = {}
        for n in range(3):
            root = os.path.join(work, "tree%d" % n)
            random_tree(root, rng, 60)
            trees[n] = root
        # A sparse file past 4 GiB and a folder link that loops, in a tree of
        # its own (the copies would write the zeros out).
        big = os.path.join(work, "big")
        random_tree(big, rng, 10)
        with open(os.path.join(big, "sparse"), "wb") as f:
            f.truncate(5 * 2 ** 30 + 3)
        os.symlink(big, os.path.join(big, "loop"))
        os.symlink(trees[0], os.path.join(big, "linked"))

        lines = []
        for key, root in [("size0", trees[0]), ("size1", trees[1]), ("big", big)]:
            lines += ['qvFolderSize "%s" "[s]"' % wine_path(root), 'Print "%s%s [s]"' % (RESULT, key)]
        lines += ['SetVar "[LastError]" ""',
                  'qvFolderOperation "%s" "%s" "Copy" "" ""' % (wine_path(trees[0]),
                                                             wine_path(work + "/out/copy0")),
                  'qvFolderOperation "%s" "%s" "Move" "" ""' % (wine_path(trees[1]),
                                                             wine_path(work + "/out/moved1")),
                  'qvFolderOperation "%s" "%s" "Copy" "FilesOnly" ""' % (
                      wine_path(trees[2]), wine_path(work + "/files2")),
                  'Print "%serror [LastError]"' % RESULT]
        snapshot1 = os.path.join(work, "snapshot1")
        subprocess.run(["cp", "-a", trees[1], snapshot1], check=True)
        got = run_host(wine_run, host, lines, work)

        for key, root in [("size0", trees[0]), ("size1", snapshot1), ("big", big)]:
            if got.get(key) != str(walk_size(root)):
                problems.append("%s: want %d got %s" % (key, walk_size(root), got.get(key)))
        if got.get("error", "?") != "":
            problems.append("[LastError] set: %r" % got.get("error"))
        if not same_trees(trees[0], os.path.join(work, "out/copy0")):
            problems.append("the copy differs from its source")
        if os.listdir(trees[1]) or not same_trees(snapshot1, os.path.join(work, "out/moved1")):
            problems.append("the move left entries behind or lost some")
        top_files = sorted(n for n in os.listdir(trees[2])
                           if os.path.isfile(os.path.join(trees[2], n)))
        if sorted(os.listdir(os.path.join(work, "files2"))) != top_files:
            problems.append("FilesOnly copied something else than the top level's files")
    for p in problems:
        print("folders:", p)
    print("folders: %d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
