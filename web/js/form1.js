// The main window's controller, as ui/form1.cpp is the desktop's: it hands
// each of the window's actions to the core and paints both display lists;
// once a burst of recalculations has ended it puts the plots and the result
// into the core's words (at once when a plot takes the focus or a message
// opens; the words wait with aria-busy set) and writes the inputs into the
// address. A message the core gave is shown in the modal box after the core
// has returned (a message is always the last thing a recalculation does),
// and the window takes no other action until it is closed. The Teori menu, a
// link's inputs and the plots' menus reach the core through it too. Until
// the core has loaded (start) there is nothing to recalculate.

import { AddressWriter, inputsFromAddress } from './address.js';
import { Input, Plot } from './core.js';
import { PlotExports } from './exports.js';
import { PlotMenu } from './plotmenu.js';
import { Settle } from './settle.js';
import { windows } from './windows.js';

export class Form1 {
  // The window's parts: the two text boxes, the plots (each its box, its
  // painter and the core's plot), the live region that says each result,
  // the message box, the question of a picture's file type, the validity
  // window and the Teori menu.
  constructor({ textMoo, textHbL, plots, result, messageBox, saveType, validity, theoryMenu }) {
    Object.assign(this,
      { textMoo, textHbL, plots, result, messageBox, saveType, validity, theoryMenu });
    this.bars = [];
    this.core = null;
    this.messageOpen = false;
    this.secondOrder = false;
    this.exact = false;
    this.address = new AddressWriter();
    this.words = new Settle(() => this.putIntoWords(), AddressWriter.delay);
    for (const { box } of plots) {
      box.addEventListener('focus', () => this.words.now());
    }
  }

  // The core has loaded: the flow state and layers are set, the plots
  // described and their menus can leave results.
  start(core) {
    this.core = core;
    core.formLoad();
    // The Teori menu's layers, if chosen while the core loaded.
    core.setSecondOrder(this.secondOrder);
    core.setExact(this.exact);
    this.describePlots();
    const exports = new PlotExports(core,
      Object.fromEntries(this.plots.map(({ box, plot }) => [plot, box])),
      { messageBox: this.messageBox, saveType: this.saveType, link: () => this.link() });
    for (const { box, plot } of this.plots) {
      new PlotMenu(box, (command) => exports.run(plot, command), () => core.hasResults());
    }
  }

  // The page's address, and the plots' descriptions, with the inputs shown
  // now: a burst of changes may not have reached them yet.
  link() {
    this.address.flush();
    this.words.now();
    return window.location.href;
  }

  texts() {
    return { Moo: this.textMoo.value, HbL: this.textHbL.value };
  }

  Command1_Click() {
    return this.recalculate(() => this.core.command1Click(this.texts()));
  }

  // A bar writes its value into its text box: the core wrote that text. The
  // bars are given in the order of the inputs (Input.Moo, Input.HbL).
  HScroll_Moo_Change(position) {
    return this.barChanged(Input.Moo, this.textMoo,
      () => this.core.hscrollMooChange(position, this.texts()));
  }

  HScroll_HbL_Change(position) {
    return this.barChanged(Input.HbL, this.textHbL,
      () => this.core.hscrollHbLChange(position, this.texts()));
  }

  barChanged(input, box, change) {
    return this.recalculate(() => {
      change();
      box.value = this.core.text(input);
      this.bars[input].valueText = box.value;
    });
  }

  // Runs one recalculation in the core, shows its result and returns the
  // promise of its message, if it gave one. Its mark lets the browser tests
  // count recalculations.
  recalculate(action) {
    if (this.messageOpen || !this.core) {
      return undefined;
    }
    performance.mark('recalculation');
    action();
    this.paintPlots();
    if (this.validity.open) {
      this.validity.update(this.core.validity());
    }
    this.address.write(this.texts(), this.secondOrder, this.exact);
    this.describeLater();
    const messages = this.core.messages();
    if (messages.length === 0) {
      return undefined;
    }
    this.words.now();
    return this.showMessages(messages);
  }

  describeLater() {
    if (!this.words.due) {
      this.setBusy(true);
    }
    this.words.later();
  }

  putIntoWords() {
    this.describePlots();
    this.announceResult();
    this.setBusy(false);
  }

