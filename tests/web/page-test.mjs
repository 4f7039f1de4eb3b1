// Drives Kalvero's page (build/web) in headless Chromium through puppeteer-core
// and checks what it saves against hand-computed bytes and the native
// kalvero-cli. Run by tools/web-page-tests.sh, which builds the page and
// installs puppeteer-core into build/web-test. Prints one line a case, the
// timings, and "N passed, N failed"; exits non-zero when a case fails.
import { spawn, spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const testDir = path.join(root, 'build/web-test');
const puppeteer = createRequire(path.join(testDir, 'package.json'))('puppeteer-core');
const cliPath = path.join(root, 'build/bin/kalvero-cli');
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'kalvero-page-'));
const downloadDir = path.join(tmp, 'downloads');
const sample = (name) => path.join(root, 'samples', name);
const at = (...parts) => path.join(tmp, ...parts);

// ---- Native side --------------------------------------------------------
function cli(...args) {
    const run = spawnSync(cliPath, args, { encoding: 'utf8' });
    if (run.status !== 0) throw new Error(`kalvero-cli ${args.join(' ')}: ${run.stderr.trim()}`);
    return run.stdout;
}
const cliFile = (out, ...args) => (cli(...args, out), fs.readFileSync(out));
function expect(condition, message) {
    if (!condition) throw new Error(message);
}
// Fails at the first byte where got differs from want, or on their lengths.
function expectSame(what, got, want) {
    expect(got.length === want.length, `${what}: ${got.length} bytes, expected ${want.length}`);
    const i = got.findIndex((byte, n) => byte !== want[n]);
    expect(i < 0, `${what}: byte 0x${i.toString(16)} is ${got[i]}, expected ${want[i]}`);
}

// A PNG of flat colours, as the browser's canvas writes it: [r, g, b] = colourAt(x, y).
async function pngOf(width, height, colourAt) {
    const rgba = [];
    for (let y = 0; y < height; y++) for (let x = 0; x < width; x++) rgba.push(...colourAt(x, y), 255);
    return Buffer.from(await page.evaluate(async (width, height, rgba) => {
        const canvas = new OffscreenCanvas(width, height);
        canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
        return [...new Uint8Array(await (await canvas.convertToBlob()).arrayBuffer())];
    }, width, height, rgba));
}

// RGB pixels of a PNG, as the browser decodes it.
async function pngPixels(file) {
    const { width, height, rgba } = await page.evaluate(async (base64) => {
        const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
        const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
        context.drawImage(image, 0, 0);
        return { width: image.width, height: image.height, rgba: [...context.getImageData(0, 0, image.width, image.height).data] };
    }, fs.readFileSync(file).toString('base64'));
    return { width, height, rgb: Buffer.from(rgba.filter((_, i) => i % 4 !== 3)) };
}

// Milliseconds of each of five whole runs of kalvero-cli.
const timeNative = (...args) => [0, 1, 2, 3, 4].map(() => {
    const start = process.hrtime.bigint();
    cli(...args);
    return Number(process.hrtime.bigint() - start) / 1e6;
});

// ---- The page -------------------------------------------------------------
function serve() {
    const server = spawn('/usr/bin/python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1',
        '--directory', path.join(root, 'build/web'), '0'], { stdio: ['ignore', 'pipe', 'ignore'] });
    return new Promise((resolve, reject) => {
        server.stdout.on('data', (text) => {
            const port = /port (\d+)/.exec(text.toString());
            if (port) resolve({ server, url: `http://127.0.0.1:${port[1]}/` });
        });
        server.on('exit', () => reject(new Error('python3 -m http.server stopped')));
    });
}

