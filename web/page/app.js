// Kalvero's page: the window of the Qt editor drawn in the browser, its
// events routed to the editor's WebAssembly module, which decides everything.

let resolveReady;
let rejectReady;
// Resolves once the module is loaded, started and the texts are shown.
window.kalveroReady = new Promise((resolve, reject) => {
  resolveReady = resolve;
  rejectReady = reject;
});

import { accessLetter, plainCaption, pressAccessKey, setCaption } from './captions.js';
import {
  canvasOuterHeight, clearCanvas, closeMenu, drawCanvas, menuIsOpen, setupCanvas, showKeyCell,
  showMenuEntry,
} from './canvas.js';
import {
  AnswerCancel, MessageNames, closeBootView, closeWindows, showClosed, message, setupDialogs, showAbout,
  showBootView, showReadMe,
} from './dialogs.js';
import {
  bitmapUrl, deliverSaves, openFile, saveFile, setupDrop, setupFiles, storeDropped, storeLaunched,
} from './files.js';
import { setupInstalled } from './installed.js';
import { BackupFailed, BackupWrites, backupFolder, setupPlaces, writeBackup } from './places.js';

const OptionsKey = 'kalvero.options';

const $ = (id) => document.getElementById(id);

let Module = null;        // set once started: from then on the page may call it
let busy = false;         // an async call is pending: no export may be called
let leaving = false;
let german = false;
let texts = null;         // the module's texts: texts.de, texts.en
let contract = null;      // the module's names for its commands, options, pointers, keys
let readMeText = '';
let aboutText = '';
let selectedColour = 0;

function idle() {
  return Module !== null && !busy;
}

function setBusy(on) {
  busy = on;
  document.body.dataset.busy = on ? '1' : '0';
}

// Runs work (which awaits an async export) with the page busy; the files the
// user chose to save during it are handed over afterwards.
async function runBusy(work) {
  if (!idle()) return undefined;
  closeMenu();
  const focused = document.activeElement;
  setBusy(true);
  try {
    return await work();
  } catch (error) {
    console.error(error);
    return undefined;
  } finally {
    await deliverSaves().catch((error) => console.error(error));
    setBusy(false);
    // The button that started it may have been disabled meanwhile.
    if (document.activeElement === document.body) keepFocus(focused);
  }
}

function command(name) {
  return runBusy(() => Module.ccall('kalvero_command', null, ['string'], [name], { async: true }));
}

function call(name, ...args) {
  if (!idle()) return 0;
  return Module.ccall(name, 'number', args.map((a) => typeof a === 'string' ? 'string' : 'number'), args);
}

// A name the module knows (kalvero_contract); any other stops the start.
function known(kind, name) {
  const names = Array.isArray(contract[kind]) ? contract[kind] : Object.keys(contract[kind]);
  if (!names.includes(name)) throw new Error(`the module knows no ${kind} "${name}"`);
  return name;
}

// The name of a number the module gave, in a kind of which it gave the
// names' numbers.
function nameOf(kind, number) {
  const name = Object.keys(contract[kind]).find((key) => contract[kind][key] === number);
  if (name === undefined) throw new Error(`the module's ${kind} ${number} has no name`);
  return name;
}

// ---- options ----------------------------------------------------------------------

function loadOptions() {
  const options = {
    backup: true,
    german: (navigator.language ?? '').toLowerCase().startsWith('de'),
    messages: true,
    negative: false,
  };
  try {
    const stored = JSON.parse(localStorage.getItem(OptionsKey) ?? 'null');
    for (const key of Object.keys(options)) {
      if (typeof stored?.[key] === 'boolean') options[key] = stored[key];
    }
  } catch {
    // Unreadable: the defaults.
  }
  return options;
}

function storeOptions() {
  try {
    localStorage.setItem(OptionsKey, JSON.stringify({
      backup: $('Backup').checked,
      german,
      messages: $('SaveCheck').checked,
      negative: $('InversCheck').checked,
    }));
  } catch {
    // Storage refused (private window): the options last this visit.
  }
}

// ---- texts ------------------------------------------------------------------------

const CheckBoxes = ['Backup', 'InversCheck', 'SaveCheck', 'ShowRaster'];

