#!/usr/bin/env python3
"""Checks that every folder includes only the folders it may use.

The allowed edges are written once, in scripts/layers.txt, with the reason
for each. Every `#include "…"` of every .cpp/.h file under the folders named
there is read; an include of a folder that is not allowed is reported with
the file and line, and the run fails. Headers of Qt modules a folder may not
use (the core must not paint or show windows) are reported the same way.

  check-layers.py SOURCE_DIR [--qt-include DIR]... [--build-ninja FILE]
  check-layers.py SOURCE_DIR --self-test [--qt-include DIR]...

--qt-include  Qt's include root (the folder holding QtCore, QtGui, …): the
              headers of each module are found there. Without it only the
              module-prefixed forms (<QtGui/QColor>) are recognised.
--build-ninja The build's build.ninja: the link lines of the targets that
              use the core alone are checked for Qt modules the core may
              not link.
--self-test   Plants a wrong include and a forbidden Qt header in a copy of
              the tree and checks that both are reported with file and line.
"""

import os
import re
import shutil
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


class Rules:
    def __init__(self, path):
        self.uses = {}        # folder -> set of folders it may use ('*' = any)
        self.qt_forbidden = {}  # folder -> set of Qt modules it may not use
        self.link_checks = []   # (target, forbidden modules)
        self.reasons = {}
        for number, raw in enumerate(open(path, encoding='utf-8'), 1):
            line = raw.split('#', 1)[0].strip()
            reason = raw.split('#', 1)[1].strip() if '#' in raw else ''
            if not line:
                continue
            head, _, rest = line.partition(':')
            words = rest.split()
            if head.startswith('qt '):
                folder = head[3:].strip()
                self.qt_forbidden.setdefault(folder, set()).update(words)
            elif head.startswith('link '):
                self.link_checks.append((head[5:].strip(), set(words)))
            else:
                folder = head.strip()
                if folder in self.uses:
                    sys.exit(f'{path}:{number}: {folder} is declared twice')
                self.uses[folder] = set(words)
                self.reasons[folder] = reason

    def folder_of(self, path):
        """The declared folder a file or include path belongs to (the longest match)."""
        best = None
        for folder in self.uses:
            if path == folder or path.startswith(folder + '/'):
                if best is None or len(folder) > len(best):
                    best = folder
        return best

    def may_use(self, folder, other):
        allowed = self.uses.get(folder, set())
        return folder == other or '*' in allowed or other in allowed

    def forbidden_modules(self, folder):
        out = set()
        for f, modules in self.qt_forbidden.items():
            if folder == f or folder.startswith(f + '/'):
                out |= modules
        return out


def qt_modules_of_headers(qt_roots):
    """Maps a Qt class header (QColor) to its module (QtGui)."""
    modules = {}
    for root in qt_roots:
        if not os.path.isdir(root):
            continue
        for module in os.listdir(root):
            directory = os.path.join(root, module)
            if module.startswith('Qt') and os.path.isdir(directory):
                for name in os.listdir(directory):
                    if name.startswith('Q') and '.' not in name:
                        modules.setdefault(name, module)
    return modules


def source_files(source_dir, rules):
    for top in sorted({f.split('/')[0] for f in rules.uses}):
        base = os.path.join(source_dir, top)
        for dirpath, dirnames, filenames in os.walk(base):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith(('.cpp', '.h')):
                    full = os.path.join(dirpath, name)
                    yield full, os.path.relpath(full, source_dir).replace(os.sep, '/')


