// The INI writer: a missing key or section is added, a missing file made,
// what it cannot write refused. (The key replaced in place, every other byte
// kept, is the compaction stamp's test.)
#include "db/ini_file.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "support/real_db.h"

namespace mt {
namespace {

class IniFile : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath(QStringLiteral("autoup.ini")); }
  void Put(const QByteArray& bytes) { test::WriteFile(Path(), bytes); }
  QByteArray Get() const { return test::FileBytes(Path()); }
  int Set(const QString& section, const QString& key, const QString& value) {
    return WriteINIValue(Path(), section, key, value);
  }
  QTemporaryDir dir_;
};

TEST_F(IniFile, AddsMissingKeyAfterTheSectionsLastLineAndMissingSectionAtTheEnd) {
  Put("[Update]\nServer=x\n\n[Other]\nk=v");
  ASSERT_EQ(Set(QStringLiteral("update"), QStringLiteral("CompactDBDate"), QStringLiteral("t1")), 1);
  EXPECT_EQ(Get(), QByteArray("[Update]\nServer=x\nCompactDBDate=t1\n\n[Other]\nk=v"));

  ASSERT_EQ(Set(QStringLiteral("New"), QStringLiteral("a"), QStringLiteral("한글 값")), 1);
  EXPECT_EQ(Get(), QByteArray("[Update]\nServer=x\nCompactDBDate=t1\n\n[Other]\nk=v\n[New]\na=") +
                       QStringLiteral("한글 값").toUtf8() + "\n");
}

TEST_F(IniFile, CreatesTheFileAndRefusesWhatItCannotWrite) {
  ASSERT_FALSE(QFileInfo::exists(Path()));
  ASSERT_EQ(Set(QStringLiteral("Update"), QStringLiteral("CompactDBDate"), QStringLiteral("v")), 1);
  EXPECT_EQ(Get(), QByteArray("[Update]\r\nCompactDBDate=v\r\n"));

  const QByteArray kept = Get();
  EXPECT_EQ(Set(QStringLiteral("Update"), QStringLiteral("CompactDBDate"), QStringLiteral("a\nb")), 0);
  EXPECT_EQ(Set(QStringLiteral("Up]date"), QStringLiteral("k"), QStringLiteral("v")), 0);
  EXPECT_EQ(Set(QStringLiteral("Update"), QStringLiteral("k=j"), QStringLiteral("v")), 0);
  EXPECT_EQ(Set(QString(), QStringLiteral("k"), QStringLiteral("v")), 0);
  EXPECT_EQ(Get(), kept);

  const QString missingFolder = dir_.filePath(QStringLiteral("no/such/autoup.ini"));
  EXPECT_EQ(WriteINIValue(missingFolder, QStringLiteral("Update"), QStringLiteral("k"),
                          QStringLiteral("v")),
            0);
  EXPECT_FALSE(QFileInfo::exists(missingFolder));
  // No temporary file is left beside the INI file.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace mt
