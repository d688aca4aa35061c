#!/usr/bin/env python3
"""Draws the include graph between the folders of src/ and fails on any
include that points up a layer.

    core, win -> bridge -> components -> actions, editor -> plugin

A folder includes its own headers and those of the layers below it. core/
(portable, no Windows headers) and win/ do not see each other; the actions
and the editor stand side by side on the components and do not see each
other either. Usage: check-layers.py [checkout]"""
import collections
import pathlib
import sys

# Each layer and the layers it may include, lowest first.
BELOW = {
    "core": set(),
    "win": set(),
    "bridge": {"core", "win"},
    "components": {"core", "win", "bridge"},
    "actions": {"core", "win", "bridge", "components"},
    "editor": {"core", "win", "bridge", "components"},
    "plugin": {"core", "win", "bridge", "components", "actions", "editor"},
}


def includes(path):
    for line in path.read_text(encoding="utf-8").splitlines():
        words = line.replace("#", "# ", 1).split()
        if words[:2] == ["#", "include"] and len(words) > 2 and words[2].startswith('"'):
            yield words[2].strip('"')


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else __file__).resolve()
    if root.is_file():
        root = root.parent.parent
    src = root / "src"
    wrong = [f"src/{d.name}/ is no layer" for d in src.iterdir()
             if d.is_dir() and d.name not in BELOW]
    # Every header by the name it is included with: its path in its layer.
    owner = {}
    for layer in BELOW:
        for header in (src / layer).rglob("*.h"):
            owner.setdefault(header.relative_to(src / layer).as_posix(), layer)
    arrows = collections.Counter()
    for layer in BELOW:
        for source in sorted((src / layer).rglob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            for name in includes(source):
                if (source.parent / name).exists():
                    continue  # beside the file: its own layer
                target = owner.get(name)
                where = source.relative_to(root)
                if target is None:
                    wrong.append(f'{where}: "{name}" is in no layer')
                elif target != layer:
                    arrows[layer, target] += 1
                    if target not in BELOW[layer]:
                        wrong.append(f'{where}: "{name}" points up from {layer} to {target}')
    order = list(BELOW)
    for (start, end), count in sorted(arrows.items(),
                                      key=lambda a: (order.index(a[0][0]), order.index(a[0][1]))):
        print(f"{start:>10} -> {end:<10} {count:3}{'' if end in BELOW[start] else '   UP'}")
    for line in wrong:
        print(line)
    if wrong:
        return 1
    print("every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
