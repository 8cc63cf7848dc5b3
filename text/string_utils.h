// Small text operations of the statement handling and the log writer.
//
// Promises:
//  - Positions are 1-based character (UTF-16 code unit) indices; 0 means
//    "not found".
//  - Every function depends on its arguments alone; only GetStringBetween
//    can write a log line (on an internal failure, under
//    "modString.GetStringBetween").
//  - Out positions are written only where each function says so; a caller
//    may pass nullptr for an out position it does not want.
#pragma once

#include <QString>

namespace mt {

// The text strictly between the first startDelim found at or after searchPos
// and the next endDelim after it. Both out positions start at 0; each is set
// when its delimiter is found. On success searchPos moves to the first
// character after the end delimiter; otherwise it is left alone.
QString GetStringBetween(const QString& text, const QString& startDelim, const QString& endDelim,
                         int& searchPos, int* startPos = nullptr, int* endPos = nullptr);

// The content of the first quoted value (apostrophes or double quotes,
// whichever comes first) at or after start. Apostrophes have no escape;
// inside double quotes a doubled quote is part of the value and stays
// doubled in the result.
QString GetQuotedValue(const QString& text, int start, int* openPos = nullptr,
                       int* closePos = nullptr);

// Removes (), {} and [] characters from the start and the end of every line,
// each independently of its partner, until nothing changes.
QString StripEnclosingBrackets(const QString& text);

// Every run of two or more spaces (U+0020 only) becomes one space.
QString CollapseSpaces(const QString& text);

// The text after the last dot, or empty. Path separators are not considered.
QString GetFileExtension(const QString& path);

// The text before the last dot, or the whole path when it has no dot.
QString RemoveFileExtension(const QString& path);

}  // namespace mt