const { server, url } = await serve();
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--window-size=1024,768'],
});
const page = await browser.newPage();
await page.setViewport({ width: 1024, height: 768 });
const consoleErrors = [];
page.on('console', (m) => m.type() === 'error' && consoleErrors.push(m.text()));
page.on('pageerror', (e) => consoleErrors.push(e.message));
page.on('dialog', (d) => d.accept());
// The browser's own pickers cannot be answered from here: the page keeps to
// its file input, unless a case hands the pickers files of the browser's
// origin-private file system; the launch queue is the case's to fill.
await page.evaluateOnNewDocument(() => {
    for (const name of ['showOpenFilePicker', 'showSaveFilePicker', 'showDirectoryPicker']) delete window[name];
    Object.defineProperty(window, 'launchQueue', { value: { setConsumer: (consumer) => { window.launch = consumer; } } });
});

// Downloads land in downloadDir under their guid; each save waits for the next.
const cdp = await browser.target().createCDPSession();
await cdp.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: downloadDir, eventsEnabled: true });
const names = new Map();
let downloaded = [];
let downloadWaiter = null;
cdp.on('Browser.downloadWillBegin', (e) => names.set(e.guid, e.suggestedFilename));
cdp.on('Browser.downloadProgress', (e) => {
    if (e.state !== 'completed') return;
    downloaded.push({ name: names.get(e.guid), bytes: fs.readFileSync(path.join(downloadDir, e.guid)) });
    downloadWaiter?.();
});
async function nextDownload(what) {
    for (let waited = 0; !downloaded.length; waited += 50) {
        expect(waited < 10000, `${what}: no download`);
        await new Promise((resolve) => { downloadWaiter = resolve; setTimeout(resolve, 50); });
    }
    return downloaded.shift();
}

const visible = (selector) => page.$eval(selector, (e) => !!(e.offsetWidth || e.offsetHeight) && getComputedStyle(e).visibility !== 'hidden').catch(() => false);
const text = (id) => page.$eval('#' + id, (e) => e.textContent.trim());
const canvasImage = () => page.$eval('#Picture1', (c) => c.toDataURL());

// Waits until no command runs; OK boxes on the way are answered (their texts
// kept in notices), a question fails the case (answer it with answer() first).
const notices = [];
async function idle() {
    for (let waited = 0; ; waited += 20) {
        if (await visible('#messageBox')) {
            const box = await page.$eval('#messageBox', (e) => e.innerText.trim());
            expect(await visible('#answerOk'), `unexpected question: ${box}`);
            notices.push(box);
            await page.click('#answerOk');
        } else if (await page.evaluate(() => document.body.dataset.busy !== '1')) {
            return;
        }
        expect(waited < 15000, 'the page stays busy');
        await new Promise((r) => setTimeout(r, 20));
    }
}
async function answer(buttonId) {
    await page.waitForSelector('#messageBox', { visible: true, timeout: 5000 });
    await page.click('#' + buttonId);
}
async function load(options = {}) {
    await page.goto(url, { waitUntil: 'load' });
    await page.evaluate(() => window.kalveroReady);
    downloaded = [];
    // Backup and Messages off unless asked: every save is one download.
    for (const [id, on] of Object.entries({ Backup: false, SaveCheck: false, ...options }))
        if (await page.$eval('#' + id, (e) => e.checked) !== on) await page.click('#' + id);
    await idle();
}
async function openFile(button, file) {
    const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 5000 }), page.click('#' + button)]);
    await chooser.accept([file]);
    await idle();
}
// Save through the save dialog, which button opens (and which name it
// proposes, when given; replace answers "already exists"); the downloaded bytes.
async function saveAs(name, filterIndex, { button = 'SichEpa_Command', proposed, replace } = {}) {
    await page.click('#' + button);
    await page.waitForSelector('#saveDialog', { visible: true, timeout: 5000 });
    const shown = await page.$eval('#saveName', (e) => e.value);
    expect(proposed === undefined || shown === proposed, `the save dialog proposes "${shown}", not "${proposed}"`);
    await page.$eval('#saveName', (e, name) => { e.value = name; }, name);
    await page.$eval('#saveFilter', (e, i) => { e.selectedIndex = i - 1; }, filterIndex);
    await page.click('#saveOk');
    if (replace) await answer('answerYes');
    await idle();
}
async function save(name, filterIndex, options) {
    await saveAs(name, filterIndex, options);
    const file = await nextDownload(`save as ${name}`);
    expect(file.name === name, `the download is named ${file.name}, not ${name}`);
    return file.bytes;
}
// Paints cell (column, row) in palette colour: a click on its pixel (x, y),
// (0, 0) to (7, 13); its corners show a canvas off by a pixel or two.
async function paint(column, row, colour, [x, y] = [4, 7]) {
    await page.click('#Option1_' + colour);
    const box = await page.$eval('#Picture1', (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.left + c.clientLeft, y: r.top + c.clientTop, scale: c.clientWidth / c.width,
                 grid: document.getElementById('ShowRaster').checked };
    });
    const [w, h] = box.grid ? [9, 15] : [8, 14];
    await page.mouse.click(box.x + (column * w + x + 0.5) * box.scale, box.y + (row * h + y + 0.5) * box.scale);
    await idle();
}
const setAttribute = (bytes, column, row, colour) => {
    const changed = Buffer.from(bytes);
    changed[2 + 17 * row + column] = colour; // two count bytes, then one attribute a cell
    return changed;
};

