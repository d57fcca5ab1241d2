// The Teori menu of the menu bar: a button that opens a small menu with the
// checkable "İkinci mertebe Cp" and "Basit dalga çözümü" and "Geçerlilik…". Keys as in a desktop menu:
// Enter, Space or Down opens it on its first item, Up and Down move, Home and
// End jump, Escape closes it and returns to the button; a click elsewhere
// closes it too.

import { fitTextToWidth } from './layout.js';

export class TheoryMenu {
  constructor(button, menu, handlers) {
    this.button = button;
    this.menu = menu;
    this.items = [...menu.querySelectorAll('[role^="menuitem"]')];
    this.secondOrder = menu.querySelector('#Nm_İkinciMertebe');
    this.exact = menu.querySelector('#Nm_BasitDalgaÇözümü');
    button.addEventListener('click', () => (this.isOpen ? this.close() : this.open()));
    button.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown') {
        event.preventDefault();
        this.open();
      }
    });
    menu.addEventListener('keydown', (event) => this.key(event));
    this.secondOrder.addEventListener('click', () => {
      const on = this.secondOrder.getAttribute('aria-checked') !== 'true';
      this.setSecondOrder(on);
      this.close();
      handlers.secondOrder(on);
    });
    this.exact.addEventListener('click', () => {
      const on = this.exact.getAttribute('aria-checked') !== 'true';
      this.setExact(on);
      this.close();
      handlers.exact(on);
    });
    // The window it opens gives the focus back to the menu's button.
    menu.querySelector('#Nm_Geçerlilik').addEventListener('click', () => {
      this.close();
      handlers.validity();
    });
    document.addEventListener('pointerdown', (event) => {
      if (this.isOpen && !menu.contains(event.target) && event.target !== button) {
        this.close(false);
      }
    });
  }

  get isOpen() {
    return !this.menu.hidden;
  }

  setSecondOrder(on) {
    this.secondOrder.setAttribute('aria-checked', on ? 'true' : 'false');
    this.showInLegend('Label_İkinciMertebe', on);
  }

  setExact(on) {
    this.exact.setAttribute('aria-checked', on ? 'true' : 'false');
    this.showInLegend('Label_BasitDalgaÇözümü', on);
  }

  // A checked layer's entry shows in the pressure plot's legend, its text
  // fitted as the window's labels are once it has a width.
  showInLegend(id, on) {
    const entry = this.menu.ownerDocument.getElementById(id);
    entry.hidden = !on;
    if (on) {
      fitTextToWidth(entry);
    }
  }

  open() {
    this.menu.style.left = `${this.button.offsetLeft}px`;
    this.menu.hidden = false;
    this.button.setAttribute('aria-expanded', 'true');
    this.items[0].focus();
  }

  close(refocus = true) {
    this.menu.hidden = true;
    this.button.setAttribute('aria-expanded', 'false');
    if (refocus) {
      this.button.focus();
    }
  }

  key(event) {
    const index = this.items.indexOf(document.activeElement);
    const last = this.items.length - 1;
    const moves = {
      ArrowDown: index >= last ? 0 : index + 1,
      ArrowUp: index <= 0 ? last : index - 1,
      Home: 0,
      End: last,
    };
    if (event.key in moves) {
      event.preventDefault();
      this.items[moves[event.key]].focus();
    } else if (event.key === 'Escape' || event.key === 'Tab') {
      event.preventDefault();
      this.close();
    }
  }
}
