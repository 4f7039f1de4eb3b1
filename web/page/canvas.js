// The logo canvas (Picture1): draws what the module hands over, frames the
// keyboard's cell while it has the focus, and routes the mouse, the keys and
// the context menu to the page.

let Border = 0;              // the sunken frame around the drawing area: the module's
const Background = '#f0f0f0';

const canvas = document.getElementById('Picture1');
const context = canvas.getContext('2d');
const menu = document.getElementById('canvasMenu');

// The picture last drawn, kept apart so the key cell's frame can come and go.
const picture = document.createElement('canvas');
const pictureContext = picture.getContext('2d');
let keyCell = { left: 0, top: 0, width: 0, height: 0 };

function compose() {
  context.clearRect(0, 0, canvas.width, canvas.height);
  context.drawImage(picture, 0, 0);
  if (document.activeElement !== canvas || keyCell.width === 0) return;
  // Black and white dots, seen on every colour.
  const { left, top, width, height } = keyCell;
  context.save();
  context.lineWidth = 1;
  context.strokeStyle = '#000';
  context.strokeRect(left + 0.5, top + 0.5, width, height);
  context.strokeStyle = '#fff';
  context.setLineDash([1, 2]);
  context.strokeRect(left + 0.5, top + 0.5, width, height);
  context.restore();
}

function resize(width, height) {
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = `${width + 2 * Border}px`;
    canvas.style.height = `${height + 2 * Border}px`;
  }
  picture.width = width;
  picture.height = height;
  pictureContext.fillStyle = Background;
  pictureContext.fillRect(0, 0, width, height);
}

export function drawCanvas(rgba, width, height, fit, canvasWidth, canvasHeight) {
  resize(canvasWidth, canvasHeight);
  if (width > 0 && height > 0) {
    const image = new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, 4 * width * height),
      width, height);
    if (!fit) {
      pictureContext.putImageData(image, 0, 0);
    } else {
      // The whole screen made smaller, keeping its shape, in the middle.
      const source = document.createElement('canvas');
      source.width = width;
      source.height = height;
      source.getContext('2d').putImageData(image, 0, 0);
      let w = Math.floor(canvasHeight * width / height);
      let h = canvasHeight;
      if (w > canvasWidth) {
        w = canvasWidth;
        h = Math.floor(canvasWidth * height / width);
      }
      pictureContext.imageSmoothingEnabled = true;
      pictureContext.imageSmoothingQuality = 'high';
      pictureContext.drawImage(source, Math.floor((canvasWidth - w) / 2),
        Math.floor((canvasHeight - h) / 2), w, h);
    }
  }
  compose();
}

export function clearCanvas() {
  pictureContext.fillStyle = Background;
  pictureContext.fillRect(0, 0, picture.width, picture.height);
  compose();
}

export function showKeyCell(left, top, width, height) {
  keyCell = { left, top, width, height };
  compose();
}

// The drawing area's outer height, for the name below it.
export function canvasOuterHeight() {
  return canvas.height + 2 * Border;
}

// ---- input ----------------------------------------------------------------

const ButtonBits = [1, 4, 2, 8, 16];   // DOM button number -> buttons mask bit

// Where the pointer is in drawing-area pixels, and whether it is on the frame
// (inside the element, outside the drawing area), where Qt's canvas takes no
// press or move.
function position(event) {
  const box = canvas.getBoundingClientRect();
  const scale = box.width > 0 ? canvas.offsetWidth / box.width : 1;
  const x = (event.clientX - box.left) * scale;
  const y = (event.clientY - box.top) * scale;
  const inside = x >= 0 && y >= 0 && x < canvas.offsetWidth && y < canvas.offsetHeight;
  const onBorder = inside && !(x >= Border && y >= Border &&
    x < canvas.offsetWidth - Border && y < canvas.offsetHeight - Border);
  return { x: x - Border, y: y - Border, onBorder };
}

