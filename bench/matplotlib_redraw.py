#!/usr/bin/env python3
"""The desktop's recalculation with both plot boxes painted beside a
matplotlib redraw of the same lines, in one run: rounds of the desktop
benchmark (BM_RecalculateAndPaint at device pixel ratio 1 and 2, default
inputs, its median of 10 repetitions) alternate with rounds of matplotlib
redrawing both plots, and the table gives the medians of all rounds and
their ratio.

The matplotlib side is drawn as plainly as that library allows: Agg, one
figure per plot the size of its drawing area in device pixels, the axes
filling it with nothing but the lines, one Line2D per colour with the
segments parted by NaN (as bench/web/bench.js hands them to Chart.js), a
line one CSS pixel wide. A redraw takes the new lines of both plots (the
flow at Moo 1.01 and 1.02 in turn, H/L 0.01, computed in
tests/web/flowlines.py; computing them is not timed) and draws both
canvases, in two ways: the lines' data replaced in the artists drawn before
("set data", the quickest matplotlib has), or the axes cleared and the lines
plotted anew ("anew", as a script redraws after a recalculation).

usage: bench/matplotlib_redraw.py [--rounds N] [--smoke] [BENCH_BINARY]
Needs Debian's python3-matplotlib (/usr/bin/python3) and the bench preset
built; --smoke runs one short round of each, to keep the script working.
Exit 77 when matplotlib or the benchmark is missing."""

import json
import math
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, 'tests', 'web'))
import flowlines  # noqa: E402

# The drawing areas of the two plot boxes at 96 dots per inch, in pixels.
SIZES = {'flow': (329, 163), 'pressure': (333, 141)}


def lines_at(moo, hbl):
    beta = math.sqrt(moo * moo - 1)
    return {'flow': flowlines.flow_lines(beta, hbl), 'pressure': flowlines.pressure_lines(beta, hbl)}


def by_colour(lines):
    """Per colour, the x and y of its segments with a NaN between them."""
    parted = {}
    for (x1, y1, x2, y2), colour in lines:
        xs, ys = parted.setdefault(colour, ([], []))
        xs += [x1, x2, math.nan]
        ys += [y1, y2, math.nan]
    return parted


class Plots:
    """Both plots as matplotlib figures at a device pixel ratio."""

    def __init__(self, ratio):
        from matplotlib.backends.backend_agg import FigureCanvasAgg
        from matplotlib.figure import Figure
        self.plots = {}
        for name, (width, height) in SIZES.items():
            dpi = 96 * ratio
            figure = Figure(figsize=(width / 96, height / 96), dpi=dpi, facecolor='#ffffc0')
            canvas = FigureCanvasAgg(figure)
            axes = figure.add_axes((0, 0, 1, 1))
            axes.set_axis_off()
            self.plots[name] = (canvas, axes, {})

    def show(self, lines, anew):
        for name, (canvas, axes, drawn) in self.plots.items():
            (x1, y1, x2, y2), segments = lines[name]
            if anew:
                axes.cla()
                axes.set_axis_off()
                drawn.clear()
            axes.set_xlim(x1, x2)
            axes.set_ylim(y2, y1)
            for colour, (xs, ys) in by_colour(segments).items():
                if colour not in drawn:
                    hexed = '#%02x%02x%02x' % colour
                    drawn[colour], = axes.plot(xs, ys, color=hexed, linewidth=0.75)
                drawn[colour].set_data(xs, ys)
            canvas.draw()


def matplotlib_round(ratio, samples, anew):
    plots = Plots(ratio)
    states = [lines_at(1.01, 0.01), lines_at(1.02, 0.01)]
    for k in range(5):
        plots.show(states[k % 2], anew)
    times = []
    for k in range(samples):
        start = time.perf_counter()
        plots.show(states[k % 2], anew)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1e6


def desktop_round(binary, ratio, repetitions):
    result = subprocess.run(
        [binary, f'--benchmark_filter=BM_RecalculateAndPaint/0/{ratio}$',
         f'--benchmark_repetitions={repetitions}', '--benchmark_report_aggregates_only=true',
         '--benchmark_format=json'] + (['--benchmark_min_time=0.001'] if repetitions == 1 else []),
        env={**os.environ, 'QT_QPA_PLATFORM': 'offscreen'}, capture_output=True, text=True,
        check=True)
    for entry in json.loads(result.stdout)['benchmarks']:
        if entry.get('aggregate_name', 'median') == 'median':
            return entry['real_time']
    raise RuntimeError('no median in the benchmark output')


def main():
    arguments = sys.argv[1:]
    smoke = '--smoke' in arguments
    rounds = 1 if smoke else 5
    if '--rounds' in arguments:
        rounds = int(arguments[arguments.index('--rounds') + 1])
    binaries = [a for a in arguments if not a.startswith('--') and not a.isdigit()]
    binary = binaries[0] if binaries else os.path.join(ROOT, 'build', 'bench', 'bench',
                                                       'wavywall_bench')
    try:
        import matplotlib
        matplotlib.use('Agg')
    except ImportError:
        print('matplotlib is missing (python3-matplotlib)')
        return 77
    if not os.access(binary, os.X_OK):
        print(f'{binary} is missing: cmake --preset bench && cmake --build --preset bench')
        return 77
    print(f'matplotlib {matplotlib.__version__}; {rounds} rounds of each, in turn')
    print('medians of the rounds (fastest to slowest round)')
    print('| pixel ratio | desktop, µs | matplotlib, set data, µs | anew, µs | ratios |')
    print('|---|---:|---:|---:|---:|')
    for ratio in (1, 2):
        desktop, quick, anew = [], [], []
        for _ in range(rounds):
            desktop.append(desktop_round(binary, ratio, 1 if smoke else 10))
            quick.append(matplotlib_round(ratio, 2 if smoke else 100, False))
            anew.append(matplotlib_round(ratio, 2 if smoke else 50, True))
        ours = statistics.median(desktop)
        spread = lambda t: f'{statistics.median(t):.0f} ({min(t):.0f}-{max(t):.0f})'  # noqa: E731
        print(f'| {ratio} | {ours:.1f} ({min(desktop):.1f}-{max(desktop):.1f}) | '
              f'{spread(quick)} | {spread(anew)} | {statistics.median(quick) / ours:.0f}x, '
              f'{statistics.median(anew) / ours:.0f}x |')
    return 0


if __name__ == '__main__':
    sys.exit(main())