// ---- Cases ----------------------------------------------------------------
const numbers = {};

async function paintSaveAndUndo() {
    const original = fs.readFileSync(sample('kalvero.epa'));
    expect(original[2 + 17 * 3 + 5] !== 12, 'the sample already has colour 12 there');
    await load();
    await openFile('LadeEpa_Command', sample('kalvero.epa'));
    expect(await text('EpaNameAnzeige') === 'kalvero.epa', `EpaNameAnzeige: ${await text('EpaNameAnzeige')}`);
    const before = await canvasImage();
    await paint(5, 3, 12, [7, 13]);
    const painted = await canvasImage();
    expect(painted !== before, 'the canvas did not change');
    expectSame('saved logo', await save('painted.epa', 1), setAttribute(original, 5, 3, 12));
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    expect(await canvasImage() === before, 'Ctrl+Z did not bring the canvas back');
    await page.keyboard.press('y');
    await page.keyboard.up('Control');
    expect(await canvasImage() === painted, 'Ctrl+Y did not paint the cell again');
    // EPAtoBMP writes what kalvero-cli epa2bmp makes of the saved logo.
    fs.writeFileSync(at('painted.epa'), setAttribute(original, 5, 3, 12));
    expectSame('exported bitmap', await save('painted.bmp', 1, { button: 'EpaToBmp' }),
        cliFile(at('painted-cli.bmp'), 'epa2bmp', at('painted.epa')));
}

async function picture() {
    // Black, with white, yellow (light) and blue and red (dark) blocks.
    const colours = [[255, 255, 255], [255, 255, 0], [0, 0, 170], [170, 0, 0]];
    const png = await pngOf(136, 126, (x, y) => (x % 40 < 24 && y % 30 < 18) ? colours[(x / 40 + y / 30 | 0) % 4] : [0, 0, 0]);
    fs.writeFileSync(at('picture.png'), png);
    await load();
    await openFile('LadeBmp_Command', at('picture.png'));
    await page.click('#CreateEpa');
    await idle();
    cli('import', '--mono', at('picture.png'), at('picture.bmp'));
    expectSame('picture made into an EPA', await save('picture.epa', 1), cliFile(at('picture.epa'), 'bmp2epa', at('picture.bmp')));
}

