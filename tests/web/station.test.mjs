// The station's page in Debian's chromium against tamsel-station on an emulated adapter:
// signed in, a reception arrives live in Now and Heard Stations, and Enter on its row replies.
// The test that starts this (usb_emulation_tests) checks the bytes the adapter was sent.
//
//   node tests/web/station.test.mjs PORT PASSWORD CALLER
//
// Prints "replied CALLER" once the page shows the caller as Station Call; exits 77 when the
// npm packages are missing.
import assert from 'node:assert/strict';

let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch {
  console.log('SKIP: npm packages missing (scripts/install-deps runs npm ci)');
  process.exit(77);
}

const [port, password, caller] = process.argv.slice(2);
assert.ok(port && password && caller, 'usage: station.test.mjs PORT PASSWORD CALLER');
const base = `http://127.0.0.1:${port}/`;

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true });
try {
  const page = await browser.newPage();
  // Nothing leaves this machine.
  page.on('request', (r) => assert.equal(new URL(r.url()).hostname, '127.0.0.1', r.url()));
  await page.goto(base);
  await page.fill('#password', password);
  await page.click('#signin-button');
  await page.waitForSelector('#app:not([hidden])');
  const row = page.locator(`#heard-body tr[data-call="${caller}"]`);
  await row.waitFor({ timeout: 30000 });
  await page.waitForFunction((c) => document.querySelector('#now-caller')?.textContent.includes(c),
    caller, { timeout: 30000 });
  await row.focus();
  await page.keyboard.press('Enter');
  await page.waitForFunction((c) => document.querySelector('#f-stationCall').value.trim() === c,
    caller, { timeout: 10000 });
  console.log(`replied ${caller}`);
} finally {
  await browser.close();
}
