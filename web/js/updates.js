// A new build of the page reaches a reader who keeps a tab open. The
// service worker installs it beside the running one and lets it wait, so
// that no page ever mixes files of two builds; this module then offers, in a
// small notice, to reload with the new build, and on yes tells the waiting
// worker to take over and reloads once it has. A build that was installed
// during an earlier visit is offered again at the next start, so the old
// one is never served forever. The first install is no update: it offers
// nothing.

export function keepUpToDate(notice) {
  if (!('serviceWorker' in navigator)) {
    return;
  }
  let waiting = null;
  let accepted = false;
  const offer = (worker) => {
    if (navigator.serviceWorker.controller) {
      waiting = worker;
      notice.hidden = false;
    }
  };
  notice.querySelector('.reload').addEventListener('click', () => {
    accepted = true;
    waiting.postMessage('take over');
    // Another tab may have let it take over already.
    if (waiting.state === 'activated') {
      location.reload();
    }
  });
  notice.querySelector('.close').addEventListener('click', () => {
    notice.hidden = true;
  });
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (accepted) {
      location.reload();
    }
  });
  navigator.serviceWorker.register('sw.js').then((registration) => {
    if (registration.waiting) {
      offer(registration.waiting);
    }
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed') {
          offer(worker);
        }
      });
    });
  }).catch((error) => {
    console.warn('wavywall: the page will not open offline:', error);
  });
}
