// A small INI writer: sets one key of one section and leaves every other
// byte of the file as it was.
//
// Promises:
//  - WriteINIValue(file, section, key, value) returns 1 on success and 0 on
//    failure (missing folder, unwritable file, a section, key or value that
//    cannot be written as one line); nothing is logged. It always calls
//    FlushINIFile(file) afterwards, also after a failure.
//  - Sections and keys match ignoring letter case and surrounding blanks. The
//    first line of the section that sets the key becomes "key=value"; when the
//    section has no such line one is inserted after its last non-blank line;
//    when the file has no such section, "[section]" and the key line are
//    appended (the file is created when missing). Every other line, its bytes
//    and its line end, is kept. New lines use the file's line end (CR LF for a
//    new file, as the product's other text files).
//  - Text is written in the locale's code set.
//  - Only a regular file (or none) is read and replaced: a FIFO, device or
//    folder at the path gives 0 at once, without blocking, and stays.
//  - The file is replaced by rename from a flushed temporary file in the same
//    folder: a crash leaves either the old or the new file, never half of one.
//  - FlushINIFile has no cache to drop (every write goes straight to disk);
//    it flushes the folder entry, so the rename of the last write is durable.
#pragma once

#include <QString>

namespace mt {

int WriteINIValue(const QString& file, const QString& section, const QString& key,
                  const QString& value);
void FlushINIFile(const QString& file);

}  // namespace mt
