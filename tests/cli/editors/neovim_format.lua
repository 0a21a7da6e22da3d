-- Formats each file named in KV_FILES (space-separated) through `kestrova lsp`
-- in Neovim's own language server client, then writes the buffers out.
local program = os.getenv('KV_KESTROVA')
local ready = false
local client = vim.lsp.start_client({
  cmd = { program, 'lsp' },
  root_dir = vim.fn.getcwd(),
  on_init = function() ready = true end,
})
assert(client, 'the server did not start')
assert(vim.wait(10000, function() return ready end), 'the server did not answer initialize')

vim.o.shiftwidth = 4  -- the editor's tab size, as a VB6 user sets it
for _, file in ipairs(vim.split(os.getenv('KV_FILES'), ' ', { trimempty = true })) do
  vim.cmd('edit ' .. vim.fn.fnameescape(file))
  vim.lsp.buf_attach_client(0, client)
  vim.lsp.buf.formatting_sync(nil, 20000)
  vim.cmd('write')
end
vim.lsp.stop_client(client)
vim.cmd('qall!')
