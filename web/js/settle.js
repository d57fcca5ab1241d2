// Work that follows a burst of changes, done once the burst has ended: each
// later() puts it off until none has come for `delay` milliseconds, and now()
// does it at once if it is due. A held arrow recalculates twenty times a
// second; the address it would rewrite each time and the words that describe
// a picture gone 50 ms later are needed only once the hand stops
// (js/address.js, js/form1.js).

export class Settle {
  constructor(work, delay) {
    this.work = work;
    this.delay = delay;
    this.due = false;
    this.timer = 0;
  }

  later() {
    this.due = true;
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.now(), this.delay);
  }

  now() {
    clearTimeout(this.timer);
    if (this.due) {
      this.due = false;
      this.work();
    }
  }
}
