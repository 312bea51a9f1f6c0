// The station's page: sign-in, live reception, heard stations, map, calls and the adapter's
// header, all through the station's own JSON and one WebSocket.

const $ = (id) => document.getElementById(id);

const FIELDS = ['stationCall', 'repeater1', 'repeater2', 'myCall', 'myCallSuffix', 'sendMessage'];
const FIELD_NAMES = {
  stationCall: 'Station Call',
  repeater1: 'Repeater 1',
  repeater2: 'Repeater 2',
  myCall: 'My Call',
  myCallSuffix: 'My Call suffix',
  sendMessage: 'Send Message',
};
const FLAGS = ['repeater', 'break', 'emr'];
const FLAG_NAMES = { repeater: 'Repeater', break: 'Break', emr: 'EMR' };

const session = { csrf: '', lang: 'en', languages: [], signedIn: false };
let texts = {};
let textsLang = 'en'; // the language of the texts at hand (English until the station gives others)
let columns = [];

// ---- Texts: looked up by their English source, English when the station has none -------
function t(source, ...args) {
  const text = texts[source] || source;
  return text.replace(/%(\d)/g, (whole, n) => (args[n - 1] !== undefined ? String(args[n - 1]) : whole));
}

function applyTexts() {
  document.documentElement.lang = textsLang;
  for (const el of document.querySelectorAll('[data-t]')) {
    el.textContent = t(el.dataset.t);
  }
  buildHeardHead();
  renderHeard();
  renderNow(false);
  renderHolds();
  renderLanguages();
  renderDirectory();
  if (map) map.retitle();
}

function takeTexts(body) {
  texts = body.texts || {};
  columns = body.columns || [];
  if (body.lang) session.lang = textsLang = body.lang;
}

async function loadTexts() {
  try {
    const answer = await fetch('/api/texts', { credentials: 'same-origin' });
    if (answer.ok) takeTexts(await answer.json());
  } catch {
    // English stays.
  }
}

// The station may send the session and texts with the page itself, in a data block.
function bootData() {
  try {
    return JSON.parse($('tamsel-boot')?.textContent || 'null');
  } catch {
    return null;
  }
}

// ---- Talking to the station ----------------------------------------------------------
// Live regions read out a change: the same words again are still news, so the region is
// emptied first and filled a moment later (a timer, which a page in the background runs too).
function speak(element, text) {
  element.textContent = '';
  setTimeout(() => {
    element.textContent = text;
  }, 100);
}

function say(text) {
  speak($('status'), text);
}

async function post(path, body, form = false) {
  const headers = { 'X-CSRF-Token': session.csrf };
  headers['Content-Type'] = form ? 'application/x-www-form-urlencoded' : 'application/json';
  return fetch(path, {
    method: 'POST',
    credentials: 'same-origin',
    headers,
    body: form ? new URLSearchParams(body).toString() : JSON.stringify(body),
  });
}

// An intent: answers {ok, done} or {ok:false, refusal}; null when it could not be asked.
async function act(intent) {
  let answer;
  try {
    answer = await post('/api/do', intent);
    if (answer.status === 403) {
      // A token from before the station's restart: take the current one and ask once more.
      await readSession();
      answer = await post('/api/do', intent);
    }
  } catch {
    say(t('The station does not answer.'));
    return null;
  }
  if (answer.status === 401) {
    showSignIn();
    return null;
  }
  let body = {};
  try {
    body = await answer.json();
  } catch {
    body = {};
  }
  if (!answer.ok) {
    say(body.error || t('The station does not answer.'));
    return null;
  }
  say(body.ok ? body.done || t('Done.') : body.refusal || '');
  return body;
}

// ---- Session and sign-in -------------------------------------------------------------
async function readSession() {
  const answer = await fetch('/api/session', { credentials: 'same-origin' });
  return takeSession(await answer.json());
}

function takeSession(body) {
  Object.assign(session, {
    csrf: body.csrf || '',
    lang: body.lang || 'en',
    languages: body.languages || [],
    signedIn: !!body.signedIn,
    passwordSet: !!body.passwordSet,
  });
  $('version').textContent = body.version ? `${t('Tamsel Console')} ${body.version}` : '';
  return session;
}

