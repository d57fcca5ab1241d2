// The menu of a plot box: save or copy its picture, save or copy its
// numbers, copy the page's link and print. The right button, a long press,
// the Menu key and Shift+F10 on the focused box open it at the pointer or
// the box's middle; the arrows move in it, Escape closes it and gives the
// focus back to the box. It lies over the window, which keeps its layout.

import { windows } from './windows.js';
import { clientBox } from './zoom.js';

const longPressMs = 500;
// A finger never holds quite still: moves within this many CSS pixels of
// where it came down still make a long press.
const longPressSlop = 10;

// The commands in the description's order, with its texts, and whether
// each waits for a recalculation that drew the plots.
export const commands = Object.entries(windows.PlotMenus).map(
  ([id, { text, waitsForResults }]) => ({ id, text, waitsForResults }));

export class PlotMenu {
  // run(commandId) carries a command out; hasResults() says whether there
  // is anything to save.
  constructor(box, run, hasResults) {
    this.box = box;
    this.hasResults = hasResults;
    this.menu = document.createElement('div');
    this.menu.className = 'plot-menu';
    this.menu.id = `${box.id}_menu`;
    this.menu.setAttribute('role', 'menu');
    this.menu.setAttribute('aria-label', box.getAttribute('aria-label'));
    this.menu.hidden = true;
    this.items = commands.map((command) => this.item(command, run));
    document.body.append(this.menu);
    box.setAttribute('aria-haspopup', 'menu');
    this.listen();
  }

  item(command, run) {
    const button = document.createElement('button');
    button.type = 'button';
    button.id = `${this.box.id}_${command.id}`;
    button.setAttribute('role', 'menuitem');
    button.textContent = command.text;
    button.addEventListener('click', () => {
      this.close(false);
      run(command.id);
    });
    this.menu.append(button);
    return { button, command };
  }

  listen() {
    this.box.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      const keyboard = event.button !== 2 && event.clientX === 0 && event.clientY === 0;
      this.open(keyboard ? null : { x: event.clientX, y: event.clientY });
    });
    this.box.addEventListener('keydown', (event) => {
      if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey)) {
        event.preventDefault();
        this.open(null);
      }
    });
    this.listenForLongPress();
    this.menu.addEventListener('keydown', (event) => this.key(event));
    this.menu.addEventListener('focusout', (event) => {
      if (!this.menu.contains(event.relatedTarget)) {
        this.close(false);
      }
    });
  }

  // A touch held still for half a second opens the menu where it lies.
  listenForLongPress() {
    let timer = 0;
    let start = null;
    const cancel = () => clearTimeout(timer);
    this.box.addEventListener('pointerdown', (event) => {
      if (event.pointerType === 'touch') {
        cancel();
        start = { x: event.clientX, y: event.clientY };
        timer = setTimeout(() => this.open(start), longPressMs);
      }
    });
    this.box.addEventListener('pointermove', (event) => {
      if (start && Math.hypot(event.clientX - start.x, event.clientY - start.y) > longPressSlop) {
        cancel();
      }
    });
    for (const type of ['pointerup', 'pointercancel']) {
      this.box.addEventListener(type, cancel);
    }
  }

  open(at) {
    for (const { button, command } of this.items) {
      button.disabled = command.waitsForResults && !this.hasResults();
    }
    // The menu lies in the page's body, where client pixels are its own.
    const box = clientBox(this.box);
    const point = at ?? { x: box.left + box.width / 2, y: box.top + box.height / 2 };
    this.menu.hidden = false;
    const room = {
      x: document.documentElement.clientWidth - this.menu.offsetWidth,
      y: document.documentElement.clientHeight - this.menu.offsetHeight,
    };
    this.menu.style.left = `${Math.max(0, Math.min(point.x, room.x)) + window.scrollX}px`;
    this.menu.style.top = `${Math.max(0, Math.min(point.y, room.y)) + window.scrollY}px`;
    this.enabled()[0]?.focus();
  }

  close(giveFocusBack = true) {
    if (this.menu.hidden) {
      return;
    }
    this.menu.hidden = true;
    if (giveFocusBack) {
      this.box.focus();
    }
  }

  enabled() {
    return this.items.map(({ button }) => button).filter((button) => !button.disabled);
  }

  key(event) {
    const buttons = this.enabled();
    const index = buttons.indexOf(document.activeElement);
    const moves = { ArrowDown: 1, ArrowUp: -1, Home: -index, End: buttons.length - 1 - index };
    if (event.key === 'Escape' || event.key === 'Tab') {
      event.preventDefault();
      this.close();
    } else if (event.key in moves) {
      event.preventDefault();
      buttons[(index + moves[event.key] + buttons.length) % buttons.length]?.focus();
    }
  }
}
