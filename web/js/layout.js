// Where everything stands, in twips (1/1440 inch), and what it says, from the
// one description of the windows (ui/windows.json, which esbuild puts into
// the page's script when the page is built): left, top, width, height of
// each control's outer rectangle within its container. One function turns a
// row into CSS pixels at 15 twips per pixel (96 pixels per inch); the browser
// scales the whole at other zoom levels and device pixel ratios. The page
// needs nothing of the core for this, so the windows stand even when the
// core fails to load.

import { windows } from './windows.js';

export const twipsPerPixel = 15;

// Edges are rounded, not sizes, so that neighbours stay flush.
export function toPixels([left, top, width, height]) {
  const edge = (twips) => Math.round(twips / twipsPerPixel);
  const x = edge(left);
  const y = edge(top);
  return { left: x, top: y, width: edge(left + width) - x, height: edge(top + height) - y };
}

export function place(element, twips) {
  const rect = toPixels(twips);
  element.style.left = `${rect.left}px`;
  element.style.top = `${rect.top}px`;
  element.style.width = `${rect.width}px`;
  element.style.height = `${rect.height}px`;
}

// Gives the area the size of its table row; areas are not positioned.
export function size(element, twips) {
  const rect = toPixels(twips);
  element.style.width = `${rect.width}px`;
  element.style.height = `${rect.height}px`;
}

// The labels' widths were drawn for a narrower default font than browsers
// have; a label whose text would be cut off gets the largest smaller size at
// which it fits, so every word stays readable. Text width grows about in
// proportion to the size: the search starts from that guess, so that the
// page is measured a few times only.
export function fitTextToWidth(label, smallestPixels = 8) {
  const room = label.clientWidth;
  const natural = label.scrollWidth;
  if (natural <= room) {
    return;
  }
  const step = 0.25;
  const size = parseFloat(getComputedStyle(label).fontSize);
  let pixels = Math.max(smallestPixels, Math.floor((size * room) / natural / step) * step);
  label.style.fontSize = `${pixels}px`;
  while (label.scrollWidth > room && pixels - step >= smallestPixels) {
    pixels -= step;
    label.style.fontSize = `${pixels}px`;
  }
}

// The desktop's access key mark (&About) is not shown on the page.
const shown = (text) => text.replace('&', '');

// The main window's controls: the description's entries that are objects.
const form1Controls = () =>
  Object.entries(windows.Form1).filter(([, entry]) => entry.constructor === Object);

// Texts, names and ranges of the main window's controls from the description.
function describeForm1(document) {
  const byId = (id) => document.getElementById(id);
  document.title = windows.Form1.caption;
  byId('Form1_caption').textContent = windows.Form1.caption;
  for (const [name, control] of form1Controls()) {
    const element = byId(name);
    if (control.text !== undefined) {
      if (element.localName === 'input') {
        element.value = control.text;
      } else {
        element.textContent = shown(control.text);
      }
    }
    if (control.colour !== undefined) {
      element.style.setProperty('--swatch', control.colour);
    }
    if (control.accessibleName !== undefined) {
      element.setAttribute('aria-label', control.accessibleName);
    }
    if (control.minimum !== undefined) {
      element.setAttribute('aria-valuemin', control.minimum);
      element.setAttribute('aria-valuemax', control.maximum);
      element.setAttribute('aria-valuenow', control.minimum);
      const input = windows.Form1[element.getAttribute('aria-controls')];
      element.setAttribute('aria-valuetext', input.text);
    }
  }
  // A plot is named after its title label.
  for (const plot of document.querySelectorAll('#Form1 .plot')) {
    plot.setAttribute('aria-label', plot.querySelector('.label').textContent);
  }
  // Controls that share a container follow one another in the tab order.
  windows.Form1.tabOrder.reduce((previous, name) => {
    const element = byId(name);
    if (previous?.parentElement === element.parentElement) {
      previous.after(element);
    }
    return element;
  }, null);
  // A label is read just before the box it names, and so before its bar.
  for (const [name, control] of form1Controls()) {
    if (control.labelFor !== undefined) {
      byId(control.labelFor).before(byId(name));
    }
  }
}

// Until the page's script runs only the line that says the page is loading
// is laid out.
export function layOutForm1(document) {
  const byId = (id) => document.getElementById(id);
  document.documentElement.classList.add('scripted');
  describeForm1(document);
  size(byId('Form1_client'), windows.Form1.clientArea);
  for (const [name, control] of form1Controls()) {
    if (control.twips) {
      place(byId(name), control.twips);
    }
  }
}

// The About window's lines, written in when the page starts.
export function describeFormAbout(dialog) {
  const about = windows.Form_About;
  dialog.querySelector('.caption').textContent = about.caption;
  const client = dialog.querySelector('.client');
  client.style.fontFamily = `${about.font}, "DejaVu Sans", sans-serif`;
  client.replaceChildren(...about.lines.map((line) => {
    const label = dialog.ownerDocument.createElement('div');
    label.textContent = line.text;
    if (line.colour) {
      label.style.color = line.colour;
    }
    return label;
  }));
}

// The validity window's caption, names and width; its lines come from the
// core.
export function describeFormValidity(dialog) {
  const validity = windows.Form_Validity;
  dialog.querySelector('.caption').textContent = validity.caption;
  dialog.querySelector('.close').setAttribute('aria-label', validity.closeName);
  const text = dialog.querySelector('#Form_Validity_text');
  text.setAttribute('aria-label', validity.accessibleName);
  text.style.maxWidth = `${validity.widthInCharacters}ch`;
}

// The About window must be open, so that its labels can be measured.
export function layOutFormAbout(dialog) {
  const client = dialog.querySelector('.client');
  size(client, windows.Form_About.clientArea);
  windows.Form_About.lines.forEach((line, index) => {
    const label = client.children[index];
    place(label, line.twips);
    label.style.fontSize = `${line.points}pt`;
    fitTextToWidth(label);
  });
}

// The window shows, with the focus on the first stop of the tab order,
// without scrolling the page to it: at 400 % zoom the column's inputs stand
// above it.
export function showLaidOut(document) {
  document.documentElement.classList.add('laid-out');
  document.getElementById(windows.Form1.tabOrder[0]).focus({ preventScroll: true });
}