// Paint, save the new image (A) and the logo (B); kalvero-cli bios replace
// of B must make A.
async function replaceLogo(image, label) {
    const logo = cliFile(at(label + '-old.epa'), 'bios', 'extract', image);
    await load();
    await openFile('LadeEpa_Command', image);
    const colour = logo[2 + 17 + 3] === 13 ? 14 : 13;
    await paint(3, 1, colour, [0, 0]);
    const name = path.basename(image).replace(/(\.[^.]*)?$/, '-new$1');
    const [imageBytes, took] = await timedSave(() => save(name, 1, { proposed: name }));
    await paint(3, 1, colour === 13 ? 14 : 13);
    await paint(3, 1, colour);
    const logoBytes = await save('logo.epa', 2);
    // Counts, attributes and glyphs (2 + 17 x 6 x 15 bytes of a short logo);
    // the 70-byte trailer is the editor's own, not the image's.
    const body = logo.length === 1602 ? 1532 : logo.length;
    expect(logoBytes.length === logo.length, `${label}: the logo saved has ${logoBytes.length} bytes`);
    expectSame(`${label}: the logo saved`, logoBytes.subarray(0, body), setAttribute(logo, 3, 1, colour).subarray(0, body));
    fs.writeFileSync(at(label + '.epa'), logoBytes);
    expectSame(`${label}: the image saved`, imageBytes, cliFile(at(label + '-new.bin'), 'bios', 'replace', image, at(label + '.epa')));
    return took;
}

// Runs a save; its bytes, and the time from the save dialog's OK to the
// notice that the image was written.
async function timedSave(saving) {
    await page.evaluate(() => {
        window.timing = {};
        document.getElementById('saveOk').addEventListener('click', () => { window.timing.start = performance.now(); }, { capture: true, once: true });
        new MutationObserver((_, o) => { if (window.timing.start) window.timing.end = performance.now(), o.disconnect(); })
            .observe(document.getElementById('messageBox'), { attributes: true });
    });
    const bytes = await saving();
    const timing = await page.evaluate(() => window.timing);
    return [bytes, timing.end - timing.start];
}

// Ten saves of a new image in one visit; the last five, once the browser
// has compiled the module's busy parts.
async function warmReplacements(image) {
    await load();
    await openFile('LadeEpa_Command', image);
    const times = [];
    for (let i = 0; i < 10; i++) {
        await paint(3, 1, 13 + i % 2, [0, 0]); // a saved logo has nothing to save
        times.push((await timedSave(() => save(`warm-${i}.bin`, 1)))[1]);
    }
    return times.slice(5);
}

function seedImage() {
    const seeds = at('seeds');
    if (!fs.existsSync(seeds)) {
        fs.mkdirSync(seeds);
        expect(spawnSync(path.join(root, 'build/bin/make_award_seeds'), [seeds]).status === 0, 'make_award_seeds failed');
    }
    return path.join(seeds, 'layout-a.bin');
}

async function biosImages() {
    const seed = seedImage();
    expect(/logo: EPA version 1/.test(cli('bios', 'list', seed)), 'layout-a.bin holds no version-1 logo');
    numbers.replacePage = [];
    for (let i = 0; i < 5; i++) numbers.replacePage.push(await replaceLogo(seed, 'layout-a'));
    numbers.replaceWarm = await warmReplacements(seed);
    numbers.replaceNative = timeNative('bios', 'replace', seed, at('layout-a.epa'), at('layout-a-timed.bin'));
}

async function saveFirstQuestion() {
    await load({ SaveCheck: true });
    await openFile('LadeEpa_Command', sample('kalvero.epa'));
    await paint(0, 0, 4);
    const painted = await canvasImage();
    await page.click('#LadeEpa_Command');
    const chooser = page.waitForFileChooser({ timeout: 5000 });
    await answer('answerNo');
    await (await chooser).cancel();
    await idle();
    expect(await canvasImage() === painted, 'the painted logo is gone');
    expect(await text('EpaNameAnzeige') === 'kalvero.epa', `EpaNameAnzeige: ${await text('EpaNameAnzeige')}`);
    expect(await page.$eval('#SichEpa_Command', (e) => !e.disabled), 'Save EPA is disabled');
    // Exit asks too; Cancel keeps the page and the logo. No ends the editor:
    // a tab the browser keeps open says so until it is started again.
    await page.click('#Ende_Command');
    await answer('answerCancel');
    await idle();
    expect(await canvasImage() === painted, 'Exit answered Cancel lost the logo');
    await page.evaluate(() => { window.close = () => {}; });
    await page.click('#Ende_Command');
    await answer('answerNo');
    await page.waitForSelector('#closed', { visible: true, timeout: 5000 });
    expect(await page.$eval('#Form1', (e) => e.hidden), 'the editor is still there after Exit');
    await Promise.all([page.waitForNavigation(), page.click('#closed button')]);
}

