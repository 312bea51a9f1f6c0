// The station's web page in a real browser (Debian's chromium driven by playwright-core)
// against the demo station: sign-in, live receptions, replies, calls, the map's tiles,
// accessibility (axe-core) in light, dark, narrow and zoomed, two pages in step, and the
// station's restart.
//
//   node tests/web/page.test.mjs PROGRAM SHOTS_FOLDER
//
// PROGRAM is tamsel-demo (run with --station); exits 77 when the npm packages are missing.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

let chromium;
let axeSource;
try {
  ({ chromium } = await import('playwright-core'));
  ({ default: { source: axeSource } } = await import('axe-core'));
} catch {
  console.log('SKIP: npm packages missing (scripts/install-deps runs npm ci)');
  process.exit(77);
}

const program = process.argv[2];
const shots = process.argv[3] || path.join(os.tmpdir(), 'web-shots');
assert.ok(program && fs.existsSync(program), `no program to test: ${program}`);
fs.mkdirSync(shots, { recursive: true });

const PASSWORD = 'correct horse 73';
const home = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-web-'));
const env = {
  ...process.env,
  HOME: home,
  XDG_CONFIG_HOME: path.join(home, 'config'),
  XDG_DATA_HOME: path.join(home, 'data'),
  XDG_STATE_HOME: path.join(home, 'state'),
  XDG_CACHE_HOME: path.join(home, 'cache'),
  LANG: 'C.UTF-8',
  LANGUAGE: '',
};

// ---- The station ---------------------------------------------------------------------
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

function run(args, input) {
  return new Promise((resolve, reject) => {
    const child = spawn(program, args, { env, stdio: ['pipe', 'pipe', 'pipe'] });
    let output = '';
    child.stdout.on('data', (d) => (output += d));
    child.stderr.on('data', (d) => (output += d));
    child.on('error', reject);
    child.on('exit', (code) => resolve({ code, output }));
    child.stdin.end(input);
  });
}

function connects(port) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    socket.once('connect', () => {
      socket.destroy();
      resolve(true);
    });
    socket.once('error', () => resolve(false));
  });
}

