// The page's own windows: the message box and the save dialog the module
// waits for, and the windows that stand beside the editor (read-me, about,
// boot view). Each has a title bar to move it by and a close box.

import { plainCaption, setCaption } from './captions.js';

const ButtonTexts = {
  en: { ok: 'OK', yes: '&Yes', no: '&No', cancel: 'Cancel',
    saveTitle: 'Save As', saveName: 'File &name:', saveFilter: 'Save as &type:', save: '&Save',
    browse: '&Browse...',
    replace: (name) => `${name} already exists.\nDo you want to replace it?`,
    notAName: (name) => `${name}\nThe file name is not valid.`,
    chooseFile: 'Choose the file to open.',
    closed: 'Kalvero has ended. You can close this tab now.', again: 'Start &again' },
  de: { ok: 'OK', yes: '&Ja', no: '&Nein', cancel: 'Abbrechen',
    saveTitle: 'Speichern unter', saveName: 'Datei&name:', saveFilter: 'Datei&typ:', save: '&Speichern',
    browse: '&Durchsuchen...',
    replace: (name) => `${name} existiert bereits.\nSoll es ersetzt werden?`,
    notAName: (name) => `${name}\nDer Dateiname ist ungültig.`,
    chooseFile: 'Wählen Sie die Datei zum Öffnen.',
    closed: 'Kalvero ist beendet. Sie können diesen Tab jetzt schließen.', again: '&Neu starten' },
};

// The message box's answers, by the names the module gives them
// (kalvero_contract).
export const AnswerOk = 'ok';
export const AnswerCancel = 'cancel';
export const AnswerYes = 'yes';
export const AnswerNo = 'no';

// The answers of each set of buttons, by the module's names of the sets.
const AnswersOf = {
  ok: [AnswerOk],
  yesNo: [AnswerYes, AnswerNo],
  yesNoCancel: [AnswerYes, AnswerNo, AnswerCancel],
};

// The names of the message box that the page uses, for the module to know.
export const MessageNames = {
  icons: ['none', 'information', 'question'],
  buttons: Object.keys(AnswersOf),
  answers: [AnswerOk, AnswerCancel, AnswerYes, AnswerNo],
};

let german = () => false;

export function setupDialogs(isGerman) {
  german = isGerman;
  for (const dialog of document.querySelectorAll('dialog.box')) {
    movable(dialog);
  }
  setupWindows();
}

function texts() {
  return german() ? ButtonTexts.de : ButtonTexts.en;
}

// ---- moving a window by its title bar ------------------------------------------

function placeAt(dialog, left, top) {
  dialog.style.inset = 'auto';
  dialog.style.margin = '0';
  dialog.style.left = `${Math.round(left)}px`;
  dialog.style.top = `${Math.round(top)}px`;
}

function movable(dialog) {
  const title = dialog.querySelector('.title');
  title.addEventListener('pointerdown', (event) => {
    if (event.button !== 0 || event.target.closest('.close')) return;
    const box = dialog.getBoundingClientRect();
    const dx = event.clientX - box.left;
    const dy = event.clientY - box.top;
    title.setPointerCapture(event.pointerId);
    const move = (at) => {
      placeAt(dialog, Math.min(Math.max(at.clientX - dx, 40 - box.width), window.innerWidth - 40),
        Math.min(Math.max(at.clientY - dy, 0), window.innerHeight - 24));
    };
    const stop = () => {
      title.removeEventListener('pointermove', move);
      title.removeEventListener('pointerup', stop);
      title.removeEventListener('pointercancel', stop);
    };
    title.addEventListener('pointermove', move);
    title.addEventListener('pointerup', stop);
    title.addEventListener('pointercancel', stop);
  });
}

// A window beside the editor: shown over the middle of the editor's window
// the first time, where the user left it afterwards.
function showWindow(dialog) {
  if (dialog.open) return;
  dialog.show();
  if (!dialog.dataset.placed) {
    dialog.dataset.placed = '1';
    const editor = document.getElementById('Form1').getBoundingClientRect();
    const left = editor.left + (editor.width - dialog.offsetWidth) / 2;
    const top = editor.top + (editor.height - dialog.offsetHeight) / 2;
    placeAt(dialog, Math.max(0, left), Math.max(0, top));
  }
}

