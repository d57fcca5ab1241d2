// What leaves the page from a plot's menu: the picture as PNG (the plot's
// own pixels, painted by the core's painter as the page shows them, under its
// title) or as the core's SVG (the same bytes the desktop writes), whichever
// the reader asks for, the numbers as CSV or as
// tab-separated text for a spreadsheet, the page's link, and a print with
// both plots drawn as vectors. Copying uses the asynchronous clipboard and
// says plainly when the browser refuses; saving and printing say so where
// the page embedding this one forbids them (js/host.js).

import { Plot } from './core.js';
import { HostLimits } from './host.js';

const refused = 'Tarayıcı panoya yazmaya izin vermedi.';

function download(name, blob) {
  const url = URL.createObjectURL(blob);
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// The plot's canvas with its title, as a PNG at the screen's resolution: the
// core painter's pixels as the page shows them, at the box's device pixel
// ratio. The frame is the core's, the title the one the box shows.
function pngOf(box, frame) {
  const source = box.querySelector('canvas');
  const canvas = document.createElement('canvas');
  canvas.width = source.width;
  canvas.height = source.height;
  const context = canvas.getContext('2d');
  context.drawImage(source, 0, 0);
  // The title's rectangle on whole device pixels, and its text within it:
  // every pixel outside it is the plot's own.
  const [x, y] = [source.width / frame.width, source.height / frame.height];
  const left = Math.floor(frame.titleLeft * x);
  const top = Math.floor(frame.titleTop * y);
  const title = new Path2D();
  title.rect(left, top, Math.ceil((frame.titleLeft + frame.titleWidth) * x) - left,
    Math.ceil((frame.titleTop + frame.titleHeight) * y) - top);
  context.fillStyle = '#f0f0f0';
  context.fill(title);
  context.clip(title);
  context.scale(x, y);
  context.fillStyle = '#000000';
  context.font = `${frame.fontSize}px Verdana, "DejaVu Sans", sans-serif`;
  context.textBaseline = 'top';
  context.fillText(box.querySelector('.label').textContent, frame.titleLeft, frame.titleTop,
    frame.titleWidth);
  return new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
}

export class PlotExports {
  constructor(core, boxes, { messageBox, saveType, link }) {
    this.core = core;
    this.link = link;
    this.boxes = boxes;
    this.messageBox = messageBox;
    this.saveType = saveType;
    this.host = new HostLimits(messageBox);
    window.addEventListener('beforeprint', () => this.showPrintPictures());
    window.addEventListener('afterprint', () => this.removePrintPictures());
  }

  run(plot, command) {
    const name = this.core.exportName(plot);
    const actions = {
      savePicture: () => this.savePicture(plot, name),
      saveData: () => download(`${name}.csv`, new Blob([this.core.table(plot)],
        { type: 'text/csv' })),
      copyPicture: () => this.copy(() => navigator.clipboard.write([
        new ClipboardItem({ 'image/png': pngOf(this.boxes[plot], this.core.pictureFrame(plot)) }),
      ])),
      copyData: () => this.copy(() => navigator.clipboard.writeText(this.core.table(plot, true))),
      copyLink: () => this.copy(() => navigator.clipboard.writeText(this.link())),
      print: () => this.host.print(),
    };
    actions[command]();
    if (command.startsWith('save')) {
      this.host.saved();
    }
  }

  async savePicture(plot, name) {
    const type = await this.saveType.ask();
    if (type === 'png') {
      download(`${name}.png`, await pngOf(this.boxes[plot], this.core.pictureFrame(plot)));
    } else if (type === 'svg') {
      download(`${name}.svg`, new Blob([this.core.picture(plot)], { type: 'image/svg+xml' }));
    }
  }

  async copy(write) {
    try {
      await write();
    } catch {
      await this.messageBox.show(refused);
    }
  }

  // On paper the plots are the core's pictures, vectors at the printer's
  // resolution, over the canvases. The SVG is the core's own document: it
  // holds no text from the address or the boxes.
  showPrintPictures() {
    if (!this.core.hasResults()) {
      return;
    }
    for (const plot of [Plot.flow, Plot.pressure]) {
      const svg = new DOMParser().parseFromString(this.core.picture(plot), 'image/svg+xml');
      const picture = document.importNode(svg.documentElement, true);
      picture.classList.add('print-picture');
      picture.setAttribute('aria-hidden', 'true');
      this.boxes[plot].append(picture);
    }
  }

  removePrintPictures() {
    for (const picture of document.querySelectorAll('.print-picture')) {
      picture.remove();
    }
  }
}