export function setupCanvas(page) {
  Border = page.frame;
  const [press, move, release] = ['press', 'move', 'release'].map((kind) => page.known('pointers', kind));
  canvas.addEventListener('focus', compose);
  canvas.addEventListener('blur', compose);
  // A click paints but leaves the focus where it is; Tab reaches the canvas.
  canvas.addEventListener('mousedown', (event) => event.preventDefault());

  canvas.addEventListener('pointerdown', (event) => {
    if (!page.idle()) return;
    canvas.setPointerCapture(event.pointerId);
    const at = position(event);
    if (!at.onBorder) page.pointer(press, at.x, at.y, event.buttons);
  });
  canvas.addEventListener('pointermove', (event) => {
    if (!page.idle()) return;
    const at = position(event);
    if (event.button >= 0) {
      // Another button pressed or released while one is held.
      const pressed = (event.buttons & ButtonBits[event.button]) !== 0;
      if (pressed && at.onBorder) return;
      page.pointer(pressed ? press : release, at.x, at.y, event.buttons);
      return;
    }
    if (!at.onBorder) page.pointer(move, at.x, at.y, event.buttons);
  });
  for (const type of ['pointerup', 'pointercancel']) {
    canvas.addEventListener(type, (event) => {
      if (!page.idle()) return;
      const at = position(event);
      page.pointer(release, at.x, at.y, event.buttons);
    });
  }

  canvas.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (!page.keys.includes(event.key)) return; // the module's keys for the canvas
    event.preventDefault();
    if (page.idle()) page.key(event.key);
  });

  // The right button has painted on its press already; the menu comes too.
  canvas.addEventListener('contextmenu', (event) => {
    event.preventDefault();
    if (!page.idle()) return;
    const box = canvas.getBoundingClientRect();
    const fromKeyboard = event.clientX === 0 && event.clientY === 0;
    openMenu(fromKeyboard ? box.left + box.width / 2 : event.clientX,
      fromKeyboard ? box.top + box.height / 2 : event.clientY);
  });

  setupMenu(page);
}

// ---- context menu -------------------------------------------------------------

function entries() {
  return [...menu.querySelectorAll('button')].filter((entry) => !entry.hidden && !entry.disabled);
}

// Where the focus goes back to when the menu closes.
let focusBeforeMenu = null;

function openMenu(x, y) {
  focusBeforeMenu = document.activeElement;
  menu.hidden = false;
  const width = menu.offsetWidth;
  const height = menu.offsetHeight;
  menu.style.left = `${Math.max(0, Math.min(x, window.innerWidth - width))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, window.innerHeight - height))}px`;
  menu.focus();
  entries()[0]?.focus();
}

export function closeMenu() {
  if (menu.hidden) return;
  const hadFocus = menu.contains(document.activeElement);
  menu.hidden = true;
  if (hadFocus) focusBeforeMenu?.focus({ preventScroll: true });
  focusBeforeMenu = null;
}

export function menuIsOpen() {
  return !menu.hidden;
}

function setupMenu(page) {
  menu.tabIndex = -1;
  document.getElementById('bootViewEntry').addEventListener('click', () => {
    closeMenu();
    page.bootView();
  });
  document.getElementById('fullScreenEntry').addEventListener('click', () => {
    closeMenu();
    page.switchLogo();
  });
  // Closed by a press elsewhere, by Escape, and when the page loses the focus.
  // The press that closes it does nothing else, as with a Qt menu.
  document.addEventListener('pointerdown', (event) => {
    if (menu.hidden || menu.contains(event.target)) return;
    closeMenu();
    event.stopPropagation();
  }, true);
  window.addEventListener('blur', closeMenu);
  menu.addEventListener('keydown', (event) => {
    const list = entries();
    const now = list.indexOf(document.activeElement);
    if (event.key === 'Escape') {
      closeMenu();
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      const step = event.key === 'ArrowDown' ? 1 : list.length - 1;
      list[(now + step) % list.length]?.focus();
    } else if (event.key.length === 1 && !event.ctrlKey && !event.metaKey) {
      // In a menu the letter alone chooses the entry.
      const letter = event.key.toLowerCase();
      const entry = list.find((item) => item.dataset.access === letter);
      if (!entry) return;
      entry.click();
    } else {
      return;
    }
    event.preventDefault();
    event.stopPropagation();
  });
}

export function showMenuEntry(visible, enabled, checked) {
  const entry = document.getElementById('fullScreenEntry');
  entry.hidden = !visible;
  entry.disabled = !enabled;
  entry.setAttribute('aria-checked', checked ? 'true' : 'false');
}
