// Page 0 of a Jet file, read without libmdb: what kind of file it is, before
// anything else touches it.
//
// Promises:
//  - ReadJetHeader fails with DbError(kOpenFailed) for a missing, unreadable
//    or empty file, one that is no Jet 3 / Jet 4 database, and one whose size
//    is no whole number of its pages (a truncated copy); the description
//    names the file and says which.
//  - hasPassword is true when the header holds a database password (Jet 3:
//    the plain bytes; Jet 4: masked with the creation date); the password
//    itself is never kept.
#pragma once

#include <QString>

namespace mt::jetimport {

struct JetHeader {
  bool jet3 = false;
  int pageSize = 0;
  int codePage = 0;  // the Windows code page of Jet 3 texts (0: not recorded)
  bool hasPassword = false;
};

JetHeader ReadJetHeader(const QString& path);

}  // namespace mt::jetimport