function captionTarget(name) {
  return CheckBoxes.includes(name) ? $(`${name}Label`) : $(name);
}

function applyLanguage(toGerman) {
  german = toGerman;
  document.documentElement.lang = german ? 'de' : 'en';
  const chosen = german ? texts.de : texts.en;
  for (const [name, text] of Object.entries(chosen.captions)) {
    const element = captionTarget(name);
    if (element) setCaption(element, text);
  }
  for (const [name, tip] of Object.entries(chosen.toolTips)) {
    for (const element of [$(name), CheckBoxes.includes(name) ? $(`${name}Label`) : null]) {
      if (element) element.title = tip;
    }
  }
  setCaption($('bootViewEntry'), chosen.bootView);
  setCaption($('fullScreenEntry'), chosen.fullScreenLogo);
  $('Deutsch').setAttribute('aria-pressed', String(german));
  $('American').setAttribute('aria-pressed', String(!german));
}

// Labels sized to their text stay centred over their place, as Qt's
// QRect::center() has it.
function centreLabel(element) {
  const [left, width] = ['--left', '--width']
    .map((name) => parseInt(element.style.getPropertyValue(name), 10));
  const centre = left + Math.floor((width - 1) / 2);
  element.style.left = `${centre - Math.floor(element.offsetWidth / 2)}px`;
}

// The windows' client areas, by the names the module gives their places.
const Clients = { Form1: 'Form1Client', Hinweis: 'readMeClient', Form3: 'aboutClient' };

// Every control where the module places it (kalvero_contract), as CSS
// variables the style sheet reads; a check box's caption takes its box's.
// A control is found by its id or, where the page's id differs from the
// window's name of it, by data-place. A place without its element, or a
// control without a place, stops the start.
function placeControls() {
  const setPlace = (element, [left, top, width, height]) => {
    for (const [name, value] of Object.entries({ left, top, width, height })) {
      element.style.setProperty(`--${name}`, `${value}px`);
    }
  };
  for (const [window, { size: [width, height], controls }] of Object.entries(contract.places)) {
    const client = $(Clients[window]);
    setPlace(client, [0, 0, width, height]);
    // The main window's size also centres it and keeps the page's room.
    if (window === 'Form1') setPlace(document.documentElement, [0, 0, width, height]);
    for (const [name, place] of Object.entries(controls)) {
      const element = client.querySelector(`[id="${name}"], [data-place="${name}"]`);
      if (!element) throw new Error(`the page has no control "${name}" in ${window} to place`);
      setPlace(element, place);
      if (CheckBoxes.includes(name)) setPlace($(`${name}Label`), place);
    }
    for (const element of client.querySelectorAll(':scope > *, #Farbauswahl > *')) {
      if (!element.style.getPropertyValue('--left')) {
        throw new Error(`the module has no place for "${element.id}" in ${window}`);
      }
    }
  }
  document.body.dataset.placed = '';
}

// ---- the face: what the module calls ----------------------------------------------

// A dialog that failed answers as if cancelled: the paused module must wake.
function settled(promise, fallback) {
  return promise.catch((error) => {
    console.error(error);
    return fallback;
  });
}

// Qt moves the focus on when the focused control is disabled.
function keepFocus(previous) {
  if (!previous?.disabled) return;
  const order = [...$('Form1Client').querySelectorAll('button, input, canvas')]
    .filter((element) => element.tabIndex >= 0);
  const from = order.indexOf(previous);
  for (let step = 1; step < order.length; ++step) {
    const next = order[(from + step) % order.length];
    if (!next.disabled) {
      next.focus();
      return;
    }
  }
}

