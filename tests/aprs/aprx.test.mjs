// SPDX-License-Identifier: GPL-3.0-or-later
// The console's gate to APRS-IS beside another gate (Debian's aprx as a receive-only iGate),
// both fed the same D-PRS receptions, each sending to an APRS-IS server of the test's own.
//   node tests/aprs/aprx.test.mjs APRS_PROBE RECEPTIONS.jsonl
// GPS-A packets must be the same but for the q-construct; where both withhold by the same
// rule (a path kept off APRS-IS, a bad CRC or checksum) neither may send. What differs for
// NMEA positions, and the GPS-A sentences marked as taken by the console only, is listed in the
// output.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { EventEmitter, once } from 'node:events';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

const [probe, receptions] = process.argv.slice(2);
assert.ok(probe && fs.existsSync(probe), `no probe: ${probe}`);
assert.ok(receptions && fs.existsSync(receptions), `no receptions: ${receptions}`);
assert.ok(
  (process.env.PATH ?? '').split(':').some((dir) => fs.existsSync(path.join(dir, 'aprx'))),
  'aprx is not installed (scripts/install-deps installs it)',
);

const rows = fs.readFileSync(receptions, 'utf8').split('\n').filter(Boolean).map((l) => JSON.parse(l));
const CONSOLE_LOGIN = 'T2GATE-10';
const APRX_LOGIN = 'T2GATE-2'; // aprx's APRS-IS login
const APRX_PORT_CALL = 'T2GATE-3'; // its D-PRS port, named in its q-construct
const MARKER = 'T2MARK';
// Guards only: every wait ends as soon as what it waits for has happened.
const PATIENCE_MS = 60_000;

// The APRS-IS passcode of a callsign (without its SSID).
function passcode(call) {
  const base = call.split('-')[0].toUpperCase();
  let hash = 0x73e2;
  for (let i = 0; i < base.length; i += 2) {
    hash ^= base.charCodeAt(i) << 8;
    if (i + 1 < base.length) {
      hash ^= base.charCodeAt(i + 1);
    }
  }
  return hash & 0x7fff;
}

// CRC of a GPS-A sentence (CCITT, as X.25 frames use it).
function crc(text) {
  let c = 0xffff;
  for (const ch of text) {
    c ^= ch.charCodeAt(0);
    for (let i = 0; i < 8; i++) {
      c = c & 1 ? (c >>> 1) ^ 0x8408 : c >>> 1;
    }
  }
  return ((c ^ 0xffff) & 0xffff).toString(16).toUpperCase().padStart(4, '0');
}

// A status packet that closes reception `i` on aprx's stream: what aprx sends before it belongs
// to that reception.
const marker = (i) => {
  const tnc2 = `${MARKER}>APRS,DSTAR*:>reception ${i}`;
  return `$$CRC${crc(tnc2 + '\r')},${tnc2}\r`;
};
const markerOf = (line) => line.match(new RegExp(`^${MARKER}>[^:]*:>reception (\\d+)$`))?.[1];

// An APRS-IS server that verifies any login and keeps each line it is sent.
class FakeAprsIs extends EventEmitter {
  constructor() {
    super();
    this.logins = [];
    this.lines = [];
    this.sockets = new Set();
    this.server = net.createServer((socket) => {
      this.sockets.add(socket);
      socket.on('close', () => this.sockets.delete(socket));
      socket.on('error', () => {});
      socket.setEncoding('latin1');
      socket.write('# T2TEST fake APRS-IS\r\n');
      let buffer = '';
      socket.on('data', (data) => {
        buffer += data;
        for (let at = buffer.indexOf('\n'); at >= 0; at = buffer.indexOf('\n')) {
          const line = buffer.slice(0, at).replace(/\r$/, '');
          buffer = buffer.slice(at + 1);
          const login = line.match(/^user (\S+) pass/);
          if (login) {
            this.logins.push(line);
            socket.write(`# logresp ${login[1]} verified, server T2TEST\r\n`);
          } else if (!line.startsWith('#')) {
            this.lines.push(line);
          }
          this.emit('change');
        }
      });
    });
  }
  async listen() {
    this.server.listen(0, '127.0.0.1');
    await once(this.server, 'listening');
    return this.server.address().port;
  }
  // Resolves when `condition()` holds, checked whenever a line comes.
  until(condition, what) {
    return until(this, 'change', condition, what);
  }
  close() {
    for (const s of this.sockets) {
      s.destroy();
    }
    this.server.close();
  }
}

