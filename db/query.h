// The one shared connection to the product database and the helpers every
// module uses to run statements, read values and write settings rows.
//
// Promises:
//  - Every helper obtains the connection through DBGetConnection(): while the
//    shared connection exists it is returned as it is (open or not); once it
//    has been released, the database at the default path is opened again.
//  - Failures are logged under the helper's qualified name ("modDB.<name>").
//    DBExecute and DBOpenRecordset then throw DbError to their caller (same
//    code); the others return a neutral result.
//  - Statement texts are built by concatenation with DBQuoteValue literals.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>

#include "db/engine.h"

namespace mt {

// The numeric cursor and lock arguments callers pass to DBOpenRecordset.
namespace ado {
constexpr int adOpenForwardOnly = 0;
constexpr int adOpenDynamic = 2;
constexpr int adOpenStatic = 3;
constexpr int adLockUnspecified = -1;
constexpr int adLockReadOnly = 1;
constexpr int adLockOptimistic = 3;
constexpr int adUseClient = 3;
constexpr int adCmdUnspecified = -1;
}  // namespace ado

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
// ";Persist Security Info=False;Jet OLEDB:Database Password=" + password
QString BuildConnectionString(const QString& path, const QString& password);

// The password of the product database, unscrambled at each call.
QString DatabasePassword();

// The shared connection; opens it (path, or ProgramFolder()/AppName.mdb when
// empty) when none exists. nullptr when opening failed.
Connection* DBGetConnection(const QString& path = {});
// The shared connection as it is, without opening one.
Connection* SharedConnection();
// Closes the shared connection, ignoring failures, and releases it.
void ReleaseSharedConnection();

bool DBExecute(const QString& sql, int32_t& recordsAffected);

// nullptr when no connection is available. cursorType 0/2/3, lockType
// -1/1/3 (see ado::); options and cursorLocation are accepted as given.
std::unique_ptr<Recordset> DBOpenRecordset(const QString& sql, int cursorType, int lockType,
                                           int options, int cursorLocation,
                                           const QString& path = {});

// The first column of the first row, or def (no row, Null, failure).
QVariant DBGetValue(const QString& sql, const QVariant& def, int32_t* rowCount = nullptr);

bool DBHasRecords(Recordset* rs);

// NULL, #yyyy-mm-dd hh:nn:ss#, "text with "" doubled", or a plain number.
QString DBQuoteValue(const QVariant& value);

// Updates the TSettings row id, or inserts it when the update touched none.
bool DBSetSetting(const QString& id, const QString& v1, const QString& v2, const QString& v3,
                  bool encrypt);

// True when the settings row IsDBEn holds anything but "0".
bool IsDBEncrypt();

}  // namespace mt

namespace mt {
// DBSetSetting encrypts through DBEncryptValue (protect/cipher.h); tests may
// put another transform in its place, nullptr restores DBEncryptValue.
using SettingEncryptor = QString (*)(const QString&);
void SetSettingEncryptor(SettingEncryptor encryptor);
}  // namespace mt