const face = {
  message: async (icon, buttons, title, text) => contract.answers[await settled(
    message(nameOf('icons', icon), nameOf('buttons', buttons), title, text), AnswerCancel)],
  openFile: (filter, filterIndex, initialName) =>
    settled(openFile(filter, filterIndex, initialName), null),
  saveFile: (filter, filterIndex, initialName, confirmOverwrite) =>
    settled(saveFile(filter, filterIndex, initialName, confirmOverwrite), null),
  backupFolder: (path) => settled(backupFolder(path), false),
  writeBackup: async (path) => contract.backupWrites[await settled(writeBackup(path), BackupFailed)],
  openUrl(address) {
    window.open(address, '_blank', 'noopener');
  },
  showControls(controls) {
    const focused = document.activeElement;
    $('SichEpa_Command').disabled = !controls.saveEnabled;
    $('EpaToBmp').disabled = !controls.exportEnabled;
    $('CreateEpa').disabled = !controls.createEnabled;
    $('InversCheck').disabled = !controls.negativeEnabled;
    $('Backup').checked = controls.backup;
    $('SaveCheck').checked = controls.messages;
    $('InversCheck').checked = controls.negative;
    if (controls.german !== german) applyLanguage(controls.german);
    $('EpaNameAnzeige').textContent = controls.epaName;
    $('BmpNameAnzeige').textContent = controls.bmpName;
    showMenuEntry(controls.fullScreenVisible, controls.fullScreenEnabled, controls.fullScreenChecked);
    keepFocus(focused);
    storeOptions();
  },
  drawCanvas(rgba, width, height, fit, canvasWidth, canvasHeight) {
    drawCanvas(rgba, width, height, fit, canvasWidth, canvasHeight);
    // The logo's name stays under the canvas; a full-screen logo has no cells to read out.
    const canvas = $('Picture1');
    $('EpaNameAnzeige').style.top = `${canvas.offsetTop + canvasOuterHeight() + contract.nameGap}px`;
    if (fit) $('Koordinaten').textContent = '';
  },
  clearCanvas,
  showBitmap(path) {
    const url = bitmapUrl(path);
    if (url === null) return false;
    const preview = $('ShowBmp_image');
    preview.onload = () => {
      $('BmpNameAnzeige').style.top = `${preview.offsetTop + preview.offsetHeight + contract.nameGap}px`;
    };
    preview.src = url;
    return true;
  },
  removeBitmap() {
    bitmapUrl(null);
    const preview = $('ShowBmp_image');
    preview.onload = null;
    preview.src = 'artwork/preview-placeholder.svg';
  },
  showReadout(text) {
    $('Koordinaten').textContent = text.replace(/\r\n/g, '\n');
  },
  showKeyCell,
  showBootView(rgb, width, height) {
    showBootView(rgb, width, height, plainCaption((german ? texts.de : texts.en).bootView));
  },
};

// ---- the window's controls --------------------------------------------------------

function buildPalette(palette) {
  const frame = $('Farbauswahl');
  palette.forEach(([r, g, b], index) => {
    const option = document.createElement('input');
    option.type = 'radio';
    option.id = `Option1_${index}`;
    option.className = 'colour option';
    option.checked = index === 0;
    option.style.backgroundColor = `rgb(${r}, ${g}, ${b})`;
    option.addEventListener('click', () => chooseColour(index));
    option.addEventListener('keydown', (event) => moveInPalette(event, index));
    frame.append(option);
  });
  chooseColour(0);
}

// The palette is one Tab stop, the colour chosen, as an exclusive group is in
// the window; arrow keys move within it.
function chooseColour(index) {
  selectedColour = index;
  for (let other = 0; other < 16; ++other) {
    $(`Option1_${other}`).checked = other === index;
    $(`Option1_${other}`).tabIndex = other === index ? 0 : -1;
  }
  $('FarbAuswahlBalken').style.backgroundColor = $(`Option1_${index}`).style.backgroundColor;
}

// Arrow keys move through the exclusive group and choose, as in Qt.
function moveInPalette(event, index) {
  const column = index % 8;
  const row = Math.floor(index / 8);
  const target = {
    ArrowLeft: column > 0 ? index - 1 : -1,
    ArrowRight: column < 7 ? index + 1 : -1,
    ArrowUp: row > 0 ? index - 8 : -1,
    ArrowDown: row < 1 ? index + 8 : -1,
  }[event.key];
  if (target === undefined) return;
  event.preventDefault();
  if (target < 0) return;
  $(`Option1_${target}`).focus();
  chooseColour(target);
}

function chooseLanguage(toGerman) {
  if (!idle()) return;
  call('kalvero_set_option', 'Deutsch', toGerman ? 1 : 0);
  applyLanguage(toGerman);
  storeOptions();
}

