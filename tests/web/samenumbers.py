"""Runs the same-numbers program natively and as WebAssembly under node and
compares what the two cores drew, case by case, bit by bit: the floats handed
to each canvas, the display list the page paints, the texts the scroll bars
wrote and the messages; the SVG pictures and CSV tables of a sample of
position pairs, the pictures byte for byte and the tables to the last bit that
the two C libraries' sines and cosines share. Then it reports, without failing, where the doubles
behind the pictures differ between the two C libraries.

usage: samenumbers.py NATIVE_PROGRAM WASM_PROGRAM.js WORK_DIR
Exit 77 (skipped) when the WebAssembly build or node is missing, unless
WAVYWALL_REQUIRE_TOOLS=1."""

import os
import shutil
import subprocess
import sys

SKIP = 77


def run(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.splitlines()


def skip_or_fail(reason):
    print(reason)
    sys.exit(1 if os.environ.get('WAVYWALL_REQUIRE_TOOLS') == '1' else SKIP)


def first_difference(native, wasm, case):
    a = run([native, '--case', str(case)])
    b = run(['node', wasm, '--case', str(case)])
    for x, y in zip(a, b):
        if x != y:
            return f'    native: {x.strip()}\n    wasm:   {y.strip()}'
    return f'    outputs differ in length ({len(a)} and {len(b)} lines)'


def compare_drawings(native, wasm, work):
    a = run([native])
    b = run(['node', wasm])
    with open(os.path.join(work, 'native.txt'), 'w') as f:
        f.write('\n'.join(a))
    with open(os.path.join(work, 'wasm.txt'), 'w') as f:
        f.write('\n'.join(b))
    if len(a) != len(b) or len(a) < 2000:
        print(f'FAIL: {len(a)} native cases against {len(b)} WebAssembly cases')
        return False
    differing = [int(x.split()[0]) for x, y in zip(a, b) if x != y]
    print(f'{len(a)} cases (every position pair and the typed texts): '
          f'{len(a) - len(differing)} draw the same floats, display lists, texts and messages')
    for case in differing[:3]:
        print(f'FAIL: case {case} differs; first difference:')
        print(first_difference(native, wasm, case))
    return not differing


def describe_doubles(native, wasm, work):
    a = run([native, '--doubles'])
    b = run(['node', wasm, '--doubles'])
    with open(os.path.join(work, 'doubles-native.txt'), 'w') as f:
        f.write('\n'.join(a))
    with open(os.path.join(work, 'doubles-wasm.txt'), 'w') as f:
        f.write('\n'.join(b))
    functions = [(x, y) for x, y in zip(a, b) if not x.startswith('tables')]
    tables = [(x, y) for x, y in zip(a, b) if x.startswith('tables')]
    differing = [(x, y) for x, y in functions if x != y]
    print(f'Doubles behind the pictures: {len(differing)} of {len(functions)} elementary '
          f'function values differ between the C libraries:')
    for x, y in differing:
        name, argument, value, decimal = x.split()
        print(f'    {name}({decimal}) = {value} natively, {y.split()[2]} as WebAssembly')
    changed = sum(1 for x, y in tables if x != y)
    print(f'    point tables (Xw, Cp, Xs, Ys) differ somewhere in {changed} of {len(tables)} '
          f'position pairs; the floats drawn from them are compared above')
    return len(a) == len(b)


def close(x, y):
    a, b = float(x), float(y)
    return abs(a - b) <= 4 * 2.0 ** -52 * max(1.0, abs(a), abs(b))


# The pictures must agree byte for byte. A table's value may differ in its
# last bits where glibc's and musl's sine or cosine do (docs/web.md): one unit
# in the last place of a cosine of order one, carried through the sums and
# products of a streamline point, stays within a few units in the last place
# of one, also where the value itself is small.
def compare_exports(native, wasm):
    a = run([native, '--exports'])
    b = run(['node', wasm, '--exports'])
    if len(a) != len(b) or len(a) < 100:
        print(f'FAIL: {len(a)} native export cases against {len(b)} WebAssembly cases')
        return False
    pictures = [x for x, y in zip(a, b) if x.split(' csv')[0] != y.split(' csv')[0]]
    tables = [x.split()[0] for x, y in zip(a, b) if x.split(' csv')[1] != y.split(' csv')[1]]
    apart = 0
    for case in tables:
        rows = zip(run([native, '--export', case]), run(['node', wasm, '--export', case]))
        for x, y in ((f, g) for r, q in rows for f, g in zip(r.split(','), q.split(','))):
            if x != y and not close(x, y):
                print(f'FAIL: export case {case}: {x} natively, {y} as WebAssembly')
                return False
            apart += x != y
    print(f'{len(a)} export cases: {len(a) - len(pictures)} give the same SVG bytes; '
          f'{len(a) - len(tables)} the same CSV bytes; in the others {apart} values differ in '
          f'their last bits, where the C libraries\' sines and cosines do')
    for line in pictures[:3]:
        print(f'FAIL: the pictures differ: {line}')
    return not pictures


def main():
    native, wasm, work = sys.argv[1:4]
    if not os.path.exists(wasm):
        skip_or_fail(f'{wasm} is missing: build the wasm preset first (tools/setup.sh web-build)')
    if shutil.which('node') is None:
        skip_or_fail('node is missing')
    os.makedirs(work, exist_ok=True)
    same = compare_drawings(native, wasm, work) and compare_exports(native, wasm)
    complete = describe_doubles(native, wasm, work)
    return 0 if same and complete else 1


if __name__ == '__main__':
    sys.exit(main())
