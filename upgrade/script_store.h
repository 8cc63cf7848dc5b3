// The upgrade scripts the program carries inside itself, and the reading of
// a staged script file.
//
// Scripts are Qt resources keyed by type name and identifier: the script of
// schema version V is ":/SQL/<10000 + V>", embedded byte for byte at build
// time. Tests may point the store at a folder of their own (the same
// "<type>/<id>" layout) so they never depend on the shipped script set.
//
// Promises:
//  - ExtractResourceToFile writes the resource's exact bytes to the path and
//    answers true, or logs one line ("modMain.ExtractResourceToFile", the
//    error number, its description and a position, tab-separated) and answers
//    false. An existing file at the path that cannot be deleted is used as is.
//  - ReadScriptFile decodes the whole file as UTF-8 and drops a leading
//    byte-order mark; line ends, tabs and NUL characters stay. It throws
//    DbError when the file cannot be read.
#pragma once

#include <QString>

namespace mt {

inline constexpr int kScriptResourceBase = 10000;

bool ExtractResourceToFile(int id, const QString& typeName, const QString& path);

// Whether the resource exists where resources are looked up.
bool HasResource(int id, const QString& typeName);

QString ReadScriptFile(const QString& path);

// Where resources are looked up: ":" (the embedded resources) by default, or
// a folder holding "<typeName>/<id>" files. An empty root restores ":".
void SetResourceRoot(const QString& root);

}  // namespace mt