function showSignIn() {
  live.stop();
  session.signedIn = false;
  $('app').hidden = true;
  $('nav').hidden = true;
  $('signout').hidden = true;
  $('languages').hidden = true;
  $('signin').hidden = false;
  $('connection').textContent = '';
  $('password').focus();
}

async function showApp(textsKnown = false) {
  $('signin').hidden = true;
  $('app').hidden = false;
  $('nav').hidden = false;
  $('signout').hidden = !session.passwordSet;
  $('languages').hidden = false;
  if (!textsKnown) await loadTexts();
  applyTexts();
  map.show();
  live.start();
}

let retryTimer = null;
async function signIn(event) {
  event.preventDefault();
  const error = $('signin-error');
  error.textContent = '';
  let answer;
  try {
    answer = await post('/api/signin', { password: $('password').value }, true);
  } catch {
    error.textContent = t('The station does not answer.');
    return;
  }
  const body = await answer.json().catch(() => ({}));
  if (answer.ok) {
    $('password').value = '';
    session.csrf = body.csrf || '';
    session.signedIn = true;
    await readSession();
    await showApp();
    $('main').focus();
    return;
  }
  error.textContent = body.error || t('The station does not answer.');
  if (answer.status === 429 && body.retryAfter > 0) {
    countDown(Math.ceil(body.retryAfter));
  }
}

// Wrong passwords lock the form for a while; the button says how long.
function countDown(seconds) {
  const button = $('signin-button');
  clearInterval(retryTimer);
  let left = seconds;
  const tick = () => {
    if (left <= 0) {
      clearInterval(retryTimer);
      button.disabled = false;
      button.textContent = t('Sign in');
      return;
    }
    button.disabled = true;
    button.textContent = t('Try again in %1 s', left);
    left -= 1;
  };
  tick();
  retryTimer = setInterval(tick, 1000);
}

async function signOut() {
  try {
    await post('/api/signout', {});
  } catch {
    // Signed out here all the same.
  }
  session.csrf = '';
  showSignIn();
}

function renderLanguages() {
  const group = $('languages');
  for (const old of group.querySelectorAll('button')) old.remove();
  for (const language of session.languages) {
    const button = document.createElement('button');
    button.type = 'button';
    button.lang = language.code;
    button.textContent = language.name;
    button.setAttribute('aria-pressed', String(language.code === session.lang));
    button.addEventListener('click', () => chooseLanguage(language.code));
    group.append(button);
  }
}

async function chooseLanguage(code) {
  try {
    const answer = await post('/api/language', { lang: code }, true);
    if (!answer.ok) return;
  } catch {
    say(t('The station does not answer.'));
    return;
  }
  session.lang = code;
  await loadTexts();
  applyTexts();
  $('status').textContent = '';
  // The station words its live messages (routes, the adapter's state) in the language the
  // connection was opened in: a new one brings them in this one.
  live.restart();
  const pressed = $('languages').querySelector(`button[lang="${code}"]`);
  if (pressed) pressed.focus();
}

// ---- State ---------------------------------------------------------------------------
const state = { adapter: null, header: null, limits: {}, now: null, heard: [], own: null, gate: null };

function applyState(snapshot) {
  state.adapter = snapshot.adapter || null;
  state.header = snapshot.header || null;
  state.limits = snapshot.limits || {};
  state.heard = snapshot.heard || [];
  state.own = snapshot.own || null;
  state.gate = snapshot.gated || null;
  renderGate();
  const before = state.now;
  state.now = snapshot.now || null;
  renderAdapter();
  renderHeader();
  renderNow(isNewReception(before, state.now));
  renderHeard();
  map.stations();
}

function isNewReception(before, now) {
  if (!now) return false;
  return !before || before.time !== now.time || before.caller !== now.caller;
}