async function language() {
    // The captions of LanguageTexts.cpp, without their "&".
    for (const [flag, caption] of [['American', 'Load EPA'], ['Deutsch', 'EPA Laden'], ['American', 'Load EPA']]) {
        await load();
        await page.click('#' + flag);
        expect(await text('LadeEpa_Command') === caption, `after ${flag}: "${await text('LadeEpa_Command')}"`);
        await load();
        expect(await text('LadeEpa_Command') === caption, `after ${flag} and a reload: "${await text('LadeEpa_Command')}"`);
    }
}

// Drops bytes on the canvas under the name given, as a file dragged there.
async function drop(name, bytes) {
    await page.$eval('#Picture1', (target, name, bytes) => {
        const data = new DataTransfer();
        data.items.add(new File([new Uint8Array(bytes)], name));
        for (const type of ['dragenter', 'dragover', 'drop'])
            target.dispatchEvent(new DragEvent(type, { dataTransfer: data, bubbles: true, cancelable: true }));
    }, name, bytes);
    await idle();
}

// A dropped file is kept under the last part of its name only.
async function dropFile() {
    await load();
    const bytes = [...fs.readFileSync(sample('kalvero.epa'))];
    for (const [name, shown] of [['dropped.epa', 'dropped.epa'], ['../../dev/null', 'null']]) {
        await drop(name, bytes);
        expect(await text('EpaNameAnzeige') === shown, `${name}: EpaNameAnzeige "${await text('EpaNameAnzeige')}"`);
    }
}

// "." and ".." in the save dialog: a notice, and the dialog stays.
async function saveNames() {
    await load();
    await openFile('LadeEpa_Command', sample('kalvero.epa'));
    for (const name of ['.', '..']) {
        await page.click('#EpaToBmp');
        await page.waitForSelector('#saveDialog', { visible: true, timeout: 5000 });
        await page.$eval('#saveName', (e, name) => { e.value = name; }, name);
        await page.click('#saveOk');
        await page.waitForSelector('#messageBox', { visible: true, timeout: 5000 });
        const box = await page.$eval('#messageBox', (e) => e.innerText);
        expect(box.includes('The file name is not valid.'), `save as "${name}": ${box}`);
        await page.click('#answerOk');
        await page.click('#saveCancel');
        await idle();
    }
}

// Tab walks the window's tab order (KeyboardTest's): the palette is one stop.
async function tabOrder() {
    await load();
    await page.focus('#Ende_Command');
    const walked = [];
    for (let i = 0; i < 11; i++) {
        walked.push(await page.evaluate(() => document.activeElement.id));
        await page.keyboard.press('Tab');
    }
    expect(walked.join() === 'Ende_Command,LadeEpa_Command,LadeBmp_Command,Info,Deutsch,American,' +
        'Option1_0,Backup,SaveCheck,ShowRaster,Picture1', `Tab walked ${walked.join(', ')}`);
    // Places as Form1LayoutTest has them, in pixels from the client area;
    // the check box's 13-pixel box in the middle of its 17 rows.
    await page.click('#aboutMenu');
    const places = await page.evaluate(() => Object.fromEntries(
        ['LadeEpa_Command', 'Deutsch', 'Option1_9', 'Koordinaten', 'Backup', 'aboutOk'].map((id) => {
            const box = document.getElementById(id).getBoundingClientRect();
            const client = document.getElementById(id).closest('.client').getBoundingClientRect();
            return [id, [box.left - client.left, box.top - client.top, box.width, box.height].join()];
        })));
    const want = { LadeEpa_Command: '80,352,73,27', Deutsch: '304,352,29,29', Option1_9: '32,296,17,17',
        Koordinaten: '8,184,153,52', Backup: '512,178,13,13', aboutOk: '128,240,65,25' };
    for (const [id, place] of Object.entries(want)) {
        expect(places[id] === place, `${id} stands at ${places[id]}, not ${place}`);
    }
}