function until(emitter, event, condition, what) {
  return new Promise((resolve, reject) => {
    const check = () => {
      if (condition()) {
        clearTimeout(guard);
        emitter.off(event, check);
        resolve();
      }
    };
    const guard = setTimeout(() => {
      emitter.off(event, check);
      reject(new Error(`waited in vain for ${what}`));
    }, PATIENCE_MS);
    emitter.on(event, check);
    check();
  });
}

// The packet without the q-construct and the gate it names.
const withoutQ = (packet) => packet?.replace(/,qA[A-Za-z],[^,:]+(?=:)/, '') ?? null;
const isGpsA = (row) => /\$\$CRC/i.test(row.data);
// Bytes outside printable ASCII as \xNN, so that the list reads the same on any terminal.
const hex = (c) => `\\x${c.charCodeAt(0).toString(16).toUpperCase().padStart(2, '0')}`;
const shown = (bytes) => (bytes === null ? '(nothing)' : `"${bytes.replace(/[^\x20-\x7e]/g, hex)}"`);

const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'aprs-aprx-'));
const serverA = new FakeAprsIs(); // the console's
const serverB = new FakeAprsIs(); // aprx's
let aprx;
let aprxErrors = '';
const device = new EventEmitter(); // aprx's D-PRS input, a TCP port it connects to
let deviceSocket = null;
const deviceServer = net.createServer((socket) => {
  deviceSocket = socket;
  socket.on('error', () => {});
  device.emit('change');
});

const consoleResults = []; // per reception: the probe's line
const aprxPackets = rows.map(() => []); // per reception: what aprx sent

async function runAprx() {
  const portB = await serverB.listen();
  deviceServer.listen(0, '127.0.0.1');
  await once(deviceServer, 'listening');
  const config = path.join(temp, 'aprx.conf');
  fs.writeFileSync(
    config,
    [
      `mycall ${APRX_LOGIN}`,
      '<aprsis>',
      `passcode ${passcode(APRX_LOGIN)}`,
      `server 127.0.0.1 ${portB}`,
      '</aprsis>',
      '<logging>',
      `pidfile ${path.join(temp, 'aprx.pid')}`,
      `rflog ${path.join(temp, 'aprx-rf.log')}`,
      `aprxlog ${path.join(temp, 'aprx.log')}`,
      `dprslog ${path.join(temp, 'dprs.log')}`,
      `erlangfile ${path.join(temp, 'aprx.state')}`,
      '</logging>',
      '<interface>',
      `tcp-device 127.0.0.1 ${deviceServer.address().port} DPRS`,
      `callsign ${APRX_PORT_CALL}`,
      '</interface>',
      '',
    ].join('\n'),
  );
  // timeout(1) ends aprx even if this script is killed before it can.
  aprx = spawn('timeout', ['300', 'aprx', '-f', config, '-i'], { stdio: ['ignore', 'ignore', 'pipe'] });
  aprx.stderr.on('data', (d) => (aprxErrors += d));
  const exited = once(aprx, 'exit').then(([code]) => {
    throw new Error(`aprx ended (${code}): ${aprxErrors}`);
  });
  // aprx logs in to APRS-IS a few seconds after it starts; what it hears before is lost.
  await Promise.race([
    exited,
    Promise.all([
      until(device, 'change', () => deviceSocket !== null, 'aprx to open its D-PRS port'),
      serverB.until(() => serverB.logins.length > 0, 'aprx to log in'),
    ]),
  ]);
  exited.catch(() => {});

  for (const [i, row] of rows.entries()) {
    deviceSocket.write(Buffer.from(row.data + marker(i), 'latin1'));
    await serverB.until(() => serverB.lines.some((l) => markerOf(l) === String(i)), `aprx's marker ${i}`);
  }
  // aprx's own telemetry (sent under its login) is no gated packet.
  let current = 0;
  for (const line of serverB.lines) {
    const m = markerOf(line);
    if (m !== undefined) {
      current = Number(m) + 1;
    } else if (current < rows.length && !line.startsWith(`${APRX_LOGIN}>`)) {
      aprxPackets[current].push(line);
    }
  }
}

