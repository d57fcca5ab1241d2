// What the page shows while the core loads. Until the core is ready the
// controls that need it are marked not yet usable and the place of the
// plots says that the calculator is loading (after a short delay, so that a
// quick start shows and costs nothing); a HESAPLA click meanwhile is kept,
// said so, and carried out once when the core is ready, however often it
// was clicked. A core that cannot load is said by js/startguard.js.

const quietStart = 300;

const texts = {
  loading: 'Hesap çekirdeği yükleniyor…',
  waiting: 'Hesap çekirdeği yükleniyor… HESAPLA, yüklenince bir kez yapılacak.',
};

export class StartState {
  // status is the page's status line, shown over the plots; button and
  // bars are the controls that reach the core.
  constructor(status, plots, { button, bars }) {
    this.status = status;
    this.plots = plots;
    this.button = button;
    this.bars = bars;
    this.clickKept = false;
    this.ready = false;
    status.ownerDocument.documentElement.dataset.core = 'loading';
    this.timer = setTimeout(() => this.say('loading', texts.loading), quietStart);
    button.setAttribute('aria-disabled', 'true');
    this.setBarsUsable(false);
  }

  // Lays the status line over both plot boxes, wherever they stand now.
  coverPlots() {
    if (this.status.hidden) {
      return;
    }
    const [first, last] = this.plots;
    Object.assign(this.status.style, {
      left: `${first.offsetLeft}px`,
      top: `${first.offsetTop}px`,
      width: `${Math.max(first.offsetWidth, last.offsetWidth)}px`,
      height: `${last.offsetTop + last.offsetHeight - first.offsetTop}px`,
    });
  }

  // A HESAPLA click before the core is ready; true if it was kept.
  keepClick() {
    if (this.ready) {
      return false;
    }
    this.clickKept = true;
    // The plain loading line, due a moment later, would take its place.
    clearTimeout(this.timer);
    this.say('loading waiting', texts.waiting);
    return true;
  }

  // Returns whether a HESAPLA click is waiting to be carried out.
  // The ready mark and flag tell the browser tests and the start-up timing
  // (docs/performance.md) that the page is usable.
  showReady() {
    performance.mark('wavywall-ready');
    this.status.ownerDocument.documentElement.dataset.ready = 'true';
    this.ready = true;
    clearTimeout(this.timer);
    this.status.hidden = true;
    this.status.className = 'status';
    this.status.ownerDocument.documentElement.dataset.core = 'ready';
    this.button.removeAttribute('aria-disabled');
    this.setBarsUsable(true);
    return this.clickKept;
  }

  say(state, text) {
    this.status.className = `status ${state}`;
    this.status.textContent = text;
    this.status.hidden = false;
    this.coverPlots();
    this.status.ownerDocument.documentElement.dataset.core = state.split(' ')[0];
  }

  setBarsUsable(usable) {
    for (const bar of this.bars) {
      bar.usable = usable;
    }
  }
}