function setupWindows() {
  for (const id of ['readMe', 'about', 'bootView']) {
    const dialog = document.getElementById(id);
    dialog.querySelector('.close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        dialog.close();
      }
    });
  }
  document.getElementById('readMeOk').addEventListener('click', () => document.getElementById('readMe').close());
  document.getElementById('aboutOk').addEventListener('click', () => document.getElementById('about').close());
}

// ---- modal dialogs --------------------------------------------------------------

// A modal dialog's answer, given once: finish(value) removes the listeners
// added with on(), closes the dialog and resolves. Its close button, Escape
// and a close by the browser itself (Escape pressed twice) give escapeValue,
// Escape only while mayEscape().
function modal(dialog, escapeValue, resolve, mayEscape = () => true) {
  const listeners = [];
  const on = (target, type, handler) => {
    target.addEventListener(type, handler);
    listeners.push(() => target.removeEventListener(type, handler));
  };
  let done = false;
  const finish = (value) => {
    if (done) return;
    done = true;
    for (const remove of listeners) remove();
    dialog.close();
    resolve(value);
  };
  on(dialog.querySelector('.close'), 'click', () => finish(escapeValue));
  on(dialog, 'cancel', (event) => {
    event.preventDefault();
    if (mayEscape()) finish(escapeValue);
  });
  on(dialog, 'close', () => {
    if (!dialog.open) finish(escapeValue);
  });
  return { on, finish, finished: () => done };
}

// ---- message box ----------------------------------------------------------------

const messageBox = document.getElementById('messageBox');
let messageQueue = Promise.resolve();

// icon and buttons by name; the answer by name.
export function message(icon, buttons, title, text) {
  return queued(icon, AnswersOf[buttons], title, text);
}

function queued(icon, answers, title, text) {
  const shown = messageQueue.then(() => showMessage(icon, answers, title, text));
  messageQueue = shown.catch(() => {});
  return shown;
}

// The page's own question before a file dialog the browser would not open
// without a click: true when the user chose to go on.
export async function askToChooseFile() {
  const words = texts();
  const answer = await queued('none', [AnswerOk, AnswerCancel], 'Kalvero', words.chooseFile);
  return answer === AnswerOk;
}

function showMessage(icon, answers, title, text) {
  const words = texts();
  const buttonOf = {
    [AnswerOk]: document.getElementById('answerOk'),
    [AnswerYes]: document.getElementById('answerYes'),
    [AnswerNo]: document.getElementById('answerNo'),
    [AnswerCancel]: document.getElementById('answerCancel'),
  };
  setCaption(buttonOf[AnswerOk], words.ok);
  setCaption(buttonOf[AnswerYes], words.yes);
  setCaption(buttonOf[AnswerNo], words.no);
  setCaption(buttonOf[AnswerCancel], words.cancel);
  // Closing the box is Cancel where there is one, else No (OK for a notice).
  const escape = answers.includes(AnswerCancel) ? AnswerCancel : answers.at(-1);
  for (const [answer, button] of Object.entries(buttonOf)) {
    button.hidden = !answers.includes(answer);
  }
  document.getElementById('messageTitle').textContent = title;
  document.getElementById('messageText').textContent = text.replace(/\r\n/g, '\n');
  document.getElementById('messageIcon').className = `icon ${icon}`;

  return new Promise((resolve) => {
    const { on, finish: answer } = modal(messageBox, escape, resolve);
    for (const value of answers) {
      on(buttonOf[value], 'click', () => answer(value));
    }
    messageBox.style.cssText = '';
    messageBox.showModal();
    // Yes is the default button.
    buttonOf[answers[0]].focus();
  });
}

// ---- save dialog --------------------------------------------------------------

const saveDialog = document.getElementById('saveDialog');

