// What the upgrade program answers instead of running. The whole argument
// text is the database path, except for three words of its own: "--help" and
// "-h" (the usage text) and "--version". Answering them opens no database,
// takes no lock and writes no log line.
//
// Promises:
//  - InfoRequestOf is Help or Version only when the whole argument text is
//    exactly one of the three words; anything else, "--help x" included, is
//    a path.
//  - The texts end with a line feed; the build makes the manual page from
//    them (cmake/man_page.cmake).
#pragma once

#include <QString>

namespace mt {

enum class InfoRequest { None, Help, Version };

InfoRequest InfoRequestOf(const QString& argumentText);

QString UpgradeHelpText();

// "<program> <release> (schema version <newest>)", for both programs.
QString VersionText(const QString& program);

}  // namespace mt
