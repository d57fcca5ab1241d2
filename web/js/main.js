// The page's composition root: places the controls from the description of
// the windows, builds the parts of the main window and wires them to its
// controller (js/form1.js), then loads the core; js/startup.js tells what
// the page shows meanwhile, and js/startguard.js what it says if the core
// cannot load. About needs no core and works from the start.

import { Core, Plot } from './core.js';
import { AboutWindow, MessageBox, SaveTypeDialog, ValidityWindow } from './dialogs.js';
import { WindowFit } from './fit.js';
import { Form1 } from './form1.js';
import { layOutForm1, showLaidOut } from './layout.js';
import { PlotPainter } from './plotpainter.js';
import { keepPrintHeading } from './print.js';
import { StepScrollBar } from './scrollbar.js';
import { StartState } from './startup.js';
import { TheoryMenu } from './theorymenu.js';
import { keepUpToDate } from './updates.js';

const byId = (id) => document.getElementById(id);
layOutForm1(document);
new AboutWindow(byId('Form_About'), byId('Nm_About'));

const plot = (id, which) =>
  ({ box: byId(id), plot: which, painter: new PlotPainter(byId(id).querySelector('canvas')) });
const plots = [plot('Picture_Akım', Plot.flow), plot('Picture_basınç', Plot.pressure)];
const form = new Form1({
  textMoo: byId('Text_Moo'), textHbL: byId('Text_HbL'), plots, result: byId('Result'),
  messageBox: new MessageBox(byId('MsgBox')), validity: new ValidityWindow(byId('Form_Validity')),
  saveType: new SaveTypeDialog(byId('Form_ResmiKaydet')),
  theoryMenu: new TheoryMenu(byId('Nm_Teori'), byId('Nm_Teori_menu'), {
    secondOrder: (on) => form.Nm_İkinciMertebe_Click(on),
    exact: (on) => form.Nm_BasitDalgaÇözümü_Click(on),
    validity: () => form.Nm_Geçerlilik_Click(),
  }),
});
keepPrintHeading(byId('PrintHeading'), () => form.link());
form.bars = [
  new StepScrollBar(byId('HScroll_Moo'), (position) => form.HScroll_Moo_Change(position)),
  new StepScrollBar(byId('HScroll_HbL'), (position) => form.HScroll_HbL_Change(position)),
];
const start = new StartState(byId('Form1_status'), plots.map(({ box }) => box),
  { button: byId('Command1'), bars: form.bars });
new WindowFit(byId('Form1'), () => {
  form.bars.forEach((bar) => bar.refit());
  start.coverPlots();
});
showLaidOut(document);
byId('Command1').addEventListener('click', () => start.keepClick() || form.Command1_Click());

form.start(await Core.load());
// A link's inputs are calculated as HESAPLA; a click kept meanwhile is that
// same calculation, not a second one.
const clickKept = start.showReady();
if (!form.openAddress(window.location.hash) && clickKept) {
  form.Command1_Click();
}
window.addEventListener('hashchange', () => form.openAddress(window.location.hash));
keepUpToDate(byId('UpdateNotice'));
