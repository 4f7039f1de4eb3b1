// Moving bytes between the user's files and the module's memory file system:
// files picked, dropped or handed to the installed page go to
// /files/<n>/<name>, files the module saved after a save dialog go back
// where they came from (places.js), or else come back as downloads.

import { askToChooseFile, chooseSaveName, message, AnswerYes } from './dialogs.js';
import { folderHolding, keep, keptAs, mirrored, writeBack } from './places.js';

let FS = null;
let folders = 0;
// The files chosen in save dialogs during the running command, each with its
// bytes as they were when chosen (null: not there yet).
let chosenSaves = new Map();

export function setupFiles(module) {
  FS = module.FS;
}

function exists(path) {
  return FS.analyzePath(path).exists;
}

// A new folder for every file picked, dropped or saved without a folder.
function newFolder() {
  let folder;
  do {
    folder = `/files/${++folders}`;
  } while (exists(folder));
  FS.mkdirTree(folder);
  return folder;
}

function baseName(path) {
  return path.slice(path.lastIndexOf('/') + 1);
}

// The last part of a name the page is given, so that a file lands in its own
// folder whatever its name holds ("../../dev/null" is "null"); "." and ".."
// name no file.
function ownName(name) {
  const last = baseName(name);
  return last === '' || last === '.' || last === '..' ? 'file' : last;
}

// "desc|patterns|desc|patterns|" as [description, patterns] pairs.
function filterList(filter) {
  const parts = filter.split('|');
  const list = [];
  for (let at = 0; at + 1 < parts.length; at += 2) {
    list.push([parts[at], parts[at + 1]]);
  }
  return list;
}

// The browser's file dialog offers the filter's kinds of file; "*.*" is the
// dialog's own "all files". The bitmap dialog takes any picture too. A filter
// selected first that takes every name ("*": BIOS images have any ending)
// offers every file.
function acceptOf(filter, filterIndex, initialName) {
  const kinds = new Set();
  const list = filterList(filter);
  if (list[filterIndex - 1]?.[1] === '*') return '';
  for (const [, patterns] of list) {
    for (const pattern of patterns.split(';')) {
      const match = /^\*(\.[^.*?]+)$/.exec(pattern.trim());
      if (match) kinds.add(match[1].toLowerCase());
    }
  }
  if (initialName === '*.bmp') kinds.add('image/*');
  return [...kinds].join(',');
}

// The same kinds for the File System Access API's picker.
function pickerTypes(filter, initialName) {
  const types = [];
  for (const [description, patterns] of filterList(filter)) {
    const endings = patterns.split(';').map((pattern) => /^\*(\.[^.*?]+)$/.exec(pattern.trim())?.[1])
      .filter(Boolean);
    if (endings.length) types.push({ description, accept: { 'application/octet-stream': endings } });
  }
  if (initialName === '*.bmp') types.push({ accept: { 'image/*': [] } });
  return types;
}

// ---- pictures the browser decodes ---------------------------------------------

