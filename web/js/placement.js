// Where a small window (About, Geçerlilik) opens. Beside the main window,
// on its right, where the view has room for it, as a desktop places a new
// window; otherwise over the main window's right part (or its left part),
// at the top or the foot of the view, wherever it covers none of the inputs
// and the least of the plots, the right part first. Always inside the view,
// so that its close button can be reached, and placed anew after every fit
// of the main window (a resize, a rotation, a change of zoom).

import { clientBox } from './zoom.js';

const margin = 8;

// The area two rectangles share.
function overlap(a, b) {
  const width = Math.min(a.right, b.right) - Math.max(a.left, b.left);
  const height = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

function rectangle(left, top, width, height) {
  return { left, top, right: left + width, bottom: top + height };
}

// The window's upper-left corner in the view's (client) pixels.
function bestPlace(width, height, view, parts) {
  const { form, client, inputs, plots } = parts;
  const lowest = Math.max(margin, view.height - margin - height);
  const inView = (y) => Math.min(lowest, Math.max(margin, y));
  if (form.right + margin + width <= view.width - margin) {
    return { x: form.right + margin, y: inView(client.top) };
  }
  const right = Math.max(margin, view.width - margin - width);
  const ys = [client.top, margin, lowest, ...plots.map((plot) => plot.bottom + margin)].map(inView);
  let best = null;
  for (const x of [right, margin]) {
    for (const y of ys) {
      const place = rectangle(x, y, width, height);
      const cost = [overlap(place, inputs), plots.reduce((sum, p) => sum + overlap(place, p), 0)];
      if (!best || cost[0] < best.cost[0] || (cost[0] === best.cost[0] && cost[1] < best.cost[1])) {
        best = { x, y, cost };
      }
    }
  }
  return best;
}

// Puts the window's corner at a point of the view. The window lies in the
// page, whose origin the scroll has moved.
function putAt(dialog, x, y) {
  const { scrollX, scrollY } = dialog.ownerDocument.defaultView;
  dialog.style.left = `${Math.round(x + scrollX)}px`;
  dialog.style.top = `${Math.round(y + scrollY)}px`;
}

export function placeSmallWindow(dialog) {
  const document = dialog.ownerDocument;
  const byId = (id) => clientBox(document.getElementById(id));
  const parts = {
    form: byId('Form1'),
    client: byId('Form1_client'),
    inputs: byId('Frame1'),
    plots: [...document.querySelectorAll('#Form1 .plot')].map(clientBox),
  };
  const view = { width: document.documentElement.clientWidth,
    height: document.documentElement.clientHeight };
  const { x, y } = bestPlace(dialog.offsetWidth, dialog.offsetHeight, view, parts);
  putAt(dialog, x, y);
}

// A window whose contents grew keeps its place but comes back into the view.
export function keepInView(dialog) {
  const { clientWidth, clientHeight } = dialog.ownerDocument.documentElement;
  const box = dialog.getBoundingClientRect();
  const left = Math.max(margin, Math.min(box.left, clientWidth - margin - box.width));
  const top = Math.max(margin, Math.min(box.top, clientHeight - margin - box.height));
  if (left !== box.left || top !== box.top) {
    putAt(dialog, left, top);
  }
}
