// The page's address carries the inputs, so that a shared link opens on the
// same plots: index.html#Moo=1.5&HbL=0.05. The values are texts, used only
// as a text box's value (never as markup) and read by the core's rule as if
// typed; a value longer than 64 characters, and any other key, is ignored
// (a link is no place for a novel, and a box keeps what it holds). Every recalculation replaces the fragment with the texts it
// read, without a new history entry, once a burst of them ends (AddressWriter).
// The Teori menu's second-order overlay travels along as Cp2=1 while it is
// on, the simple wave as Exact=1.

import { Settle } from './settle.js';

export const longestText = 64;

// The inputs a fragment gives: { Moo, HbL }, either missing, and whether it
// asks for the second-order and the simple-wave overlays.
export function inputsFromAddress(hash) {
  const inputs = {};
  const parameters = new URLSearchParams(hash.replace(/^#/, ''));
  for (const key of ['Moo', 'HbL']) {
    const value = parameters.get(key);
    if (value !== null && value.length <= longestText) {
      inputs[key] = value;
    }
  }
  inputs.secondOrder = parameters.get('Cp2') === '1';
  inputs.exact = parameters.get('Exact') === '1';
  return inputs;
}

export function writeAddress(texts, secondOrder = false, exact = false) {
  const parameters = new URLSearchParams({ Moo: texts.Moo, HbL: texts.HbL });
  if (secondOrder) {
    parameters.set('Cp2', '1');
  }
  if (exact) {
    parameters.set('Exact', '1');
  }
  const fragment = parameters.toString();
  history.replaceState(history.state, '', `#${fragment}`);
}

// Writes the address once a burst of changes ends: a held arrow or quick
// presses recalculate many times a second, and browsers refuse an address
// rewritten past some 200 times in 10 s (Chromium warns "Throttling
// navigation"), which would leave a stale link. The last texts are written
// when no change has come for a quarter of a second, and at once when the
// page is left, so the link is current as soon as the hand stops.
export class AddressWriter {
  static delay = 250;

  constructor(target = window) {
    this.pending = null;
    this.settle = new Settle(() => {
      const { texts, secondOrder, exact } = this.pending;
      writeAddress(texts, secondOrder, exact);
    }, AddressWriter.delay);
    target.addEventListener('pagehide', () => this.flush());
  }

  write(texts, secondOrder = false, exact = false) {
    this.pending = { texts: { ...texts }, secondOrder, exact };
    this.settle.later();
  }

  flush() {
    this.settle.now();
  }
}
