// What leaves the page from a plot's menu: the picture as the core's SVG
// (the same bytes the desktop writes), the numbers as CSV or as
// tab-separated text for a spreadsheet, the page's link, and a print with
// both plots drawn as vectors. Copying uses the asynchronous clipboard and
// says plainly when the browser refuses; saving and printing say so where
// the page embedding this one forbids them (js/host.js).

import { Plot } from './core.js';
import { HostLimits } from './host.js';

const refused = 'Tarayıcı panoya yazmaya izin vermedi.';

function download(name, type, text) {
  const url = URL.createObjectURL(new Blob([text], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// The plot's canvas with its title, as a PNG at the screen's resolution;
// the frame is the core's, the title the one the box shows.
function pngOf(box, frame) {
  const source = box.querySelector('canvas');
  const canvas = document.createElement('canvas');
  canvas.width = source.width;
  canvas.height = source.height;
  const context = canvas.getContext('2d');
  context.drawImage(source, 0, 0);
  context.scale(source.width / frame.width, source.height / frame.height);
  context.fillStyle = '#f0f0f0';
  context.fillRect(frame.titleLeft, frame.titleTop, frame.titleWidth, frame.titleHeight);
  context.fillStyle = '#000000';
  context.font = `${frame.fontSize}px Verdana, "DejaVu Sans", sans-serif`;
  context.textBaseline = 'top';
  context.fillText(box.querySelector('.label').textContent, frame.titleLeft, frame.titleTop,
    frame.titleWidth);
  return new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
}

export class PlotExports {
  constructor(core, boxes, messageBox) {
    this.core = core;
    this.boxes = boxes;
    this.messageBox = messageBox;
    this.host = new HostLimits(messageBox);
    window.addEventListener('beforeprint', () => this.showPrintPictures());
    window.addEventListener('afterprint', () => this.removePrintPictures());
  }

  run(plot, command) {
    const name = this.core.exportName(plot);
    const actions = {
      savePicture: () => download(`${name}.svg`, 'image/svg+xml', this.core.picture(plot)),
      saveData: () => download(`${name}.csv`, 'text/csv', this.core.table(plot)),
      copyPicture: () => this.copy(() => navigator.clipboard.write([
        new ClipboardItem({ 'image/png': pngOf(this.boxes[plot], this.core.pictureFrame(plot)) }),
      ])),
      copyData: () => this.copy(() => navigator.clipboard.writeText(this.core.table(plot, true))),
      copyLink: () => this.copy(() => navigator.clipboard.writeText(window.location.href)),
      print: () => this.host.print(),
    };
    actions[command]();
    if (command.startsWith('save')) {
      this.host.saved();
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