function applyReception(message) {
  const before = state.now;
  state.now = message.now || null;
  if (message.row) {
    state.heard = [message.row, ...state.heard.filter((r) => r.call !== message.row.call)];
  }
  renderNow(isNewReception(before, state.now));
  // Now first: the table and the map follow in a task of their own, once for a burst.
  if (!laterPending) {
    laterPending = true;
    setTimeout(() => {
      laterPending = false;
      renderHeard();
      map.stations();
    }, 0);
  }
}
let laterPending = false;

// A station's row changed in place (a position of it gated): it keeps its place.
function applyRow(row) {
  if (!row) return;
  state.heard = state.heard.map((r) => (r.call === row.call ? row : r));
  if (!rowPending) {
    rowPending = true;
    setTimeout(() => {
      rowPending = false;
      renderHeard();
    }, 0);
  }
}
let rowPending = false;

// The gate to APRS-IS: its one line while on, nothing while off.
function renderGate() {
  const line = $('gate-state');
  line.textContent = state.gate?.status || '';
  line.title = state.gate?.connection || '';
  line.hidden = !state.gate;
}

// ---- Now -----------------------------------------------------------------------------
function callerWithSuffix(r) {
  const suffix = (r.suffix || '').trim();
  return suffix ? `${r.caller} /${suffix}` : r.caller;
}

function renderNow(announce) {
  const r = state.now;
  $('now-fields').hidden = !r;
  if (!r) {
    $('now-phase').textContent = t('Nothing received yet.');
    return;
  }
  $('now-phase').textContent = r.receiving ? t('Receiving') : t('Last reception');
  $('now-phase').classList.toggle('receiving', !!r.receiving);
  $('now-caller').textContent = callerWithSuffix(r);
  $('now-called').textContent = r.called || '';
  $('now-message').textContent = r.message || '';
  $('now-route').textContent = r.route || '';
  const time = $('now-time');
  time.dateTime = r.time || '';
  const when = r.time ? new Date(r.time) : null;
  time.textContent = when && !Number.isNaN(when.getTime())
    ? when.toLocaleString(session.lang, { dateStyle: 'medium', timeStyle: 'medium' })
    : '';
  $('now-distance').textContent = r.distance || '';
  $('now-bearing').textContent = r.bearing || '';
  $('now-distance-row').hidden = !r.distance;
  $('now-bearing-row').hidden = !r.bearing;
  const sentence = t('%1 calling %2', callerWithSuffix(r), (r.called || '').trim());
  const said = $('now-said');
  if (announce) {
    // One sentence per reception; its end and other field changes stay quiet.
    speak(said, sentence);
  } else if (said.textContent) {
    said.textContent = sentence;
  }
}

// ---- Heard Stations ------------------------------------------------------------------
const sort = { column: -1, descending: false };

function buildHeardHead() {
  const head = $('heard-head');
  head.replaceChildren();
  columns.forEach((column, i) => {
    const th = document.createElement('th');
    th.scope = 'col';
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = column.title;
    button.addEventListener('click', () => sortBy(i));
    th.append(button);
    if (sort.column === i) th.setAttribute('aria-sort', sort.descending ? 'descending' : 'ascending');
    head.append(th);
  });
  const th = document.createElement('th');
  th.scope = 'col';
  th.textContent = t('Reply');
  head.append(th);
}

// Ascending, then descending, then back to newest first.
function sortBy(i) {
  if (sort.column !== i) {
    sort.column = i;
    sort.descending = false;
  } else if (!sort.descending) {
    sort.descending = true;
  } else {
    sort.column = -1;
  }
  buildHeardHead();
  renderHeard();
  const button = $('heard-head').children[i]?.querySelector('button');
  if (button) button.focus();
}

function sortedRows() {
  const rows = state.heard.map((row, order) => ({ row, order }));
  const i = sort.column;
  if (i < 0 || !columns[i]) return rows.map((r) => r.row);
  const numeric = columns[i].numeric;
  const value = (row) => (numeric ? row.keys?.[i] ?? null : (row.cells?.[i] ?? '').trim() || null);
  const sign = sort.descending ? -1 : 1;
  rows.sort((a, b) => {
    const x = value(a.row);
    const y = value(b.row);
    if (x === null || y === null) {
      // Blanks last either way.
      if (x === y) return a.order - b.order;
      return x === null ? 1 : -1;
    }
    const c = numeric ? x - y : x.localeCompare(y, session.lang);
    return c === 0 ? a.order - b.order : sign * c;
  });
  return rows.map((r) => r.row);
}