async function bootView() {
    await load();
    await openFile('LadeEpa_Command', sample('kalvero.epa'));
    await page.keyboard.press('F5');
    await page.waitForSelector('#bootView', { visible: true, timeout: 5000 });
    const shown = await page.$eval('#bootView canvas', (c) => ({ width: c.width, height: c.height,
        data: [...c.getContext('2d').getImageData(0, 0, c.width, c.height).data] }));
    cli('render', '--boot-screen', sample('kalvero.epa'), at('boot.png'));
    const want = await pngPixels(at('boot.png'));
    expect(shown.width === want.width && shown.height === want.height, `boot view ${shown.width} x ${shown.height}, kalvero-cli ${want.width} x ${want.height}`);
    const got = Buffer.from(shown.data.filter((_, i) => i % 4 !== 3));
    expectSame('boot view pixels (RGB)', got, want.rgb);
    await page.keyboard.press('Escape');
    expect(!(await visible('#bootView')), 'Escape did not close the boot view');
    await page.keyboard.press('F5');
    await page.waitForSelector('#bootView', { visible: true, timeout: 5000 });
    await drop('other.epa', [...fs.readFileSync(sample('kalvero.epa'))]);
    expect(!(await visible('#bootView')), 'a dropped file left the old boot view');
}

async function screenshot() {
    await load();
    await openFile('LadeEpa_Command', sample('kalvero.epa'));
    fs.mkdirSync(path.join(root, 'docs/images'), { recursive: true });
    const window = await page.$('main') ?? await page.$('body');
    await window.screenshot({ path: path.join(root, 'docs/images/web-page.png') });
}

async function timings() {
    // The moment the page's kalveroReady resolves, kept as the page sets it.
    const { identifier } = await page.evaluateOnNewDocument(() => {
        let ready;
        Object.defineProperty(window, 'kalveroReady', { configurable: true, get: () => ready,
            set(promise) { ready = promise; promise.then(() => { window.readyAt = performance.now(); }); } });
    });
    await page.setCacheEnabled(false);
    await page.setBypassServiceWorker(true);
    const ready = [];
    for (let i = 0; i < 3; i++) {
        await page.goto(url, { waitUntil: 'load' });
        ready.push(await page.evaluate(async () => { await window.kalveroReady; return window.readyAt; }));
    }
    await page.setCacheEnabled(true);
    await page.setBypassServiceWorker(false);
    await page.removeScriptToEvaluateOnNewDocument(identifier);
    numbers.ready = ready;
    for (const name of ['kalvero.wasm', 'kalvero.js'])
        numbers[name] = zlib.gzipSync(fs.readFileSync(path.join(root, 'build/web', name)), { level: 9 }).length;
}

// The origin-private file system stands for the user's folder: filled anew
// ([name, bytes]...), listed, or one file read.
const opfs = (op, ...args) => page.evaluate(async (op, args) => {
    const root = await navigator.storage.getDirectory();
    const names = [];
    for await (const name of root.keys()) names.push(name);
    if (op === 'list') return names.sort();
    if (op === 'read') return [...new Uint8Array(await (await (await root.getFileHandle(args[0])).getFile()).arrayBuffer())];
    for (const name of names) await root.removeEntry(name);
    for (const [name, bytes] of args) {
        const writable = await (await root.getFileHandle(name, { create: true })).createWritable();
        await writable.write(new Uint8Array(bytes));
        await writable.close();
    }
}, op, args);
// The pickers hand out the file system's files (the one named by pick()), and
// its folder when given (else the user declines); the launch queue hands one
// file to the page.
const pickers = (given) => page.evaluate((given) => {
    const root = () => navigator.storage.getDirectory();
    window.showOpenFilePicker = async () => [await (await root()).getFileHandle(window.pick)];
    window.showSaveFilePicker = async () => (await root()).getFileHandle(window.pick, { create: true });
    window.showDirectoryPicker = async () => { if (!given) throw new DOMException('declined', 'AbortError'); return root(); };
}, given);
async function pick(name, ...buttons) {
    await page.evaluate((name) => { window.pick = name; }, name);
    for (const button of buttons) await page.click('#' + button);
    await idle();
}
const launch = (name) => page.evaluate(async (name) => {
    window.launch({ files: [await (await navigator.storage.getDirectory()).getFileHandle(name)] });
}, name);