// The file's name and the filter chosen, or null when cancelled. filters is
// a list of [description, patterns]; mayReplace(name) asks before an existing
// file is replaced. Where browse is given, Browse... lets the browser's own
// dialog choose the file: browse(name) gives its handle, or null.
export function chooseSaveName(filters, filterIndex, name, mayReplace, browse = null) {
  const words = texts();
  document.getElementById('saveTitle').textContent = plainCaption(words.saveTitle);
  setCaption(document.getElementById('saveNameLabel'), words.saveName);
  setCaption(document.getElementById('saveFilterLabel'), words.saveFilter);
  setCaption(document.getElementById('saveOk'), words.save);
  setCaption(document.getElementById('saveCancel'), words.cancel);
  const browseButton = document.getElementById('saveBrowse');
  setCaption(browseButton, words.browse);
  browseButton.hidden = !browse;
  const nameInput = document.getElementById('saveName');
  const filterSelect = document.getElementById('saveFilter');
  filterSelect.replaceChildren(...filters.map(([description], index) => {
    const option = document.createElement('option');
    option.value = String(index + 1);
    option.textContent = description;
    return option;
  }));
  filterSelect.value = String(Math.min(Math.max(filterIndex, 1), filters.length || 1));
  nameInput.value = name;

  return new Promise((resolve) => {
    let asking = false;
    const { on, finish, finished } = modal(saveDialog, null, resolve, () => !asking);
    on(document.getElementById('saveForm'), 'submit', async (event) => {
      event.preventDefault();
      const chosen = nameInput.value;
      // Without a name the dialog stays, as a file dialog does.
      if (chosen === '' || asking) {
        nameInput.focus();
        return;
      }
      asking = true;
      // The page's files have no folders: ".", ".." and a "/" name none.
      const valid = chosen !== '.' && chosen !== '..' && !chosen.includes('/');
      const replace = valid
        ? await mayReplace(chosen, words.saveTitle, words.replace(chosen))
        : (await message('information', 'ok', words.saveTitle, words.notAName(chosen)), false);
      asking = false;
      if (finished()) return;
      if (replace) {
        finish({ name: chosen, filterIndex: Number(filterSelect.value) });
      } else {
        nameInput.focus();
      }
    });
    on(document.getElementById('saveCancel'), 'click', () => finish(null));
    on(browseButton, 'click', async () => {
      const handle = await browse(nameInput.value);
      if (handle) finish({ name: handle.name, filterIndex: Number(filterSelect.value), handle });
    });
    saveDialog.style.cssText = '';
    saveDialog.showModal();
    nameInput.focus();
    nameInput.select();
  });
}

// ---- read-me, about and boot view ---------------------------------------------------

export function showReadMe(version, text, onClosed) {
  const dialog = document.getElementById('readMe');
  document.getElementById('readMeVersion').textContent = version;
  document.getElementById('readMeText').value = text;
  document.getElementById('readMeText').scrollTop = 0;
  setCaption(document.getElementById('readMeOk'), '&OK');
  dialog.addEventListener('close', onClosed, { once: true });
  showWindow(dialog);
  document.getElementById('readMeOk').focus();
}

export function showAbout(version, text) {
  const dialog = document.getElementById('about');
  document.getElementById('aboutVersion').textContent = version;
  document.getElementById('aboutText').value = text;
  setCaption(document.getElementById('aboutOk'), '&OK');
  showWindow(dialog);
  document.getElementById('aboutOk').focus();
}

export function showBootView(rgb, width, height, title) {
  const dialog = document.getElementById('bootView');
  const canvas = document.getElementById('bootViewCanvas');
  const rgba = new Uint8ClampedArray(4 * width * height);
  for (let from = 0, to = 0; to < rgba.length; from += 3, to += 4) {
    rgba[to] = rgb[from];
    rgba[to + 1] = rgb[from + 1];
    rgba[to + 2] = rgb[from + 2];
    rgba[to + 3] = 255;
  }
  canvas.width = width;
  canvas.height = height;
  canvas.getContext('2d').putImageData(new ImageData(rgba, width, height), 0, 0);
  document.getElementById('bootViewTitle').textContent = title;
  // Shown anew each time, as the window is made anew.
  dialog.close();
  showWindow(dialog);
  canvas.focus();
}

// Dropping another file ends the boot view of the logo it may replace.
export function closeBootView() {
  document.getElementById('bootView').close();
}

// What Exit leaves in a tab the browser would not let the page close: the
// editor is gone, and only starting again brings a fresh one.
export function showClosed() {
  document.getElementById('Form1').hidden = true;
  const closed = document.getElementById('closed');
  closed.querySelector('p').textContent = texts().closed;
  const again = closed.querySelector('button');
  setCaption(again, texts().again);
  again.addEventListener('click', () => location.reload(), { once: true });
  closed.hidden = false;
  again.focus();
}

export function closeWindows() {
  for (const id of ['readMe', 'about', 'bootView']) {
    document.getElementById(id).close();
  }
}
