#include "db/query.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>
#include <cstdlib>
#include <memory>

#include "app/globals.h"
#include "app/log.h"
#include "db/currency.h"
#include "protect/cipher.h"
#include "protect/secrets.h"
#include "protect/unscramble.h"

namespace mt {

namespace {

const QString kSourcePrefix = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString kPasswordPrefix =
    QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=");

// The classic "object not set" failure: a statement on a connection that
// could not be opened.
constexpr int32_t kNoObject = 91;
const QString kNoObjectText = QStringLiteral("Object variable or With block variable not set");
// A cursor or lock argument outside the values callers may pass.
const QString kBadArguments = QStringLiteral(
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.");

std::unique_ptr<Connection>& Slot() {
  static std::unique_ptr<Connection> connection;
  return connection;
}

// Every step of the run writes to the database, and the engine keeps its
// journal beside the file: a database that this user cannot write, or that
// lies in a folder it cannot write, is refused at the door instead of
// failing statement by statement later.
void RequireWritable(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return;  // the engine reports a missing file itself
  const QByteArray file = QFile::encodeName(info.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(info.absolutePath());
  if (::access(file.constData(), W_OK) != 0 || ::access(folder.constData(), W_OK) != 0) {
    throw DbError(dberr::kOpenFailed, QStringLiteral("Cannot open '") + path +
                                          QStringLiteral("' for writing: the file or its folder is read-only."));
  }
}

// Opens the database a connection string names (the engine takes the path
// and the password apart).
std::unique_ptr<Connection> OpenConnectionString(const QString& cs) {
  const qsizetype pw = cs.lastIndexOf(kPasswordPrefix);
  const QString path = cs.mid(kSourcePrefix.size(), pw - kSourcePrefix.size());
  const QString password = cs.mid(pw + kPasswordPrefix.size());
  RequireWritable(path);
  return DefaultEngine().Open(path, password);
}

CursorType ToCursor(int cursorType) {
  switch (cursorType) {
    case ado::adOpenForwardOnly: return CursorType::ForwardOnly;
    case ado::adOpenDynamic: return CursorType::Dynamic;
    case ado::adOpenStatic: return CursorType::Static;
    default:
      throw DbError(dberr::kInvalidArg, kBadArguments);
  }
}

LockType ToLock(int lockType) {
  switch (lockType) {
    case ado::adLockUnspecified: return LockType::Unspecified;
    case ado::adLockReadOnly: return LockType::ReadOnly;
    case ado::adLockOptimistic: return LockType::Optimistic;
    default:
      throw DbError(dberr::kInvalidArg, kBadArguments);
  }
}

bool IsNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

SettingEncryptor& Encryptor() {
  static SettingEncryptor encryptor = &DBEncryptValue;
  return encryptor;
}

}  // namespace

void SetSettingEncryptor(SettingEncryptor encryptor) {
  Encryptor() = encryptor ? encryptor : &DBEncryptValue;
}

QString BuildConnectionString(const QString& path, const QString& password) {
  return kSourcePrefix + path + kPasswordPrefix + password;
}

QString DatabasePassword() {
  int32_t seed = UnscrambleSeed;
  bool stripEnds = false;
  return StringUnscramble(QString::fromLatin1(ScrambledDBPassword), seed, stripEnds);
}

Connection* DBGetConnection(const QString& path) {
  auto& slot = Slot();
  if (slot) return slot.get();
  try {
    const QString source = path.size() > 0
                               ? path
                               : ProgramFolder() + QLatin1Char('/') + Globals().AppName +
                                     QStringLiteral(".mdb");
    slot = OpenConnectionString(BuildConnectionString(source, DatabasePassword()));
    // A connection still open when the process ends is closed before the
    // libraries under the engine tear themselves down: registered after
    // the first open, this runs before their own exit handlers.
    static const bool closesAtExit = (std::atexit(&ReleaseSharedConnection), true);
    (void)closesAtExit;
  } catch (...) {
    const CaughtError e = CurrentError();
    slot.reset();
    LogError(QStringLiteral("modDB.DBGetConnection"), e.number, e.description, 0);
  }
  return slot.get();
}

Connection* SharedConnection() { return Slot().get(); }

void ReleaseSharedConnection() {
  auto& slot = Slot();
  if (!slot) return;
  try {
    slot->Close();
  } catch (...) {
    // Released whatever the close says.
  }
  slot.reset();
}

bool DBExecute(const QString& sql, int32_t& recordsAffected) {
  try {
    Connection* conn = DBGetConnection();
    recordsAffected = 0;
    if (!conn) throw DbError(kNoObject, kNoObjectText);
    recordsAffected = conn->Execute(sql);
    return true;
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modDB.DBExecute"), e.number, e.description + QStringLiteral("\r\n") + sql,
             0, true);
  }
  return false;  // not reached: LogError re-raises
}

std::unique_ptr<Recordset> DBOpenRecordset(const QString& sql, int cursorType, int lockType,
                                           int /*options*/, int /*cursorLocation*/,
                                           const QString& path) {
  try {
    Connection* conn = DBGetConnection(path);
    if (!conn) return nullptr;
    return conn->OpenRecordset(sql, ToCursor(cursorType), ToLock(lockType));
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modDB.DBOpenRecordset"), e.number,
             e.description + QStringLiteral("\r\n") + sql, 0, true);
  }
  return nullptr;  // not reached: LogError re-raises
}

QVariant DBGetValue(const QString& sql, const QVariant& def, int32_t* rowCount) {
  if (rowCount) *rowCount = 0;
  QVariant result = def;
  try {
    Connection* conn = DBGetConnection();
    if (!conn) return def;
    std::unique_ptr<Recordset> rs = conn->OpenRecordset(sql, CursorType::Static, LockType::Unspecified);
    if (!rs->Eof()) {
      const int32_t count = rs->RecordCount();
      if (rowCount) *rowCount = count;
      if (count > 0) {
        const QVariant v = rs->Value(0);
        if (!IsNull(v)) result = v;
      }
    }
    rs->Close();
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modDB.DBGetValue"), e.number,
             e.description + QStringLiteral("\r\n\t") + sql, 0);
  }
  return result;
}

