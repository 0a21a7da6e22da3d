// Text for the user on the standard streams, the same bytes on every system.
// Pipes and files get UTF-8 as it stands (on Windows in binary mode, so a
// line ends in "\n" there too); a Windows console gets UTF-16 through
// WriteConsoleW, so Chinese messages show whatever its code page.
#pragma once

#include <cstdio>
#include <string_view>

namespace kv::cli {

// Whether the stream is a terminal (on Windows: a console).
bool IsTerminal(std::FILE* stream);
// The width of the terminal the stream is, in columns; 80 when unknown.
int TerminalWidth(std::FILE* stream);
// Writes UTF-8 text to the stream and flushes it.
void WriteText(std::FILE* stream, std::string_view utf8);
// Sets the standard streams up as described above: on Windows, binary mode,
// and std::cout and std::cerr written through WriteConsoleW when they are a
// console. Nothing to do elsewhere.
void SetUpStandardStreams();

}  // namespace kv::cli
