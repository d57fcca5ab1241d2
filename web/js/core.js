// The calculator's core, compiled to WebAssembly, behind a small JavaScript
// face. The core owns the flow model, the two input texts it reads and
// writes, a display list per plot and the messages of the last
// recalculation; this module only hands texts in and reads results out.
// Nothing of the physics is computed here.

// Emscripten's loader, bundled into the page's script when it is built.
import createCoreModule from 'wavywall-core';

export const Input = Object.freeze({ Moo: 0, HbL: 1 });
export const Plot = Object.freeze({ flow: 0, pressure: 1 });

const decoder = new TextDecoder('utf-16le');
const utf8 = new TextDecoder('utf-8');

// The core is compiled by the browser's own threads while the page places
// its controls, from the page's first script (js/startguard.js), which runs
// before this module is evaluated, so that it is ready before the window's
// first frame. Where that did not happen or failed (a page without the
// guard, no streaming compilation, a server that does not serve the core as
// application/wasm, a blocked file), the loader does it all itself, and
// reports what it cannot do.
const compiledCore = globalThis.wavywallCoreCompiled ?? null;

// The core instantiated by the loader, from the compiled core if there is
// one. The loader would look for the core beside the page's script; it lies
// one folder up.
function instantiate(compiled) {
  const locateFile = (file) => new URL(`../${file}`, import.meta.url).href;
  if (!compiled) {
    return createCoreModule({ locateFile });
  }
  return new Promise((resolve, reject) => {
    createCoreModule({
      locateFile,
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports)
          .then((instance) => receive(instance, compiled)).catch(reject);
        return {};
      },
    }).then(resolve, reject);
  });
}

export class Core {
  constructor(module) {
    this.module = module;
    this.session = module._wavywall_create();
  }

  // A missing or blocked core fails this promise alone, and About keeps
  // working. The error says in plain words what went wrong;
  // js/startguard.js shows it.
  static async load() {
    if (typeof WebAssembly !== 'object') {
      throw new Error('bu tarayıcı WebAssembly çalıştırmıyor ya da WebAssembly kapalı');
    }
    try {
      return new Core(await instantiate(await compiledCore));
    } catch (error) {
      throw new Error('hesap çekirdeği yüklenemedi (dosyası engellenmiş ya da bozuk)',
        { cause: error });
    }
  }

  formLoad() {
    this.module._wavywall_form_load(this.session);
  }

  setText(input, text) {
    const m = this.module;
    const pointer = m._wavywall_text_buffer(this.session, input, text.length);
    const units = m.HEAPU16.subarray(pointer >>> 1, (pointer >>> 1) + text.length);
    for (let i = 0; i < text.length; i++) {
      units[i] = text.charCodeAt(i);
    }
  }

  text(input) {
    return this.utf16(this.module._wavywall_text(this.session, input));
  }

  // The three recalculations, each with both texts as the boxes show them.
  command1Click(texts) {
    this.withTexts(texts, () => this.module._wavywall_command1_click(this.session));
  }

  hscrollMooChange(position, texts) {
    this.withTexts(texts, () => this.module._wavywall_hscroll_moo_change(this.session, position));
  }

  hscrollHbLChange(position, texts) {
    this.withTexts(texts, () => this.module._wavywall_hscroll_hbl_change(this.session, position));
  }

  withTexts(texts, action) {
    this.setText(Input.Moo, texts.Moo);
    this.setText(Input.HbL, texts.HbL);
    action();
  }

  // The plot's display list as views into the core's memory: four unit
  // coordinates (u1, v1, u2, v2) and one 0x00BBGGRR colour per line; the
  // pressure plot's ends with its second-order layer. Valid until the next
  // call into the core. The page paints with the core (paint); a benchmark
  // hands these lines to another painter.
  displayList(plot) {
    const m = this.module;
    const view = m._wavywall_display_list(this.session, plot) >>> 2;
    const [count, coordinatesAt, coloursAt] = m.HEAPU32.subarray(view, view + 3);
    const coordinates = coordinatesAt >>> 3;
    const colours = coloursAt >>> 2;
    return {
      coordinates: m.HEAPF64.subarray(coordinates, coordinates + 4 * count),
      colours: m.HEAPU32.subarray(colours, colours + count),
    };
  }

