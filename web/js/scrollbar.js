// A horizontal scroll bar that behaves like the desktop's: two arrow buttons,
// a track and a thumb. An arrow click, a track click beside the thumb and
// each arrow key move the position by exactly one; a held arrow or track
// repeats, an arrow only while the pointer is on it; dragging the thumb
// changes the position once, when it is let go.
// Every change of position is reported once, whatever made it; the bar never
// moves by itself otherwise, and it stops repeating as soon as a change
// opens a message, whose modal box takes the pointer's release. Pointers are
// measured against the parts where they show, at any zoom (js/zoom.js).

import { clientBox, ownOffset } from './zoom.js';

const repeatDelay = 400;
const repeatInterval = 50;
const smallestThumb = 8;

export class StepScrollBar {
  // element carries role="scrollbar" and aria-valuemin/max/now; onChange is
  // called with the new position and may return a promise (a message being
  // shown) that the bar waits for.
  constructor(element, onChange) {
    this.element = element;
    this.onChange = onChange;
    this.minimum = Number(element.getAttribute('aria-valuemin'));
    this.maximum = Number(element.getAttribute('aria-valuemax'));
    this.position = Number(element.getAttribute('aria-valuenow'));
    this.timer = 0;
    this.stopFollowing = () => {};
    this.busy = false;
    this.usable = true;
    this.build();
    this.listen();
  }

  build() {
    const part = (className) => {
      const div = this.element.ownerDocument.createElement('div');
      div.className = className;
      div.setAttribute('aria-hidden', 'true');
      return div;
    };
    this.decrease = part('arrow decrease');
    this.track = part('track');
    this.thumb = part('thumb');
    this.increase = part('arrow increase');
    this.track.append(this.thumb);
    this.element.append(this.decrease, this.track, this.increase);
    this.refit();
  }

  // Square arrows as high as the bar, and the thumb placed anew: for a bar
  // whose size has changed (js/fit.js).
  refit() {
    const side = `${this.element.clientHeight}px`;
    for (const arrow of [this.decrease, this.increase]) {
      arrow.style.width = side;
    }
    this.smallestThumb = parseFloat(getComputedStyle(this.thumb).minWidth) || smallestThumb;
    this.placeThumb();
  }

