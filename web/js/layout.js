// Where everything stands, in twips (1/1440 inch), as the windows were
// designed: left, top, width, height of each control's outer rectangle within
// its container. One function turns a row into CSS pixels at 15 twips per
// pixel (96 pixels per inch); the browser scales the whole at other zoom
// levels and device pixel ratios.

export const twipsPerPixel = 15;

export const form1 = {
  clientArea: [0, 0, 7380, 5280],
  Frame1: [120, 240, 1695, 2295],
  HScroll_HbL: [720, 1320, 735, 255],
  HScroll_Moo: [720, 480, 735, 255],
  Text_Moo: [120, 480, 615, 285],
  Text_HbL: [120, 1320, 615, 285],
  Command1: [240, 1680, 1215, 495],
  Label1: [120, 240, 615, 255],
  Label2: [120, 1080, 495, 255],
  Picture_basınç: [2040, 2880, 5055, 2175],
  Label4: [1800, 1920, 3255, 255],
  Picture_Akım: [2040, 360, 5000, 2500],
  Label3: [3960, 2280, 975, 255],
};

// The About window's seven labels from top to bottom, with their font sizes
// in points: the green title lines, the credit line, the date, the address.
export const formAbout = {
  clientArea: [0, 0, 3600, 2040],
  labels: [
    { twips: [600, 120, 2295, 255], points: 9.75 },
    { twips: [720, 360, 2175, 255], points: 9.75 },
    { twips: [960, 600, 1695, 255], points: 9.75 },
    { twips: [600, 960, 2775, 255], points: 8.25 },
    { twips: [1200, 1200, 1095, 255], points: 8.25 },
    { twips: [120, 1440, 3375, 255], points: 8.25 },
    { twips: [840, 1680, 1935, 255], points: 8.25 },
  ],
};

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

export function layOutForm1(document) {
  const byId = (id) => document.getElementById(id);
  size(byId('Form1_client'), form1.clientArea);
  for (const [name, twips] of Object.entries(form1)) {
    if (name !== 'clientArea') {
      place(byId(name), twips);
    }
  }
  for (const id of ['Label1', 'Label2', 'Label3', 'Label4']) {
    fitTextToWidth(byId(id));
  }
}

// The About window must be open, so that its labels can be measured.
export function layOutFormAbout(dialog) {
  const client = dialog.querySelector('.client');
  size(client, formAbout.clientArea);
  formAbout.labels.forEach((row, index) => {
    const label = client.children[index];
    place(label, row.twips);
    label.style.fontSize = `${row.points}pt`;
    fitTextToWidth(label);
  });
}