async function imageOf(file) {
  try {
    return await createImageBitmap(file, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  } catch {
    // SVG and the like: decoded by an image element instead.
    const url = URL.createObjectURL(file);
    const image = new Image();
    image.src = url;
    try {
      await image.decode();
      return image;
    } catch {
      return null;
    } finally {
      setTimeout(() => URL.revokeObjectURL(url), 0);
    }
  }
}

// The picture as the module takes it: width and height (4 bytes each, little
// endian), then its RGBA bytes; null when the browser cannot decode it.
async function decodedPicture(file) {
  if (!file.type.startsWith('image/')) return null;
  const image = await imageOf(file);
  const width = image?.naturalWidth ?? image?.width ?? 0;
  const height = image?.naturalHeight ?? image?.height ?? 0;
  if (width === 0 || height === 0) return null;
  try {
    const canvas = new OffscreenCanvas(width, height);
    const context = canvas.getContext('2d', { willReadFrequently: true });
    context.drawImage(image, 0, 0, width, height);
    const pixels = context.getImageData(0, 0, width, height).data;
    const bytes = new Uint8Array(8 + pixels.length);
    const header = new DataView(bytes.buffer);
    header.setUint32(0, width, true);
    header.setUint32(4, height, true);
    bytes.set(pixels, 8);
    return bytes;
  } catch {
    return null;
  } finally {
    image.close?.();
  }
}

// Writes the file into a new folder (or, for one the user's handle names,
// into the folder that stands for its own) under the last part of its name
// and returns its path; a picture to be decoded (see decodes) also goes in
// decoded, as <name>.rgba, whose path is returned instead: the module falls
// back on the file itself.
async function store(file, decodes, handle = null) {
  const folder = (handle && await folderHolding(handle)) ?? newFolder();
  const name = ownName(file.name);
  const path = `${folder}/${name}`;
  FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
  if (handle) keep(path, handle);
  const picture = decodes(name) ? await decodedPicture(file) : null;
  if (!picture) return path;
  FS.writeFile(`${path}.rgba`, picture);
  return `${path}.rgba`;
}

// ---- the faces of the dialogs -------------------------------------------------

const fileInput = document.getElementById('fileInput');

export async function openFile(filter, filterIndex, initialName) {
  const bitmapDialog = initialName === '*.bmp';
  // The browser opens its file dialog only soon after a click or key press.
  if (navigator.userActivation && !navigator.userActivation.isActive && !(await askToChooseFile())) {
    return null;
  }
  const decodes = (name) => bitmapDialog && !/\.bmp$/i.test(name);
  if (window.showOpenFilePicker) {
    let handle;
    try {
      [handle] = await window.showOpenFilePicker({ types: pickerTypes(filter, initialName) });
    } catch (error) {
      if (error.name !== 'AbortError') console.error(error);
      return null;
    }
    return store(await handle.getFile(), decodes, handle);
  }
  return new Promise((resolve) => {
    const done = async (file) => {
      fileInput.removeEventListener('change', picked);
      fileInput.removeEventListener('cancel', cancelled);
      if (!file) {
        resolve(null);
        return;
      }
      try {
        resolve(await store(file, decodes));
      } catch (error) {
        console.error(error);
        resolve(null);
      }
    };
    const picked = () => done(fileInput.files[0] ?? null);
    const cancelled = () => done(null);
    fileInput.accept = acceptOf(filter, filterIndex, initialName);
    fileInput.value = '';
    fileInput.addEventListener('change', picked);
    fileInput.addEventListener('cancel', cancelled);
    fileInput.click();
  });
}

export async function saveFile(filter, filterIndex, initialName, confirmOverwrite) {
  const slash = initialName.lastIndexOf('/');
  const folder = slash >= 0 ? initialName.slice(0, slash) : null;
  const base = initialName.slice(slash + 1);
  if (folder !== null) await mirrored(folder);
  const mayReplace = async (name, title, question) => {
    if (!confirmOverwrite || folder === null || !exists(`${folder}/${name}`)) return true;
    return (await message('question', 'yesNo', title, question)) === AnswerYes;
  };
  const chosen = await chooseSaveName(filterList(filter), filterIndex,
    base.includes('*') ? '' : base, mayReplace, window.showSaveFilePicker && browse(filter));
  if (!chosen) return null;
  // A file chosen in the browser's dialog is the file the page holds already
  // where it is one of those: the module's checks see it as that file.
  const path = chosen.handle
    ? await keptAs(chosen.handle) ?? `${await folderHolding(chosen.handle) ?? newFolder()}/${chosen.name}`
    : `${folder ?? newFolder()}/${chosen.name}`;
  if (chosen.handle) keep(path, chosen.handle);
  if (!chosenSaves.has(path)) {
    chosenSaves.set(path, exists(path) ? FS.readFile(path) : null);
  }
  return { path, filterIndex: chosen.filterIndex };
}

// Browse... in the save dialog: the browser's own save dialog, which asks
// itself before it replaces a file.
function browse(filter) {
  return async (name) => {
    try {
      return await window.showSaveFilePicker({ suggestedName: name, types: pickerTypes(filter, '') });
    } catch (error) {
      if (error.name !== 'AbortError') console.error(error);
      return null;
    }
  };
}

function sameBytes(a, b) {
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; ++i) {
    if (a[i] !== b[i]) return false;
  }
  return true;
}

function download(name, bytes) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// After a command: the files it saved where the user chose, written back
// where they came from, or as downloads.
export async function deliverSaves() {
  const saves = chosenSaves;
  chosenSaves = new Map();
  for (const [path, before] of saves) {
    if (!exists(path) || FS.isDir(FS.stat(path).mode)) continue;
    const now = FS.readFile(path);
    if (before !== null && sameBytes(before, now)) continue;
    if (!(await writeBack(path, now))) download(baseName(path), now);
  }
}

// ---- the bitmap preview ---------------------------------------------------------

let previewUrl = null;

// A Blob URL of the file in the memory file system, or null.
export function bitmapUrl(path) {
  if (previewUrl) URL.revokeObjectURL(previewUrl);
  previewUrl = null;
  if (path === null || !exists(path)) return null;
  previewUrl = URL.createObjectURL(new Blob([FS.readFile(path)], { type: 'image/bmp' }));
  return previewUrl;
}

// ---- dropping a file on the page ------------------------------------------------

function carriesFiles(event) {
  return event.dataTransfer && [...event.dataTransfer.types].includes('Files');
}

// drop(file) is called for one file dropped while the page is idle; it
// stores it with storeDropped.
export function setupDrop(idle, drop) {
  document.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    const one = event.dataTransfer.items.length === 1;
    event.dataTransfer.dropEffect = one && idle() ? 'copy' : 'none';
    document.body.classList.toggle('dropping', one && idle());
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) document.body.classList.remove('dropping');
  });
  document.addEventListener('drop', (event) => {
    document.body.classList.remove('dropping');
    if (!carriesFiles(event)) return;
    event.preventDefault();
    const { files, items } = event.dataTransfer;
    if (files.length !== 1 || !idle()) return;
    if (items[0]?.webkitGetAsEntry?.()?.isDirectory) return;
    drop(files[0], items[0]?.getAsFileSystemHandle?.() ?? null);
  });
}

// A dropped picture that is no bitmap or EPA file goes in decoded; a file
// the browser gave a handle for is written back there.
export async function storeDropped(file, handlePromise) {
  const handle = await handlePromise?.catch(() => null);
  return store(file, (name) => !/\.(bmp|epa)$/i.test(name), handle?.kind === 'file' ? handle : null);
}

// A file the system handed the installed page.
export async function storeLaunched(handle) {
  return store(await handle.getFile(), () => false, handle);
}
