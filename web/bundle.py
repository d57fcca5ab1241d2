#!/usr/bin/env python3
"""Gathers the page's JavaScript modules into one module file.

usage: bundle.py ENTRY OUTPUT

A browser fetches each module of a page as a request of its own, and on a
busy machine or a slow server every request costs more than the bytes it
brings: the page's fourteen modules took longer to arrive than to run. This
joins the entry module and every module it imports, directly or not, into
one file, in the order in which the browser would evaluate them (each
module after the modules it imports). Each imported module becomes a
function whose result holds its exports; an import becomes a constant read
from that result. The entry module's own code stays at the top level, so
it may await.

Only the forms of import and export the page uses are understood, and
anything else stops the build rather than change what the page does: an
import of named bindings from a relative path, on one line, and an export
of a const, function or class declaration. Imports of other files at run
time (import(...)) are left as they are; they resolve against OUTPUT's
folder, which must be ENTRY's."""

import os
import re
import sys

IMPORT = re.compile(r"^import \{([^}]*)\} from '(\./[\w.-]+\.js)';$")
EXPORT = re.compile(r'^export (?:async )?(?:const|function\*?|class) ([\w$]+)')
ANY_IMPORT = re.compile(r'^\s*import\b(?!\()')
ANY_EXPORT = re.compile(r'^\s*export\b')


def fail(path, number, line, why):
    sys.exit(f'{path}:{number}: {why}: {line.strip()}')


def read_module(path):
    """The module's imports (path, names) and exports, and its code with the
    import lines taken out and the export keywords dropped."""
    imports, exports, code = [], [], []
    with open(path, encoding='utf-8') as source:
        for number, line in enumerate(source, 1):
            text = line.rstrip('\n')
            found = IMPORT.match(text)
            if found:
                target = os.path.normpath(os.path.join(os.path.dirname(path), found[2]))
                imports.append((target, found[1]))
                continue
            if ANY_IMPORT.match(text):
                fail(path, number, text, 'an import the bundler does not understand')
            exported = EXPORT.match(text)
            if exported:
                exports.append(exported[1])
                code.append(text[len('export '):])
                continue
            if ANY_EXPORT.match(text):
                fail(path, number, text, 'an export the bundler does not understand')
            code.append(text)
    return imports, exports, code


def binding(names):
    """`{ a, b as c }` of an import as the pattern `{ a, b: c }`."""
    parts = [re.sub(r'\s+as\s+', ': ', name.strip()) for name in names.split(',')]
    return '{ ' + ', '.join(part for part in parts if part) + ' }'


def evaluation_order(entry):
    """Every module reachable from entry, each after the modules it imports,
    as a browser evaluates them."""
    order, modules, visiting = [], {}, set()

    def visit(path):
        if path in modules:
            return
        if path in visiting:
            sys.exit(f'{path}: imports form a cycle, which the bundler does not join')
        visiting.add(path)
        modules[path] = read_module(path)
        for target, _ in modules[path][0]:
            visit(target)
        visiting.discard(path)
        order.append(path)

    visit(os.path.normpath(entry))
    return order, modules


def module_name(path):
    return 'module_' + re.sub(r'\W', '_', os.path.splitext(os.path.basename(path))[0])


def bundle(entry):
    order, modules = evaluation_order(entry)
    names = {path: module_name(path) for path in order}
    if len(set(names.values())) != len(names):
        sys.exit('two modules of the same file name: the bundler would confuse them')
    lines = [f'// The page\'s modules in one file, made from {os.path.basename(entry)} '
             'and its imports by web/bundle.py when the page is built.']
    for path in order:
        imports, exports, code = modules[path]
        reads = [f'const {binding(n)} = {names[target]};' for target, n in imports]
        if path == order[-1]:
            lines += [f'// {os.path.basename(path)}', *reads, *code]
        else:
            lines += [f'// {os.path.basename(path)}', f'const {names[path]} = (() => {{',
                      *reads, *code, f'return {{ {", ".join(exports)} }};', '})();']
    return '\n'.join(lines) + '\n'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    entry, output = sys.argv[1:]
    if os.path.dirname(os.path.abspath(entry)) != os.path.dirname(os.path.abspath(output)):
        sys.exit('the bundle must lie beside its entry module, for the imports made at run time')
    text = bundle(entry)
    with open(output, 'w', encoding='utf-8') as out:
        out.write(text)


if __name__ == '__main__':
    main()
