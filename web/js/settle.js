// Work that follows a burst of changes, done once the burst has ended: each
// later() puts it off until none has come for `delay` milliseconds, and now()
// does it at once if it is due. A held arrow recalculates twenty times a
// second; the words that describe a picture gone 50 ms later are read by no
// one, and each set of them costs a sixth of a recalculation.

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
