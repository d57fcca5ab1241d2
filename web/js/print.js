// What a print says above the window: the inputs its plots show, the
// page's address (which carries them) and the day it was printed, so that a
// printed handout tells what it shows and where to find it again. Written
// just before the page prints; the style sheet shows it only on paper.

// The inputs as the core's description of the pressure plot restates them
// after a recalculation, or the boxes' texts before any.
function inputs(document) {
  const described = document.getElementById('Picture_basınç_description').textContent;
  const said = described.match(/Moo = [^,]*, H\/L = .*?(?=[.,](?: |$))/);
  if (said) {
    return said[0];
  }
  const text = (id) => document.getElementById(id).value;
  return `Moo = ${text('Text_Moo')}, H/L = ${text('Text_HbL')}`;
}

// link() gives the page's address as it stands, the last change written into
// it and into the plots' descriptions.
export function keepPrintHeading(heading, link) {
  const { ownerDocument: document } = heading;
  const view = document.defaultView;
  view.addEventListener('beforeprint', () => {
    const [what, where] = heading.children;
    const address = link();
    what.textContent = inputs(document);
    const day = new Intl.DateTimeFormat('tr-TR', { dateStyle: 'short' }).format(new Date());
    where.textContent = `${address} · ${day}`;
  });
}
