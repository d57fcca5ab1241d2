// What a page that embeds this one in a frame allows. A frame sandboxed
// without allow-downloads or allow-modals makes the browser drop a download
// or a print silently; the page says so instead, where it can tell. Whether
// the frame is sandboxed at all shows in a throwaway frame of the page's
// own, which inherits the sandbox: any sandbox forbids setting
// document.domain. A print refused shows as a print() that returned without
// its beforeprint; a download refused leaves no trace, so in a sandboxed
// frame the page says once that saving may be forbidden there. The
// clipboard's refusal is an error of its own (js/exports.js).

const texts = {
  print: 'Bu sayfayı içeren sayfa yazdırmaya izin vermiyor.\n'
    + 'Yazdırmak için sayfayı kendi sekmesinde açın.',
  save: 'Bu sayfa kısıtlı bir çerçevenin içinde açık: içeren sayfa\n'
    + 'indirmeye izin vermiyorsa dosya kaydedilmez.\n'
    + 'Kaydetmek için sayfayı kendi sekmesinde açın.',
};

let sandbox = null;

export function sandboxed() {
  if (sandbox === null) {
    sandbox = false;
    if (window.top !== window) {
      const probe = document.createElement('iframe');
      probe.hidden = true;
      document.body.append(probe);
      try {
        const { contentDocument } = probe;
        contentDocument.domain = contentDocument.domain;
      } catch {
        sandbox = true;
      }
      probe.remove();
    }
  }
  return sandbox;
}

export class HostLimits {
  constructor(messageBox) {
    this.messageBox = messageBox;
    this.saidSave = false;
  }

  // After a download has been handed to the browser.
  saved() {
    if (!this.saidSave && sandboxed()) {
      this.saidSave = true;
      this.messageBox.show(texts.save);
    }
  }

  print() {
    let started = false;
    const start = () => (started = true);
    window.addEventListener('beforeprint', start);
    window.print();
    window.removeEventListener('beforeprint', start);
    if (!started && sandboxed()) {
      this.messageBox.show(texts.print);
    }
  }
}