function renderHeard() {
  const body = $('heard-body');
  const focused = document.activeElement?.closest?.('#heard-body tr')?.dataset.call;
  body.replaceChildren();
  for (const row of sortedRows()) {
    const tr = document.createElement('tr');
    tr.tabIndex = 0;
    tr.dataset.call = row.call;
    (row.cells || []).forEach((cell, i) => {
      const td = document.createElement(i === 0 ? 'th' : 'td');
      if (i === 0) td.scope = 'row';
      td.textContent = cell;
      if (columns[i]?.numeric) td.className = 'number';
      tr.append(td);
    });
    const td = document.createElement('td');
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'reply';
    button.textContent = t('Reply');
    button.setAttribute('aria-label', t('Reply to %1', row.call));
    td.append(button);
    tr.append(td);
    body.append(tr);
    if (row.call === focused) tr.focus();
  }
  $('heard-empty').hidden = state.heard.length > 0;
}

function replyTo(call) {
  act({ do: 'replyTo', call });
}

function wireHeard() {
  const body = $('heard-body');
  body.addEventListener('click', (event) => {
    const tr = event.target.closest('tr');
    if (tr) replyTo(tr.dataset.call);
  });
  body.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' || event.target.tagName !== 'TR') return;
    event.preventDefault();
    replyTo(event.target.dataset.call);
  });
}

// ---- Adapter: the header fields ------------------------------------------------------
function shown(value) {
  return (value || '').replace(/ +$/, '');
}

function renderAdapter() {
  $('adapter-state').textContent = state.adapter?.text || '';
  $('adapter-state').dataset.state = state.adapter?.state || '';
}

// Shows what the adapter holds; a field the operator is changing is left to the operator.
function renderHeader() {
  const header = state.header;
  if (!header) return;
  for (const field of FIELDS) {
    const input = $(`f-${field}`);
    if (state.limits[field]) input.maxLength = state.limits[field];
    const editing = document.activeElement === input && input.value !== input.dataset.held;
    input.dataset.held = shown(header[field]);
    if (!editing) input.value = input.dataset.held;
  }
  for (const flag of FLAGS) {
    $(`g-${flag}`).checked = !!header.flags?.[flag];
  }
  renderHolds();
}

function renderHolds() {
  const holds = $('holds');
  holds.replaceChildren();
  const header = state.header;
  if (!header) return;
  const add = (name, value, className) => {
    const div = document.createElement('div');
    const dt = document.createElement('dt');
    dt.textContent = t(name);
    const dd = document.createElement('dd');
    dd.className = className;
    dd.textContent = value;
    div.append(dt, dd);
    holds.append(div);
  };
  for (const field of FIELDS) add(FIELD_NAMES[field], header[field] || '', 'held');
  for (const flag of FLAGS) add(FLAG_NAMES[flag], header.flags?.[flag] ? t('On') : t('Off'), '');
}

function upperCase(input) {
  const { selectionStart, selectionEnd } = input;
  const upper = input.value.toUpperCase();
  if (upper !== input.value) {
    input.value = upper;
    input.setSelectionRange(selectionStart, selectionEnd);
  }
}

async function sendField(field) {
  const input = $(`f-${field}`);
  const error = $(`e-${field}`);
  const value = input.value;
  if (value === input.dataset.held) return;
  input.dataset.held = value;
  const answer = await act({ do: 'setField', field, value });
  if (answer && !answer.ok) {
    error.textContent = answer.refusal || '';
    input.setAttribute('aria-invalid', 'true');
  } else {
    error.textContent = '';
    input.removeAttribute('aria-invalid');
  }
  if (!answer || !answer.ok) {
    // The field shows what the adapter holds, not what it refused.
    input.dataset.held = shown(state.header?.[field]);
    input.value = input.dataset.held;
  }
}

