#!/usr/bin/env python3
"""Finds circles of includes among the files of one folder of src/.

A file may include only files of its folder that do not, directly or through
others, include it back. A class's .h and .cpp count as one file, named after
the class: the .cpp including its own header is no circle.

Usage: tools/check-include-cycles.py [FOLDER ...]
FOLDER is a folder of src/ (src/framework, or just framework); without any,
every folder of src/ is checked. Prints every circle found, one line each, and
exits 1 when there is one, 0 when there is none.
"""

import collections
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/([^"/]+)\.(?:h|cpp)"')


def read_graph(folder_path, folder_name):
    """Class name -> the set of other classes of the folder it includes."""
    nodes = {}
    for entry in sorted(os.listdir(folder_path)):
        stem, ext = os.path.splitext(entry)
        if ext in (".h", ".cpp") and os.path.isfile(os.path.join(folder_path, entry)):
            nodes.setdefault(stem, []).append(entry)
    graph = {name: set() for name in nodes}
    for name, files in nodes.items():
        for entry in files:
            with open(os.path.join(folder_path, entry), encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = INCLUDE.match(line)
                    if match and match.group(1) == folder_name:
                        target = match.group(2)
                        if target in graph and target != name:
                            graph[name].add(target)
    return graph


def strong_components(graph):
    """Tarjan's algorithm, without recursion (include chains can be long)."""
    index = {}
    low = {}
    on_stack = set()
    stack = []
    components = []
    counter = 0
    for root in sorted(graph):
        if root in index:
            continue
        work = [(root, iter(sorted(graph[root])))]
        index[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph[child]))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                components.append(sorted(component))
    return components


def shortest_path(graph, start, goal, allowed):
    """The shortest include chain from start to goal inside allowed, both ends included."""
    previous = {start: None}
    queue = collections.deque([start])
    while queue:
        node = queue.popleft()
        if node == goal:
            path = []
            while node is not None:
                path.append(node)
                node = previous[node]
            return path[::-1]
        for child in sorted(graph[node]):
            if child in allowed and child not in previous:
                previous[child] = node
                queue.append(child)
    return None


def circles(graph):
    """One shortest circle through every include that closes one, each circle once,
    starting at its alphabetically first file. Listing every elementary circle could
    run into the millions; this way each include to undo shows up at least once."""
    found = []
    seen = set()
    for component in strong_components(graph):
        if len(component) < 2:
            continue
        members = set(component)
        for source in component:
            for target in sorted(graph[source] & members):
                path = shortest_path(graph, target, source, members)
                loop = [source] + path[:-1]
                first = loop.index(min(loop))
                loop = loop[first:] + loop[:first]
                if tuple(loop) not in seen:
                    seen.add(tuple(loop))
                    found.append(loop)
    return found


def main(arguments):
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    source_root = os.path.join(top, "src")
    if arguments:
        folders = [os.path.basename(os.path.normpath(argument)) for argument in arguments]
    else:
        folders = sorted(entry for entry in os.listdir(source_root) if os.path.isdir(os.path.join(source_root, entry)))
    any_circle = False
    for folder in folders:
        path = os.path.join(source_root, folder)
        if not os.path.isdir(path):
            print(f"check-include-cycles: no folder src/{folder}", file=sys.stderr)
            return 2
        found = circles(read_graph(path, folder))
        for loop in found:
            print(f"{folder}: " + " -> ".join(loop + [loop[0]]))
        print(f"{folder}: {len(found)} circle(s)" if found else f"{folder}: no circle")
        any_circle = any_circle or bool(found)
    return 1 if any_circle else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
