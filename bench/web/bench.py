#!/usr/bin/env python3
"""Browser benchmark of the web edition, in headless Chromium: one
recalculation with both plots painted, by the page's painter and by Chart.js
drawing the same 1,013 segments, at device pixel ratio 1, 2 and 3 (3: the
window scaled up on a 1920 x 1080 projector); the time from navigation until
the page is ready, also with the CPU throttled four times (a phone-class
device); and the bytes the page loads. With --start, only the first visit,
in turn with two pages that do nothing, which show what the machine and the
browser cost any page.

usage: bench/web/bench.py [--start] [BUILD_WEB_FOLDER]   (default build/wasm/web)
Needs the wasm preset built, esbuild and npm (Chart.js is installed into
build/webbench/, for the benchmark only; the page never loads it)."""

import functools
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, 'tests', 'web'))
import browser  # noqa: E402


class IsolatedHandler(browser.QuietHandler):
    """Cross-origin isolation gives the page a clock of finer grain."""

    def end_headers(self):
        self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
        self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
        super().end_headers()


def prepare(web):
    work = os.path.join(ROOT, 'build', 'webbench')
    os.makedirs(work, exist_ok=True)
    shutil.copy(os.path.join(HERE, 'package.json'), work)
    if not os.path.exists(os.path.join(work, 'node_modules', 'chart.js')):
        subprocess.run(['npm', 'install', '--no-audit', '--no-fund', '--silent'], cwd=work,
                       check=True)
    site = os.path.join(work, 'site')
    shutil.rmtree(site, ignore_errors=True)
    shutil.copytree(web, site)
    shutil.copy(os.path.join(HERE, 'bench.html'), site)
    # The page's single modules come from the source tree, bundled as the
    # page's are, with the core's loader of the same build.
    loader = os.path.join(os.path.dirname(os.path.abspath(web)), 'core', 'wavywall-core.js')
    subprocess.run(['esbuild', os.path.join(HERE, 'bench.js'), '--bundle', '--format=esm',
                    '--log-level=warning', f'--alias:wavywall-core={loader}',
                    '--outfile=' + os.path.join(site, 'js', 'bench.js')], check=True)
    shutil.copy(os.path.join(work, 'node_modules', 'chart.js', 'dist', 'chart.umd.js'), site)
    return site


def serve(site, handler):
    server = browser.Server(site)
    server.httpd.RequestHandlerClass = functools.partial(handler, directory=site)
    return server


def painting(site, ratio):
    server = serve(site, IsolatedHandler)
    try:
        with browser.browser(ratio) as driver:
            # The page is busy for the whole run; a poll may wait that long.
            driver.set_script_timeout(600)
            results = []
            for flush in (False, True):
                driver.get(server.url + 'bench.html')
                driver.execute_script("""window.benchResult = null;
                    window.wavywallBench(400, arguments[0]).then(
                      (r) => { window.benchResult = r; },
                      (e) => { window.benchResult = { error: String(e.stack) }; });""", flush)
                result = None
                while result is None:
                    time.sleep(0.5)
                    result = driver.execute_script('return window.benchResult')
                if 'error' in result:
                    raise RuntimeError(result['error'])
                results.append(result)
            return results
    finally:
        server.stop()


# A HESAPLA click on the page itself, to both plots on their canvases: the
# texts alternate between two Mach numbers, the button is clicked, and one
# pixel of each canvas is read back so that the browser has finished with
# both. 400 samples after 30 uncounted clicks; median, 10th and 90th percentile.
CLICKS = """
const button = document.getElementById('Command1');
const moo = document.getElementById('Text_Moo');
const canvases = [...document.querySelectorAll('canvas')];
const click = (i) => {
  moo.value = i % 2 ? '1.02' : '1.03';
  const start = performance.now();
  button.click();
  for (const c of canvases) c.getContext('2d').getImageData(0, 0, 1, 1);
  return performance.now() - start;
};
for (let i = 0; i < 30; i++) click(i);
const times = [];
for (let i = 0; i < 400; i++) times.push(click(i));
times.sort((a, b) => a - b);
return [times[200], times[40], times[360], canvases.map((c) => [c.width, c.height])];
"""


def clicks(site, ratio, size):
    server = serve(site, IsolatedHandler)
    try:
        with browser.browser(ratio, width=size[0], height=size[1]) as driver:
            driver.get(server.url + 'index.html')
            while not driver.execute_script(
                    "return performance.getEntriesByName('wavywall-ready').length"):
                time.sleep(0.1)
            return driver.execute_script(CLICKS)
    finally:
        server.stop()


