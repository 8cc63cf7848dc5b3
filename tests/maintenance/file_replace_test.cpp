// Putting a new database file in place of the old one without a moment
// where the path names no file or half a file.
#include "db/file_replace.h"

#include <dlfcn.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>

#include "db/engine.h"
#include "support/real_db.h"

namespace mt {
namespace {

using test::WriteFile;

// What this program flushed, by path, in order (see fsync below).
QStringList& Flushed() {
  static QStringList paths;
  return paths;
}

// The flushes of what lies in folder (the folder itself included).
QStringList FlushedIn(const QString& folder) {
  return Flushed().filter(QRegularExpression("^" + QRegularExpression::escape(folder) + "(/|$)"));
}

// A file's bytes, "<missing>" when there is none.
QByteArray Get(const QString& path) {
  return QFileInfo::exists(path) ? test::FileBytes(path) : QByteArray("<missing>");
}

// How many of the next renames answer EXDEV, as a rename between two mounts
// of one device does (see rename below).
int& RenamesRefusedAcrossMounts() {
  static int count = 0;
  return count;
}

dev_t DeviceOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}

TEST(FileReplacement, SameFolderReplacesTargetAndFailuresLeaveBothAsTheyWere) {
  QTemporaryDir dir;
  const QString src = dir.filePath(QStringLiteral("work.mdb"));
  const QString dst = dir.filePath(QStringLiteral("db.mdb"));
  WriteFile(dst, "old");
  EXPECT_THROW(ReplaceFile(src, dst), DbError);  // no source
  EXPECT_EQ(Get(dst), QByteArray("old"));

  WriteFile(src, "new");
  // A log beside the old database or beside the copy, or a target folder
  // that vanished: both files stay as they were.
  const std::pair<QString, QString> refusals[] = {{dst + QStringLiteral("-wal"), dst},
                                                  {src + QStringLiteral("-wal"), dst},
                                                  {QString(), dir.filePath(QStringLiteral("gone/db.mdb"))}};
  for (const auto& [log, target] : refusals) {
    SCOPED_TRACE(log.toStdString() + " " + target.toStdString());
    if (!log.isEmpty()) WriteFile(log, "changes");
    EXPECT_THROW(ReplaceFile(src, target), DbError);
    EXPECT_EQ(Get(dst), QByteArray("old"));
    EXPECT_EQ(Get(src), QByteArray("new"));
    if (!log.isEmpty()) QFile::remove(log);
  }

  Flushed().clear();
  ReplaceFile(src, dst);
  EXPECT_EQ(Get(dst), QByteArray("new"));
  EXPECT_FALSE(QFileInfo::exists(src));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  // The new file reached the disk under its own name, before the rename;
  // the folder holding the rename after it.
  EXPECT_EQ(FlushedIn(dir.path()), (QStringList{src, dir.path()}));
}

TEST(FileReplacement, AcrossFileSystemsStagesACopyBesideTheTarget) {
  QTemporaryDir here;
  QTemporaryDir there(QStringLiteral("/dev/shm/mt-replace-XXXXXX"));
  if (!there.isValid() || DeviceOf(here.path()) == DeviceOf(there.path()))
    GTEST_SKIP() << "no second file system available";
  const QString src = there.filePath(QStringLiteral("work.mdb"));
  const QString dst = here.filePath(QStringLiteral("db.mdb"));
  QByteArray big(300000, 'x');
  big.append("end");
  WriteFile(src, big);
  WriteFile(dst, "old");
  {
    FileReplacement r(src, dst);
    r.Stage();
    // Staged but not committed: the target is still the old database, and
    // dropping the replacement removes the staging file again.
    EXPECT_EQ(Get(dst), QByteArray("old"));
    EXPECT_EQ(QDir(here.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  }
  EXPECT_EQ(QDir(here.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  EXPECT_EQ(Get(src), big);

  // The database keeps its own permissions, not the copy's.
  const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
  ASSERT_TRUE(QFile::setPermissions(dst, mode));
  ASSERT_TRUE(QFile::setPermissions(src, QFile::ReadOwner | QFile::WriteOwner));
  Flushed().clear();
  ReplaceFile(src, dst);
  EXPECT_EQ(Get(dst), big);
  EXPECT_EQ(QFile::permissions(dst), mode);
  EXPECT_FALSE(QFileInfo::exists(src));
  EXPECT_EQ(QDir(here.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  // The staged copy (a file of the target's folder, maybe still unnamed) was
  // flushed before it took the database's name, the folder after.
  const QStringList flushed = FlushedIn(here.path());
  ASSERT_EQ(flushed.size(), 2) << flushed.join(u' ').toStdString();
  EXPECT_NE(flushed[0], here.path());
  EXPECT_EQ(flushed[1], here.path());
}

// One device through two mounts: the folders look like one file system, but
// the rename says EXDEV; the swap copies beside the target and renames again.
TEST(FileReplacement, ARenameRefusedAcrossMountsCopiesBesideTheTarget) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("bound")));
  const QString src = dir.filePath(QStringLiteral("work.mdb"));
  const QString dst = dir.filePath(QStringLiteral("bound/db.mdb"));
  WriteFile(src, "new");
  WriteFile(dst, "old");
  RenamesRefusedAcrossMounts() = 1;
  ReplaceFile(src, dst);
  EXPECT_EQ(RenamesRefusedAcrossMounts(), 0);
  EXPECT_EQ(Get(dst), QByteArray("new"));
  EXPECT_FALSE(QFileInfo::exists(src));
  EXPECT_EQ(QDir(dir.filePath(QStringLiteral("bound"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A database reached through a symbolic link (even a chain of two) stays a
// link: the file it names gets the new bytes, its staging files are found
// beside that file.
TEST(FileReplacement, ALinkStaysALinkAndItsFileIsReplaced) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("data"));
  const QString file = dir.filePath(QStringLiteral("data/db.mdb"));
  const QString link = dir.filePath(QStringLiteral("db.mdb"));
  const QString chain = dir.filePath(QStringLiteral("chain.mdb"));
  WriteFile(file, "old");
  ASSERT_TRUE(QFile::link(file, link));
  ASSERT_TRUE(QFile::link(link, chain));
  const QString src = dir.filePath(QStringLiteral("work.mdb"));
  WriteFile(src, "new");
  ReplaceFile(src, chain);
  EXPECT_TRUE(QFileInfo(chain).isSymLink());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Get(file), QByteArray("new"));
  EXPECT_FALSE(QFileInfo::exists(src));

  WriteFile(dir.filePath(QStringLiteral("data/.db.mdb.swap-a1B2c3")), "left by a kill");
  WriteFile(dir.filePath(QStringLiteral("data/.db.mdb.swap-long-name")), "not ours");
  EXPECT_EQ(LeftoverStagingFiles(chain), QStringList{dir.filePath(QStringLiteral("data/.db.mdb.swap-a1B2c3"))});
}

// The new file takes the old one's mode (a private database stays private);
// a working name that is the database itself, or one of its names, takes a
// "~" before its extension.
TEST(FileReplacement, KeepsTheModeAndWorkingNamesAvoidTheDatabase) {
  QTemporaryDir dir;
  const QString src = dir.filePath(QStringLiteral("tmp.mdb")), dst = dir.filePath(QStringLiteral("db.mdb"));
  WriteFile(src, "new");
  WriteFile(dst, "old");
  ASSERT_EQ(::chmod(QFile::encodeName(dst).constData(), 0600), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(src).constData(), 0644), 0);
  ReplaceFile(src, dst);
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(dst).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  EXPECT_EQ(WorkingFilePath(dir.path(), "tmp.mdb", dst), src);
  EXPECT_EQ(WorkingFilePath(dir.path(), "tmp.mdb", src), dir.filePath("tmp~.mdb"));  // not there yet
  EXPECT_EQ(WorkingFilePath(dir.path(), "10300.sql", dir.filePath("10300.sql")),
            dir.filePath("10300~.sql"));
  ASSERT_EQ(::link(QFile::encodeName(dst).constData(), QFile::encodeName(src).constData()), 0);
  EXPECT_EQ(WorkingFilePath(dir.path(), "tmp.mdb", dst), dir.filePath("tmp~.mdb"));
  EXPECT_TRUE(SameFile(dst, dir.filePath("./tmp.mdb")));
  EXPECT_FALSE(SameFile(dst, dir.filePath("tmp~.mdb")));
}

}  // namespace
}  // namespace mt

// Every fsync of the program is noted by the path its descriptor names at
// that moment, then done.
extern "C" int fsync(int fd) {
  char target[4096];
  const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
  if (n > 0) mt::Flushed().append(QString::fromLocal8Bit(target, int(n)));
  static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
  return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
  if (mt::RenamesRefusedAcrossMounts() > 0) {
    --mt::RenamesRefusedAcrossMounts();
    errno = EXDEV;
    return -1;
  }
  static const auto real = reinterpret_cast<int (*)(const char*, const char*)>(::dlsym(RTLD_NEXT, "rename"));
  return real(from, to);
}
