#!/usr/bin/env python3
"""Prints the include circles of a source folder (app/ by default) and its arrows back up.

A file pair (X.h and X.cpp) is one unit: an arrow runs from a unit to each unit of the folder
that one of its files includes. A circle is a set of units that reach one another; it is
printed with its units and the arrows among them. Arrows back up are the arrows from a part
to a part above it in the order the designer's parts are layered (the order of
tools/check-layering.sh), plus, inside each circle, the arrows a depth-first walk finds
pointing back to a unit still being walked (the fewest a reader needs to cut to undo it).

Usage: tools/include-cycles.py [folder] [--quiet] [--root=DIR]; the folder is taken below the
root (the repository by default). Exits 1 when a circle or an arrow back up is found."""
import os
import re
import sys

PARTS = ["core", "stage", "workbook", "delivery", "dialogs", "panels", "canvas",
         "modeldialogs", "commands", "shell", "vantorel"]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def units(root, folder):
    found = {}
    for base, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            stem, ext = os.path.splitext(name)
            if ext not in (".h", ".cpp"):
                continue
            rel = os.path.relpath(os.path.join(base, stem), root)
            found.setdefault(rel, []).append(os.path.join(base, name))
    return found


def arrows(root, found):
    graph = {unit: set() for unit in found}
    for unit, paths in found.items():
        for path in paths:
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for target in INCLUDE.findall(text):
                stem = os.path.splitext(target)[0]
                if stem in graph and stem != unit:
                    graph[unit].add(stem)
    return graph


def circles(graph):
    """Strongly connected components of more than one unit (Tarjan, iteratively)."""
    index, low, on, stack, out, counter = {}, {}, set(), [], [], [0]
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on.add(start)
        while work:
            node, it = work[-1]
            advanced = False
            for nxt in it:
                if nxt not in index:
                    index[nxt] = low[nxt] = counter[0]
                    counter[0] += 1
                    stack.append(nxt)
                    on.add(nxt)
                    work.append((nxt, iter(sorted(graph[nxt]))))
                    advanced = True
                    break
                if nxt in on:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                comp = []
                while True:
                    top = stack.pop()
                    on.discard(top)
                    comp.append(top)
                    if top == node:
                        break
                if len(comp) > 1:
                    out.append(sorted(comp))
    return out


def back_edges(graph, comp):
    members, state, found = set(comp), {}, []

    def walk(node):
        state[node] = 1
        for nxt in sorted(graph[node] & members):
            if state.get(nxt) == 1:
                found.append((node, nxt))
            elif nxt not in state:
                walk(nxt)
        state[node] = 2

    for unit in comp:
        if unit not in state:
            walk(unit)
    return found


def part_of(unit, folder):
    rest = os.path.relpath(unit, folder).split(os.sep)
    return rest[0] if len(rest) > 1 else ""


def main(argv):
    quiet = "--quiet" in argv
    args = [a for a in argv if not a.startswith("--")]
    folder = args[0] if args else "app"
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    for a in argv:
        if a.startswith("--root="):
            root = a[len("--root="):]
    found = units(root, folder)
    graph = arrows(root, found)
    comps = circles(graph)
    up = []
    for unit, targets in sorted(graph.items()):
        a = part_of(unit, folder)
        for target in sorted(targets):
            b = part_of(target, folder)
            if a in PARTS and b in PARTS and PARTS.index(b) > PARTS.index(a):
                up.append((unit, target))
    inner_back = []
    total_files = total_arrows = 0
    for comp in comps:
        members = set(comp)
        inner = sum(len(graph[u] & members) for u in comp)
        total_files += len(comp)
        total_arrows += inner
        backs = back_edges(graph, comp)
        inner_back += backs
        if not quiet:
            print(f"circle of {len(comp)} files, {inner} arrows:")
            for u in comp:
                print(f"  {u} -> {', '.join(sorted(graph[u] & members))}")
            for a, b in backs:
                print(f"  back: {a} -> {b}")
    if not quiet:
        for a, b in up:
            print(f"up: {a} -> {b}")
    print(f"{folder}: {len(found)} units, {sum(len(t) for t in graph.values())} arrows; "
          f"{len(comps)} circles ({total_files} files, {total_arrows} arrows); "
          f"arrows back up: {len(up)} between parts, {len(inner_back)} inside circles")
    return 1 if comps or up else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
