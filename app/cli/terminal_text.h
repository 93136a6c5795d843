#pragma once

// Texts from project files, load tables and arguments reach a terminal. A description holding an
// escape sequence could move the cursor, recolour or retitle the terminal, or hide the lines
// around it; every such character is shown as an escape instead, so that what a user reads is
// what the file holds.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace fortema::cli {

enum class Escapes {
    Terminal,  // a message or a line of output: line ends pass, every other control is escaped
    Cell,      // a cell of a table: line ends are escaped too
    Json,      // inside a JSON string: the quote and the backslash as well, in JSON's own form
};

// The UTF-8 text with its control characters escaped: C0 controls and DEL as "\x1b", C1
// controls and the invisible direction marks and overrides as "\u202e" (JSON's \u form, which
// a JSON string reads back as the same character), and any byte that is not part of valid
// UTF-8 as "\x9b" (\ufffd in JSON). Everything else passes unchanged.
std::string escapeControls(std::string_view text, Escapes style = Escapes::Terminal);

// An output stream over `target` that passes everything written to it through
// escapeControls(Terminal), a line at a time: the command's own messages and tables are safe
// whatever text reaches them. Flushed at destruction.
class TerminalStream : public std::ostream {
public:
    explicit TerminalStream(std::ostream& target);
    ~TerminalStream() override;

private:
    std::unique_ptr<std::streambuf> m_buffer;
};

}  // namespace fortema::cli