async function runConsole() {
  const portA = await serverA.listen();
  const child = spawn(
    probe,
    [receptions, '--server', `127.0.0.1:${portA}`, '--login', CONSOLE_LOGIN,
      '--passcode', String(passcode(CONSOLE_LOGIN))],
    { stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, LC_ALL: 'C' } },
  );
  let out = '';
  let err = '';
  child.stdout.setEncoding('utf8');
  child.stdout.on('data', (d) => (out += d));
  child.stderr.on('data', (d) => (err += d));
  const [code] = await once(child, 'exit');
  assert.equal(code, 0, `aprs_probe: ${err}`);
  consoleResults.push(...out.split('\n').filter(Boolean).map((l) => JSON.parse(l)));
}

async function stop() {
  if (aprx && aprx.exitCode === null && aprx.signalCode === null) {
    const exited = once(aprx, 'exit');
    aprx.kill('SIGTERM');
    await exited;
  }
  deviceSocket?.destroy();
  deviceServer.close();
  serverA.close();
  serverB.close();
  fs.rmSync(temp, { recursive: true, force: true });
}
process.on('SIGTERM', () => {
  aprx?.kill('SIGTERM');
  process.exit(1);
});

describe('the console and aprx gating the same receptions', () => {
  before(async () => {
    await Promise.all([runAprx(), runConsole()]);
  });
  after(stop);

  it('the console reads one result per reception and sends APRS-IS what it gates', () => {
    assert.equal(consoleResults.length, rows.length);
    // Both carry one character a byte.
    assert.deepEqual(serverA.lines, consoleResults.map((r) => r.packet).filter((p) => p !== null));
    const login = new RegExp(`^user ${CONSOLE_LOGIN} pass ${passcode(CONSOLE_LOGIN)} `);
    assert.match(serverA.logins[0] ?? '', login);
  });

  const differences = [];
  rows.forEach((row, i) => {
    it(`${i + 1}: ${row.what}`, () => {
      const mine = consoleResults[i].packet;
      const theirs = aprxPackets[i];
      assert.equal(mine !== null, row.expect === 'gated', `the console: ${shown(mine)}`);
      assert.ok(theirs.length <= 1, `aprx sent more than one packet: ${theirs.join(' | ')}`);
      const a = withoutQ(mine);
      const b = withoutQ(theirs[0] ?? null);
      if (row.aprx === 'withholds') {
        // A sentence the console's decoder takes and aprx does not.
        assert.equal(b, null, `aprx sent ${shown(b)}`);
        differences.push(`${i + 1}. ${row.what}\n     console: ${shown(a)}\n     aprx:    ${shown(b)}`);
      } else if (isGpsA(row) || row.both) {
        assert.equal(a, b, `the console ${shown(a)}, aprx ${shown(b)}`);
      } else if (a !== b) {
        differences.push(`${i + 1}. ${row.what}\n     console: ${shown(a)}\n     aprx:    ${shown(b)}`);
      }
    });
  });

  it('lists what differs', () => {
    console.log(`# where aprx differs (${differences.length}):\n${differences.join('\n')}`);
  });
});