async function installed() {
    await load();
    const session = await page.createCDPSession();
    const { errors } = await session.send('Page.getAppManifest');
    const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
    expect(!errors.length && !installabilityErrors.length, `manifest: ${JSON.stringify([...errors, ...installabilityErrors])}`);
    // The installed page starts with no network and no HTTP cache: only the
    // service worker can serve the page and its module.
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
    await page.setOfflineMode(true);
    await page.setCacheEnabled(false);
    try {
        await paintSaveAndUndo();
    } finally {
        await page.setOfflineMode(false);
        await page.setCacheEnabled(true);
    }
}

async function savedWhereItCame() {
    // Launched with EPA Backup on: the folder asked for once, the lowest free
    // number beside the file, then saved back over it, and to a new file with
    // Browse...; opened again with Load EPA, the next number, without asking.
    const original = fs.readFileSync(sample('kalvero.epa'));
    const painted = setAttribute(original, 5, 3, 12);
    await load({ Backup: true });
    const image = fs.readFileSync(seedImage());
    await opfs('fill', ['logo.epa', [...original]], ['logo.0', [0]], ['logo.2', [2]], ['image.bin', [...image]]);
    await pickers(true);
    await launch('logo.epa');
    await answer('answerYes');
    await idle();
    expect(await text('EpaNameAnzeige') === 'logo.epa', `EpaNameAnzeige: ${await text('EpaNameAnzeige')}`);
    await paint(5, 3, 12);
    await saveAs('logo.epa', 1, { proposed: 'logo.epa', replace: true });
    await paint(6, 3, 12);
    await pick('copy.epa', 'SichEpa_Command', 'saveBrowse');
    await pick('logo.epa', 'LadeEpa_Command');
    // A backup that cannot be written refuses the logo, as in the window.
    await page.evaluate(() => {
        const real = window.realGet = FileSystemDirectoryHandle.prototype.getFileHandle;
        FileSystemDirectoryHandle.prototype.getFileHandle = function (name, options) {
            return options?.create ? Promise.reject(new DOMException('full', 'QuotaExceededError')) : real.call(this, name, options);
        };
    });
    await pick('logo.epa', 'LadeEpa_Command');
    await page.evaluate(() => { FileSystemDirectoryHandle.prototype.getFileHandle = window.realGet; });
    expect(/No backup copy of logo\.epa[^]*no room left/.test(notices.at(-1)), `notices: ${notices.join(' | ')}`);
    const copy = setAttribute(painted, 6, 3, 12);
    for (const [name, want] of [['logo.1', original], ['logo.epa', painted], ['copy.epa', copy], ['logo.3', painted]])
        expectSame(name, Buffer.from(await opfs('read', name)), want);
    expect(!downloaded.length, `downloaded ${downloaded.map((file) => file.name)}`);
    // Declined, the user is told once, not again when the file is opened
    // again; the file is saved as a download, and nothing is written beside it.
    await load({ Backup: true });
    await pickers(false);
    notices.length = 0;
    await launch('logo.epa');
    await answer('answerYes');
    await idle();
    await paint(0, 0, 4);
    expectSame('declined', await save('logo.epa', 1, { replace: true }), setAttribute(painted, 0, 0, 4));
    await launch('logo.epa');
    await idle();
    expect(notices.length === 1, `notices: ${notices.join(' | ')}`);
    // The opened BIOS image chosen with Browse... for its new image: refused,
    // also where no folder was given.
    await launch('image.bin');
    await idle();
    await pick('image.bin', 'SichEpa_Command', 'saveBrowse');
    expect(/image\.bin/.test(notices.at(-1)), `notices: ${notices.join(' | ')}`);
    expectSame('image.bin kept', Buffer.from(await opfs('read', 'image.bin')), image);
    expect((await opfs('list')).join() === 'copy.epa,image.bin,logo.0,logo.1,logo.2,logo.3,logo.epa', `files: ${await opfs('list')}`);
    expectSame('logo.epa kept', Buffer.from(await opfs('read', 'logo.epa')), painted);
}

