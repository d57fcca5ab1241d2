// Fits the main window to the screen, or to the frame the page is embedded
// in, in one of two ways:
//
// - "window": where the window fits, it keeps its designed layout and
//   proportions and is scaled up (CSS zoom, never down) to fill the
//   viewport, centred. Zoom lays the page out again at the larger size, so
//   text and borders are drawn crisp, and the plot painter repaints its
//   display lists at the new pixel ratio.
// - "column": on a screen no wider than the window, under a finger (a coarse
//   pointer), or when the reader's fonts or text spacing would cut a text at
//   the designed sizes, the window reflows into one column: caption, menu,
//   the inputs, the flow plot, the pressure plot, each plot as wide as the
//   column at its designed aspect ratio. Nothing is smaller than designed;
//   touch targets grow to 44 CSS pixels (wavywall.css).
//
// The scale moves in steps of an eighth, so that a window dragged wider
// re-fits a few times rather than at every pixel. A re-fit changes the
// root's class and custom properties only: texts, bar positions, plots and
// open dialogs stay as they are; the small windows are placed anew on the
// "fit" event that follows each fit (js/placement.js).
//
// On paper the window keeps its designed layout, scaled to the paper by the
// style sheet's print rules, whatever the screen shows: a column is laid out
// as the window while the page prints, its controls refitted to it, unless
// the reader's fonts would cut a text there too.

import { fitTextToWidth } from './layout.js';

const margin = 8;
const scaleStep = 8;

export class WindowFit {
  // form is the main window's element; onFit is called after every fit
  // that may have changed the controls' sizes.
  constructor(form, onFit) {
    this.form = form;
    this.document = form.ownerDocument;
    this.root = this.document.documentElement;
    this.onFit = onFit;
    const view = this.document.defaultView;
    this.coarse = view.matchMedia('(pointer: coarse)');
    this.paper = view.matchMedia('print');
    let pending = 0;
    const refit = (remeasure) => {
      this.remeasure ||= remeasure === true;
      view.cancelAnimationFrame(pending);
      pending = view.requestAnimationFrame(() => this.fit());
    };
    view.addEventListener('resize', refit);
    this.coarse.addEventListener('change', refit);
    view.addEventListener('beforeprint', () => this.print());
    view.addEventListener('afterprint', () => this.fit());
    // In case afterprint came while print media still held.
    this.paper.addEventListener('change', refit);
    // The observer reports the probe once at the start: that is no change.
    let started = false;
    new ResizeObserver(() => (started ? refit(true) : (started = true)))
      .observe(this.textProbe());
    // One layout at the start: the designed window measured, its plots'
    // aspect ratios read in the same layout before anything changes.
    this.measure();
    const boxes = [...form.querySelectorAll('.plot')];
    const aspects = boxes.map((box) => box.offsetWidth / box.offsetHeight);
    boxes.forEach((box, i) => box.style.setProperty('--aspect', String(aspects[i])));
    form.style.setProperty('--narrowest-aspect', String(Math.min(...aspects)));
    this.state = 'window-fit:1';
    // The controls are refitted in the first frame, together with its own
    // layout, rather than in a layout of their own at the start.
    this.fit((refitControls) => view.requestAnimationFrame(refitControls));
  }

  // A reader's font size or text spacing may change after the page has
  // loaded (a user style sheet, a bookmarklet): a hidden copy of the
  // longest title changes its size with them, and asks for a re-fit.
  textProbe() {
    const texts = [...this.form.querySelectorAll('.label')].map((label) => label.textContent);
    const probe = this.document.createElement('span');
    probe.className = 'text-probe';
    probe.setAttribute('aria-hidden', 'true');
    probe.textContent = texts.reduce((a, b) => (b.length > a.length ? b : a), '');
    this.form.append(probe);
    return probe;
  }

  // The window's size and whether a text is cut, at its designed size; the
  // page is laid out once for it, and only when the reader's fonts change.
  measure() {
    this.apply({ mode: 'window-fit', scale: 1 });
    this.fitLabels();
    const { offsetWidth, offsetHeight, clientWidth } = this.form;
    // The window's own border is not zoomed, only what lies within it.
    this.design = { width: offsetWidth, height: offsetHeight, border: offsetWidth - clientWidth };
    this.cut = this.textsCut();
    this.remeasure = false;
  }

