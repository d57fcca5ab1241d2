// The two dialogs of the page. The message box is modal: while it is open
// nothing else in the page reacts, and its promise settles when the user has
// closed it (OK by click, Return or Space; Escape too, as with any message
// box that has only OK). The About window is one non-modal window, laid out
// on its first use and shown again, unchanged, on every later one. The
// validity window is non-modal too, and shows the lines it is given. Both
// are small windows: their close button and Escape close them. The question
// of a picture's file type is modal, as a file dialog is.

import { describeFormAbout, describeFormValidity, layOutFormAbout } from './layout.js';
import { keepInView, placeSmallWindow } from './placement.js';
import { isLetter } from './plotmenu.js';

export class MessageBox {
  constructor(dialog) {
    this.dialog = dialog;
    this.text = dialog.querySelector('#MsgBox_text');
    this.ok = dialog.querySelector('#MsgBox_OK');
    this.ok.addEventListener('click', () => this.dialog.close());
    // A click anywhere else, the page behind included, leaves the focus on
    // OK, so that Return and Space still close the box.
    dialog.addEventListener('mousedown', (event) => {
      if (event.target !== this.ok) {
        event.preventDefault();
      }
    });
    // OK is all the box holds: Tab and Shift+Tab stay on it, rather than
    // leave for the browser's own controls. (WebKitGTK names Shift+Tab's key
    // "Unidentified"; its code is Tab.)
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Tab' || event.code === 'Tab') {
        event.preventDefault();
      }
    });
  }

  // Shows a message exactly as given (leading blanks included) and settles
  // when the box has been closed.
  show(message) {
    this.text.textContent = message;
    return new Promise((resolve) => {
      this.dialog.addEventListener('close', () => resolve(), { once: true });
      this.dialog.showModal();
      this.ok.focus();
    });
  }
}

// Asks, as the desktop's file dialog does with its list of types, whether a
// picture is saved as PNG (the first, chosen at every opening) or SVG. It is
// modal; its promise gives 'png', 'svg', or null when cancelled (İptal or
// Escape). Return saves as chosen; the arrows change the choice.
export class SaveTypeDialog {
  constructor(dialog) {
    this.dialog = dialog;
    this.types = [...dialog.querySelectorAll('input[type="radio"]')];
    const save = dialog.querySelector('.save');
    save.addEventListener('click', () =>
      dialog.close(this.types.find((type) => type.checked).value));
    dialog.querySelector('.cancel').addEventListener('click', () => dialog.close(''));
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.localName === 'input') {
        event.preventDefault();
        save.click();
      }
    });
  }

  ask() {
    this.types[0].checked = true;
    this.dialog.returnValue = '';
    return new Promise((resolve) => {
      this.dialog.addEventListener('close', () => resolve(this.dialog.returnValue || null),
        { once: true });
      this.dialog.showModal();
      this.types[0].focus();
    });
  }
}

// A small non-modal window with a close button: Escape closes it too (a
// dialog opened with show() does not close on Escape by itself), and the
// focus then goes back to what opened it, not to the page's start. It opens
// inside the view (js/placement.js), is placed anew after every fit of the
// main window (the "fit" event of js/fit.js) and kept in view as its
// contents grow.
class SmallWindow {
  constructor(dialog) {
    this.dialog = dialog;
    this.returnFocus = null;
    const close = dialog.querySelector('.close');
    close.addEventListener('click', () => dialog.close());
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        dialog.close();
      }
    });
    dialog.addEventListener('close', () => {
      const active = document.activeElement;
      if (dialog.contains(active) || active === document.body || active === null) {
        this.returnFocus?.focus();
      }
    });
    document.addEventListener('fit', () => this.dialog.open && placeSmallWindow(dialog));
    new ResizeObserver(() => this.dialog.open && keepInView(dialog)).observe(dialog);
    makeMovable(dialog, dialog.querySelector('.caption-bar'));
  }

  get open() {
    return this.dialog.open;
  }

  // layOut, if given, lays the window out once it shows and before it is
  // placed.
  showWindow(layOut = () => {}) {
    if (!this.dialog.open) {
      this.returnFocus = document.activeElement;
      // The window opened last lies above the other.
      for (const other of document.querySelectorAll('dialog.about, dialog.validity')) {
        other.classList.toggle('front', other === this.dialog);
      }
      this.dialog.show();
      layOut();
      placeSmallWindow(this.dialog);
    }
    this.dialog.querySelector('.close').focus();
  }
}

// Opened by its menu command, and by Alt+A, the command's access key
// (&About), anywhere in the page, as on the desktop; not while a modal box
// (a message) holds the page.
export class AboutWindow extends SmallWindow {
  constructor(dialog, command) {
    super(dialog);
    this.laidOut = false;
    describeFormAbout(dialog);
    command.addEventListener('click', () => this.show());
    document.addEventListener('keydown', (event) => {
      if (event.altKey && !event.ctrlKey && !event.metaKey && isLetter(event, 'a')
          && !document.querySelector('dialog:modal')) {
        event.preventDefault();
        this.show();
      }
    });
  }

  show() {
    this.showWindow(() => {
      if (!this.laidOut) {
        layOutFormAbout(this.dialog);
        this.laidOut = true;
      }
    });
  }
}

export class ValidityWindow extends SmallWindow {
  constructor(dialog) {
    super(dialog);
    this.text = dialog.querySelector('#Form_Validity_text');
    describeFormValidity(dialog);
  }

  show(text) {
    this.update(text);
    this.showWindow();
  }

  update(text) {
    this.text.textContent = text;
  }
}

// A window is moved by dragging its caption bar.
function makeMovable(dialog, bar) {
  bar.addEventListener('pointerdown', (down) => {
    if (down.button !== 0 || down.target.closest('button')) {
      return;
    }
    const startLeft = dialog.offsetLeft;
    const startTop = dialog.offsetTop;
    bar.setPointerCapture(down.pointerId);
    const move = (event) => {
      dialog.style.left = `${startLeft + event.clientX - down.clientX}px`;
      dialog.style.top = `${Math.max(0, startTop + event.clientY - down.clientY)}px`;
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('lostpointercapture', () => bar.removeEventListener('pointermove', move), {
      once: true,
    });
  });
}