  // Has the core paint the plot into its memory at a canvas's size in device
  // pixels and its device pixel ratio: the memory, the RGBA pixels' address
  // in it (row after row, width pixels a row) and the rectangle that changed
  // (right and bottom excluded). The pixels stay valid until the next call
  // into the core, which may move the memory.
  paint(plot, width, height, ratio) {
    const m = this.module;
    const at = m._wavywall_paint(this.session, plot, width, height, ratio) >>> 2;
    const [pixels, left, top, right, bottom] = m.HEAP32.subarray(at, at + 5);
    return { buffer: m.HEAPU8.buffer, pixels: pixels >>> 0, left, top, right, bottom };
  }

  // The messages of the last recalculation, in the order they were given.
  messages() {
    const m = this.module;
    const count = m._wavywall_message_count(this.session);
    const list = [];
    for (let i = 0; i < count; i++) {
      list.push(this.utf16(m._wavywall_message(this.session, i)));
    }
    return list;
  }

  // Draws the second-order Cp into the pressure plot's layer from now on, at
  // once from the last picture; or no longer, and empties the layer.
  setSecondOrder(on) {
    this.module._wavywall_set_second_order(this.session, on ? 1 : 0);
  }

  // Draws the exact simple wave into both plots' layers from now on, or no
  // longer.
  setExact(on) {
    this.module._wavywall_set_exact(this.session, on ? 1 : 0);
  }

  // Where linear theory holds for the last recalculation, in lines.
  validity() {
    return this.utf16(this.module._wavywall_validity(this.session));
  }

  // What each plot shows now, in words, for its text alternative.
  description(plot) {
    return this.utf16(this.module._wavywall_description(this.session, plot));
  }

  // The number the last recalculation read from an input (Input.Moo,
  // Input.HbL); NaN before the first and for a number beyond a double's range.
  readValue(input) {
    return this.module._wavywall_read_value(this.session, input);
  }

  // True once a recalculation has drawn the plots (and not refused).
  hasResults() {
    return this.module._wavywall_has_results(this.session) === 1;
  }

  // The plot's SVG picture, as the desktop writes it.
  picture(plot) {
    this.module._wavywall_picture(this.session, plot);
    return this.exported();
  }

  // The picture's frame, in pixels: the drawing area's size and the title
  // label's rectangle and font size.
  pictureFrame(plot) {
    const m = this.module;
    const at = m._wavywall_picture_frame(this.session, plot) >>> 3;
    const [width, height, titleLeft, titleTop, titleWidth, titleHeight, fontSize] =
      m.HEAPF64.subarray(at, at + 7);
    return { width, height, titleLeft, titleTop, titleWidth, titleHeight, fontSize };
  }

  // The plot's point tables as CSV, or tab-separated for the clipboard.
  table(plot, tabs = false) {
    this.module._wavywall_table(this.session, plot, tabs ? 1 : 0);
    return this.exported();
  }

  exportName(plot) {
    return this.utf16(this.module._wavywall_export_name(this.session, plot));
  }

  exported() {
    const m = this.module;
    const pointer = m._wavywall_exported(this.session);
    return utf8.decode(m.HEAPU8.subarray(pointer, pointer + m._wavywall_exported_length(this.session)));
  }

  // A text the core handed out, of the length it gave with it.
  utf16(pointer) {
    const start = pointer >>> 1;
    const length = this.module._wavywall_returned_length(this.session);
    return decoder.decode(this.module.HEAPU16.subarray(start, start + length));
  }
}