  listen() {
    const when = (handler) => (event) => this.usable && handler(event);
    this.decrease.addEventListener('pointerdown', when((e) => this.pressArrow(e, -1)));
    this.increase.addEventListener('pointerdown', when((e) => this.pressArrow(e, +1)));
    this.track.addEventListener('pointerdown', when((e) => this.pressTrack(e)));
    this.thumb.addEventListener('pointerdown', when((e) => this.startDrag(e)));
    this.element.addEventListener('keydown', when((e) => this.key(e)));
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      this.element.addEventListener(type, () => this.release());
    }
  }

  // A bar that cannot be used yet (or at all) says so, and takes no input.
  set usable(usable) {
    this.enabled = usable;
    if (usable) {
      this.element.removeAttribute('aria-disabled');
    } else {
      this.element.setAttribute('aria-disabled', 'true');
    }
  }

  get usable() {
    return this.enabled;
  }

  // The text the bar's input shows for its position, for screen readers.
  set valueText(text) {
    this.element.setAttribute('aria-valuetext', text);
  }

  travel() {
    return Math.max(0, this.track.clientWidth - this.thumbWidth());
  }

  thumbWidth() {
    const span = this.maximum - this.minimum + 1;
    return Math.max(this.smallestThumb, Math.round(this.track.clientWidth / span));
  }

  placeThumb(left = null) {
    const fraction = (this.position - this.minimum) / (this.maximum - this.minimum);
    const x = left ?? fraction * this.travel();
    this.thumb.style.width = `${this.thumbWidth()}px`;
    this.thumb.style.left = `${x}px`;
  }

  clamp(position) {
    return Math.min(this.maximum, Math.max(this.minimum, position));
  }

  // Puts the bar at a position without reporting it: where a link's value
  // is one of the bar's positions (js/form1.js).
  setPosition(position) {
    this.position = this.clamp(position);
    this.element.setAttribute('aria-valuenow', String(this.position));
    this.placeThumb();
  }

  // Moves to a position and reports it, if it is a change.
  async moveTo(position) {
    const next = this.clamp(position);
    if (next === this.position || this.busy) {
      return;
    }
    this.setPosition(next);
    const answer = this.onChange(next);
    if (answer && typeof answer.then === 'function') {
      this.release();
      this.busy = true;
      try {
        await answer;
      } finally {
        this.busy = false;
      }
    }
  }

  key(event) {
    const steps = {
      ArrowLeft: -1, ArrowUp: -1, PageUp: -1,
      ArrowRight: +1, ArrowDown: +1, PageDown: +1,
    };
    let target = null;
    if (event.key in steps) {
      target = this.position + steps[event.key];
    } else if (event.key === 'Home') {
      target = this.minimum;
    } else if (event.key === 'End') {
      target = this.maximum;
    }
    // Shift and Ctrl change nothing, as on the desktop; Alt with an arrow is
    // the browser's (back, forward), and Meta the system's.
    if (target === null || event.altKey || event.metaKey) {
      return;
    }
    event.preventDefault();
    this.moveTo(target);
  }

  capture(event) {
    event.preventDefault();
    this.element.focus({ preventScroll: true });
    this.element.setPointerCapture(event.pointerId);
  }

  // As on the desktop, a held arrow pauses while the pointer is off it,
  // looking released, and goes on when the pointer comes back.
  pressArrow(event, step) {
    if (event.button !== 0) {
      return;
    }
    this.capture(event);
    const arrow = step < 0 ? this.decrease : this.increase;
    let over = true;
    this.repeat(() => (over ? this.moveTo(this.position + step) : undefined));
    const follow = (move) => {
      const r = clientBox(arrow);
      over = move.clientX >= r.left && move.clientX < r.right &&
        move.clientY >= r.top && move.clientY < r.bottom;
      arrow.classList.toggle('pressed', over);
    };
    arrow.classList.add('pressed');
    this.element.addEventListener('pointermove', follow);
    this.stopFollowing = () => this.element.removeEventListener('pointermove', follow);
  }

  // A track click pages towards the pointer, one step at a time, until the
  // thumb lies under it.
  pressTrack(event) {
    if (event.button !== 0 || event.target !== this.track) {
      return;
    }
    this.capture(event);
    const x = event.clientX;
    this.repeat(() => {
      const thumb = clientBox(this.thumb);
      if (x < thumb.left) {
        return this.moveTo(this.position - 1);
      }
      if (x >= thumb.right) {
        return this.moveTo(this.position + 1);
      }
      return undefined;
    });
  }

  repeat(step) {
    this.release();
    step();
    this.timer = setTimeout(() => {
      this.timer = setInterval(step, repeatInterval);
    }, repeatDelay);
  }

  startDrag(event) {
    if (event.button !== 0) {
      return;
    }
    this.capture(event);
    event.stopPropagation();
    // In the track's own pixels, those of the thumb's place and the travel.
    const grip = ownOffset(this.thumb, event).x;
    let left = null;
    const follow = (move) => {
      left = Math.min(this.travel(), Math.max(0, ownOffset(this.track, move).x - grip));
      this.placeThumb(left);
    };
    const drop = (release) => {
      if (release.type === 'pointerup' && left !== null) {
        follow(release);
      }
      this.element.removeEventListener('pointermove', follow);
      this.element.removeEventListener('pointerup', drop);
      this.element.removeEventListener('lostpointercapture', drop);
      if (left === null) {
        return;
      }
      const span = this.maximum - this.minimum;
      const position = this.minimum + Math.round((left / (this.travel() || 1)) * span);
      this.placeThumb();
      this.moveTo(position);
    };
    this.element.addEventListener('pointermove', follow);
    this.element.addEventListener('pointerup', drop);
    this.element.addEventListener('lostpointercapture', drop);
  }

  // Ends a press: stops repeating and lets the arrow come up.
  release() {
    clearTimeout(this.timer);
    clearInterval(this.timer);
    this.timer = 0;
    this.stopFollowing();
    this.stopFollowing = () => {};
    this.decrease.classList.remove('pressed');
    this.increase.classList.remove('pressed');
  }
}