async function sendFlag(flag) {
  const box = $(`g-${flag}`);
  const answer = await act({ do: 'setFlag', flag, on: box.checked });
  if (!answer || !answer.ok) box.checked = !!state.header?.flags?.[flag];
}

function wireAdapter() {
  $('header-form').addEventListener('submit', (event) => event.preventDefault());
  for (const field of FIELDS) {
    const input = $(`f-${field}`);
    if (input.classList.contains('upper')) {
      // Not while an input method composes: it would lose what it holds.
      input.addEventListener('input', (event) => event.isComposing || upperCase(input));
      input.addEventListener('compositionend', () => upperCase(input));
    }
    input.addEventListener('change', () => sendField(field));
    input.addEventListener('keydown', (event) => {
      // Enter that ends an input method's composition is not the operator's Enter.
      if (event.key !== 'Enter' || event.isComposing) return;
      event.preventDefault();
      sendField(field);
    });
  }
  for (const flag of FLAGS) {
    $(`g-${flag}`).addEventListener('change', () => sendFlag(flag));
  }
}

// ---- Call ----------------------------------------------------------------------------
function wireCall() {
  for (const button of document.querySelectorAll('#call-items [data-item]')) {
    button.addEventListener('click', () => act({ do: 'call', item: button.dataset.item }));
  }
  const open = $('link-open');
  const form = $('link-form');
  const close = () => {
    form.hidden = true;
    open.setAttribute('aria-expanded', 'false');
    open.focus();
  };
  open.addEventListener('click', () => {
    form.hidden = !form.hidden;
    open.setAttribute('aria-expanded', String(!form.hidden));
    if (!form.hidden) $('link-reflector').focus();
  });
  $('link-cancel').addEventListener('click', close);
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') close();
  });
  for (const id of ['link-reflector', 'link-module']) {
    $(id).addEventListener('input', () => upperCase($(id)));
  }
  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    // "REF030 C": the reflector, a space, its module.
    const reflector = [$('link-reflector').value.trim(), $('link-module').value.trim()]
      .filter(Boolean).join(' ');
    const answer = await act({ do: 'link', reflector });
    if (answer?.ok) close();
  });

  let searchTimer = null;
  $('directory-form').addEventListener('submit', (event) => {
    event.preventDefault();
    clearTimeout(searchTimer);
    searchDirectory();
  });
  $('directory-query').addEventListener('input', () => {
    clearTimeout(searchTimer);
    searchTimer = setTimeout(searchDirectory, 300);
  });
}

let searchSerial = 0;
async function searchDirectory() {
  const serial = ++searchSerial;
  const query = $('directory-query').value.trim();
  let body;
  try {
    const answer = await fetch(`/api/repeaters?q=${encodeURIComponent(query)}&limit=50`, {
      credentials: 'same-origin',
    });
    if (answer.status === 401) return showSignIn();
    body = await answer.json();
  } catch {
    say(t('The station does not answer.'));
    return;
  }
  if (serial !== searchSerial) return; // an answer to an older search
  directory = body;
  renderDirectory();
}

let directory = null;
function renderDirectory() {
  const body = directory;
  if (!body) return;
  const list = $('directory-results');
  list.replaceChildren();
  for (const row of body.rows || []) {
    const li = document.createElement('li');
    const call = document.createElement('span');
    call.className = 'call';
    call.textContent = row.shown || row.call;
    const what = document.createElement('span');
    what.textContent = [row.name, row.area, row.frequency && `${row.frequency} MHz`,
      row.distance, row.bearing].filter(Boolean).join(' · ');
    li.append(call, what);
    // A list entry without a D-STAR callsign (an analogue repeater) is there to be read only.
    if (row.call && row.routable !== false) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = t('Use as My Repeater');
      button.setAttribute('aria-label', `${t('Use as My Repeater')}: ${row.shown || row.call}`);
      button.addEventListener('click', () => act({ do: 'useRepeater', call: row.call }));
      li.append(button);
    }
    list.append(li);
  }
  $('directory-count').textContent = t('Repeaters found: %1', body.total ?? (body.rows || []).length);
}