bool DBHasRecords(Recordset* rs) {
  if (!rs || !rs->IsOpen() || rs->Eof()) return false;
  const int32_t count = rs->RecordCount();
  return count > 0 || count == -1;
}

QString DBQuoteValue(const QVariant& value) {
  if (IsNull(value)) return QStringLiteral("NULL");
  if (value.metaType() == QMetaType::fromType<Currency>()) return value.value<Currency>().Text();
  switch (value.typeId()) {
    case QMetaType::QDateTime:
      return QLatin1Char('#') + value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
             QLatin1Char('#');
    case QMetaType::QDate:
      return QLatin1Char('#') +
             value.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00") +
             QLatin1Char('#');
    case QMetaType::QString: {
      // Built in one piece: the value passes quote every value they write.
      const QString text = value.toString();
      QString quoted;
      quoted.reserve(text.size() + 2);
      quoted += QLatin1Char('"');
      qsizetype from = 0;
      for (qsizetype q = text.indexOf(QLatin1Char('"')); q >= 0; q = text.indexOf(QLatin1Char('"'), from)) {
        quoted += QStringView(text).sliced(from, q + 1 - from);
        quoted += QLatin1Char('"');  // a quote inside is doubled
        from = q + 1;
      }
      quoted += QStringView(text).sliced(from);
      quoted += QLatin1Char('"');
      return quoted;
    }
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
      return QString::number(value.toDouble(), 'g', 15);
    default:
      return value.toString();
  }
}

bool DBSetSetting(const QString& id, const QString& v1, const QString& v2, const QString& v3,
                  bool encrypt) {
  QString a = v1;
  QString b = v2;
  QString c = v3;
  if (encrypt && Encryptor()) {
    a = Encryptor()(a);
    b = Encryptor()(b);
    c = Encryptor()(c);
  }
  const QString qa = DBQuoteValue(a);
  const QString qb = DBQuoteValue(b);
  const QString qc = DBQuoteValue(c);
  int32_t affected = 0;
  bool updated = false;
  try {
    DBExecute(QStringLiteral("UPDATE TSettings SET Val1 = ") + qa + QStringLiteral(", Val2 = ") + qb +
                  QStringLiteral(", Val3 = ") + qc + QStringLiteral(" WHERE ID = '") + id +
                  QLatin1Char('\''),
              affected);
    updated = true;
  } catch (...) {
    // DBExecute has logged it; the update counts as affecting nothing.
  }
  if (updated && affected == 0) {
    try {
      DBExecute(QStringLiteral("INSERT INTO TSettings(ID, Val1, Val2, Val3) VALUES( '") + id +
                    QStringLiteral("', ") + qa + QStringLiteral(", ") + qb + QStringLiteral(", ") +
                    qc + QLatin1Char(')'),
                affected);
    } catch (...) {
      // Logged by DBExecute.
    }
  }
  return affected > 0;
}

bool IsDBEncrypt() {
  WriteLog(QStringLiteral("modDB.IsDBEncrypt Start"));
  bool encrypted = false;
  try {
    const QString v =
        DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'IsDBEn'"),
                   QStringLiteral("0"))
            .toString();
    encrypted = v != QLatin1String("0");
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modDB.IsDBEncrypt"), e.number, e.description, 0);
  }
  WriteLog(QStringLiteral("modDB.IsDBEncrypt End"));
  return encrypted;
}

}  // namespace mt