const cases = [
    ['a: installable, and offline: paint a cell, Save EPA, undo and redo, EPAtoBMP', installed],
    ['d: a BIOS image with a new logo, as kalvero-cli bios replace makes it', biosImages],
    ['e: a PNG picture made into an EPA file', picture],
    ['f: the save-first questions of Load EPA (No) and Exit (Cancel) keep the logo; Exit (No) ends the editor', saveFirstQuestion],
    ['g: the language and its caption, kept over a reload', language],
    ['h: an EPA file dropped on the page, named by the last part of its name', dropFile],
    ['m: "." and ".." in the save dialog', saveNames],
    ['i: the boot view as kalvero-cli render --boot-screen draws it', bootView],
    ['n: Tab walks the window\'s tab order, the palette one stop; the controls stand where the Qt windows have them', tabOrder],
    ['j: a screenshot for the README', screenshot],
    ['k: timings', timings],
    ['o: a launched or opened file saved back, with the numbered backups beside it; declined, downloaded', savedWhereItCame],
];
const only = process.argv[2];
let passed = 0, failed = 0;
for (const [name, run] of cases) {
    if (only && !name.startsWith(only)) continue;
    consoleErrors.length = 0;
    try {
        await run();
        passed++;
        console.log(`ok      ${name}`);
    } catch (error) {
        failed++;
        console.log(`FAILED  ${name}\n        ${error.message}` +
            (consoleErrors.length ? `\n        console: ${consoleErrors.join(' | ')}` : ''));
        await page.screenshot({ path: path.join(testDir, `failed-${name[0]}.png`) }).catch(() => {});
    }
}

// Median (lowest to highest) of the runs; sizes in KiB.
const ms = (runs, digits) => {
    const sorted = [...runs].sort((a, b) => a - b), f = (n) => n.toFixed(digits);
    return `median ${f(sorted[sorted.length >> 1])} ms (${f(sorted[0])} to ${f(sorted.at(-1))}, ${runs.length} runs)`;
};
const kib = (n) => `${(n / 1024).toFixed(1)} KiB`;
const table = [
    ['navigation start to kalveroReady, no HTTP cache', numbers.ready?.length && ms(numbers.ready, 0)],
    ['logo replacement in the page: Save EPA of layout-a.bin, from the save dialog\'s OK to the notice, the first after loading', numbers.replacePage?.length && ms(numbers.replacePage, 1)],
    ['the same, the 6th to 10th save in one visit', numbers.replaceWarm?.length && ms(numbers.replaceWarm, 1)],
    ['kalvero-cli bios replace of the same image and logo, whole process', numbers.replaceNative?.length && ms(numbers.replaceNative, 1)],
    ['kalvero.wasm gzipped (-9)', numbers['kalvero.wasm'] && kib(numbers['kalvero.wasm'])],
    ['kalvero.js gzipped (-9)', numbers['kalvero.js'] && kib(numbers['kalvero.js'])],
].filter(([, value]) => value).map(([what, value]) => `| ${what} | ${value} |`).join('\n');
if (table) {
    console.log(`\n| what | measured |\n|---|---|\n${table}\n`);
    fs.writeFileSync(path.join(testDir, 'numbers.txt'), `| what | measured |\n|---|---|\n${table}\n`);
}
console.log(`${passed} passed, ${failed} failed`);
await browser.close();
server.kill();
fs.rmSync(tmp, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