// ---- Map -----------------------------------------------------------------------------
const map = {
  leaflet: null,
  tiles: null,
  heardLayer: null,
  repeaterLayer: null,
  timer: null,
  dark: window.matchMedia('(prefers-color-scheme: dark)'),

  tileUrl() {
    return `/tiles/{z}/{x}/{y}.png${this.dark.matches ? '?dark=1' : ''}`;
  },

  show() {
    if (this.leaflet) {
      this.leaflet.invalidateSize();
      return;
    }
    if (!window.L) return;
    const L = window.L;
    this.leaflet = L.map('map', { attributionControl: false, zoomControl: false, maxZoom: 18 });
    this.zoom = L.control.zoom({ zoomInTitle: t('Zoom in'), zoomOutTitle: t('Zoom out') });
    this.zoom.addTo(this.leaflet);
    this.tiles = L.tileLayer(this.tileUrl(), { maxZoom: 18, minZoom: 1 }).addTo(this.leaflet);
    this.dark.addEventListener('change', () => this.tiles.setUrl(this.tileUrl()));
    this.repeaterLayer = L.layerGroup().addTo(this.leaflet);
    this.heardLayer = L.layerGroup().addTo(this.leaflet);
    this.leaflet.setView([35.68, 139.76], 3);
    this.placed = false;
    this.leaflet.on('moveend', () => {
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.repeaters(), 400);
    });
    this.stations();
    this.repeaters();
  },

  marker(lat, lon, label, kind) {
    const L = window.L;
    const icon = L.divIcon({ className: `pin pin-${kind}`, iconSize: [18, 18], iconAnchor: [9, 9] });
    // Hundreds of repeaters in view would each be a Tab stop; the directory's search finds them.
    const m = L.marker([lat, lon], {
      icon,
      title: label,
      keyboard: kind !== 'repeater',
      // Stations over the repeaters they are heard through.
      zIndexOffset: kind === 'repeater' ? 0 : 1000,
    });
    m.bindTooltip(label, { direction: 'top', offset: [0, -8] });
    m.on('add', () => {
      const el = m.getElement();
      el.setAttribute('role', 'img');
      el.setAttribute('aria-label', label);
      // The label shows for the keyboard as for the mouse.
      el.addEventListener('focus', () => m.openTooltip());
      el.addEventListener('blur', () => m.closeTooltip());
    });
    return m;
  },

  stations() {
    if (!this.leaflet) return;
    this.heardLayer.clearLayers();
    const points = [];
    for (const row of state.heard) {
      if (row.lat == null || row.lon == null) continue;
      this.marker(row.lat, row.lon, row.call, 'heard').addTo(this.heardLayer);
      points.push([row.lat, row.lon]);
    }
    if (state.own) {
      this.marker(state.own.lat, state.own.lon, t('Your station'), 'own').addTo(this.heardLayer);
      points.unshift([state.own.lat, state.own.lon]);
    }
    if (!this.placed && points.length) {
      // The first stations known: all of them in view, not closer than a region.
      this.placed = true;
      this.leaflet.fitBounds(window.L.latLngBounds(points), { maxZoom: 9, padding: [24, 24] });
    }
  },

  async repeaters() {
    const b = this.leaflet.getBounds();
    const box = [b.getSouth(), b.getWest(), b.getNorth(), b.getEast()].map((v) => v.toFixed(5));
    let body;
    try {
      const answer = await fetch(`/api/repeaters?bbox=${box.join(',')}&limit=500`, {
        credentials: 'same-origin',
      });
      if (!answer.ok) return;
      body = await answer.json();
    } catch {
      return;
    }
    this.repeaterLayer.clearLayers();
    for (const row of body.rows || []) {
      if (row.lat == null || row.lon == null) continue;
      const label = t('Repeater %1', [row.shown || row.call, row.name].filter(Boolean).join(' '));
      this.marker(row.lat, row.lon, label, 'repeater').addTo(this.repeaterLayer);
    }
  },

  retitle() {
    if (!this.leaflet) return;
    const [zoomIn, zoomOut] = this.zoom.getContainer().querySelectorAll('a');
    for (const [a, text] of [[zoomIn, t('Zoom in')], [zoomOut, t('Zoom out')]]) {
      a.title = text;
      a.setAttribute('aria-label', text);
    }
    this.stations();
    this.repeaters();
  },
};

