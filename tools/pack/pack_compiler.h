#pragma once
// Compiles source folder trees into one pack: each source file becomes a
// resource named after the file without its extension, in the pack folder
// that mirrors its source folder; the extension picks the resource type
// through a small, readable type map (see data/types.map).

#include <string>
#include <vector>

#include "tools/pack/pack_writer.h"

enum class SourceConversion {
    kBinary,  // bytes as they are
    kText,    // UTF-8 source -> Windows-1252, line ends -> CR LF
    kIgnore,  // not part of the pack (notes, read-me files)
};

struct SourceTypeRule {
    std::string extension;  // without the dot, lower case
    ResourceType type = 0;
    SourceConversion conversion = SourceConversion::kBinary;
};

class SourceTypeMap {
public:
    // Lines: "<extension> <type> <binary|text>" or "<extension> ignore";
    // '#' starts a comment. False with a message naming the line on error.
    bool Parse(const std::string& text, const std::string& sourceName, std::string* error);
    const SourceTypeRule* Find(const std::string& extension) const;

private:
    std::vector<SourceTypeRule> m_rules;
};

// UTF-8 text to Windows-1252 with CR LF line ends. A byte order mark is
// dropped; a character that Windows-1252 cannot hold, malformed UTF-8 or a
// lone CR is an error naming the line.
bool ConvertSourceText(const std::string& source, std::string* out, std::string* error);

// Adds every file below the roots to the writer. Later roots join the same
// folders as earlier ones; one resource defined in two roots is an error.
// Every file and folder read is appended to inputs (for the build's
// dependency tracking).
bool CompileSourceRoots(const std::vector<std::string>& roots, const SourceTypeMap& types, PackWriter* writer,
                        std::vector<std::string>* inputs, std::string* error);
