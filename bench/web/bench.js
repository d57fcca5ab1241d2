// One recalculation with both plots painted, by the page's own painter and,
// side by side, by Chart.js drawing the same segments on canvases of the same
// size. Each sample is one recalculation in the core (a step of the Mach
// number bar) followed by painting both plots (the core paints, the page
// puts its pixels on the canvases); "flushed" samples
// also read one pixel back from each canvas, which makes the browser finish
// rasterising what was drawn before the clock stops. bench/web/bench.py
// bundles this file with the page's modules from the source tree into the
// site's js/bench.js, beside the page's own js/page.js.

import { Core, Plot } from '../../web/js/core.js';
import { PlotPainter } from '../../web/js/plotpainter.js';

// The drawing areas of the two plot boxes, in CSS pixels.
const sizes = { flow: [329, 163], pressure: [333, 141] };

function setUpCanvas(id, [width, height]) {
  const canvas = document.getElementById(id);
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  return canvas;
}

const hex = (colour) => `rgb(${colour & 255}, ${(colour >>> 8) & 255}, ${(colour >>> 16) & 255})`;

// One Chart.js line dataset per colour, segments separated by gaps.
const gap = { x: NaN, y: NaN };
function datasetsOf(list) {
  const byColour = new Map();
  for (let i = 0; i < list.colours.length; i++) {
    const c = list.coordinates;
    const points = byColour.get(list.colours[i]) ?? [];
    points.push({ x: c[4 * i], y: c[4 * i + 1] }, { x: c[4 * i + 2], y: c[4 * i + 3] }, gap);
    byColour.set(list.colours[i], points);
  }
  return [...byColour].map(([colour, data]) => ({
    data, borderColor: hex(colour), borderWidth: 1, pointRadius: 0, showLine: true,
    spanGaps: false, fill: false,
  }));
}

function makeChart(canvas) {
  const axis = (reverse) => ({ type: 'linear', min: 0, max: 1, display: false, reverse });
  return new window.Chart(canvas, {
    type: 'scatter',
    data: { datasets: [] },
    options: {
      animation: false, responsive: false, events: [],
      devicePixelRatio: window.devicePixelRatio,
      layout: { padding: 0 },
      scales: { x: axis(false), y: axis(true) },
      plugins: { legend: { display: false }, tooltip: { enabled: false } },
    },
  });
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * p))];
}

export async function run(samples = 300, flush = false) {
  const core = await Core.load();
  core.formLoad();
  // Steps between 1.02 and 1.03, where every one of the 1,013 lines is in
  // sight, so that each sample paints all of them.
  const texts = { Moo: '1.01', HbL: '0.01' };
  const ours = [
    new PlotPainter(setUpCanvas('ours-flow', sizes.flow)),
    new PlotPainter(setUpCanvas('ours-pressure', sizes.pressure)),
  ];
  const charts = [
    makeChart(setUpCanvas('chart-flow', sizes.flow)),
    makeChart(setUpCanvas('chart-pressure', sizes.pressure)),
  ];
  await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 50)));
  const readBack = (canvas) => canvas.getContext('2d').getImageData(0, 0, 1, 1);
  let position = 101;
  const recalculate = () => {
    position = position === 102 ? 103 : 102;
    core.hscrollMooChange(position, texts);
  };
  const paintOurs = () => {
    recalculate();
    [Plot.flow, Plot.pressure].forEach((plot, i) => {
      ours[i].show((width, height, ratio) => core.paint(plot, width, height, ratio));
      if (flush) readBack(ours[i].canvas);
    });
  };
  let segments = 0;
  const paintChart = () => {
    recalculate();
    segments = 0;
    [Plot.flow, Plot.pressure].forEach((plot, i) => {
      const list = core.displayList(plot);
      segments += list.colours.length;
      charts[i].data.datasets = datasetsOf(list);
      charts[i].update('none');
      if (flush) readBack(charts[i].canvas);
    });
  };
  const time = (work) => {
    const start = performance.now();
    work();
    return performance.now() - start;
  };
  for (let i = 0; i < 30; i++) {
    paintOurs();
    paintChart();
  }
  const oursTimes = [];
  const chartTimes = [];
  const coreTimes = [];
  const batch = 50;
  for (let i = 0; i < samples; i++) {
    oursTimes.push(time(paintOurs));
    chartTimes.push(time(paintChart));
    coreTimes.push(time(() => {
      for (let k = 0; k < batch; k++) recalculate();
    }) / batch);
  }
  const summary = (t) => ({ median: median(t), p10: percentile(t, 0.1), p90: percentile(t, 0.9) });
  return {
    ratio: window.devicePixelRatio, segments, samples, flush,
    isolated: window.crossOriginIsolated,
    ours: summary(oursTimes), chart: summary(chartTimes), core: summary(coreTimes),
    chartVersion: window.Chart.version,
  };
}

window.wavywallBench = run;
document.documentElement.dataset.ready = 'true';
