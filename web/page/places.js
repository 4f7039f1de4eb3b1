// Where the user's files are: the File System Access API's handles behind
// the files in the page's memory (/files/N/NAME), so that a file saved there
// is written back where it came from, and the folders the user gave the
// page for the numbered backups. A memory folder stands for one folder of
// the user's once it is given: its names are mirrored in it (as empty
// files), so that the module's own rules (the backup's number, "already
// exists") see that folder. Without the API, or without the user's leave,
// the page downloads, as it always did.

import { AnswerYes, message } from './dialogs.js';

const Words = {
  en: {
    askFolder: (name) => `EPA Backup makes a numbered copy of ${name} in the file's folder before it is opened.\n` +
      'May Kalvero make it there? Then choose that folder next.',
    declined: (name, elsewhere) => `${elsewhere ? `${name} is not in the folder chosen. ` : ''}` +
      `Kalvero makes no backup copy of ${name} and saves it as a download.`,
    notWritten: (name, reason) => `${name} could not be written where it came from (${reason}).\n` +
      'It is saved as a download instead.',
  },
  de: {
    askFolder: (name) => `EPA Backup legt vor dem Öffnen eine nummerierte Kopie von ${name} im Ordner der Datei an.\n` +
      'Darf Kalvero sie dort anlegen? Dann wählen Sie als Nächstes diesen Ordner.',
    declined: (name, elsewhere) => `${elsewhere ? `${name} liegt nicht im gewählten Ordner. ` : ''}` +
      `Kalvero legt keine Sicherungskopie von ${name} an und speichert die Datei als Download.`,
    notWritten: (name, reason) => `${name} konnte nicht an seinen Ort geschrieben werden (${reason}).\n` +
      'Die Datei wird stattdessen als Download gespeichert.',
  },
};

// How a backup's write ended, by the module's names (kalvero_contract).
const BackupWritten = 'written';
const BackupDenied = 'denied';
const BackupDiskFull = 'diskFull';
export const BackupFailed = 'failed';
export const BackupWrites = [BackupWritten, BackupDenied, BackupDiskFull, BackupFailed];

let FS = null;
let german = () => false;
const handles = new Map(); // memory path -> the user's file it stands for
const folders = new Map(); // memory folder -> the user's folder it stands for
const placeholders = new Set(); // memory paths mirrored from a folder
const declined = []; // the user's files whose folder the user did not give

export function setupPlaces(module, isGerman) {
  FS = module.FS;
  german = isGerman;
}

const words = () => (german() ? Words.de : Words.en);
const folderOf = (path) => path.slice(0, path.lastIndexOf('/'));
const nameOf = (path) => path.slice(path.lastIndexOf('/') + 1);

// The memory folder of a user's folder that holds the file, or null.
export async function folderHolding(handle) {
  for (const [folder, directory] of folders) {
    const inside = await directory.resolve(handle).catch(() => null);
    if (inside?.length === 1) return folder;
  }
  return null;
}

// The memory path of a file the page holds already, or null.
export async function keptAs(handle) {
  for (const [path, kept] of handles) {
    if (await kept.isSameEntry(handle)) return path;
  }
  return null;
}

// The file at path in the page's memory came from handle.
export function keep(path, handle) {
  placeholders.delete(path);
  handles.set(path, handle);
}

// The folder's names, as empty files where the memory has none; those the
// folder no longer has go.
async function mirror(folder, directory) {
  const names = new Set();
  for await (const [name, entry] of directory.entries()) {
    names.add(name);
    const path = `${folder}/${name}`;
    if (FS.analyzePath(path).exists) continue;
    if (entry.kind === 'directory') FS.mkdir(path);
    else FS.writeFile(path, new Uint8Array(0));
    placeholders.add(path);
  }
  for (const path of placeholders) {
    if (folderOf(path) === folder && !names.has(nameOf(path))) {
      placeholders.delete(path);
      const { object } = FS.analyzePath(path);
      if (object && !FS.isDir(object.mode) && object.usedBytes === 0) FS.unlink(path);
      else if (object && FS.isDir(object.mode)) FS.rmdir(path);
    }
  }
}

