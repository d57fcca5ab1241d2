// Geometry under CSS zoom, alike in every engine. js/fit.js scales each
// window's parts up with `zoom`. A pointer event gives its place in client
// pixels, the viewport's CSS pixels; an element's style, offsetWidth and
// clientWidth count its own CSS pixels, each of which a zoom of 2 shows as
// two client pixels. Chromium and Firefox report an element's box
// (getBoundingClientRect) in client pixels, WebKit in the element's own
// (docs/web.md, Engines). Every place that puts a pointer against a box goes
// through these functions.

// The zoom in effect on an element: its own and its ancestors', multiplied.
export function zoomOf(element) {
  if (typeof element.currentCSSZoom === 'number') {
    return element.currentCSSZoom;
  }
  let zoom = 1;
  for (let e = element; e; e = e.parentElement) {
    zoom *= Number(getComputedStyle(e).zoom) || 1;
  }
  return zoom;
}

// An element's border box in client pixels, where pointer events are. Its
// reported width tells which pixels the engine counts in: the element's own
// width (offsetWidth) zoomed, or not.
export function clientBox(element) {
  const box = element.getBoundingClientRect();
  const zoom = zoomOf(element);
  const own = element.offsetWidth;
  if (Math.abs(box.width - own * zoom) <= Math.abs(box.width - own)) {
    return box;
  }
  return new DOMRect(box.x * zoom, box.y * zoom, box.width * zoom, box.height * zoom);
}

// Where a pointer event lies from an element's upper-left corner, in the
// element's own CSS pixels.
export function ownOffset(element, event) {
  const box = clientBox(element);
  const zoom = zoomOf(element);
  return { x: (event.clientX - box.left) / zoom, y: (event.clientY - box.top) / zoom };
}
