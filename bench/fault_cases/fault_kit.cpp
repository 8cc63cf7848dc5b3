#include "bench/fault_cases/fault_kit.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace mt::bench::faults {

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

bool Mount(const QString& dir, const QString& options) {
  QDir().mkpath(dir);
  return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, options.toLatin1().constData()) == 0;
}

bool Remount(const QString& dir, const QString& options, unsigned long flags) {
  return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", MS_REMOUNT | flags,
                 options.toLatin1().constData()) == 0;
}

void Unmount(const QString& dir) { ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH); }

namespace {

qint64 FreeBytes(const QString& dir) {
  struct statvfs st {};
  if (::statvfs(QFile::encodeName(dir).constData(), &st) != 0) return 0;
  return qint64(st.f_bavail) * qint64(st.f_frsize);
}

}  // namespace

void Fill(const QString& dir, qint64 leave) {
  QFile filler(dir + QStringLiteral("/filler"));
  if (!filler.open(QIODevice::WriteOnly)) return;
  const QByteArray block(4096, 'f');
  for (;;) {
    const qint64 avail = FreeBytes(dir);
    if (avail <= leave) break;
    const qint64 n = std::min<qint64>(block.size(), avail - leave);
    if (filler.write(block.constData(), n) != n) break;
    filler.flush();
  }
}

QString ProgramFolder(const QString& folder, const Setup& o, bool logFolder) {
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
  if (logFolder) QDir().mkpath(folder + QStringLiteral("/log"));
  QFile::copy(o.program, folder + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(folder + QStringLiteral("/marrowtide-dbupgrade"), QFileDevice::Permissions(0x7755));
  return folder;
}

bool SmallProgramFolder(const QString& mnt, const Setup& o, qint64 room, const QString& input, const QString& db) {
  if (!Mount(mnt, QStringLiteral("size=%1k").arg((QFileInfo(o.program).size() + room) / 1024))) return false;
  QDir().mkpath(mnt + QStringLiteral("/log"));
  QFile::copy(o.program, mnt + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(mnt + QStringLiteral("/marrowtide-dbupgrade"), QFileDevice::Permissions(0x7755));
  QDir().mkpath(QFileInfo(db).absolutePath());
  return QFile::copy(input, db);
}

QStringList Evidence(const QString& log, const QString& err) {
  QStringList lines;
  for (const QString& l : log.split(QStringLiteral("\r\n"))) {
    const QString msg = l.section(u'\t', 1);
    if (msg.startsWith(QLatin1String("ERROR: ")) || msg.startsWith(QLatin1String("modMain.ExtractResourceToFile")) ||
        msg.contains(QLatin1String("could not replace")) || msg.startsWith(QLatin1String("[err: modMain.p_Create"))) {
      const QString shortened = msg.left(170);
      if (!lines.contains(shortened)) lines << shortened;
    }
  }
  // The first failure of the upgrade engine, and how many followed it.
  const qsizetype upgradeErrors = log.count(QLatin1String("[err: modMain.p_DBUpgrade]"));
  if (upgradeErrors > 0) {
    const qsizetype at = log.indexOf(QLatin1String("[err: modMain.p_DBUpgrade]"));
    lines << log.mid(at, log.indexOf(u'\r', at) - at).left(170) +
                 QStringLiteral("  (%1 such lines)").arg(upgradeErrors);
  }
  for (const QString& l : err.split(u'\n', Qt::SkipEmptyParts)) lines << QStringLiteral("box: ") + l;
  if (lines.size() > 8) lines = lines.mid(0, 8) << QStringLiteral("...");
  return lines;
}

RunResult Tool(const Setup& o, const QStringList& args, const QStringList& env) {
  QProcess tool;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& var : env) e.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
  tool.setProcessEnvironment(e);
  tool.start(o.tool, args);
  tool.waitForFinished(600000);
  RunResult r;
  r.exitCode = tool.exitCode();
  r.err = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed();
  return r;
}

QString Mode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? QString::number(st.st_mode & 0777, 8) : QString();
}

Before Take(const Setup& o, const QString& db) { return {Read(db, true), ToolSchema(o, db)}; }

QStringList AsItWas(const Setup& o, const Before& before, const QString& db) {
  QStringList problems;
  const Snapshot s = Read(db, true);
  if (!s.opened) return {QStringLiteral("does not open: ") + s.openError};
  if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
  if (s.version != before.snapshot.version) problems << QStringLiteral("version %1, was %2").arg(s.version, before.snapshot.version);
  if (ToolSchema(o, db) != before.schema) problems << QStringLiteral("schema listing changed");
  const QString rows = RowsDifference(before.snapshot, s);
  if (!rows.isEmpty()) problems << rows;
  if (s.counts != before.snapshot.counts) problems << QStringLiteral("row counts changed");
  return problems;
}

QStringList Upgraded(const Inputs& in, const Snapshot& want, const QString& db) {
  const Setup& o = in.o;
  QStringList problems;
  const Snapshot s = Read(db, true);
  if (!s.opened) return {QStringLiteral("does not open: ") + s.openError};
  if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
  if (s.version != u"405") problems << QStringLiteral("version ") + s.version;
  const QString schema = SchemaDifference(in.reference, ToolSchema(o, db));
  if (!schema.isEmpty()) problems << QStringLiteral("schema: ") + schema.left(300);
  const QString rows = RowsDifference(want, s);
  if (!rows.isEmpty()) problems << rows;
  if (s.counts != want.counts) {
    QStringList differ;
    for (const auto& [table, n] : want.counts)
      if (s.counts.count(table) == 0 || s.counts.at(table) != n)
        differ << QStringLiteral("%1 %2 rows, want %3").arg(table).arg(s.counts.count(table) ? s.counts.at(table) : -1).arg(n);
    problems << QStringLiteral("row counts: ") + (differ.isEmpty() ? QStringLiteral("other tables") : differ.join(u',').left(300));
  }
  if (s.inClear > 0)
    problems << QStringLiteral("%1 protected values in clear in a database marked encrypted").arg(s.inClear);
  if (s.encrypted != want.encrypted)
    problems << (s.encrypted ? QStringLiteral("marked encrypted") : QStringLiteral("values left plain"));
  return problems;
}

QString Describe(const Snapshot& s) {
  if (!s.opened) return QStringLiteral("does not open (") + s.openError.left(120) + u')';
  return QStringLiteral("version %1, %2, integrity %3")
      .arg(s.version, s.encrypted ? QStringLiteral("encrypted") : QStringLiteral("plain"), s.integrity);
}


}  // namespace mt::bench::faults
