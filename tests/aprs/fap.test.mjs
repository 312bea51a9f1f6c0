// SPDX-License-Identifier: GPL-3.0-or-later
// Every packet the console gates to APRS-IS, parsed by another program (js-aprs-fap): it must
// parse without an error and say what Heard Stations shows for the same reception.
//   node tests/aprs/fap.test.mjs APRS_PROBE RECEPTIONS.jsonl
// Exits 77 when the npm package is missing.
import { describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';

let aprsParser;
try {
  ({ aprsParser } = await import('js-aprs-fap'));
} catch {
  console.log('SKIP: npm packages missing (scripts/install-deps runs npm ci)');
  process.exit(77);
}

const [probe, receptions] = process.argv.slice(2);
assert.ok(probe && fs.existsSync(probe), `no probe: ${probe}`);
assert.ok(receptions && fs.existsSync(receptions), `no receptions: ${receptions}`);

const rows = fs.readFileSync(receptions, 'utf8').split('\n').filter(Boolean).map((l) => JSON.parse(l));
const results = execFileSync(probe, [receptions], { encoding: 'utf8', env: { ...process.env, LC_ALL: 'C' } })
  .split('\n')
  .filter(Boolean)
  .map((l) => JSON.parse(l));
assert.equal(results.length, rows.length, 'one result per reception');

const KM_PER_KNOT = 1.852;
const M_PER_FOOT = 0.3048;
const METRES_PER_DEGREE = 1852 * 60;

// Half a unit of the last digit a cell shows ("48.11730" -> 0.000005).
const halfDigit = (text) => 0.5 * 10 ** -((text.split('.')[1] ?? '').length);

// The packet is coarser than the cell (hundredths of a minute, whole knots, whole feet): the
// two agree when they are no further apart than both roundings together.
function near(what, parsed, shown, packetStep) {
  const tolerance = halfDigit(shown) + packetStep / 2 + 1e-9;
  assert.ok(
    Math.abs(parsed - Number(shown)) <= tolerance,
    `${what}: js-aprs-fap reads ${parsed}, the console shows ${shown} (within ${tolerance})`,
  );
}

describe('packets the console gates, read by js-aprs-fap', () => {
  const parser = new aprsParser();
  rows.forEach((row, i) => {
    const got = results[i];
    it(`${i + 1}: ${row.what}`, () => {
      assert.equal(got.packet !== null, row.expect === 'gated', `gated: ${JSON.stringify(got)}`);
      if (got.packet === null) {
        return;
      }
      // The packet's bytes as APRS-IS carries them, one character a byte.
      const fap = parser.parseaprs(got.packet);
      assert.equal(fap.resultcode, undefined, `${got.packet}: ${fap.resultcode} ${fap.resultmsg}`);
      assert.equal(fap.type, 'location', got.packet);
      const shown = got.position;
      assert.ok(shown, 'a gated reception shows a position');

      const step = (fap.posresolution ?? 18.52) / METRES_PER_DEGREE;
      near('latitude', fap.latitude, shown.latitude, step);
      near('longitude', fap.longitude, shown.longitude, step);

      if (shown.speed === '') {
        assert.ok(!fap.speed, `no speed shown, js-aprs-fap reads ${fap.speed}`);
      } else {
        near('speed km/h', fap.speed, shown.speed, KM_PER_KNOT);
      }
      if (shown.course === '') {
        // 000 is "no course" when a speed comes alone.
        assert.ok(!fap.course, `no course shown, js-aprs-fap reads ${fap.course}`);
      } else {
        near('course', fap.course % 360, shown.course, 1);
      }
      if (shown.altitude === '') {
        assert.equal(fap.altitude, undefined, 'no altitude shown');
      } else {
        near('altitude m', fap.altitude, shown.altitude, M_PER_FOOT);
      }
    });
  });
});
