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

// The commands in the description's order, with its texts, access keys, and
// whether each waits for a recalculation that drew the plots.
export const commands = Object.entries(windows.PlotMenus).map(
  ([id, { text, accessKey, waitsForResults }]) => ({ id, text, accessKey, waitsForResults }));

// Whether a key event is the given letter: by the character it types, or by
// the key's place where the character is no Latin letter (another alphabet's
// layout, or Option on a Mac: Option+A types å).
export function isLetter(event, letter) {
  if (/^[a-z]$/i.test(event.key)) {
    return event.key.toLowerCase() === letter.toLowerCase();
  }
  return event.code === `Key${letter.toUpperCase()}`;
}

// A command's text with its access key underlined where it first occurs, as
// the desktop shows it.
function withAccessKey(button, text, key) {
  const at = text.indexOf(key);
  if (at < 0) {
    button.textContent = text;
    return;
  }
  const mark = document.createElement('u');
  mark.textContent = key;
  button.append(text.slice(0, at), mark, text.slice(at + key.length));
}

export class PlotMenu {
  // run(commandId) carries a command out; hasResults() says whether there
  // is anything to save.
  constructor(box, run, hasResults) {
    this.box = box;
    this.run = run;
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
    button.setAttribute('aria-keyshortcuts', command.accessKey.toUpperCase());
    withAccessKey(button, command.text, command.accessKey);
    // The focus goes back to the plot, as from the desktop's menu, and from
    // there into a box the command opens, and back again when it closes.
    button.addEventListener('click', () => {
      this.close();
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
      } else if ((event.ctrlKey || event.metaKey) && !event.altKey && isLetter(event, 'c')) {
        // Ctrl+C (Cmd+C on a Mac) copies the picture, as its command does.
        event.preventDefault();
        if (this.hasResults()) {
          this.run('copyPicture');
        }
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
    } else if (!event.ctrlKey && !event.metaKey) {
      // An access key chooses its command, if it can be chosen now.
      const chosen = this.items.find(({ command }) => isLetter(event, command.accessKey));
      if (chosen) {
        event.preventDefault();
        if (!chosen.button.disabled) {
          chosen.button.click();
        }
      }
    }
  }
}