// Polls until check() gives something true; fails with what it waited for.
async function until(check, what, ms = 10000) {
  const end = Date.now() + ms;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (Date.now() > end) assert.fail(`waited ${ms} ms for ${what}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

let port;
let station = null;
let stationLog = '';
const stationFaults = [];

async function startStation() {
  stationLog = '';
  const child = spawn(program, ['--station', '--listen', `127.0.0.1:${port}`], {
    env,
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  child.stdout.on('data', (d) => (stationLog += d));
  child.stderr.on('data', (d) => { stationLog += d; if (process.env.SHOW_STATION) process.stderr.write(d); });
  const exited = new Promise((resolve) => child.once('exit', (code, signal) => resolve({ code, signal })));
  child.exited = exited;
  let gone = null;
  exited.then((e) => {
    gone = e;
    // Only stopStation() ends it; anything else is a fault of the station, told with its log.
    if (station === child) {
      stationFaults.push(`the station ended by itself (${JSON.stringify(e)}): ${stationLog.slice(-2000)}`);
    }
  });
  station = child;
  await until(async () => {
    if (gone) assert.fail(`the station ended (${JSON.stringify(gone)}): ${stationLog}`);
    return connects(port);
  }, `the station to listen on ${port}`, 30000);
}

async function stopStation() {
  if (!station) return null;
  const child = station;
  station = null;
  child.kill('SIGTERM');
  return child.exited;
}

// ---- The browser -----------------------------------------------------------------------
let browser;
let context;
let page;
const strayRequests = [];
const pageProblems = [];
const tileAnswers = [];

async function newContext(options = {}) {
  const ctx = await browser.newContext({ viewport: { width: 1280, height: 900 }, ...options });
  // A step that fails early (sign-in) should not hold every later one for long.
  ctx.setDefaultTimeout(15000);
  // Nothing may leave the station: every other host is refused and remembered.
  await ctx.route('**/*', (route) => {
    const url = new URL(route.request().url());
    if (url.hostname === '127.0.0.1' && url.port === String(port)) return route.continue();
    strayRequests.push(url.href);
    return route.abort();
  });
  ctx.on('page', watchPage);
  return ctx;
}

function watchPage(p) {
  p.on('pageerror', (e) => pageProblems.push(`script error: ${e.message}`));
  p.on('console', (m) => {
    if (/Content Security Policy|Refused to/.test(m.text())) pageProblems.push(m.text());
  });
  p.on('response', (r) => {
    if (new URL(r.url()).pathname.startsWith('/tiles/')) {
      tileAnswers.push({ url: r.url(), status: r.status(), type: r.headers()['content-type'] });
    }
  });
}

const base = () => `http://127.0.0.1:${port}/`;

async function api(p, what) {
  const answer = await p.request.get(`${base()}api/${what}`);
  assert.equal(answer.status(), 200, `GET /api/${what}`);
  return answer.json();
}

async function textsOf(p) {
  return (await api(p, 'texts')).texts;
}

// The rows in the page are the station's, in its order (newest first).
async function sameOrder(p) {
  const { heard } = await api(p, 'state');
  const calls = await p.$$eval('#heard-body tr', (rows) => rows.map((r) => r.dataset.call));
  return JSON.stringify(calls) === JSON.stringify(heard.map((r) => r.call));
}

// The answer to the page's next intent of this kind.
function intentAnswer(p, kind) {
  return p.waitForResponse((r) => r.url().endsWith('/api/do')
    && JSON.parse(r.request().postData() || '{}').do === kind);
}

const held = (value) => (value || '').replace(/ +$/, '');

async function signedInPage(ctx) {
  const p = await ctx.newPage();
  await p.goto(base());
  await p.waitForSelector('#app:not([hidden])');
  await p.waitForSelector('#heard-body tr');
  return p;
}

// ---- The tests -------------------------------------------------------------------------
describe('the station page', { timeout: 280000 }, () => {
  before(async () => {
    const set = await run(['--station', '--set-password'], `${PASSWORD}\n${PASSWORD}\n`);
    assert.equal(set.code, 0, `--set-password: ${set.output}`);
    port = await freePort();
    await startStation();
    browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true });
    context = await newContext();
  });

  after(async () => {
    await browser?.close();
    await stopStation();
    fs.rmSync(home, { recursive: true, force: true });
  });

  it('asks for the password, refuses a wrong one and lets the right one in', async () => {
    page = await context.newPage();
    await page.goto(base());
    await page.waitForSelector('#signin:not([hidden])');
    assert.equal(await page.isHidden('#app'), true, 'the station shows nothing before sign-in');
    const unauthorised = await page.request.get(`${base()}api/state`);
    assert.equal(unauthorised.status(), 401);

    // A German browser before sign-in: the lang attribute is the language of the words shown.
    const german = await newContext({ locale: 'de-DE' });
    const greeted = await german.newPage();
    await greeted.goto(base());
    await greeted.waitForSelector('#signin:not([hidden])');
    const lang = await greeted.getAttribute('html', 'lang');
    const heading = await greeted.textContent('#signin-h');
    assert.equal(heading === 'Sign in', lang === 'en', `lang="${lang}" over "${heading}"`);
    await german.close();

    await page.fill('#password', 'wrong password');
    const refused = page.waitForResponse((r) => r.url().endsWith('/api/signin'));
    await page.press('#password', 'Enter');
    const refusal = await (await refused).json();
    assert.equal((await refused).status(), 401);
    await until(async () => (await page.textContent('#signin-error')) === refusal.error,
      'the refusal under the password');
    assert.ok(refusal.error.length > 0);

    // Right after a wrong one the station may make the next attempt wait: the page counts
    // down on its button and takes the password again once it may.
    await page.fill('#password', PASSWORD);
    const second = page.waitForResponse((r) => r.url().endsWith('/api/signin'));
    await page.press('#password', 'Enter');
    if ((await second).status() === 429) {
      const wait = await (await second).json();
      assert.ok(wait.retryAfter > 0, JSON.stringify(wait));
      await until(async () => (await page.textContent('#signin-error')) === wait.error,
        'the wait under the password');
      assert.equal(await page.isDisabled('#signin-button'), true);
      await page.waitForSelector('#signin-button:not([disabled])',
        { timeout: (wait.retryAfter + 5) * 1000 });
      await page.press('#password', 'Enter');
    } else {
      assert.equal((await second).status(), 200);
    }
    await page.waitForSelector('#app:not([hidden])');
    assert.equal(await page.isVisible('#nav'), true);
    assert.equal(await page.isVisible('#signout'), true);
  });

  it('works by keyboard from the top: the skip link comes first', async () => {
    await page.reload();
    await page.waitForSelector('#app:not([hidden])');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.className), 'skip');
    await page.keyboard.press('Enter');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'main');
  });

  it('shows a reception live in Now and Heard Stations, and says it politely', async () => {
    const first = await page.locator('#heard-body tr').count();
    // A reception that arrives while the page is open, without reloading.
    await page.waitForFunction((n) => document.querySelectorAll('#heard-body tr').length > n
      || document.querySelector('#now-phase.receiving'), first, { timeout: 30000 });
    // A further reception may start meanwhile: the page and the station agree in the end.
    const sentence = (now) => {
      const caller = now.suffix.trim() ? `${now.caller} /${now.suffix.trim()}` : now.caller;
      return `${caller} calling ${now.called.trim()}`;
    };
    await until(async () => {
      const { now } = await api(page, 'state');
      return now && (await page.textContent('#now-said')) === sentence(now)
        && (await page.getAttribute('#now-time', 'datetime')) === now.time;
    }, 'the sentence and time in Now to be the station reception');
    assert.equal(await page.getAttribute('#now-said', 'aria-live'), 'polite');
    assert.equal(await page.locator('[aria-live="assertive"], [role="alert"]').count(), 0);
    await until(async () => sameOrder(page), 'a row per station, newest first');
  });

  it('makes a call from the Call items, and shows a refusal in the station words', async () => {
    const cq = intentAnswer(page, 'call');
    await page.click('#call-items [data-item="gatewayCq"]');
    assert.equal((await (await cq).json()).ok, true);
    await until(async () => held(await page.inputValue('#f-stationCall')) === 'CQCQCQ',
      'Station Call to show CQCQCQ');

    // Link Reflector asks for the reflector and its module; a digit is no module.
    await page.click('#link-open');
    assert.equal(await page.getAttribute('#link-open', 'aria-expanded'), 'true');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'link-reflector');
    await page.keyboard.type('ref030');
    assert.equal(await page.inputValue('#link-reflector'), 'REF030');
    await page.fill('#link-module', '1');
    const answered = intentAnswer(page, 'link');
    await page.press('#link-module', 'Enter');
    const answer = await (await answered).json();
    assert.equal((await answered).request().postDataJSON().reflector, 'REF030 1');
    assert.equal(answer.ok, false, JSON.stringify(answer));
    assert.ok(answer.refusal.length > 0);
    await until(async () => (await page.textContent('#status')) === answer.refusal,
      'the refusal in the status line');
    assert.equal(await page.isVisible('#link-form'), true, 'the form stays to be put right');
    await page.click('#link-cancel');
    assert.equal(await page.isHidden('#link-form'), true);

    // The directory's search, and one of its repeaters as My Repeater.
    const searched = page.waitForResponse((r) => r.url().includes('/api/repeaters?q='));
    await page.fill('#directory-query', 'Yokohama');
    await page.press('#directory-query', 'Enter');
    const { rows } = await (await searched).json();
    const wanted = rows.find((r) => r.call);
    assert.ok(wanted, 'the demo directory has Yokohama');
    const use = page.locator('#directory-results li', { hasText: 'Yokohama' }).locator('button');
    const used = intentAnswer(page, 'useRepeater');
    await use.first().click();
    assert.equal((await (await used).json()).ok, true);
    await until(async () => (await page.inputValue('#f-repeater1')) === held(wanted.call),
      `Repeater 1 to show ${wanted.call}`);
  });

  it('explains a refused field beside it and shows again what the adapter holds', async () => {
    const before = held((await api(page, 'state')).header.sendMessage);
    await page.fill('#f-sendMessage', 'こんにちは');
    const refused = intentAnswer(page, 'setField');
    await page.press('#f-sendMessage', 'Enter');
    const answer = await (await refused).json();
    assert.equal(answer.ok, false, JSON.stringify(answer));
    assert.equal(await page.textContent('#e-sendMessage'), answer.refusal);
    assert.equal(await page.getAttribute('#f-sendMessage', 'aria-describedby'), 'e-sendMessage');
    assert.equal(await page.getAttribute('#f-sendMessage', 'aria-invalid'), 'true');
    assert.equal(await page.inputValue('#f-sendMessage'), before);
    await until(async () => (await page.textContent('#status')) === answer.refusal,
      'the refusal in the status line');

    // Typed lower case, a callsign field shows and sends upper case; leaving it sends it.
    await page.fill('#f-stationCall', '');
    await page.type('#f-stationCall', 'ja1abc');
    assert.equal(await page.inputValue('#f-stationCall'), 'JA1ABC');
    const taken = intentAnswer(page, 'setField');
    await page.keyboard.press('Tab');
    assert.equal((await taken).request().postDataJSON().value, 'JA1ABC');
    assert.equal((await (await taken).json()).ok, true);
    await until(async () => held((await api(page, 'state')).header.stationCall) === 'JA1ABC',
      'the adapter to hold JA1ABC');

    await page.fill('#f-sendMessage', 'Hello');
    const fine = intentAnswer(page, 'setField');
    await page.press('#f-sendMessage', 'Enter');
    assert.equal((await (await fine).json()).ok, true);
    assert.equal(await page.textContent('#e-sendMessage'), '');
    assert.equal(await page.getAttribute('#f-sendMessage', 'aria-invalid'), null);
  });

  it('sorts Heard Stations by a column: ascending, descending, then newest first', async () => {
    await page.waitForFunction(() => document.querySelectorAll('#heard-body tr').length >= 2,
      null, { timeout: 40000 });
    const { columns } = await api(page, 'texts');
    const titles = await page.$$eval('#heard-head th button', (b) => b.map((x) => x.textContent));
    assert.deepEqual(titles, columns.map((c) => c.title));
    const numeric = columns.findIndex((c) => c.numeric);
    assert.ok(numeric >= 0, 'a numeric column');
    const head = page.locator('#heard-head th').nth(numeric);
    const keys = () => page.evaluate(async (i) => {
      const answer = await fetch('/api/state');
      const state = await answer.json();
      const byCall = new Map(state.heard.map((r) => [r.call, r.keys[i]]));
      return [...document.querySelectorAll('#heard-body tr')].map((r) => byCall.get(r.dataset.call));
    }, numeric);
    const ordered = (list, sign) => {
      const known = list.filter((k) => k !== null && k !== undefined);
      const blanks = list.slice(known.length);
      return blanks.every((k) => k === null || k === undefined)
        && known.every((k, i) => i === 0 || sign * (k - known[i - 1]) >= 0);
    };
    await head.locator('button').click();
    assert.equal(await head.getAttribute('aria-sort'), 'ascending');
    await until(async () => ordered(await keys(), 1), 'ascending, blanks last');
    await head.locator('button').click();
    assert.equal(await head.getAttribute('aria-sort'), 'descending');
    await until(async () => ordered(await keys(), -1), 'descending, blanks last');
    await head.locator('button').click();
    assert.equal(await head.getAttribute('aria-sort'), null);
    await until(async () => sameOrder(page), 'newest first again');
  });

  it('loads the map tiles from the station alone', async () => {
    await page.locator('#map').scrollIntoViewIfNeeded();
    await page.waitForFunction(() => {
      const tiles = [...document.querySelectorAll('#map img.leaflet-tile')];
      return tiles.length > 0 && tiles.every((img) => img.complete && img.naturalWidth === 256);
    }, null, { timeout: 20000 });
    assert.ok(tileAnswers.length > 0, 'tiles were asked for');
    for (const tile of tileAnswers) {
      assert.equal(tile.status, 200, tile.url);
      assert.equal(tile.type, 'image/png', tile.url);
    }
    assert.deepEqual(strayRequests, []);

    // Tab goes through the map's own stops and on out of it.
    await page.focus('#map');
    const stops = await page.$$eval('#map [tabindex="0"], #map a[href]', (l) => l.length);
    for (let i = 0; i <= stops; ++i) await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => !!document.activeElement.closest('#map')), false,
      'the map lets Tab go on');
  });

  it('keeps two pages in step', async () => {
    const other = await signedInPage(context);
    // What the operator is typing in one page is not overwritten by news from the other.
    const typedFrom = await other.inputValue('#f-stationCall');
    await other.focus('#f-stationCall');
    await other.keyboard.press('End');
    await other.keyboard.type('Z');
    const message = `step ${Date.now() % 100000}`;
    await page.fill('#f-sendMessage', message);
    const answered = intentAnswer(page, 'setField');
    await page.press('#f-sendMessage', 'Enter');
    assert.equal((await (await answered).json()).ok, true);
    await other.waitForFunction((m) => document.querySelector('#f-sendMessage').value === m,
      message, { timeout: 1000 });
    assert.equal(await other.inputValue('#f-stationCall'), `${typedFrom}Z`);
    await other.fill('#f-stationCall', typedFrom); // as it was: nothing to send

    const before = await page.isChecked('#g-break');
    const flagged = intentAnswer(other, 'setFlag');
    await other.click('#g-break');
    assert.equal((await (await flagged).json()).ok, true);
    await page.waitForFunction((b) => document.querySelector('#g-break').checked === b,
      !before, { timeout: 1000 });
    await other.close();
  });

  it('has no accessibility violations in light, dark, 360 px and at 200 %', async () => {
    const storageState = await context.storageState();
    const looks = [
      ['light', { viewport: { width: 1280, height: 900 } }],
      ['dark', { viewport: { width: 1280, height: 900 }, colorScheme: 'dark' }],
      ['360px', { viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true }],
      // 1280 pixels at 200 %: the page lays out in 640 CSS pixels, drawn twice as large.
      ['200percent', { viewport: { width: 640, height: 450 }, deviceScaleFactor: 2 }],
    ];
    for (const [name, options] of looks) {
      // The station forbids inline scripts; axe goes in as one, so only these pages let it.
      const ctx = await newContext({ ...options, storageState, bypassCSP: true });
      const p = await signedInPage(ctx);
      await p.waitForSelector('#map img.leaflet-tile');
      const dark = await p.$$eval('#map img.leaflet-tile', (l) => l.map((i) => i.src.endsWith('?dark=1')));
      assert.ok(dark.every((d) => d === (name === 'dark')), `${name}: the tiles of its colours`);
      await p.addScriptTag({ content: axeSource });
      const result = await p.evaluate(() => window.axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] },
      }));
      const found = result.violations.map((v) =>
        `${v.id}: ${v.help} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
      assert.deepEqual(found, [], `${name}: axe`);
      assert.ok(result.passes.length > 10, `${name}: axe ran its rules`);
      const overflow = await p.evaluate(() =>
        document.documentElement.scrollWidth - document.documentElement.clientWidth);
      assert.ok(overflow <= 0, `${name}: the page scrolls sideways by ${overflow} px`);
      await p.screenshot({ path: path.join(shots, `${name}.png`), fullPage: true });
      await ctx.close();
    }
  });

  it('replies to a heard station from its row, and the adapter takes the caller', async () => {
    // A gateway CQ is answered with a gateway CQ; a station that called someone else (the
    // demo calls your own call now and then) is answered with its own callsign.
    const { columns } = await api(page, 'texts');
    const called = columns.findIndex((c) => c.title === 'Called');
    assert.ok(called >= 0, 'a Called column');
    const call = await until(async () => {
      const { heard } = await api(page, 'state');
      return heard.find((r) => r.cells[called].trim() && r.cells[called].trim() !== 'CQCQCQ')?.call;
    }, 'a station that called someone other than CQCQCQ', 150000);
    const row = page.locator(`#heard-body tr[data-call="${call}"]`);
    const answered = intentAnswer(page, 'replyTo');
    await row.focus();
    await page.keyboard.press('Enter');
    const answer = await (await answered).json();
    assert.equal(answer.ok, true, JSON.stringify(answer));
    await until(async () => held(await page.inputValue('#f-stationCall')) === call,
      `Station Call to show ${call}`);
    const { header } = await api(page, 'state');
    assert.equal(held(header.stationCall), call);
    assert.equal(held(await page.textContent('#holds dd')), call, 'what the adapter holds');
    const shown = answer.done || (await textsOf(page))['Done.'] || 'Done.';
    await until(async () => (await page.textContent('#status')) === shown,
      'the answer in the status line');
  });

  it('switches the language, texts and lang attribute together', async () => {
    const english = await page.textContent('#adapter-state');
    assert.ok(english.length > 0, 'the adapter state is shown');
    const untranslated = [];
    for (const lang of ['de', 'ja', 'en']) {
      await page.click(`#languages button[lang="${lang}"]`);
      await page.waitForFunction((l) => document.documentElement.lang === l, lang);
      const texts = await textsOf(page);
      const heading = texts['Heard Stations'] || 'Heard Stations';
      await until(async () => (await page.textContent('#heard-h')) === heading,
        `the heading in ${lang}`);
      if (lang !== 'en') assert.notEqual(heading, 'Heard Stations', `a ${lang} translation`);
      // The station's own words (route names, the adapter's state) follow too.
      await until(async () => {
        const { now } = await api(page, 'state');
        return (await page.textContent('#now-route')) === now.route;
      }, `the route name in ${lang}`);
      if (lang !== 'en') {
        await page.evaluate(() => window.scrollTo(0, 0));
        await page.screenshot({ path: path.join(shots, `${lang}.png`), fullPage: true });
      }
      // Told after every language is seen (and its screenshot taken).
      await until(async () => ((await page.textContent('#adapter-state')) === english) === (lang === 'en'),
        `the adapter state in ${lang}`).catch((e) => untranslated.push(e.message));
      assert.equal(await page.getAttribute(`#languages button[lang="${lang}"]`, 'aria-pressed'),
        'true');
    }
    assert.deepEqual(untranslated, []);
  });

  it('survives the station restart: the banner shows, goes, and the state returns', async () => {
    const lost = (await textsOf(page))['Connection lost: reconnecting...']
      || 'Connection lost: reconnecting...';
    const ended = await stopStation();
    assert.equal(ended.code, 0, `the station ends cleanly on SIGTERM: ${JSON.stringify(ended)}`);
    await until(async () => (await page.textContent('#connection')) === lost,
      'the connection banner');
    assert.equal(await page.getAttribute('#connection', 'aria-live'), 'polite');
    assert.equal(await page.isVisible('#connection'), true);

    await startStation();
    await until(async () => (await page.textContent('#connection')) === '', 'the banner to go',
      30000);
    const { header } = await api(page, 'state');
    await until(async () => held(await page.inputValue('#f-sendMessage')) === held(header.sendMessage),
      'the state after the restart');
    assert.equal(held(await page.inputValue('#f-stationCall')), held(header.stationCall));
  });

  it('signs out to the sign-in view', async () => {
    await page.click('#signout');
    await page.waitForSelector('#signin:not([hidden])');
    assert.equal(await page.isHidden('#app'), true);
    const answer = await page.request.get(`${base()}api/state`);
    assert.equal(answer.status(), 401);
  });

  it('made no request elsewhere and broke no rule of the page', () => {
    assert.deepEqual(stationFaults, []);
    assert.deepEqual(strayRequests, []);
    assert.deepEqual(pageProblems, []);
  });
});
