#!/usr/bin/env python3
"""Reads the includes under src/ and fails on any that points up the layer
order, into another backend, or at a window system's headers outside a
backend, and on any include cycle between files. Each offence is printed
with the file, the line and the include.

    check_layers.py [SRC_DIR]      check the tree (default: src beside tools/)
    check_layers.py --self-test    check that planted offences are caught
"""
import os
import re
import sys
import tempfile

# Bottom to top. A file may include its own layer and the layers below it.
LAYERS = ["math", "platform", "audio", "input", "gfx", "scene", "game", "gameplay", "app"]
# Only a backend's own files include these (app/ reaches them through a backend header).
SYSTEM_HEADERS = re.compile(r"^(windows\.h|SDL\.h|SDL2/|EGL/|emscripten)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
SOURCE = (".h", ".hpp", ".cpp", ".cc")


def backend_of(path):
    """'sdl' for platform/sdl/..., None for anything else."""
    parts = path.split("/")
    return parts[1] if len(parts) > 2 and parts[0] == "platform" else None


def check(src):
    files = {}
    for root, _, names in os.walk(src):
        for name in names:
            if name.endswith(SOURCE):
                full = os.path.join(root, name)
                files[os.path.relpath(full, src).replace(os.sep, "/")] = full
    problems = []
    # Files as units: a header and its source are one node of the graph.
    unit = lambda path: os.path.splitext(path)[0]
    edges = {}
    for path in sorted(files):
        layer = path.split("/")[0]
        if layer not in LAYERS:
            problems.append(f"{path}: is in no layer (layers, bottom to top: {' '.join(LAYERS)})")
            continue
        with open(files[path], encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                kind, target = match.groups()
                where = f"{path}:{number}: #include {kind}{target}{'>' if kind == '<' else chr(34)}"
                if SYSTEM_HEADERS.match(target) and backend_of(path) is None:
                    problems.append(f"{where}: only a platform backend may include a window system's headers")
                if kind == "<" or target not in files:
                    continue
                to_layer = target.split("/")[0]
                if LAYERS.index(to_layer) > LAYERS.index(layer):
                    problems.append(f"{where}: points up, from {layer} to {to_layer} "
                                    f"(layers, bottom to top: {' '.join(LAYERS)})")
                target_backend = backend_of(target)
                if target_backend and target_backend != backend_of(path) and layer != "app":
                    problems.append(f"{where}: reaches into the {target_backend} backend; "
                                    "only that backend and the entry points in app/ may")
                if unit(target) != unit(path):
                    edges.setdefault(unit(path), {}).setdefault(unit(target), where)
    problems += find_cycles(edges)
    return problems


def find_cycles(edges):
    problems, state, stack = [], {}, []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt, where in sorted(edges.get(node, {}).items()):
            if state.get(nxt) == "open":
                cycle = stack[stack.index(nxt):] + [nxt]
                problems.append(f"{where}: closes the include cycle {' -> '.join(cycle)}")
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node)
    return problems


def self_test():
    """Plants one offence of each kind in a small tree; each must be reported."""
    planted = {
        "math/vec.h": "",
        "gfx/texture.h": '#include "game/game.h"\n',            # up the order
        "game/game.h": '#include "math/vec.h"\n',
        "scene/a.h": '#include "scene/b.h"\n',
        "scene/b.cpp": '#include "scene/a.h"\n',                 # a cycle through b.h/b.cpp
        "scene/b.h": "",
        "game/window.cpp": "#include <SDL.h>\n",                 # a window system above the seam
        "platform/sdl/sdl_window.h": "#include <SDL.h>\n",       # allowed
        "platform/web/web_window.cpp": '#include "platform/sdl/sdl_window.h"\n',  # another backend
        "app/main_sdl.cpp": '#include "platform/sdl/sdl_window.h"\n',  # allowed
    }
    expected = ["gfx/texture.h:1", "closes the include cycle", "game/window.cpp:1",
                "platform/web/web_window.cpp:1"]
    with tempfile.TemporaryDirectory() as tree:
        for path, text in planted.items():
            os.makedirs(os.path.join(tree, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(tree, path), "w") as f:
                f.write(text)
        problems = check(tree)
    missed = [e for e in expected if not any(e in p for p in problems)]
    wrong = [p for p in problems if not any(e in p for e in expected)]
    for p in problems:
        print("planted and found:", p)
    if missed or wrong:
        print("self-test FAILED; missed:", missed, "reported wrongly:", wrong)
        return 1
    print(f"self-test passed: {len(expected)} planted offences found, nothing else")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    problems = check(src)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the layers")
        return 1
    print(f"ok: every include under {os.path.normpath(src)} points down the layers "
          f"({' < '.join(LAYERS)}), no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