  // Each label gets the largest size up to the page's at which its text
  // fits its rectangle (js/layout.js), at the scale the window has now.
  fitLabels() {
    for (const label of this.form.querySelectorAll('.label')) {
      label.style.fontSize = '';
      fitTextToWidth(label);
    }
  }

  // Whether a text is cut with the window at a scale. Where nothing is cut
  // at the designed size, nothing is at any. A browser's minimum font size
  // may hold for text as it shows (Firefox): a text raised to it at the
  // designed size may fit in the window scaled up, its labels fitted anew.
  cutAt(scale) {
    if (!this.cut || scale === 1) {
      return this.cut;
    }
    this.apply({ mode: 'window-fit', scale });
    this.fitLabels();
    return this.textsCut();
  }

  // later, if given, is handed onFit to call in its own time.
  fit(later = (refitControls) => refitControls()) {
    // While the page is laid out for paper, a resize or a font change the
    // print itself causes must not undo the print's layout.
    if (this.paper.matches) {
      return;
    }
    if (this.remeasure) {
      this.measure();
    }
    const room = this.room();
    const { width, height, border } = this.design;
    const scale = Math.min(room.width / width, room.height / height);
    const stepped = Math.max(1, Math.floor(scale * scaleStep) / scaleStep);
    if (this.coarse.matches || room.width < width || this.cutAt(stepped)) {
      this.apply(this.fitted = { mode: 'column', scale: 1 });
    } else {
      // Centred, with the window's corner on a whole pixel.
      const inset = (free) => Math.max(0, Math.floor(free / 2));
      this.apply(this.fitted = { mode: 'window-fit', scale: stepped,
        left: inset(room.width - (width - border) * stepped - border),
        top: inset(room.height - (height - border) * stepped - border) });
    }
    const state = `${this.fitted.mode}:${this.fitted.scale}`;
    // In a column the controls' sizes follow the viewport's width.
    if (state !== this.state || this.fitted.mode === 'column') {
      this.state = state;
      later(this.onFit);
    }
    this.document.dispatchEvent(new Event('fit'));
  }

  // Before the page prints: a column becomes the window again, at its
  // designed size (the print rules scale it by --print-fit) where no text is
  // cut there; afterprint fits it back.
  print() {
    if (this.fitted.mode !== 'column') {
      return;
    }
    const onPaper = parseFloat(getComputedStyle(this.root).getPropertyValue('--print-fit'));
    if (this.cutAt(onPaper)) {
      this.apply(this.fitted);
      return;
    }
    this.apply({ mode: 'window-fit', scale: 1 });
    this.state = 'print';
    this.onFit();
  }

  // Changes only what differs, since each change of the root's classes or
  // properties restyles the whole page. A property at the style sheet's own
  // default is left unset, so that the page's first measure, at the
  // designed size, changes nothing.
  apply({ mode, scale, left = 0, top = 0 }) {
    const { root } = this;
    const set = (name, value, byDefault) => {
      const wanted = value === byDefault ? '' : value;
      if (root.style.getPropertyValue(name) === wanted) {
        return;
      }
      if (wanted) {
        root.style.setProperty(name, wanted);
      } else {
        root.style.removeProperty(name);
      }
    };
    if (!root.classList.contains(mode)) {
      root.classList.remove('column', 'window-fit');
      root.classList.add(mode);
      root.dataset.fit = mode === 'column' ? 'column' : 'window';
    }
    set('--fit', String(scale), '1');
    set('--inset-left', `${left}px`, '0px');
    set('--inset-top', `${top}px`, '0px');
  }

  // The viewport (or the embedding frame) without the page's margin.
  room() {
    const { clientWidth, clientHeight } = this.root;
    return { width: clientWidth - 2 * margin, height: clientHeight - 2 * margin };
  }

  // Whether any label, title or box value is cut at the designed sizes:
  // a browser's minimum font size or a reader's text spacing can make a
  // text larger than its designed rectangle.
  textsCut() {
    const overflows = (e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
    const labels = [...this.form.querySelectorAll('.label, .caption')];
    const boxes = [...this.form.querySelectorAll('input[type="text"]')];
    const tooTall = (box) => {
      const style = getComputedStyle(box);
      const line = parseFloat(style.fontSize) * 1.15;
      return line > box.clientHeight - parseFloat(style.paddingTop) * 2;
    };
    return labels.some(overflows) || boxes.some((b) => b.scrollWidth > b.clientWidth || tooTall(b));
  }
}
