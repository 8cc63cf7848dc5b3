// The committed scripts are the output of tools/scriptgen: running it again
// writes them byte for byte, so a change to the generator's data that was not
// regenerated (or a hand edit of a script) shows up here.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/real_db.h"

namespace {

// The package data the committed scripts were written from (ieee-data
// 20220827.1, iso-codes 4.15.0-1). With other data the generator writes
// other rows, which is not a fault of the scripts.
const std::pair<const char*, const char*> kDataFiles[] = {  // path, SHA-256
    {"/usr/share/ieee-data/oui.csv", "6a2a3bb4983b3edcae727ed890406fc678023bd8e5010e4fb89e1312ee3885ae"},
    {"/usr/share/iso-codes/json/iso_3166-1.json", "f01b812b57fba9f31ff621bf33e7c7570a01964dbeb5be2167e94decf538c89f"},
    {"/usr/share/locale/ko/LC_MESSAGES/iso_3166-1.mo",
     "23a6705d2ed8f41bb9299c914a51899808d2061c25fed9371651b3209559c47d"},
};

TEST(ScriptGenerator, WritesTheCommittedScriptsByteForByte) {
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) GTEST_SKIP() << "python3 is not installed";
  for (const auto& [path, sha256] : kDataFiles) {
    const QByteArray bytes = mt::test::FileBytes(QString::fromLatin1(path));
    if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() != QByteArray(sha256))
      GTEST_SKIP() << path << " is missing or not the snapshot the scripts were written from";
  }
  QTemporaryDir out;
  QProcess p;
  p.start(python, {QStringLiteral(MT_SOURCE_DIR "/tools/scriptgen/scriptgen.py"), QStringLiteral("--out"),
                   out.path()});
  ASSERT_TRUE(p.waitForFinished(300000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

  const QDir committed(QStringLiteral(MT_SOURCE_DIR "/upgrade/scripts"));
  const QStringList filter{QStringLiteral("1*.sql")};
  const QStringList written = QDir(out.path()).entryList(filter, QDir::Files, QDir::Name);
  ASSERT_EQ(written, committed.entryList(filter, QDir::Files, QDir::Name));
  EXPECT_EQ(written.size(), 398);
  for (const QString& name : written) {
    EXPECT_TRUE(mt::test::FileBytes(out.filePath(name)) == mt::test::FileBytes(committed.filePath(name)))
        << name.toStdString() << " differs";
  }
}

}  // namespace