function openReadMe() {
  if ($('Info').disabled || !idle()) return;
  const chosen = german ? texts.de : texts.en;
  const other = german ? texts.en : texts.de;
  $('Info').disabled = true;
  showReadMe(texts.en.version, chosen.readMeNews + other.readMeNews + readMeText, () => {
    $('Info').disabled = false;
  });
  centreLabel($('readMeAddress'));
}

function openAbout() {
  showAbout(texts.en.version, aboutText);
}

async function exit() {
  const mayLeave = await runBusy(() => Module.ccall('kalvero_exit', 'number', [], [], { async: true }));
  if (mayLeave !== 1) return;
  leaving = true;
  storeOptions();
  closeWindows();
  window.close();
  // A tab the page did not open stays open: it says the editor has ended.
  setTimeout(() => {
    if (!window.closed) showClosed();
  }, 0);
}

// A file dropped or handed to the installed page opens as with Load EPA
// (Load BMP for a bitmap).
function openNamed(storing) {
  return runBusy(async () => {
    closeBootView();
    const path = await storing();
    await Module.ccall('kalvero_drop', null, ['string'], [path], { async: true });
  });
}

function wireControls() {
  const commands = ['LadeEpa_Command', 'SichEpa_Command', 'LadeBmp_Command', 'CreateEpa', 'EpaToBmp']
    .map((id) => known('commands', id));
  for (const id of commands) $(id).addEventListener('click', () => command(id));
  known('commands', 'switchLogo');
  known('options', 'Deutsch');
  for (const [keys, action] of contract.shortcuts) {
    if (!(action in ShortcutActions)) throw new Error(`the page has no action "${action}" for ${keys}`);
  }
  $('Ende_Command').addEventListener('click', exit);
  $('Info').addEventListener('click', openReadMe);
  $('aboutMenu').addEventListener('click', openAbout);
  // The menu bar takes no focus from the window's controls.
  $('aboutMenu').addEventListener('mousedown', (event) => event.preventDefault());
  $('Deutsch').addEventListener('click', () => chooseLanguage(true));
  $('American').addEventListener('click', () => chooseLanguage(false));
  $('lblHyperlink').addEventListener('click', (event) => {
    if (event.button === 0) face.openUrl($('lblHyperlink').textContent);
  });

  // The command buttons take the focus as soon as the mouse moves over them.
  for (const id of [...commands, 'Ende_Command', 'Info']) {
    $(id).addEventListener('mousemove', () => {
      if (!$(id).disabled && document.activeElement !== $(id)) $(id).focus();
    });
  }

  const options = ['Backup', 'SaveCheck', 'InversCheck'].map((id) => known('options', id));
  for (const id of CheckBoxes) {
    // No change while the module waits.
    $(id).addEventListener('click', (event) => {
      if (!idle()) event.preventDefault();
    });
  }
  for (const id of options) {
    $(id).addEventListener('change', () => {
      call('kalvero_set_option', id, $(id).checked ? 1 : 0);
      storeOptions();
    });
  }
  $('ShowRaster').addEventListener('change', () => {
    call('kalvero_show_grid', $('ShowRaster').checked ? 1 : 0);
  });

  setupCanvas({
    idle,
    known,
    pointer: (kind, x, y, buttons) => {
      Module.ccall('kalvero_pointer', null, ['string', 'number', 'number', 'number', 'number'],
        [kind, x, y, buttons, selectedColour]);
    },
    keys: contract.keys,
    frame: contract.canvasFrame,
    key: (key) => call('kalvero_key', key, selectedColour),
    bootView: () => call('kalvero_boot_view'),
    switchLogo: () => command('switchLogo'),
  });

  setupDrop(idle, (file, handle) => openNamed(() => storeDropped(file, handle)));

  window.addEventListener('beforeunload', (event) => {
    if (leaving || !idle()) return;
    if (call('kalvero_unsaved') === 1) {
      event.preventDefault();
      event.returnValue = '';
    }
  });
}

// ---- keys -------------------------------------------------------------------------

// The editor's keys (src/editor/Shortcuts.h, handed over by the module): the
// action of the key pressed, or ''.
function shortcutOf(event) {
  if (event.altKey) return '';
  const key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
  const keys = `${event.ctrlKey || event.metaKey ? 'Ctrl+' : ''}${event.shiftKey ? 'Shift+' : ''}${key}`;
  return contract.shortcuts.find(([shortcut]) => shortcut === keys)?.[1] ?? '';
}

