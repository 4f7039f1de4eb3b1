// Captions with access keys, Qt style: "&" marks the letter Alt presses,
// "&&" is a literal "&".

// The caption without its marks, as window titles show it.
export function plainCaption(text) {
  return text.replace(/&(&?)/g, '$1');
}

// Writes the caption into the element (or its .caption child) with the
// access letter underlined, and keeps the letter in data-access.
export function setCaption(element, text) {
  const target = element.querySelector(':scope > .caption') ?? element;
  target.replaceChildren();
  let plain = '';
  let letter = '';
  for (let at = 0; at < text.length; ++at) {
    const c = text[at];
    if (c === '&' && at + 1 < text.length) {
      ++at;
      if (text[at] !== '&' && !letter) {
        letter = text[at];
        if (plain) target.append(plain);
        plain = '';
        const u = document.createElement('u');
        u.textContent = letter;
        target.append(u);
        continue;
      }
    }
    plain += text[at];
  }
  if (plain) target.append(plain);
  if (letter) {
    element.dataset.access = letter.toLowerCase();
  } else {
    delete element.dataset.access;
  }
}

// The letter of an Alt+letter key press, or '' for any other key.
export function accessLetter(event) {
  if (!event.altKey || event.ctrlKey || event.metaKey) return '';
  if (/^Key[A-Z]$/.test(event.code)) return event.code.slice(3).toLowerCase();
  if (/^Digit[0-9]$/.test(event.code)) return event.code.slice(5);
  return event.key.length === 1 ? event.key.toLowerCase() : '';
}

function usable(element) {
  return !element.disabled && !element.hidden && element.getClientRects().length > 0;
}

// Presses the control of that letter inside scope, as Qt does: one control
// is pressed (a check box toggled), several take the focus in turn.
export function pressAccessKey(scope, letter) {
  const matches = [...scope.querySelectorAll(`[data-access="${CSS.escape(letter)}"]`)]
    .map((element) => (element.tagName === 'LABEL' ? element.control : element))
    .filter((element) => element && usable(element));
  if (matches.length === 0) return false;
  if (matches.length === 1) {
    const [control] = matches;
    if (control.tabIndex >= 0) control.focus();
    control.click();
    return true;
  }
  const focusable = matches.filter((element) => element.tabIndex >= 0);
  const now = focusable.indexOf(document.activeElement);
  focusable[(now + 1) % focusable.length]?.focus();
  return true;
}