// A given folder's names mirrored anew, so that a save dialog knows them.
export async function mirrored(folder) {
  const directory = folders.get(folder);
  if (directory) await mirror(folder, directory).catch((error) => console.error(error));
}

// Before the backup of the file at path: true when its folder is the
// user's, mirrored; false when the backup stays in the page's memory. The
// first time, the user is asked for the folder; one who declines is told
// once, and the file is downloaded from then on, also when it is opened
// again.
export async function backupFolder(path) {
  const folder = folderOf(path);
  if (!folders.has(folder)) {
    const handle = handles.get(path);
    if (!handle || !window.showDirectoryPicker) return false;
    handles.delete(path);
    for (const file of declined) {
      if (await file.isSameEntry(handle)) return false;
    }
    let directory = null;
    let elsewhere = false;
    if (await message('question', 'yesNo', 'Kalvero', words().askFolder(handle.name)) === AnswerYes) {
      try {
        directory = await window.showDirectoryPicker({ mode: 'readwrite', startIn: handle });
        // Only the file's own folder holds its backups.
        elsewhere = (await directory.resolve(handle))?.length !== 1;
      } catch (error) {
        if (error.name !== 'AbortError') console.error(error);
      }
    }
    if (!directory || elsewhere) {
      declined.push(handle);
      await message('information', 'ok', 'Kalvero', words().declined(handle.name, elsewhere));
      return false;
    }
    keep(path, handle);
    folders.set(folder, directory);
  }
  await mirror(folder, folders.get(folder));
  return true;
}

function problemOf(error) {
  if (error?.name === 'NotAllowedError' || error?.name === 'SecurityError') return BackupDenied;
  if (error?.name === 'QuotaExceededError') return BackupDiskFull;
  return BackupFailed;
}

// Whole or not at all: the writable stream replaces the file on close only.
async function writeTo(handle, bytes) {
  const writable = await handle.createWritable();
  try {
    await writable.write(bytes);
    await writable.close();
  } catch (error) {
    await writable.abort().catch(() => {});
    throw error;
  }
}

async function created(directory, name) {
  try {
    await directory.getFileHandle(name);
  } catch (error) {
    if (error.name !== 'NotFoundError') throw error;
    return directory.getFileHandle(name, { create: true });
  }
  throw new DOMException(`${name} exists`, 'InvalidModificationError');
}

// The backup the module made at path, written into the user's folder under
// its name, never over a file there; the page's copy goes if it cannot be.
export async function writeBackup(path) {
  const directory = folders.get(folderOf(path));
  let made = null;
  try {
    made = await created(directory, nameOf(path));
    await writeTo(made, FS.readFile(path));
    return BackupWritten;
  } catch (error) {
    console.error(error);
    if (made) await directory.removeEntry(nameOf(path)).catch(() => {});
    FS.unlink(path);
    return problemOf(error);
  }
}

async function writable(handle) {
  const mode = { mode: 'readwrite' };
  if ((await handle.queryPermission?.(mode)) === 'granted') return;
  if ((await handle.requestPermission?.(mode)) !== 'granted') {
    throw new DOMException('permission denied', 'NotAllowedError');
  }
}

// Writes what a command saved at path back where it came from: over the
// user's file it stands for, or as a new file in the user's folder. False
// where the page has neither, or the write failed (the user is told): the
// caller downloads it.
export async function writeBack(path, bytes) {
  const directory = folders.get(folderOf(path));
  let handle = handles.get(path);
  if (!handle && !directory) return false;
  let made = false;
  try {
    if (!handle) {
      // A name the folder did not have when the save dialog showed it is
      // never written over.
      const fresh = !placeholders.has(path);
      handle = fresh ? await created(directory, nameOf(path)) : await directory.getFileHandle(nameOf(path));
      made = fresh;
    }
    await writable(handle);
    await writeTo(handle, bytes);
    keep(path, handle);
    return true;
  } catch (error) {
    console.error(error);
    if (made) await directory.removeEntry(nameOf(path)).catch(() => {});
    await message('information', 'ok', 'Kalvero', words().notWritten(nameOf(path), error.message || error.name));
    return false;
  }
}
