// Starts `kestrova lsp` for VB6 module files. Format Document, Format
// Selection, format on save (editor.formatOnSave) and format on type go to
// it, and its source actions appear under Source Action.
'use strict';

const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');
const { serverOptions, clientOptions } = require('./client');

let client;

function start() {
  const settings = vscode.workspace.getConfiguration('kestrova');
  client = new LanguageClient('kestrova', 'Kestrova', serverOptions({ path: settings.get('path') }), clientOptions());
  return client.start();
}

async function activate(context) {
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (!event.affectsConfiguration('kestrova.path')) return;
      if (client) await client.stop();
      await start();
    }),
  );
  await start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