  setBusy(busy) {
    for (const element of [...this.plots.map(({ box }) => box), this.result]) {
      if (busy) {
        element.setAttribute('aria-busy', 'true');
      } else {
        element.removeAttribute('aria-busy');
      }
    }
  }

  // The core paints each plot into its memory; each picture ends with its
  // layers (the pressure plot's second order, both plots' simple wave),
  // empty while an overlay is off.
  paintPlots() {
    for (const { painter, plot } of this.plots) {
      painter.show((width, height, ratio) => this.core.paint(plot, width, height, ratio));
    }
  }

  // Each plot's title is its name; what it shows now, in the core's words,
  // is its description.
  describePlots() {
    for (const { box, plot } of this.plots) {
      box.ownerDocument.getElementById(box.getAttribute('aria-describedby')).textContent =
        this.core.description(plot);
    }
  }

  // A screen reader hears each result once, politely, in one sentence of the
  // core's description of the pressure plot: the first after those that
  // restate the inputs, which gives Cp's extremes or why there is no curve.
  // Sentences end at a point before a blank; a number's point has none.
  announceResult() {
    const sentences = this.core.description(Plot.pressure).split(/(?<=\.) +/);
    this.result.textContent = sentences.find((s) => !s.startsWith('Moo = ')) ?? '';
  }

  async showMessages(messages) {
    const focused = document.activeElement;
    this.messageOpen = true;
    try {
      for (const message of messages) {
        await this.messageBox.show(message);
      }
    } finally {
      this.messageOpen = false;
      focused?.focus();
    }
  }

  // The Teori menu's overlay; until the core has loaded there is nothing to
  // draw it on.
  Nm_İkinciMertebe_Click(on) {
    this.secondOrder = on;
    if (!this.core) {
      return;
    }
    this.core.setSecondOrder(on);
    this.paintPlots();
    this.describePlots();
    if (this.core.hasResults()) {
      this.address.write(this.texts(), this.secondOrder, this.exact);
    }
  }

  // The simple wave's overlays over both plots, as the second order's.
  Nm_BasitDalgaÇözümü_Click(on) {
    this.exact = on;
    if (!this.core) {
      return;
    }
    this.core.setExact(on);
    this.paintPlots();
    this.describePlots();
    if (this.core.hasResults()) {
      this.address.write(this.texts(), this.secondOrder, this.exact);
    }
  }

  Nm_Geçerlilik_Click() {
    this.validity.show(this.core?.validity() ?? '');
  }

  // A link's inputs go into the boxes as if typed, then HESAPLA; its layers
  // are on or off as it says, and each bar it names goes where the value read
  // is one of the bar's positions (1.37: the Moo bar at 137), so that the
  // bar's next step goes on from there. Returns whether it recalculated.
  openAddress(hash) {
    const inputs = inputsFromAddress(hash);
    // While a message holds the window, it takes no other action.
    if ((inputs.Moo === undefined && inputs.HbL === undefined) || this.messageOpen) {
      return false;
    }
    this.showLayers(inputs.secondOrder, inputs.exact);
    const given = [[Input.Moo, this.textMoo, inputs.Moo], [Input.HbL, this.textHbL, inputs.HbL]]
      .filter(([, , text]) => text !== undefined);
    for (const [, box, text] of given) {
      box.value = text;
    }
    this.Command1_Click();
    for (const [input, box] of given) {
      this.barFollows(input, box);
    }
    return true;
  }

  // A bar's position p gives the value p / 100, which the bar writes.
  barFollows(input, box) {
    const value = this.core.readValue(input);
    const position = Math.round(value * windows.positionsPerUnit);
    const bar = this.bars[input];
    if (position / windows.positionsPerUnit === value && position === bar.clamp(position)) {
      bar.setPosition(position);
      bar.valueText = box.value;
    }
  }

  // The Teori menu's layers as a link gives them, changed where they differ.
  showLayers(secondOrder, exact) {
    if (secondOrder !== this.secondOrder) {
      this.secondOrder = secondOrder;
      this.theoryMenu.setSecondOrder(secondOrder);
      this.core.setSecondOrder(secondOrder);
    }
    if (exact !== this.exact) {
      this.exact = exact;
      this.theoryMenu.setExact(exact);
      this.core.setExact(exact);
    }
  }
}
