#include "app/leftovers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "support/real_db.h"

namespace mt {
namespace {

// What a killed run may leave goes; everything else, the database above all
// (even one bearing a leftover's name), stays.
TEST(Leftovers, OnlyTheWorkingFilesOfAKilledRunAreRemoved) {
  QTemporaryDir program, data;
  const QStringList gone = {"Marrowtide_backup_en_20240101120000.mdb", "Marrowtide_backup_en_20240101120000.mdb-wal",
                            "tmp.mdb", "tmp.mdb-journal", "10003.sql", "10405.sql"};
  const QStringList kept = {"Marrowtide.mdb", "Other_backup_en_20240101120000.mdb", "Marrowtide_backup_en_2024.mdb",
                            "10000.sql", "10406.sql", "notes.txt"};
  for (const QString& name : gone + kept) test::WriteFile(QDir(program.path()).filePath(name), "x");
  const QString db = data.filePath(QStringLiteral("Marrowtide.mdb"));
  test::WriteFile(db, "db");
  const QString staging = data.filePath(QStringLiteral(".Marrowtide.mdb.swap-a1B2c3"));
  test::WriteFile(staging, "half");

  const auto sorted = [](QStringList list) {
    list.sort();
    return list;
  };
  QStringList expected{staging};
  for (const QString& name : gone) expected << QDir(program.path()).filePath(name);
  EXPECT_EQ(sorted(RemoveLeftovers(program.path(), QStringLiteral("Marrowtide"), db)), sorted(expected));
  EXPECT_EQ(sorted(QDir(program.path()).entryList(QDir::Files)), sorted(kept));
  EXPECT_EQ(QDir(data.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Marrowtide.mdb"});

  // A database that lives in the program folder under a leftover's name.
  const QString named = QDir(program.path()).filePath(QStringLiteral("tmp.mdb"));
  test::WriteFile(named, "db");
  EXPECT_TRUE(RemoveLeftovers(program.path(), QStringLiteral("Marrowtide"), named).isEmpty());
  EXPECT_EQ(test::FileBytes(named), QByteArray("db"));
}

}  // namespace
}  // namespace mt
