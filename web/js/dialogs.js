// The two dialogs of the page. The message box is modal: while it is open
// nothing else in the page reacts, and its promise settles when the user has
// closed it (OK by click, Return or Space; Escape too, as with any message
// box that has only OK). The About window is one non-modal window, laid out
// on its first use and shown again, unchanged, on every later one; its
// close button and Escape close it. The validity window is non-modal too,
// and shows the lines it is given. The question of a picture's file type is
// modal, as a file dialog is.

import { describeFormAbout, describeFormValidity, layOutFormAbout } from './layout.js';

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

export class AboutWindow {
  constructor(dialog) {
    this.dialog = dialog;
    this.laidOut = false;
    this.returnFocus = null;
    describeFormAbout(dialog);
    dialog.querySelector('.close').addEventListener('click', () => dialog.close());
    // A non-modal dialog does not close on Escape by itself; a window with
    // a close button does.
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        dialog.close();
      }
    });
    // Closing goes back to where the reader was, not to the page's start.
    dialog.addEventListener('close', () => {
      if (dialog.contains(document.activeElement) || document.activeElement === document.body) {
        this.returnFocus?.focus();
      }
    });
    makeMovable(dialog, dialog.querySelector('.caption-bar'));
  }

  show() {
    if (!this.dialog.open) {
      this.returnFocus = document.activeElement;
      this.dialog.show();
    }
    if (!this.laidOut) {
      layOutFormAbout(this.dialog);
      this.laidOut = true;
    }
    this.dialog.querySelector('.close').focus();
  }
}

export class ValidityWindow {
  constructor(dialog) {
    this.dialog = dialog;
    this.text = dialog.querySelector('#Form_Validity_text');
    describeFormValidity(dialog);
    dialog.querySelector('.close').addEventListener('click', () => dialog.close());
    // A non-modal dialog does not close on Escape by itself.
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        dialog.close();
      }
    });
    makeMovable(dialog, dialog.querySelector('.caption-bar'));
  }

  get open() {
    return this.dialog.open;
  }

  show(text) {
    this.update(text);
    if (!this.dialog.open) {
      this.dialog.show();
    }
    this.dialog.querySelector('.close').focus();
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