const press = (id) => {
  if (!$(id).disabled) $(id).click();
};
const ShortcutActions = {
  open: () => press('LadeEpa_Command'),
  save: () => press('SichEpa_Command'),
  exit: () => press('Ende_Command'),
  info: () => press('Info'),
  undo: () => call('kalvero_undo'),
  redo: () => call('kalvero_redo'),
  bootView: () => call('kalvero_boot_view'),
  switchLogo: () => {
    const entry = $('fullScreenEntry');
    if (!entry.hidden && !entry.disabled) command('switchLogo');
  },
};

function pressShortcut(shortcut) {
  ShortcutActions[shortcut]?.();
}

function onKeyDown(event) {
  if (event.defaultPrevented || event.isComposing) return;
  const shortcut = shortcutOf(event);
  const letter = accessLetter(event);
  // The browser's own use of these keys (reload, save page...) stays away;
  // a text field keeps its own undo.
  const typing = event.target.matches?.('input[type="text"], textarea');
  if (shortcut && !(typing && (shortcut === 'undo' || shortcut === 'redo'))) event.preventDefault();
  const modal = document.querySelector('dialog:modal');
  if (modal) {
    if (letter && pressAccessKey(modal, letter)) event.preventDefault();
    return;
  }
  // The read-me, about and boot view windows have only their own keys.
  const own = event.target.closest?.('dialog');
  if (own) {
    if (letter && pressAccessKey(own, letter)) event.preventDefault();
    return;
  }
  if (menuIsOpen() || !idle()) return;
  if (shortcut) {
    pressShortcut(shortcut);
  } else if (letter && pressAccessKey($('Form1'), letter)) {
    event.preventDefault();
  }
}

// ---- start ------------------------------------------------------------------------

async function fetchText(path) {
  try {
    const response = await fetch(path);
    return response.ok ? await response.text() : '';
  } catch {
    return '';
  }
}

async function start() {
  const options = loadOptions();
  const files = Promise.all([fetchText('artwork/text/readme.txt'), fetchText('artwork/text/about.txt')]);
  const { default: createKalvero } = await import('./kalvero.js');
  const module = await createKalvero({ face });
  contract = JSON.parse(module.ccall('kalvero_contract', 'string', [], []));
  // The message box's names and a backup's outcomes are the same on both
  // sides, so that every number the module gives has its name.
  for (const [kind, names] of Object.entries({ ...MessageNames, backupWrites: BackupWrites })) {
    const theirs = Object.keys(contract[kind]);
    if (theirs.length !== names.length) throw new Error(`the module's ${kind} are ${theirs.join(', ')}`);
    for (const name of names) known(kind, name);
  }
  const textsOf = (language) =>
    JSON.parse(module.ccall('kalvero_texts', 'string', ['number'], [language]));
  texts = { de: textsOf(1), en: textsOf(0) };
  $('Label1').textContent = texts.en.version;
  [readMeText, aboutText] = await files;

  setupFiles(module);
  setupPlaces(module, () => german);
  setupDialogs(() => german);
  for (const element of document.querySelectorAll('[data-caption]')) {
    setCaption(element, element.dataset.caption);
  }
  buildPalette(texts.en.palette);
  placeControls();
  $('Backup').checked = options.backup;
  $('SaveCheck').checked = options.messages;
  $('InversCheck').checked = options.negative;
  applyLanguage(options.german);
  wireControls();
  document.addEventListener('keydown', onKeyDown);

  Module = module;
  module.ccall('kalvero_start', null, ['number', 'number', 'number', 'number'],
    [options.german, options.backup, options.messages, options.negative].map(Number));
  setupInstalled((handle) => openNamed(() => storeLaunched(handle)));

  await document.fonts.ready;
  centreLabel($('lblHyperlink'));
  centreLabel($('Label1'));
  // The focus starts where the tab order begins.
  $('Ende_Command').focus();
}

start().then(() => resolveReady(), (error) => {
  console.error('Kalvero could not start:', error);
  rejectReady(error);
});