// ---- Live: one WebSocket, back again by itself -----------------------------------------
const live = {
  socket: null,
  wanted: false,
  delay: 1000,
  timer: null,
  pinger: null,
  pingId: 0,
  lost: false,

  start() {
    this.wanted = true;
    this.connect();
  },

  restart() {
    this.stop();
    this.start();
  },

  stop() {
    this.wanted = false;
    clearTimeout(this.timer);
    clearInterval(this.pinger);
    if (this.socket) {
      this.socket.onclose = null;
      this.socket.close();
      this.socket = null;
    }
  },

  connect() {
    const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
    const socket = new WebSocket(`${scheme}//${location.host}/live`);
    this.socket = socket;
    socket.onopen = () => socket.send(JSON.stringify({ type: 'hello', csrf: session.csrf }));
    socket.onmessage = (event) => this.receive(event.data);
    socket.onclose = () => this.closed();
    clearInterval(this.pinger);
    // A connection that went quiet without closing (a sleeping laptop) is found by its pings.
    this.pinger = setInterval(() => this.ping(), 20000);
  },

  ping() {
    if (this.socket?.readyState !== WebSocket.OPEN) return;
    if (this.awaiting) {
      this.socket.close();
      return;
    }
    this.awaiting = ++this.pingId;
    this.socket.send(JSON.stringify({ type: 'ping', id: this.pingId }));
  },

  receive(data) {
    let message;
    try {
      message = JSON.parse(data);
    } catch {
      return;
    }
    switch (message.type) {
      case 'state':
        this.delay = 1000;
        this.found();
        applyState(message);
        break;
      case 'reception':
        applyReception(message);
        break;
      case 'row':
        applyRow(message.row);
        break;
      case 'gate':
        state.gate = message.gate || null;
        renderGate();
        break;
      case 'header':
        state.header = message.header;
        renderHeader();
        break;
      case 'adapter':
        state.adapter = message.adapter;
        renderAdapter();
        break;
      case 'notice':
        say(message.text || '');
        break;
      case 'pong':
        if (message.id === this.awaiting) this.awaiting = 0;
        break;
      default:
        break;
    }
  },

  found() {
    if (!this.lost) return;
    this.lost = false;
    $('connection').textContent = '';
    $('connection').classList.remove('shown');
  },

  async closed() {
    this.socket = null;
    this.awaiting = 0;
    if (!this.wanted) return;
    if (!this.lost) {
      this.lost = true;
      $('connection').textContent = t('Connection lost: reconnecting...');
      $('connection').classList.add('shown');
    }
    const delay = this.delay;
    this.delay = Math.min(this.delay * 2, 15000);
    this.timer = setTimeout(() => this.again(), delay);
  },

  // Back only when the station answers and still knows this browser.
  async again() {
    if (!this.wanted) return;
    try {
      await readSession();
    } catch {
      this.closed();
      return;
    }
    if (!session.signedIn) {
      showSignIn();
      return;
    }
    this.connect();
  },
};

// ---- Start ---------------------------------------------------------------------------
async function start() {
  $('signin-form').addEventListener('submit', signIn);
  $('signout').addEventListener('click', signOut);
  wireHeard();
  wireAdapter();
  wireCall();
  const boot = bootData();
  try {
    if (boot?.session) takeSession(boot.session);
    else await readSession();
  } catch {
    $('connection').textContent = t('The station does not answer.');
    $('connection').classList.add('shown');
    return;
  }
  const textsKnown = !!boot?.texts?.texts;
  if (textsKnown) takeTexts(boot.texts);
  if (session.signedIn) {
    await showApp(textsKnown);
  } else {
    // The texts may be there for a browser not yet signed in; English otherwise.
    if (!textsKnown) await loadTexts();
    applyTexts();
    showSignIn();
  }
}

start();
