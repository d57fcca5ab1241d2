"""Runs the same-numbers program natively and as WebAssembly under node and
compares what the two cores drew, case by case, bit by bit: the floats handed
to each canvas, the display list, the pixels the core paints of it at device
pixel ratios 1 and 2, the texts the scroll bars
wrote and the messages; the SVG pictures and CSV tables of a sample of
position pairs, byte for byte; and the doubles behind the pictures (the
elementary functions the plots take and their point tables), bit for bit.

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
          f'{len(a) - len(differing)} draw the same floats, display lists, texts and messages, '
          'and paint the same pixels at ratios 1 and 2')
    for case in differing[:3]:
        print(f'FAIL: case {case} differs; first difference:')
        print(first_difference(native, wasm, case))
    return not differing


def compare_doubles(native, wasm, work):
    a = run([native, '--doubles'])
    b = run(['node', wasm, '--doubles'])
    with open(os.path.join(work, 'doubles-native.txt'), 'w') as f:
        f.write('\n'.join(a))
    with open(os.path.join(work, 'doubles-wasm.txt'), 'w') as f:
        f.write('\n'.join(b))
    functions = [(x, y) for x, y in zip(a, b) if not x.startswith('tables')]
    tables = [(x, y) for x, y in zip(a, b) if x.startswith('tables')]
    differing = [(x, y) for x, y in functions if x != y]
    changed = sum(1 for x, y in tables if x != y)
    print(f'Doubles behind the pictures: {len(functions) - len(differing)} of {len(functions)} '
          f'elementary function values and {len(tables) - changed} of {len(tables)} position '
          f'pairs\' point tables (Xw, Cp, Xs, Ys) are the same bits')
    for x, y in differing:
        name, argument, value, decimal = x.split()
        print(f'FAIL: {name}({decimal}) = {value} natively, {y.split()[2]} as WebAssembly')
    return len(a) == len(b) and len(tables) >= 2000 and not differing and not changed


def compare_exports(native, wasm):
    a = run([native, '--exports'])
    b = run(['node', wasm, '--exports'])
    if len(a) != len(b) or len(a) < 100:
        print(f'FAIL: {len(a)} native export cases against {len(b)} WebAssembly cases')
        return False
    differing = [x.split()[0] for x, y in zip(a, b) if x != y]
    print(f'{len(a)} export cases: {len(a) - len(differing)} give the same SVG and CSV bytes')
    for case in differing[:3]:
        rows = zip(run([native, '--export', case]), run(['node', wasm, '--export', case]))
        first = next(((x, y) for x, y in rows if x != y), ('', ''))
        print(f'FAIL: export case {case} differs; first CSV row apart:\n'
              f'    native: {first[0]}\n    wasm:   {first[1]}')
    return not differing


def main():
    native, wasm, work = sys.argv[1:4]
    if not os.path.exists(wasm):
        skip_or_fail(f'{wasm} is missing: build the wasm preset first (tools/setup.sh web-build)')
    if shutil.which('node') is None:
        skip_or_fail('node is missing')
    os.makedirs(work, exist_ok=True)
    drawings = compare_drawings(native, wasm, work)
    exports = compare_exports(native, wasm)
    doubles = compare_doubles(native, wasm, work)
    return 0 if drawings and exports and doubles else 1


if __name__ == '__main__':
    sys.exit(main())