def check_includes(source_dir, rules, qt_headers):
    problems = []
    for full, rel in source_files(source_dir, rules):
        folder = rules.folder_of(rel)
        if folder is None:
            problems.append(f'{rel}: the folder is not named in layers.txt')
            continue
        forbidden = rules.forbidden_modules(folder)
        with open(full, encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                if kind == '"':
                    if '/' not in target:
                        continue  # generated files beside the source (moc, ui)
                    other = rules.folder_of(target)
                    if other is None or os.path.splitext(target)[1] not in ('.h', '.hpp', '.cpp', ''):
                        continue
                    if not rules.may_use(folder, other):
                        problems.append(f'{rel}:{number}: {folder} may not include {target} ({other})')
                elif forbidden:
                    module = target.split('/')[0] if '/' in target else qt_headers.get(target)
                    if module in forbidden:
                        problems.append(f'{rel}:{number}: {folder} may not use {module} (<{target}>)')
    return problems


def check_links(build_ninja, rules):
    problems = []
    text = open(build_ninja, encoding='utf-8', errors='replace').read()
    for target, modules in rules.link_checks:
        block = re.search(r'^build [^\n]*LINKER__' + re.escape(target) + r'_[^\n]*\n((?:  [^\n]*\n)+)', text, re.M)
        if block is None:
            problems.append(f'{build_ninja}: no link line for {target}')
            continue
        libs = re.search(r'^\s*LINK_LIBRARIES = (.*)$', block.group(1), re.M)
        line = libs.group(1) if libs else ''
        for module in sorted(modules):
            if re.search(r'\b(lib)?' + re.escape(module.replace('Qt', 'Qt6')) + r'\b', line):
                problems.append(f'{target} links {module}, which the core may not use')
    return problems


def self_test(source_dir, rules, qt_headers):
    """Plants one wrong include and one forbidden header and expects both
    reported, beside whatever the tree itself gets reported for."""
    with tempfile.TemporaryDirectory() as tmp:
        for top in sorted({f.split('/')[0] for f in rules.uses}):
            src = os.path.join(source_dir, top)
            if os.path.isdir(src):
                shutil.copytree(src, os.path.join(tmp, top),
                                ignore=shutil.ignore_patterns('*.png', '*.pdf', '*.zpg', 'corpus*'))
        before = set(check_includes(tmp, rules, qt_headers))
        planted = 'model/ProgramModel.cpp'
        with open(os.path.join(tmp, planted), encoding='utf-8') as f:
            lines = f.read().split('\n')
        lines.insert(1, '#include "editing/ProgramList.h"')
        lines.insert(2, '#include <QPainter>' if qt_headers else '#include <QtGui/QPainter>')
        with open(os.path.join(tmp, planted), 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines))
        found = [p for p in check_includes(tmp, rules, qt_headers) if p not in before]
        expected = [f'{planted}:2: model may not include editing/ProgramList.h',
                    f'{planted}:3: model may not use QtGui']
        missing = [e for e in expected if not any(p.startswith(e) for p in found)]
        if missing or len(found) != 2:
            print('planted faults not reported as expected:', *missing, 'reported:', *found, sep='\n  ')
            return 1
        print('planted wrong include and forbidden Qt header reported:', *found, sep='\n  ')
        return 0


def main(argv):
    args = argv[1:]
    if not args:
        print(__doc__)
        return 2
    source_dir = args.pop(0)
    qt_roots, build_ninja, selftest = [], None, False
    while args:
        a = args.pop(0)
        if a == '--qt-include':
            qt_roots.append(args.pop(0))
        elif a == '--build-ninja':
            build_ninja = args.pop(0)
        elif a == '--self-test':
            selftest = True
        else:
            print(f'unknown argument {a}')
            return 2
    rules = Rules(os.path.join(source_dir, 'scripts', 'layers.txt'))
    qt_headers = qt_modules_of_headers(qt_roots)
    if selftest:
        return self_test(source_dir, rules, qt_headers)
    problems = check_includes(source_dir, rules, qt_headers)
    if build_ninja:
        problems += check_links(build_ninja, rules)
    for p in problems:
        print(p)
    if problems:
        print(f'{len(problems)} layering fault(s); the allowed edges are in scripts/layers.txt')
        return 1
    print('every include keeps to scripts/layers.txt')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
