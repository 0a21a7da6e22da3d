// The packaged extension and its client code against the real server:
// the .vsix holds the manifest, the entry point and the language
// contributions, and `kestrova lsp`, started as the extension starts it,
// formats a messy module into exactly what `kestrova indent` writes.
//
//   KV_KESTROVA=/path/to/kestrova node --test test/
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawn, execFileSync } = require('node:child_process');
const yauzl = require('yauzl');
const rpc = require('vscode-jsonrpc/node');
const { serverOptions, clientOptions } = require('../client');

const root = path.join(__dirname, '..');
const manifest = require('../package.json');
const kestrova = process.env.KV_KESTROVA || 'kestrova';

function entries(vsix) {
  return new Promise((resolve, reject) => {
    yauzl.open(vsix, { lazyEntries: true }, (err, zip) => {
      if (err) return reject(err);
      const files = {};
      zip.on('entry', (entry) => {
        zip.openReadStream(entry, (e, stream) => {
          if (e) return reject(e);
          const chunks = [];
          stream.on('data', (c) => chunks.push(c));
          stream.on('end', () => { files[entry.fileName] = Buffer.concat(chunks); zip.readEntry(); });
        });
      });
      zip.on('end', () => resolve(files));
      zip.readEntry();
    });
  });
}

test('the .vsix holds the manifest, the entry point and the VB6 file kinds', async () => {
  const vsix = path.join(root, 'dist', `kestrova-${manifest.version}.vsix`);
  const files = await entries(vsix);
  const packaged = JSON.parse(files['extension/package.json']);
  assert.strictEqual(packaged.main, './extension.js');
  assert.ok(files['extension/extension.js'] && files['extension/client.js']);
  assert.ok(files['extension/node_modules/vscode-languageclient/node.js'], 'the client library is bundled');
  assert.ok(!Object.keys(files).some((f) => f.startsWith('extension/test/')), 'tests are not packaged');
  const vb = packaged.contributes.languages.find((l) => l.id === 'vb');
  assert.deepStrictEqual(vb.extensions, ['.bas', '.cls', '.frm', '.ctl', '.pag', '.dob', '.dsr']);
  assert.strictEqual(packaged.contributes.configuration.properties['kestrova.path'].default, 'kestrova');
  assert.match(files['extension.vsixmanifest'].toString(), /Id="kestrova"/);
});

test('the client formats a module through kestrova lsp exactly as kestrova indent', async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kv-vscode-'));
  const env = { ...process.env, KESTROVA_SETTINGS: path.join(dir, 'settings.ini') };
  const file = path.join(dir, 'Messy.bas');
  const messy = 'Attribute VB_Name = "Messy"\r\nSub Go()\r\nIf a Then\r\nb = 1 \' one\r\nEnd If\r\nEnd Sub\r\n';
  fs.writeFileSync(file, messy);

  const options = serverOptions({ path: kestrova });
  assert.deepStrictEqual(options.args, ['lsp']);
  assert.ok(clientOptions().documentSelector[0].pattern.includes('frm'));
  const server = spawn(options.command, options.args, { env, stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = rpc.createMessageConnection(
    new rpc.StreamMessageReader(server.stdout), new rpc.StreamMessageWriter(server.stdin));
  connection.listen();
  try {
    const init = await connection.sendRequest('initialize', { processId: process.pid, rootUri: null, capabilities: {} });
    assert.strictEqual(init.capabilities.documentFormattingProvider, true);
    connection.sendNotification('initialized', {});
    const uri = 'file://' + file;
    connection.sendNotification('textDocument/didOpen', { textDocument: { uri, languageId: 'vb', version: 1, text: messy } });
    const edits = await connection.sendRequest('textDocument/formatting',
      { textDocument: { uri }, options: { tabSize: 4, insertSpaces: true } });

    const lines = messy.split('\r\n');
    for (const e of edits) {
      assert.strictEqual(e.range.start.line, e.range.end.line, 'one line per edit');
      lines[e.range.start.line] = e.newText;
    }
    execFileSync(kestrova, ['indent', file], { env });
    assert.strictEqual(lines.join('\r\n'), fs.readFileSync(file, 'latin1'));
    assert.ok(edits.length < lines.length - 1, 'only the lines that change');

    await connection.sendRequest('shutdown');
    connection.sendNotification('exit');
    const code = await new Promise((resolve) => server.on('exit', resolve));
    assert.strictEqual(code, 0);
  } finally {
    connection.dispose();
    server.kill();
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
