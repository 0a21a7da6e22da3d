// How the extension starts and talks to `kestrova lsp`, kept apart from the
// editor's API so a plain Node test can run it.
'use strict';

// The VB6 module files; other Visual Basic files (.vb, .vbs) are left alone.
const moduleGlob = '**/*.{bas,cls,frm,ctl,pag,dob,dsr,BAS,CLS,FRM,CTL,PAG,DOB,DSR}';

function serverOptions(settings) {
  const command = (settings && settings.path) || 'kestrova';
  return { command, args: ['lsp'] };
}

function clientOptions() {
  return {
    documentSelector: [{ scheme: 'file', language: 'vb', pattern: moduleGlob }],
  };
}

module.exports = { moduleGlob, serverOptions, clientOptions };