def readiness(site, runs=15, throttle=1):
    """Milliseconds from navigation to the page's ready mark: the first visit
    of a fresh profile, then reloads served by the service worker; with the
    CPU slowed down throttle times."""
    server = serve(site, browser.QuietHandler)
    first, later, loaded, phases = [], [], None, []
    script = "return performance.getEntriesByName('wavywall-ready')[0]?.startTime ?? null"
    try:
        for _ in range(5):
            with browser.browser() as driver:
                # The browser's own start is not the page's: a first
                # navigation to another file of the site warms it up.
                driver.get(server.url + 'manifest.webmanifest')
                driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': throttle})
                for visit in range(runs // 5 + 1):
                    driver.get(server.url)
                    mark = None
                    while mark is None:
                        mark = driver.execute_script(script)
                    (first if visit == 0 else later).append(mark)
                    if visit == 0:
                        phases.append(driver.execute_script(
                            """const n = performance.getEntriesByType('navigation')[0];
                            return [n.responseEnd, n.domContentLoadedEventEnd];"""))
                    if loaded is None and visit == 0:
                        loaded = driver.execute_script(
                            """return performance.getEntriesByType('navigation')
                            .concat(performance.getEntriesByType('resource'))
                            .map(e => [e.name, e.decodedBodySize, e.transferSize]);""")
    finally:
        server.stop()
    print('first visits, ms after navigation: page received, DOM ready, page ready:',
          ', '.join(f'{a:.0f}/{b:.0f}/{c:.0f}' for (a, b), c in zip(phases, first)))
    return first, later, loaded


# A page that marks itself ready as it is parsed, and one that first loads
# the page's style sheet and a module, as the page does before its own work.
EMPTY_PAGES = {
    'bare': '<script>performance.mark("wavywall-ready")</script>',
    'shell': '<link rel="stylesheet" href="wavywall.css"><script type="module" src="ready.js">'
             '</script>',
}


def empty_page(site, name):
    folder = os.path.join(os.path.dirname(site), name)
    os.makedirs(folder, exist_ok=True)
    for file in ('wavywall.css', 'manifest.webmanifest'):
        shutil.copy(os.path.join(site, file), folder)
    with open(os.path.join(folder, 'ready.js'), 'w', encoding='utf-8') as module:
        module.write('performance.mark("wavywall-ready");\n')
    with open(os.path.join(folder, 'index.html'), 'w', encoding='utf-8') as page:
        page.write('<!DOCTYPE html><html lang="tr"><head><meta charset="utf-8"><title>-</title>'
                   f'{EMPTY_PAGES[name]}</head><body><p>-</p></body></html>\n')
    return folder


def start_in_turn(site, throttle, rounds=3):
    """First visits of the page and of the two empty pages, in turn, five
    fresh profiles a round: median and range in ms of each."""
    sites = {'wavywall': site, **{name: empty_page(site, name) for name in EMPTY_PAGES}}
    firsts = {name: [] for name in sites}
    for _ in range(rounds):
        for name, folder in sites.items():
            firsts[name] += readiness(folder, runs=5, throttle=throttle)[0]
    for name, times in firsts.items():
        print(f'first visit, {name} page, CPU throttled {throttle}x: median '
              f'{statistics.median(times):.0f} ms ({min(times):.0f} to {max(times):.0f}, '
              f'of {len(times)})')


def main():
    start_only = '--start' in sys.argv[1:]
    folders = [argument for argument in sys.argv[1:] if not argument.startswith('--')]
    web = folders[0] if folders else os.path.join(ROOT, 'build', 'wasm', 'web')
    site = prepare(web)
    if start_only:
        for throttle in (1, 4):
            start_in_turn(site, throttle)
        return
    print('A HESAPLA click to both plots drawn (ms; median, 10th and 90th percentile)')
    for ratio, size in ((1, (540, 580)), (1, (1000, 800)), (2, (1000, 800))):
        median_, p10, p90, canvases = clicks(site, ratio, size)
        print(f'| {ratio} | {size[0]}x{size[1]} | {median_:.3f} ({p10:.3f}-{p90:.3f}) | '
              f'canvases {canvases} |')
    if '--clicks' in sys.argv[1:]:
        return
    print('One recalculation with both plots painted (ms; median, 10th and 90th percentile)')
    print('| pixel ratio | rasterised | page painter | Chart.js | ratio |')
    print('|---|---|---|---|---|')
    for ratio in (1, 2, 3):
        for r in painting(site, ratio):
            o, c = r['ours'], r['chart']
            print(f"| {ratio} | {'yes' if r['flush'] else 'no'} | "
                  f"{o['median']:.3f} ({o['p10']:.3f}-{o['p90']:.3f}) | "
                  f"{c['median']:.3f} ({c['p10']:.3f}-{c['p90']:.3f}) | "
                  f"{c['median'] / o['median']:.0f}x |")
    print(f"the recalculation alone in the WebAssembly core: {r['core']['median'] * 1000:.1f} µs "
          f"({r['core']['p10'] * 1000:.1f}-{r['core']['p90'] * 1000:.1f})")
    print(f"segments per sample: {r['segments']}, samples: {r['samples']}, Chart.js "
          f"{r['chartVersion']}, cross-origin isolated clock: {r['isolated']}")
    first, later, loaded = readiness(site)
    print(f'ready after navigation: first visit median {statistics.median(first):.0f} ms '
          f'(of {len(first)}), later visits median {statistics.median(later):.0f} ms '
          f'(of {len(later)})')
    slow, _, _ = readiness(site, runs=5, throttle=4)
    print(f'ready after navigation with the CPU throttled 4x: first visit median '
          f'{statistics.median(slow):.0f} ms (of {len(slow)}), slowest {max(slow):.0f} ms')
    page = [(n, d) for n, d, _ in loaded]
    print(f'loaded: {len(page)} files, {sum(d for _, d in page)} bytes uncompressed')
    for name, size in page:
        print(f'    {size:7d}  {name.split("/", 3)[-1] or "(page)"}')


if __name__ == '__main__':
    main()
