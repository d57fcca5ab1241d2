// The main window of the page: places the controls from the window
// description, wires the five events, then loads the core (js/startup.js
// tells what the page shows meanwhile). Each recalculation runs wholly in
// the core; the page then paints both display lists, and if the core gave a
// message, shows it in the modal box after the core has returned (a message
// is always the last thing a recalculation does), blocking the page until
// it is closed.

import { inputsFromAddress, writeAddress } from './address.js';
import { Core, Input, Plot } from './core.js';
import { AboutWindow, MessageBox, ValidityWindow } from './dialogs.js';
import { PlotExports } from './exports.js';
import { WindowFit } from './fit.js';
import { layOutForm1 } from './layout.js';
import { PlotMenu } from './plotmenu.js';
import { PlotPainter } from './plotpainter.js';
import { StepScrollBar } from './scrollbar.js';
import { StartState } from './startup.js';
import { TheoryMenu } from './theorymenu.js';
import { keepUpToDate } from './updates.js';

const byId = (id) => document.getElementById(id);

layOutForm1(document);

const textMoo = byId('Text_Moo');
const textHbL = byId('Text_HbL');
const plots = [
  { box: byId('Picture_Akım'), plot: Plot.flow },
  { box: byId('Picture_basınç'), plot: Plot.pressure },
];
for (const entry of plots) {
  entry.painter = new PlotPainter(entry.box.querySelector('canvas'));
}
const messageBox = new MessageBox(byId('MsgBox'));
const about = new AboutWindow(byId('Form_About'));
const validity = new ValidityWindow(byId('Form_Validity'));
// The About window works even when the core does not load.
byId('Nm_About').addEventListener('click', () => about.show());
let messageOpen = false;
let core = null;

function texts() {
  return { Moo: textMoo.value, HbL: textHbL.value };
}

// Each plot's title is its name; what it shows now, in the core's words,
// is its description.
function describePlots() {
  for (const { box, plot } of plots) {
    byId(box.getAttribute('aria-describedby')).textContent = core.description(plot);
  }
}

// A screen reader hears each result once, politely, in one sentence of the
// core's description of the pressure plot: the first after those that
// restate the inputs, which gives Cp's extremes or why there is no curve.
// Sentences end at a point before a blank; a number's point has none.
function announceResult() {
  const sentences = core.description(Plot.pressure).split(/(?<=\.) +/);
  byId('Result').textContent = sentences.find((s) => !s.startsWith('Moo = ')) ?? '';
}

// Runs one recalculation in the core, shows its result and returns the
// promise of its message, if it gave one.
function recalculate(action) {
  if (messageOpen || !core) {
    return undefined;
  }
  performance.mark('recalculation');
  action();
  paintPlots();
  describePlots();
  if (validity.open) {
    validity.update(core.validity());
  }
  writeAddress(texts(), secondOrder);
  announceResult();
  const messages = core.messages();
  return messages.length > 0 ? showMessages(messages) : undefined;
}

// The pressure plot's second-order layer is painted after its curve; while
// it is off the layer is empty and the plot is painted exactly as before.
function paintPlots() {
  if (!core) {
    return;
  }
  for (const { painter, plot } of plots) {
    const list = core.displayList(plot);
    if (plot !== Plot.pressure) {
      painter.show(list.coordinates, list.colours);
      continue;
    }
    const layer = core.displayList(Plot.secondOrder);
    painter.show(joined(Float64Array, list.coordinates, layer.coordinates),
      joined(Uint32Array, list.colours, layer.colours));
  }
}

function joined(Type, first, second) {
  const both = new Type(first.length + second.length);
  both.set(first);
  both.set(second, first.length);
  return both;
}

async function showMessages(messages) {
  const focused = document.activeElement;
  messageOpen = true;
  try {
    for (const message of messages) {
      await messageBox.show(message);
    }
  } finally {
    messageOpen = false;
    focused?.focus();
  }
}

// A bar writes its value into its text box: the core wrote that text.
function connectBar(id, box, input, change) {
  const bar = new StepScrollBar(byId(id), (position) => recalculate(() => {
    change(position, texts());
    box.value = core.text(input);
    bar.valueText = box.value;
  }));
  return bar;
}

const command1Click = () => recalculate(() => core.command1Click(texts()));
const bars = [
  connectBar('HScroll_Moo', textMoo, Input.Moo, (p, t) => core.hscrollMooChange(p, t)),
  connectBar('HScroll_HbL', textHbL, Input.HbL, (p, t) => core.hscrollHbLChange(p, t)),
];
const start = new StartState(byId('Form1_status'), plots.map((entry) => entry.box), {
  button: byId('Command1'),
  bars,
});
new WindowFit(byId('Form1'), () => {
  for (const bar of bars) {
    bar.refit();
  }
  start.coverPlots();
});
document.documentElement.classList.add('laid-out');
byId('Picture_Akım').focus();
byId('Command1').addEventListener('click', () => {
  if (!start.keepClick()) {
    command1Click();
  }
});
// The Teori menu asks the core; until it has loaded there is nothing to show.
let secondOrder = false;
const theoryMenu = new TheoryMenu(byId('Nm_Teori'), byId('Teori_menu'), {
  secondOrder(on) {
    secondOrder = on;
    core?.setSecondOrder(on);
    paintPlots();
    if (core?.hasResults()) {
      writeAddress(texts(), secondOrder);
    }
  },
  validity() {
    validity.show(core?.validity() ?? '');
  },
});

// A link's inputs go into the boxes as if typed, then HESAPLA; the bars stay.
function openAddress() {
  const inputs = inputsFromAddress(window.location.hash);
  if (inputs.Moo === undefined && inputs.HbL === undefined) {
    return;
  }
  if (inputs.secondOrder) {
    secondOrder = true;
    theoryMenu.setSecondOrder(true);
    core.setSecondOrder(true);
  }
  textMoo.value = inputs.Moo ?? textMoo.value;
  textHbL.value = inputs.HbL ?? textHbL.value;
  recalculate(() => core.command1Click(texts()));
}

// The controls are in place; the core comes last, so that everything that
// needs none shows and works while it loads (js/startup.js). A core that
// cannot load rejects here, and js/startguard.js says so in the page.
core = await Core.load();
core.formLoad();
describePlots();
const exports = new PlotExports(core, { [Plot.flow]: plots[0].box, [Plot.pressure]: plots[1].box },
  messageBox);
for (const { box, plot } of plots) {
  new PlotMenu(box, (command) => exports.run(plot, command), () => core.hasResults());
}
// The ready mark and flag tell the browser tests and the start-up timing
// (docs/performance.md) that the page is usable; the recalculation marks let
// the tests count recalculations.
performance.mark('wavywall-ready');
document.documentElement.dataset.ready = 'true';
if (start.showReady()) {
  command1Click();
}
openAddress();
window.addEventListener('hashchange', openAddress);

// After one visit the page opens without a network, from the worker's cache.
keepUpToDate(byId('UpdateNotice'));
