// Databases built and read through the production engine, for tests that
// check what a pass really did to a file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>
#include <vector>

namespace mt::test {

// Creates a new database at path, keyed with the database password, and runs
// each statement on it; fails the test on any error.
void CreateDatabase(const QString& path, const QStringList& statements);

// Runs statements on an existing database, closing it afterwards.
void ExecuteOn(const QString& path, const QStringList& statements);

// Every row of a query, each as the list of its values (Null is invalid).
std::vector<QVariantList> Rows(const QString& path, const QString& sql);

// The first column of each row, as values and as texts (Null as empty).
QVariantList Column(const QString& path, const QString& sql);
QStringList Texts(const QString& path, const QString& sql);

// A file's bytes, empty when it cannot be read.
QByteArray FileBytes(const QString& path);
// Writes bytes as the whole of a file; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);

}  // namespace mt::test

// Readable values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isNull() ? std::string("Null") : '"' + v.toString().toStdString() + '"');
}
