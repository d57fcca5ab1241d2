// Puts a plot box's picture on its canvas. The core paints the picture, as it
// does for the desktop's plot box (canvas/rasteriser.h): into its own memory,
// at the canvas's own device pixels and the device pixel ratio, aliased lines
// one CSS pixel wide on the exact light yellow; this painter lays an
// ImageData over those pixels where they lie and puts on the canvas only the
// rectangle the core reports as changed. Nothing is copied and no line is
// drawn here.
//
// The painter keeps its source and paints again whenever the box changes
// size or the device pixel ratio changes (zoom, another screen), so the plot
// survives anything the browser does.

import { windows } from './windows.js';
import { zoomOf } from './zoom.js';

// The plots' light yellow, as the description gives it (#RRGGBB).
const lightYellowCss = windows.lightYellow;

// Tells resized() of every change of the canvas's size in device pixels.
// WebKit cannot observe the box in device pixels (observe() throws): there
// the CSS box is observed, in the canvas's own pixels, which neither the
// ratio nor a zoom of the window around it (js/fit.js) changes; the ratio
// is watched apart, and the window, whose border is not zoomed, changes its
// size with the zoom.
function observeSize(canvas, resized) {
  const observer = new ResizeObserver((entries) =>
    resized(entries.findLast((entry) => entry.target === canvas) ?? null));
  try {
    observer.observe(canvas, { box: 'device-pixel-content-box' });
  } catch {
    observer.observe(canvas);
    observer.observe(canvas.closest('.window') ?? canvas);
    watchPixelRatio(() => resized(null));
  }
}

function watchPixelRatio(changed) {
  const query = window.matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
  query.addEventListener('change', () => {
    changed();
    watchPixelRatio(changed);
  }, { once: true });
}

export class PlotPainter {
  constructor(canvas) {
    this.canvas = canvas;
    this.context = canvas.getContext('2d', { alpha: false });
    this.source = null;
    this.image = null;
    this.whole = true;
    this.ratio = window.devicePixelRatio || 1;
    this.size = null;
    observeSize(canvas, (entry) => this.resized(entry));
    canvas.addEventListener('contextrestored', () => {
      this.whole = true;
      this.paint();
    });
  }

  // Paints the plot from now on with source(width, height, ratio), which has
  // the core paint it and returns { buffer, pixels, left, top, right, bottom }:
  // the core's memory, the pixels' address in it and the changed rectangle.
  show(source) {
    this.source = source;
    this.paint();
  }

  // The entry gives the box in device pixels where the engine can; else the
  // box's own CSS size times the ratio and the zoom around it is the nearest
  // guess (no entry: the ratio or the zoom alone changed).
  resized(entry) {
    const box = entry?.devicePixelContentBoxSize?.[0];
    const size = entry?.contentRect ?? this.size ?? { width: this.canvas.clientWidth,
      height: this.canvas.clientHeight };
    this.size = size;
    const ratio = (window.devicePixelRatio || 1) * (box ? 1 : zoomOf(this.canvas));
    const width = box ? box.inlineSize : Math.round(size.width * ratio);
    const height = box ? box.blockSize : Math.round(size.height * ratio);
    // Device pixels per CSS pixel of the box: the screen's ratio times any
    // zoom of the page around it (js/fit.js).
    const newRatio = size.width > 0 ? width / size.width : ratio;
    if (width !== this.canvas.width || height !== this.canvas.height || newRatio !== this.ratio
        || this.whole) {
      this.ratio = newRatio;
      this.canvas.width = width;
      this.canvas.height = height;
      this.whole = true;
      this.paint();
    }
  }

  // An empty plot, as at the start, is filled with its background; once the
  // core paints, its image goes on the canvas, whole after anything that
  // emptied the canvas, else only the rectangle that changed.
  paint() {
    const { width, height } = this.canvas;
    if (width === 0 || height === 0) {
      return;
    }
    if (!this.source) {
      this.context.fillStyle = lightYellowCss;
      this.context.fillRect(0, 0, width, height);
      this.whole = false;
      return;
    }
    const painted = this.source(width, height, this.ratio);
    const image = this.image;
    if (!image || image.width !== width || image.height !== height
        || image.data.buffer !== painted.buffer || image.data.byteOffset !== painted.pixels) {
      this.image = new ImageData(
        new Uint8ClampedArray(painted.buffer, painted.pixels, 4 * width * height), width, height);
      this.whole = true;
    }
    if (this.whole) {
      this.context.putImageData(this.image, 0, 0);
      this.whole = false;
    } else if (painted.right > painted.left && painted.bottom > painted.top) {
      this.context.putImageData(this.image, 0, 0, painted.left, painted.top,
        painted.right - painted.left, painted.bottom - painted.top);
    }
  }
}
