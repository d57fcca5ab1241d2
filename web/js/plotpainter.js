// Paints a plot box's display list: the visible line pieces the core drew, in
// unit coordinates ((0, 0) the upper-left, (1, 1) the lower-right corner of
// the drawing area), each with its 0x00BBGGRR colour. Lines are set pixel by
// pixel into the canvas's own device pixels, one CSS pixel wide and without
// smoothing, as the desktop's pen draws them: the plot shows only its four
// colours on the exact light yellow, sharp at any device pixel ratio.
//
// The painter keeps its list and paints it again whenever the box changes
// size or the device pixel ratio changes (zoom, another screen), so the plot
// survives anything the browser does.

import { windows } from './windows.js';
import { zoomOf } from './zoom.js';

// The plots' light yellow, as the description gives it (#RRGGBB), and as
// the core's 0x00BBGGRR colour.
const lightYellowCss = windows.lightYellow;
const lightYellowRgb = Number.parseInt(lightYellowCss.slice(1), 16);
const lightYellow = ((lightYellowRgb & 0xff) << 16) | (lightYellowRgb & 0xff00)
  | (lightYellowRgb >>> 16);

// A canvas pixel is RGBA in memory; read as a little-endian 32-bit word that
// is 0xAABBGGRR, so an opaque 0x00BBGGRR colour is the colour with alpha set.
const littleEndian = new Uint8Array(new Uint32Array([1]).buffer)[0] === 1;

function pixelOf(colour) {
  if (littleEndian) {
    return (0xff000000 | colour) >>> 0;
  }
  const r = colour & 0xff;
  const g = (colour >>> 8) & 0xff;
  const b = (colour >>> 16) & 0xff;
  return ((r << 24) | (g << 16) | (b << 8) | 0xff) >>> 0;
}

function union(a, b) {
  if (!a || !b) {
    return a ?? b;
  }
  return {
    left: Math.min(a.left, b.left),
    top: Math.min(a.top, b.top),
    right: Math.max(a.right, b.right),
    bottom: Math.max(a.bottom, b.bottom),
  };
}

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
    this.coordinates = new Float64Array(0);
    this.colours = new Uint32Array(0);
    this.image = null;
    this.pixels = null;
    this.width = 0;
    this.height = 0;
    this.drawn = null;
    this.ratio = window.devicePixelRatio || 1;
    this.size = null;
    observeSize(canvas, (entry) => this.resized(entry));
    canvas.addEventListener('contextrestored', () => {
      this.image = null;
      this.paint();
    });
  }

  // Takes a copy of the core's display list (4 coordinates and 1 colour a
  // line) and paints it.
  show(coordinates, colours) {
    this.coordinates = Float64Array.from(coordinates);
    this.colours = Uint32Array.from(colours);
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
    this.ratio = size.width > 0 ? width / size.width : ratio;
    if (width !== this.canvas.width || height !== this.canvas.height || !this.image) {
      this.canvas.width = width;
      this.canvas.height = height;
      this.image = null;
      this.paint();
    }
  }

  // Only what changed goes to the canvas: the image keeps the last picture,
  // the box around its lines is cleared, and the part of the image that
  // held old or new lines is put on the canvas. A new image is put whole.
  paint() {
    const { width, height } = this.canvas;
    this.width = width;
    this.height = height;
    if (width === 0 || height === 0) {
      return;
    }
    // An empty plot with no picture yet, as at the start, is filled with its
    // background without making the picture: that costs a whole image of
    // device pixels, set and put, for nothing. The first lines make it.
    if (!this.image && this.colours.length === 0) {
      this.context.fillStyle = lightYellowCss;
      this.context.fillRect(0, 0, width, height);
      this.drawn = null;
      return;
    }
    let dirty = this.drawn;
    if (!this.image || this.image.width !== width || this.image.height !== height) {
      this.image = this.context.createImageData(width, height);
      this.pixels = new Uint32Array(this.image.data.buffer);
      this.pixels.fill(pixelOf(lightYellow));
      dirty = { left: 0, top: 0, right: width - 1, bottom: height - 1 };
    } else if (dirty) {
      for (let y = dirty.top; y <= dirty.bottom; y++) {
        this.pixels.fill(pixelOf(lightYellow), y * width + dirty.left, y * width + dirty.right + 1);
      }
    }
    this.drawn = this.drawLines();
    dirty = union(dirty, this.drawn);
    if (dirty) {
      this.context.putImageData(this.image, 0, 0, dirty.left, dirty.top,
        dirty.right - dirty.left + 1, dirty.bottom - dirty.top + 1);
    }
  }

  // Sets every line of the list; returns the box of pixels they touch.
  drawLines() {
    const pen = Math.max(1, Math.round(this.ratio));
    const { width, height } = this;
    const c = this.coordinates;
    let left = width;
    let top = height;
    let right = -1;
    let bottom = -1;
    for (let i = 0; i < this.colours.length; i++) {
      const k = 4 * i;
      const x1 = Math.min(width - 1, Math.floor(c[k] * width));
      const y1 = Math.min(height - 1, Math.floor(c[k + 1] * height));
      const x2 = Math.min(width - 1, Math.floor(c[k + 2] * width));
      const y2 = Math.min(height - 1, Math.floor(c[k + 3] * height));
      this.line(x1, y1, x2, y2, pixelOf(this.colours[i]), pen);
      left = Math.min(left, x1, x2);
      top = Math.min(top, y1, y2);
      right = Math.max(right, x1, x2);
      bottom = Math.max(bottom, y1, y2);
    }
    if (right < 0) {
      return null;
    }
    return {
      left, top, right: Math.min(width - 1, right + pen - 1),
      bottom: Math.min(height - 1, bottom + pen - 1),
    };
  }

  // Bresenham's line between two device pixels, both ends included, widened
  // to the pen across its major direction.
  line(x1, y1, x2, y2, pixel, pen) {
    const { width, height } = this;
    let x = x1;
    let y = y1;
    const dx = Math.abs(x2 - x);
    const dy = -Math.abs(y2 - y);
    const sx = x < x2 ? 1 : -1;
    const sy = y < y2 ? 1 : -1;
    const flat = dx >= -dy;
    let error = dx + dy;
    for (;;) {
      if (pen === 1) {
        this.pixels[y * width + x] = pixel;
      } else if (flat) {
        this.dot(x, y, pixel, pen, width, height - y);
      } else {
        this.dot(x, y, pixel, pen, 1, width - x);
      }
      if (x === x2 && y === y2) {
        break;
      }
      const twice = 2 * error;
      if (twice >= dy) {
        error += dy;
        x += sx;
      }
      if (twice <= dx) {
        error += dx;
        y += sy;
      }
    }
  }

  // Sets a pixel and, for a pen wider than one device pixel, its neighbours
  // across the line's major direction (stride), as far as room allows.
  dot(x, y, pixel, pen, stride, room) {
    const start = y * this.width + x;
    const count = Math.min(pen, room);
    for (let k = 0; k < count; k++) {
      this.pixels[start + k * stride] = pixel;
    }
  }
}
