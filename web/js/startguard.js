// A deferred classic script, run before the page's module in document order:
// until the page is ready, an error that nothing caught (a module that failed
// to load or to run, a core that could not be compiled) would leave a
// half-built page that does nothing. It is said plainly over the plots
// instead, and the controls that would need the core are disabled. About
// needs no core and stays.
//
// It also starts compiling the core, on the browser's own threads: being the
// page's first script, it starts some 15 ms before the page's module would,
// which is what lets the compiled core be there when the controls stand
// rather than after the window's first frame (docs/performance.md). The
// page's module takes it over (js/core.js).
'use strict';

(() => {
  const root = document.documentElement;

  function reasonOf(event) {
    if (event.type === 'unhandledrejection') {
      return String(event.reason?.message ?? event.reason);
    }
    if (event.target instanceof HTMLScriptElement) {
      return `${event.target.src} yüklenemedi`;
    }
    // The program's own words: an error's message, without the prefix the
    // engine puts before it in the event's ("Uncaught Error: ").
    return event.error instanceof Error ? event.error.message : event.message || String(event.error);
  }

  function disableControls() {
    for (const control of document.querySelectorAll('#Form1_client button, #Form1_client input')) {
      control.disabled = true;
    }
    for (const bar of document.querySelectorAll('#Form1_client [role=scrollbar]')) {
      bar.setAttribute('aria-disabled', 'true');
      bar.tabIndex = -1;
    }
  }

  function failed(event) {
    const isScriptError = event.type !== 'error' || event instanceof ErrorEvent ||
      event.target instanceof HTMLScriptElement;
    if (root.dataset.ready === 'true' || !isScriptError) {
      return;
    }
    const notice = document.getElementById('StartFailure');
    if (!notice || !notice.hidden) {
      return;
    }
    notice.textContent =
      `Sayfa başlatılamadı, hesap yapılamıyor: ${reasonOf(event)}. Sayfayı yeniden yükleyin; ` +
      'sorun sürerse güncel bir tarayıcı deneyin.';
    notice.hidden = false;
    root.dataset.startFailed = 'true';
    disableControls();
  }

  // Capturing, so that a script element's failed load is seen too.
  window.addEventListener('error', failed, true);
  window.addEventListener('unhandledrejection', failed);

  // A failure here is no failure yet: the loader then tries on its own.
  if (typeof WebAssembly === 'object' && WebAssembly.compileStreaming) {
    window.wavywallCoreCompiled = WebAssembly.compileStreaming(fetch('wavywall-core.wasm'))
      .catch(() => null);
  }
})();
